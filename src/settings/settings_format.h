// The settings file's layout: one "key = value" line per setting in a fixed order, between a
// banner and an end line, each line ended by CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fc {

class App;
class App;
struct RunOnlySettings;

inline constexpr const char* kSettingsEndLine = "; End of INI";
// Longer lines are not settings this program wrote; they are passed over. A longer value is
// cut when written, so that every line written reads back.
inline constexpr std::size_t kLongestSettingsLine = 65536;
inline constexpr std::size_t kLongestSettingsValue = kLongestSettingsLine - 64;

// The whole file for the window's current values, except those a command line set for one
// run: `kept` holds the values saved before it.
std::string settingsText(const App& app, const RunOnlySettings& kept);

struct SettingsReading {
    std::vector<int> unusableLines;  // line numbers (from 1) whose content could not be taken
    bool endFound = false;           // the end line was there, so the file is whole
};

// Takes every usable line of a settings file into the window's fields. Keys are matched in
// upper case; unknown keys (comments, obsolete settings) are passed over; a key given twice
// keeps its last value, except the two server lists, which collect every entry.
SettingsReading applySettingsText(App& app, std::string_view text);

}  // namespace fc
