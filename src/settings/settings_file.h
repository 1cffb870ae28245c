// The plain-text settings file beside the program: read once at start, rewritten whole from
// the window's fields whenever the settings are saved.
#pragma once

namespace fc {

class App;

inline constexpr const char* kSettingsFile = "orvexa.ini";
// What the server entry holds until the operator has chosen a server.
inline constexpr const char* kFirstTimeEntry =
    "First time? Click on the button on the right and click \"Total refresh\"";

// Reads the settings file into the window's fields, after writing one with the current values
// when none exists. A damaged file gives up only its unreadable lines; the operator is told in
// the output window and the file as found is kept beside it.
void loadSettings(App& app);

// Rewrites the settings file from the window's fields. The new file takes the old one's place
// only once it is completely written; a save that fails leaves the old file and tells the
// operator in the output window (once, until a save succeeds again).
void saveSettings(App& app);

}  // namespace fc
