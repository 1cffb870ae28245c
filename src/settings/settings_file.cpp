#include "settings/settings_file.h"

#include <optional>
#include <string>

#include "core/app.h"
#include "core/text_util.h"
#include "settings/settings_format.h"

namespace fc {

namespace {

constexpr std::size_t kLineNumbersShown = 10;

// "line 3", "lines 3, 7", "lines 1, 2, ..., 10 and 4 more".
std::string lineList(const std::vector<int>& lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < lines.size() && i < kLineNumbersShown; ++i) {
        if (i > 0) text += ", ";
        text += plainNumber(lines[i]);
    }
    if (lines.size() > kLineNumbersShown) {
        text += " and " + plainNumber(static_cast<long long>(lines.size() - kLineNumbersShown)) +
                " more";
    }
    return text;
}

// Keeps the file as it was found under a name no earlier copy holds, so that what could not
// be read survives the next save. Returns the name, or nothing when no copy could be written.
std::optional<std::string> keepDamagedCopy(App& app, const std::string& bytes) {
    const std::string base = std::string(kSettingsFile) + ".damaged";
    for (int n = 1; n < 100; ++n) {
        const std::string name = n == 1 ? base : base + "-" + plainNumber(n);
        if (app.platform.fileExists(name)) continue;
        // The file may hold passwords: its copy is as private as it.
        if (app.platform.replacePrivateFile(name, bytes)) return name;
        return std::nullopt;
    }
    return std::nullopt;
}

void reportDamage(App& app, const SettingsReading& reading, const std::string& bytes) {
    std::string what;
    if (!reading.unusableLines.empty()) {
        what = lineList(reading.unusableLines) + " could not be read";
    }
    if (!reading.endFound) {
        if (!what.empty()) what += ", and ";
        what += "its end is missing";
    }
    const std::optional<std::string> copy = keepDamagedCopy(app, bytes);
    app.appendOutput("*** The settings file " + std::string(kSettingsFile) +
                     " is damaged: " + what + ". Every other setting was read; " +
                     (copy ? "the file as found is kept as " + *copy + "."
                           : "no copy of the file as found could be kept."));
}

}  // namespace

void loadSettings(App& app) {
    const bool existed = app.platform.fileExists(kSettingsFile);
    if (!existed) saveSettings(app);

    const std::optional<std::string> bytes = app.platform.readFile(kSettingsFile);
    if (bytes) {
        const SettingsReading reading = applySettingsText(app, *bytes);
        if (!reading.unusableLines.empty() || !reading.endFound) reportDamage(app, reading, *bytes);
    } else if (existed) {
        app.appendOutput("*** The settings file " + std::string(kSettingsFile) +
                         " could not be read; the program starts with its defaults.");
    }

    app.window.connectionButtonEnabled = !app.settings.serverEntry.empty();
    app.settings.serverIsPrivate = app.settings.privateServerChecked;
}

void saveSettings(App& app) {
    const SettingsValues& v = app.settings;
    const bool secrets = !v.ircSaslPassword.empty() || !v.ircLoginLine.empty() ||
                         !v.killPassword.empty() ||
                         !app.keptSettings.webhookUrl.value_or(v.webhookUrl).empty();
    const std::string text = settingsText(app, app.keptSettings);
    if (secrets ? app.platform.replacePrivateFile(kSettingsFile, text)
                : app.platform.replaceFile(kSettingsFile, text)) {
        app.window.settingsSaveFailing = false;
        return;
    }
    if (!app.window.settingsSaveFailing) {
        app.appendOutput("*** The settings could not be saved in " + std::string(kSettingsFile) +
                         "; the file keeps the settings it had before.");
    }
    app.window.settingsSaveFailing = true;
}

}  // namespace fc
