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

constexpr const char* kCredits[] = {
    "Everybody who tested it during their clan matches",
    "The league admins who asked for the features it has",
    "The IRC operators who let the bot stay in their channels",
    "The server admins who kept their query ports open",
    "Everybody who took the time to report a bug",
};

void ShowSplash(App& app) {
    MainView& v = app.view;
    v.splashLabel1 = "Version " + GeefVersie();
    v.splashVisible = true;
    app.splashTimer1->setEnabled(true);
    app.splashTimer2->setEnabled(true);
}

void EndSplash(App& app) {
    MainView& v = app.view;
    if (!v.splashVisible) return;  // already ended by the other of its two ways
    if (app.restoreMainWindow) app.restoreMainWindow();
    v.splashVisible = false;
    // The timers go with the splash window.
    app.splashTimer1->setEnabled(false);
    app.splashTimer2->setEnabled(false);
    if (v.CheckForUpdate) Updater(app);
}

}  // namespace

std::string GeefVersie() {
    return kVersion;
}

void CheckDemoDir(App& app) {
    // A folder that cannot be made only means recordings need another folder.
    if (!app.platform.fileExists(kDemoFolder)) app.platform.makeDirectory(kDemoFolder);
}

std::string AboutText() {
    std::string text;
    auto line = [&text](const std::string& l) { text += l + "\r\n"; };
    line("Fragcaster - Version " + GeefVersie());
    line("");
    line(std::string("Written by the Fragcaster team - ") + kWebPage);
    line(
        "This program will poll any quake2/q3/unreal tournement server for information, will "
        "analyze it and when someone scores,it will report it in any predefined IRC channel. "
        "Lots of features.");
    line("");
    line("-");
    line("");
    line("Special thanks to:");
    for (const char* credit : kCredits) line(credit);
    line("");
    line("-");
    line("");
    line("Build " + PlainNumber(kBuildNumber));
    for (const char* l : {"", "-", "", "", ""}) line(l);
    return text;
}

void StartUp(App& app) {
    MainView& v = app.view;
    // The window's first values.
    if (v.Q2Serverlist.empty()) v.Q2Serverlist = kFirstTimeEntry;
    v.playbackStep = 0.01;
    v.TimePlayedXToolTip = "Change Time Elapsed here!";
    AdvancedUit(app);
    v.botNick = "Orvexa";
    v.matchState =
        MatchState::None;  // the game-status socket sends nothing before monitoring starts
    v.Titel = "Fragcaster! - Version " + GeefVersie();
    v.Caption = "~ FCST ~";
    v.ircZegwat = "Hi! I am your Fragcaster version " + GeefVersie();
    v.gameType = GameType::NoGameYet;

    LoadINI(app);
    ShowSplash(app);
    v.aboutlabel = AboutText();
    v.QuakeInfoLabel = kMonitorHint;
    v.trayIconAdded = true;

    RecordItAutoSet(app);
    CheckDemoDir(app);
    RefreshRecordItList(app);

    if (v.isStarted < std::numeric_limits<std::int32_t>::max()) ++v.isStarted;
    rtfUpdate(app);
}

void OfferShippedDemo(App& app, const std::string& path) {
    MainView& v = app.view;
    const std::string entry = Trim(v.Q2Serverlist);
    if ((!entry.empty() && entry != kFirstTimeEntry) || !app.platform.fileExists(path)) return;
    v.Q2Serverlist = path;
    v.quakeTimerButtonEnabled = true;
}

void OnSplashTimer1(App& app) {
    EndSplash(app);
}

void OnSplashClicked(App& app) {
    EndSplash(app);
}

void CloseSplash(App& app) {
    app.view.splashVisible = false;
    app.splashTimer1->setEnabled(false);
    app.splashTimer2->setEnabled(false);
}

void OnSplashTimer2(App& app) {
    app.splashTimer2->setEnabled(false);  // fires once
    if (app.restoreMainWindow) app.restoreMainWindow();
}

}  // namespace fc
