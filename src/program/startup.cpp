#include "program/startup.h"

#include <cstdint>
#include <limits>

#include "core/app.h"
#include "core/text_util.h"
#include "monitor/recorder.h"
#include "preview/template_preview.h"
#include "settings/advanced_mode.h"
#include "settings/settings_file.h"
#include "update/updater.h"

namespace fc {

namespace {

constexpr const char* kDemoFolder = "demos";

constexpr const char* kMonitorHint =
    "No server polled yet, click on [CONNECTION: OFF] to poll the selected server.\r\n"
    "The program then will poll the server every second until you click the button again.";

void showSplash(App& app) {
    app.window.splashVersionText = "Version " + versionText();
    app.window.splashVisible = true;
    app.splashEndTimer->setEnabled(true);
    app.splashRestoreTimer->setEnabled(true);
}

void endSplash(App& app) {
    if (!app.window.splashVisible) return;  // already ended by the other of its two ways
    if (app.restoreMainWindow) app.restoreMainWindow();
    app.window.splashVisible = false;
    // The timers go with the splash window.
    app.splashEndTimer->setEnabled(false);
    app.splashRestoreTimer->setEnabled(false);
    if (app.settings.checkForUpdate) startUpdateCheck(app);
}

}  // namespace

std::string versionText() {
    return kVersion;
}

void checkDemoDir(App& app) {
    // A folder that cannot be made only means recordings need another folder.
    if (!app.platform.fileExists(kDemoFolder)) app.platform.makeDirectory(kDemoFolder);
}

void startProgram(App& app) {
    // The window's first values.
    if (app.settings.serverEntry.empty()) app.settings.serverEntry = kFirstTimeEntry;
    app.monitor.playbackStep = 0.01;
    app.window.timePlayedToolTip = "Change Time Elapsed here!";
    switchAdvancedOff(app);
    app.irc.botNick = "Orvexa";
    app.match.matchState =
        MatchState::None;  // the game-status socket sends nothing before monitoring starts
    app.window.titleText = "Fragcaster! - Version " + versionText();
    app.window.windowCaption = "~ Fragcaster ~";
    app.irc.ircInputLine = "Hi! I am your Fragcaster version " + versionText();
    app.monitor.gameType = GameType::NoGameYet;

    loadSettings(app);
    showSplash(app);
    app.monitor.serverInfoText = kMonitorHint;
    app.window.trayIconAdded = true;

    proposeRecordingName(app);
    checkDemoDir(app);
    refreshRecordedDemos(app);

    if (app.settings.startCount < std::numeric_limits<std::int32_t>::max())
        ++app.settings.startCount;
    rtfUpdate(app);
}

void offerShippedDemo(App& app, const std::string& path) {
    const std::string entry = trimBlanks(app.settings.serverEntry);
    if ((!entry.empty() && entry != kFirstTimeEntry) || !app.platform.fileExists(path)) return;
    app.settings.serverEntry = path;
    app.window.connectionButtonEnabled = true;
}

void onSplashEndTimer(App& app) {
    endSplash(app);
}

void onSplashClicked(App& app) {
    endSplash(app);
}

void closeSplash(App& app) {
    app.window.splashVisible = false;
    app.splashEndTimer->setEnabled(false);
    app.splashRestoreTimer->setEnabled(false);
}

void onSplashRestoreTimer(App& app) {
    app.splashRestoreTimer->setEnabled(false);  // fires once
    if (app.restoreMainWindow) app.restoreMainWindow();
}

}  // namespace fc
