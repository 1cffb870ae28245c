// Start-up and shut-down on the fake platform: the order of the steps, the splash window's
// timers, the recordings' folder, and the two phases of closing with and without IRC.
#include "irc/irc_connection.h"
#include "program/shutdown.h"
#include "program/startup.h"
#include "settings/headless_defaults.h"
#include "settings/settings_fixture.h"
#include "support/cases.h"
#include "support/scenario.h"

namespace fc::test {
namespace {

const std::string kQuit =
    "QUIT :\x02"
    "Fragcaster - Version 1.33 - https://fragcaster.example.net/\x02";

class StartupTest : public SettingsTest {
protected:
    StartupTest() {
        app.endProgram = [this] { ++ends; };
        // As the window does: a close request from the quit timer runs the shut-down again.
        app.closeMainWindow = [this] { onCloseRequest(app); };
    }

    void startUp() {
        app.dispatch([this] { startProgram(app); });
    }

    FakeTcpSocket& irc() { return *platform.tcpSockets.at(0); }

    // Started, on IRC, and asked to close.
    void closeWhileConnected() {
        startUp();
        connectIrc(app);
        irc().accept();
        irc().takeLines();
        app.dispatch([this] { onCloseRequest(app); });
    }

    int ends = 0;
};

FC_SCENARIOS(Startup, "settings/cases/startup.txt");

TEST_F(StartupTest, EveryStartRaisesTheStoredCount) {
    for (int start = 1; start <= 3; ++start) {
        App run(platform);
        run.endProgram = [] {};
        run.dispatch([&] { startProgram(run); });
        EXPECT_EQ(run.settings.startCount, start);
        run.closeMainWindow = [&] { onCloseRequest(run); };
        run.dispatch([&] { onCloseRequest(run); });
        platform.advance(500);
        EXPECT_TRUE(holdsText(file(), "\r\nisStarted = " + std::to_string(start) + "\r\n"));
    }
}

TEST_F(StartupTest, StepsRunInTheirOrder) {
    load({"Advanced = 1", "IRCName = Mine", "isStarted = 41", "; End of INI"});
    platform.fileLog.clear();
    startUp();
    EXPECT_TRUE(app.settings.advancedMode);   // hidden first, shown again by the settings
    EXPECT_EQ(app.settings.startCount, 42);   // raised after the settings were read
    EXPECT_EQ(app.settings.ircName, "Mine");  // the settings come after the defaults
    EXPECT_EQ(platform.fileLog, (Lines{"read orvexa.ini", "mkdir demos"}));
    // What the window shows after it is in the settings cases.
    EXPECT_EQ(app.monitor.playbackStep, 0.01);
    // Nothing is dialled at start.
    EXPECT_EQ(irc().state(), SocketState::Closed);
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

TEST_F(StartupTest, TheShippedDemoIsOfferedOnlyInPlaceOfNoServer) {
    const std::string demo = "share/demos/match.rec";
    const struct {
        std::string entry;
        bool demoThere;
        std::string after;
    } cases[] = {
        {"", true, demo},
        {kFirstTimeEntry, true, demo},
        {"10.0.0.5:27960 league", true, "10.0.0.5:27960 league"},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        platform.files.erase(demo);
        if (c.demoThere) platform.files[demo] = "";
        app.settings.serverEntry = c.entry;
        offerShippedDemo(app, demo);
        EXPECT_EQ(app.settings.serverEntry, c.after) << c.entry;
    }
}

TEST(HeadlessDefaults, OnlyEntriesThatNameAServerAreTaken) {
    const std::vector<Case> cases = loadCases("settings/cases/usable_entries.txt");
    ASSERT_EQ(cases.size(), 2u);
    for (const bool usable : {true, false}) {
        for (const std::string& entry : cases[0].all(usable ? "yes" : "no"))
            EXPECT_EQ(isUsableServerEntry(entry), usable) << entry;
        for (const std::string& server : cases[1].all(usable ? "yes" : "no"))
            EXPECT_EQ(isUsableIrcServer(server), usable) << server;
    }
}

}  // namespace
}  // namespace fc::test
