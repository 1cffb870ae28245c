// The bot on real sockets against a real IRC server (ngircd on loopback), watched by a second
// client in the channel that queries the bot and reads what it says.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>

#include "core/app.h"
#include "irc/console.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/udp_responder.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

constexpr int kWaitMs = 5000;
const std::string kBotPrefix = ":FCST!~fcst@127.0.0.1 ";

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class IrcServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.started()) << server.log();
        ASSERT_TRUE(watcher.connect(server.port(), "watcher"));
        ASSERT_TRUE(watcher.join("#FCST"));  // the first in the channel is its operator
        app.view.IRConjoin = false;
        app.view.IRCLineGapMs = "100";  // paced, but quickly; the pace itself is tested elsewhere
    }

    // The operator connects the bot; the watcher sees it join.
    void connectBot() {
        app.view.IRCServer = "127.0.0.1";
        app.view.IRCPort = std::to_string(server.port());
        app.dispatch([&] { ConnectIrc(app); });
        ASSERT_TRUE(watcher.waitFor(kBotPrefix + "JOIN :#FCST")) << app.view.Text1;
    }

    bool waitForView(const std::function<bool(const MainView&)>& done, int ms = kWaitMs) {
        return WaitUntil([&] { return done(app.view); }, ms);
    }
    bool shown(const std::string& part) {
        return waitForView([&](const MainView& v) { return Has(v.Text1, part); });
    }

    // A private message from the watcher to the bot, asked as if for the first time.
    void ask(const std::string& text) {
        app.view.ignorelist.clear();
        watcher.send("PRIVMSG FCST :" + text);
    }
    // The texts of the next `count` notices the bot sends the watcher.
    std::vector<std::string> notices(int count) {
        std::vector<std::string> texts;
        const std::string head = kBotPrefix + "NOTICE watcher :";
        for (int i = 0; i < count; ++i) {
            const auto line = watcher.waitFor(head);
            if (!line) break;
            texts.push_back(line->substr(head.size()));
        }
        return texts;
    }

    NgircdServer server;
    QTemporaryDir dir;
    QtPlatform platform{dir.path()};
    WiredApp app{platform};
    IrcTestClient watcher;
};

TEST_F(IrcServerTest, RegistersAnswersThePingAndJoinsReadingTopicAndNames) {
    watcher.send("TOPIC #FCST :Clan war tonight");
    ASSERT_TRUE(watcher.waitFor("TOPIC #FCST :Clan war tonight"));
    connectBot();  // the server registers nobody who leaves its first PING unanswered

    EXPECT_TRUE(shown("*** Connected to server, waiting for reply..."));
    EXPECT_TRUE(shown("PONG!"));
    EXPECT_TRUE(shown("*** You have joined: #FCST ***"));
    EXPECT_TRUE(shown("* MODE: :+i"));  // the server confirms the bot's own mode
    EXPECT_TRUE(waitForView([](const MainView& v) { return v.IRCTopic == "Clan war tonight"; }));
    std::vector<std::string> nicks = app.view.ircLijst;
    std::sort(nicks.begin(), nicks.end());
    EXPECT_EQ(nicks, (std::vector<std::string>{"@watcher", "FCST"}));
    EXPECT_TRUE(waitForView([](const MainView& v) { return v.IRCStat == "Connected!"; }));
}

TEST_F(IrcServerTest, ReportLinesAndTypedChatReachTheChannelAndQuitSaysGoodbye) {
    connectBot();
    app.dispatch([&] {
        stuurMSG(app, app.view.botChannel,
                 "\x02"
                 "=RC=\x02 captured the flag!");
    });
    EXPECT_TRUE(watcher.waitFor(kBotPrefix + "PRIVMSG #FCST :\x02=RC=\x02 captured the flag!"));
    app.view.ircZegwat = "gl hf";
    app.dispatch([&] { OnIrcInputEnter(app); });
    EXPECT_TRUE(watcher.waitFor(kBotPrefix + "PRIVMSG #FCST :gl hf"));
    EXPECT_EQ(app.view.isLinesPrinted, 2);
    EXPECT_TRUE(shown("<FCST> gl hf"));

    app.dispatch([&] { QuitIrc(app); });
    EXPECT_TRUE(watcher.waitFor(kBotPrefix + "QUIT :\"\x02"
                                             "Fragcaster - Version 1.33 - "));
    EXPECT_TRUE(app.view.Command3Enabled);
}

TEST_F(IrcServerTest, EveryCommandAndClientQueryIsAnsweredByNotice) {
    connectBot();
    MainView& v = app.view;
    v.qsMap = "q3ctf4";
    v.qsRed = "2/31";
    v.qsBlue = "1/17";
    v.qsTimeLeft = "8:15";
    v.gameType = "ctfq3";
    v.matchState = MatchState::Running;
    v.Q2Serverlist = "127.0.0.1:27960 league";
    v.spelerLijst = {{"Sarge", "10", "50", "Red", RowColour::Red},
                     {"Doom", "7", "40", "Blue", RowColour::Blue},
                     {"Visor", "3", "30", "Red", RowColour::Red},
                     {"Anarki", "0", "999", kTeamSpectators, RowColour::Grey}};

    ask("\x01VERSION\x01");
    EXPECT_EQ(notices(1), (std::vector<std::string>{"Fragcaster Version 1.33 Build  139"}));
    ask("\x01PING 1700000000\x01");
    EXPECT_EQ(notices(1), (std::vector<std::string>{"You're lagging..."}));
    ask("\x01"
        "FINGER\x01");
    EXPECT_EQ(notices(1), (std::vector<std::string>{kWebPage}));

    ask("!info");
    const auto info = notices(4);
    ASSERT_EQ(info.size(), 4u);
    EXPECT_EQ(info[0], "Fragcaster Version 1.33 Build: 139  S: 0  L: 0");
    ask("!helpme");
    const auto help = notices(6);
    ASSERT_EQ(help.size(), 6u);
    EXPECT_EQ(help[1],
              "\x03"
              "7Map:q3ctf4  Current score: [Red team] 2 (31) / [Blue team] 1 (17)  "
              "Time left: 8:15");
    EXPECT_EQ(help[5],
              "\x03"
              "7You can only send a command every 15 seconds!");
    ask("!stats");
    EXPECT_EQ(notices(1),
              (std::vector<std::string>{
                  "\x1F\x02Server\x02\x1F: 127.0.0.1:27960  \x1F\x02Map\x1F\x02:q3ctf4 -- Current "
                  "score: [Red team] 2 (31) / [Blue team] 1 (17)  Time left: 8:15"}));
    ask("!players");
    EXPECT_EQ(notices(2), (std::vector<std::string>{"\x03"
                                                    "04Sarge           10 (50), \x03"
                                                    "12Doom            7 (40), "
                                                    "\x03"
                                                    "04Visor           3 (30)",
                                                    "\x03"
                                                    "14Anarki          0 (999)"}));
    EXPECT_TRUE(shown("& Notice (!players) sent to watcher"));
}

TEST_F(IrcServerTest, IgnoreListAnswersOneQueryPerIgnoreTime) {
    app.view.IRCIgnoreTime = "1";
    connectBot();
    watcher.send("PRIVMSG FCST :!info");
    watcher.send("PRIVMSG FCST :!info");
    EXPECT_EQ(notices(4).size(), 4u);
    const auto more = watcher.collect(500);
    EXPECT_TRUE(std::none_of(more.begin(), more.end(),
                             [](const std::string& l) { return Has(l, " NOTICE watcher "); }));
    EXPECT_TRUE(waitForView([](const MainView& v) { return v.ignorelist.empty(); }));
    watcher.send("PRIVMSG FCST :\x01VERSION\x01");
    EXPECT_EQ(notices(1).size(), 1u);
}

TEST_F(IrcServerTest, KickedBotRejoinsAtOnce) {
    connectBot();
    watcher.send("KICK #FCST FCST :out");
    EXPECT_TRUE(watcher.waitFor(" KICK #FCST FCST :out"));
    EXPECT_TRUE(watcher.waitFor(kBotPrefix + "JOIN :#FCST"));
}

TEST_F(IrcServerTest, BannedBotRetriesUntilTheBanIsLifted) {
    // The ten-second interval is checked on the virtual clock; here the retry runs faster.
    app.AntiBanTimer->setInterval(300);
    connectBot();
    watcher.send("MODE #FCST +b FCST!*@*");
    watcher.send("KICK #FCST FCST :banned");
    EXPECT_TRUE(waitForView([&](const MainView&) { return app.AntiBanTimer->enabled(); }));
    const auto meanwhile = watcher.collect(1000);  // several retries, all refused
    EXPECT_TRUE(std::none_of(meanwhile.begin(), meanwhile.end(),
                             [](const std::string& l) { return Has(l, kBotPrefix + "JOIN"); }));
    watcher.send("MODE #FCST -b FCST!*@*");
    EXPECT_TRUE(watcher.waitFor(kBotPrefix + "JOIN :#FCST"));
    EXPECT_TRUE(waitForView([&](const MainView&) { return !app.AntiBanTimer->enabled(); }));
}

TEST_F(IrcServerTest, ServerGoingAwayWithoutReconnectShowsNotConnectedAndKeepsFieldsLocked) {
    app.view.IRCReconnect = false;
    connectBot();
    server.stop();
    EXPECT_TRUE(waitForView([](const MainView& v) { return v.IRCStat == "Not connected"; }));
    EXPECT_FALSE(app.view.Command3Enabled);
    EXPECT_FALSE(app.view.IRCServerEnabled);
    EXPECT_TRUE(app.view.Command1Enabled);
}

TEST_F(IrcServerTest, OnlyAnAllowedNickStopsTheBot) {
    app.view.KillAllowedFrom = "Watcher";
    connectBot();
    IrcTestClient stranger;
    ASSERT_TRUE(stranger.connect(server.port(), "stranger"));
    stranger.send("PRIVMSG FCST :!killyourself");
    EXPECT_FALSE(stranger.waitFor(" NOTICE stranger ", 500));

    watcher.send("PRIVMSG FCST :!killyourself");
    EXPECT_EQ(notices(1), (std::vector<std::string>{"Command received!"}));
    // The server puts the reason of a QUIT in quotes.
    EXPECT_TRUE(watcher.waitFor(kBotPrefix +
                                "QUIT :\"Remotely closed! - OMG! Somebody is controlling me!\""));
    EXPECT_TRUE(waitForView([](const MainView& v) { return v.IRCStat == "Not connected"; }));
    EXPECT_FALSE(app.view.Command3Enabled);
}

TEST_F(IrcServerTest, ConsoleShowsTheChannelAndGreetsNewcomers) {
    app.view.IRConjoin = true;
    connectBot();
    watcher.send("PRIVMSG #FCST :hello all");
    EXPECT_TRUE(shown("<watcher> hello all"));

    IrcTestClient newbie;
    ASSERT_TRUE(newbie.connect(server.port(), "newbie"));
    ASSERT_TRUE(newbie.join("#FCST"));
    EXPECT_TRUE(newbie.waitFor(kBotPrefix + "NOTICE newbie :\x03"
                                            "7Hi! There is a war going on!"));
    EXPECT_TRUE(shown("* JOIN: newbie"));
    newbie.send("PART #FCST");
    EXPECT_TRUE(shown("* LEFT: newbie (PART)"));
    EXPECT_EQ(std::count(app.view.ircLijst.begin(), app.view.ircLijst.end(), "newbie"), 0);
}

TEST_F(IrcServerTest, HeadlessProgramJoinsAnswersAndLeavesWithItsOwnNickAndChannel) {
    ASSERT_TRUE(watcher.join("#league"));
    QProcess program;
    program.start(FRAGCASTER_BINARY,
                  {"--headless", "--json", "--dir", dir.path(), "--irc",
                   QString("127.0.0.1:%1").arg(server.port()), "--channel", "#league", "--nick",
                   "Caster", "--key", "", "--duration", "30"});
    ASSERT_TRUE(program.waitForStarted(kWaitMs));
    const std::string prefix = ":Caster!~fcst@127.0.0.1 ";
    EXPECT_TRUE(watcher.waitFor(prefix + "JOIN :#league", 15000));
    watcher.send("PRIVMSG Caster :\x01VERSION\x01");
    EXPECT_TRUE(watcher.waitFor(prefix + "NOTICE watcher :Fragcaster Version 1.33 Build  139"));

    program.terminate();  // closing says goodbye as the window's close does
    EXPECT_TRUE(watcher.waitFor(prefix + "QUIT :"));
    EXPECT_TRUE(WaitUntil([&] { return program.state() == QProcess::NotRunning; }, kWaitMs));
    EXPECT_EQ(program.exitCode(), 0);

    std::vector<std::string> outputs;
    for (const QByteArray& line : program.readAllStandardOutput().split('\n')) {
        const QJsonObject event = QJsonDocument::fromJson(line).object();
        if (event["event"].toString() == "output")
            outputs.push_back(event["text"].toString().toStdString());
    }
    EXPECT_NE(std::find(outputs.begin(), outputs.end(), "*** You have joined: #league ***"),
              outputs.end());
    EXPECT_NE(std::find(outputs.begin(), outputs.end(), "& Notice (CTCP version) sent to watcher"),
              outputs.end());
}

// A port nobody listens on: the refusal Qt reports is shown as the operator reads it.
TEST(IrcScriptedServer, RefusedConnectionShowsServerNotFound) {
    int port = 0;
    {
        QTcpServer probe;  // a port that was free a moment ago, and is closed now
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    QTemporaryDir dir;
    QtPlatform platform(dir.path());
    WiredApp app(platform);
    app.view.IRCServer = "127.0.0.1";
    app.view.IRCPort = std::to_string(port);
    app.view.IRCReconnect = false;
    app.dispatch([&] { ConnectIrc(app); });
    EXPECT_TRUE(
        WaitUntil([&] { return app.view.IRCStat == "Server or hostname not found"; }, kWaitMs));
    app.view.IRCReconnect = true;  // with it, the refusal is followed by a countdown
    app.dispatch([&] { ConnectIrc(app); });
    EXPECT_TRUE(WaitUntil(
        [&] {
            return app.view.IRCStat == "Reconnecting in 11 s" ||
                   app.view.IRCStat == "Reconnecting in 10 s";
        },
        kWaitMs));
}

}  // namespace
}  // namespace fc::test
