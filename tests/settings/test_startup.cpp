// Start-up and shut-down on the fake platform: the order of the steps, the splash window's
// timers, the recordings' folder, and the two phases of closing with and without IRC.
#include "irc/irc_connection.h"
#include "settings/headless_defaults.h"
#include "settings/settings_fixture.h"
#include "settings/shutdown.h"
#include "settings/startup.h"
#include "support/cases.h"

namespace fc::test {
namespace {

const std::string kQuit =
    "QUIT :\x02"
    "Fragcaster - Version 1.33 - https://fragcaster.example.net/\x02";

class StartupTest : public SettingsTest {
protected:
    StartupTest() {
        app.restoreMainWindow = [this] { ++restores; };
        app.endProgram = [this] { ++ends; };
        // As the window does: a close request from the quit timer runs the shut-down again.
        app.closeMainWindow = [this] { closeResults.push_back(OnCloseRequest(app)); };
    }

    void startUp() {
        app.dispatch([this] { StartUp(app); });
    }

    // The settings saves since the last look.
    int saves() {
        int n = 0;
        for (const std::string& op : std::exchange(platform.fileLog, {}))
            n += op == "replace orvexa.ini";
        return n;
    }

    FakeTcpSocket& irc() { return *platform.tcpSockets.at(0); }

    // Started, on IRC, and asked to close.
    void closeWhileConnected() {
        startUp();
        ConnectIrc(app);
        irc().accept();
        irc().takeLines();
        app.dispatch([this] { OnCloseRequest(app); });
    }

    int restores = 0;
    int ends = 0;
    std::vector<bool> closeResults;
};

TEST_F(StartupTest, FirstStartWritesTheDefaultsThenCountsItself) {
    startUp();
    EXPECT_EQ(platform.fileLog, (Lines{"replace orvexa.ini", "read orvexa.ini", "mkdir demos"}));
    // The file it writes is in the settings cases, line by line.
    EXPECT_EQ(view().isStarted, 1);
    EXPECT_TRUE(view().quakeTimerButtonEnabled);
    EXPECT_FALSE(IsUsableServerEntry(view().Q2Serverlist));  // the hint is not a server
    EXPECT_TRUE(shown().empty());
}

TEST_F(StartupTest, EveryStartRaisesTheStoredCount) {
    for (int start = 1; start <= 3; ++start) {
        App run(platform);
        run.endProgram = [] {};
        run.dispatch([&] { StartUp(run); });
        EXPECT_EQ(run.view.isStarted, start);
        run.closeMainWindow = [&] { OnCloseRequest(run); };
        run.dispatch([&] { OnCloseRequest(run); });
        platform.advance(500);
        EXPECT_TRUE(Holds(file(), "\r\nisStarted = " + std::to_string(start) + "\r\n"));
    }
}

TEST_F(StartupTest, StepsRunInTheirOrder) {
    load({"Advanced = 1", "IRCName = Mine", "isStarted = 41", "; End of INI"});
    platform.fileLog.clear();
    // What start-up has done when it lets the window settle, just before reading the settings.
    platform.pendingEvents.push_back([this] {
        EXPECT_EQ(view().Titel, "Fragcaster! - Version 1.33");
        EXPECT_FALSE(view().Advanced);  // hidden first, shown again by the settings
        EXPECT_EQ(view().isStarted, 41);
        EXPECT_FALSE(view().splashVisible);
        EXPECT_FALSE(view().trayIconAdded);
        EXPECT_TRUE(platform.fileLog.empty());
    });
    startUp();
    EXPECT_EQ(platform.yields, 1);
    EXPECT_EQ(platform.fileLog, (Lines{"read orvexa.ini", "mkdir demos"}));
    // What the window shows after it is in the settings cases.
    EXPECT_EQ(view().playbackStep, 0.01);
    // Nothing is dialled at start.
    EXPECT_EQ(irc().state(), SocketState::Closed);
}

TEST_F(StartupTest, AnExistingDemosFolderIsLeftAlone) {
    platform.directories.push_back("demos");
    startUp();
    EXPECT_EQ(platform.fileLog, (Lines{"replace orvexa.ini", "read orvexa.ini"}));
}

TEST_F(StartupTest, SplashRestoresTheWindowAndGoesAfterItsTime) {
    startUp();
    EXPECT_TRUE(view().splashVisible);
    EXPECT_EQ(view().splashLabel1, "Version 1.33");
    platform.advance(2999);
    EXPECT_EQ(restores, 0);
    platform.advance(1);
    EXPECT_EQ(restores, 1);
    platform.advance(1499);
    EXPECT_TRUE(view().splashVisible);
    platform.advance(1);
    EXPECT_FALSE(view().splashVisible);
    EXPECT_EQ(restores, 2);
    platform.advance(10000);
    EXPECT_EQ(restores, 2);
}

TEST_F(StartupTest, AClickEndsTheSplashAtOnce) {
    startUp();
    platform.advance(1000);
    app.dispatch([this] { OnSplashClicked(app); });
    EXPECT_FALSE(view().splashVisible);
    EXPECT_EQ(restores, 1);
    platform.advance(10000);  // its timers went with it
    EXPECT_EQ(restores, 1);
}

TEST_F(StartupTest, ClosingWithoutIrcSavesTwiceAndEndsHalfASecondLater) {
    startUp();
    saves();
    view().ircName = "Renamed";

    bool ended = true;
    app.dispatch([&] { ended = OnCloseRequest(app); });
    EXPECT_FALSE(ended);
    EXPECT_EQ(saves(), 1);
    EXPECT_TRUE(Holds(file(), "IRCName = Renamed\r\nIRCKey"));
    EXPECT_FALSE(view().trayIconAdded);

    // A second request meanwhile does not put the end off.
    platform.advance(300);
    app.dispatch([&] { OnCloseRequest(app); });
    EXPECT_EQ(saves(), 1);
    platform.advance(199);
    EXPECT_TRUE(closeResults.empty());
    platform.advance(1);
    EXPECT_EQ(closeResults, (std::vector<bool>{true}));
    EXPECT_EQ(view().shutdownPhase, "1");
    EXPECT_EQ(saves(), 1);
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(view().splashVisible);
    EXPECT_TRUE(irc().sent.empty());
}

TEST_F(StartupTest, ClosingWhileConnectedSaysQuitInBothPhases) {
    closeWhileConnected();
    EXPECT_EQ(irc().takeLines(), Lines{kQuit});
    EXPECT_EQ(irc().state(), SocketState::Connected);  // closed only in the second phase

    platform.advance(500);
    EXPECT_EQ(irc().takeLines(), Lines{kQuit});
    EXPECT_EQ(irc().state(), SocketState::Closed);
    EXPECT_EQ(ends, 1);
}

TEST_F(StartupTest, ServerThatLeftAfterTheFirstQuitGetsNoSecond) {
    closeWhileConnected();
    irc().peerClose();
    platform.advance(500);
    EXPECT_EQ(irc().takeLines(), Lines{kQuit});
    EXPECT_EQ(ends, 1);
}

TEST(HeadlessDefaults, OnlyEntriesThatNameAServerAreTaken) {
    const std::vector<Case> cases = LoadCases("settings/cases/usable_entries.txt");
    ASSERT_EQ(cases.size(), 2u);
    for (const bool usable : {true, false}) {
        for (const std::string& entry : cases[0].all(usable ? "yes" : "no"))
            EXPECT_EQ(IsUsableServerEntry(entry), usable) << entry;
        for (const std::string& server : cases[1].all(usable ? "yes" : "no"))
            EXPECT_EQ(IsUsableIrcServer(server), usable) << server;
    }
}

}  // namespace
}  // namespace fc::test
