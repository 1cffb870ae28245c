// The bot on real sockets against a real IRC server (ngircd on loopback), watched by a client in
// the channel: what the fake platform cannot show. The server's own registration (a PING to
// answer first), its replies on the wire, kicks and bans, TLS with a self-made certificate, a
// taken nick, no message of the day, restarts, and the headless program on a real network.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <algorithm>
#include <regex>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "monitor/poller.h"
#include "program/wiring.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/udp_responder.h"

namespace fc::test {
namespace {

// A bot on real Qt sockets in a folder of its own.
struct RealBot {
    QTemporaryDir dir;
    QtPlatform platform{dir.path()};
    WiredApp app{platform};

    // Connects to 127.0.0.1 at `port`, lines paced but quickly, greeting nobody.
    void connect(int port, bool tls = false, bool insecure = false) {
        app.settings.ircServer = "127.0.0.1";
        app.settings.ircPort = std::to_string(port);
        app.settings.ircLineGapMs = "100";
        app.settings.greetOnJoin = false;
        app.settings.ircTls = tls;
        app.settings.ircTlsInsecure = insecure;
        app.dispatch([&] { connectIrc(app); });
    }
    bool until(const std::function<bool()>& done) { return waitUntil(done, 8000); }
    bool shows(const std::string& part) {
        return until([&] { return app.irc.ircOutput.find(part) != std::string::npos; });
    }
};

// The server is up and the client in `channel` (the first there is its operator).
bool hasJoined(IrcTestClient& client, const NgircdServer& server,
               const std::string& channel = "#FCST") {
    return server.started() && client.connect(server.port(), "watcher") && client.join(channel);
}

const std::string kBot = ":FCST!~fcst@127.0.0.1 ";

TEST(IrcServer, RegistersIsKickedAndBannedAndStopsOnlyForTheAdmin) {
    NgircdServer server;
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server)) << server.log();
    RealBot bot;
    bot.app.settings.killAllowedFrom = "Watcher";
    bot.app.antiBanTimer->setInterval(300);  // the ten seconds are pinned on the virtual clock
    bot.connect(server.port());              // no registration without the first PING answered
    ASSERT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST")) << bot.app.irc.ircOutput;
    EXPECT_TRUE(bot.shows("* MODE: :+i"));
    bot.app.dispatch([&] { sayInChannel(bot.app, "#FCST", "\x02=RC=\x02 captured the flag!"); });
    EXPECT_TRUE(watcher.waitFor(kBot + "PRIVMSG #FCST :\x02=RC=\x02 captured the flag!"));
    watcher.send("PRIVMSG FCST :\x01VERSION\x01");
    EXPECT_TRUE(watcher.waitFor(kBot + "NOTICE watcher :Fragcaster Version 1.33 Build  139"));

    // Kicked, the bot is back at once; banned, it comes back when the ban is lifted.
    watcher.send("KICK #FCST FCST :out");
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST"));
    watcher.send("MODE #FCST +b FCST!*@*");
    watcher.send("KICK #FCST FCST :banned");
    EXPECT_TRUE(bot.until([&] { return bot.app.antiBanTimer->enabled(); }));
    const auto meanwhile = watcher.collect(1000);  // several retries, all refused
    EXPECT_TRUE(std::none_of(meanwhile.begin(), meanwhile.end(), [](const std::string& l) {
        return l.find(kBot + "JOIN") != std::string::npos;
    }));
    watcher.send("MODE #FCST -b FCST!*@*");
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST"));

    // The server puts the reason of a QUIT in quotes.
    watcher.send("PRIVMSG FCST :!killyourself");
    EXPECT_TRUE(
        watcher.waitFor(kBot + "QUIT :\"Remotely closed! - OMG! Somebody is controlling me!\""));
    EXPECT_TRUE(bot.until([&] { return bot.app.irc.ircStatus == "Not connected"; }));
}

// The refusal Qt reports for a port nobody listens on is shown as the operator reads it.
TEST(IrcServer, RefusedConnectionShowsServerNotFound) {
    RealBot bot;
    bot.app.settings.ircReconnect = false;
    QTcpServer probe;  // a port that was free a moment ago, and is closed now
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const int port = probe.serverPort();
    probe.close();
    bot.connect(port);
    EXPECT_TRUE(bot.until([&] { return bot.app.irc.ircStatus == "Server or hostname not found"; }));
}

// The headless program with its own nick and channel for this run: it joins, answers, and says
// goodbye when ended.
TEST(IrcServer, HeadlessProgramJoinsAnswersAndLeavesWithItsOwnNickAndChannel) {
    NgircdServer server;
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server, "#league")) << server.log();
    QTemporaryDir dir;
    QProcess program;
    program.start(FRAGCASTER_BINARY, {"--headless", "--json", "--dir", dir.path(), "--irc",
                                      QString("127.0.0.1:%1").arg(server.port()), "--channel",
                                      "#league", "--nick", "Caster", "--duration", "30"});
    const std::string prefix = ":Caster!~fcst@127.0.0.1 ";
    EXPECT_TRUE(watcher.waitFor(prefix + "JOIN :#league", 15000));
    watcher.send("PRIVMSG Caster :\x01VERSION\x01");
    EXPECT_TRUE(watcher.waitFor(prefix + "NOTICE watcher :Fragcaster Version 1.33 Build  139"));
    program.terminate();  // closing says goodbye as the window's close does
    EXPECT_TRUE(watcher.waitFor(prefix + "QUIT :"));
    EXPECT_TRUE(waitUntil([&] { return program.state() == QProcess::NotRunning; }, 5000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_NE(program.readAllStandardOutput().indexOf("*** You have joined: #league ***"), -1);
}

TEST(IrcNetwork, TlsNickInUseNoMotdAndARestartedServer) {
    NgircdServer server({.motd = false, .tls = true, .penalties = true});
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server)) << server.log();
    RealBot insecure, checked, second;
    insecure.connect(server.tlsPort(), true, true);
    EXPECT_TRUE(insecure.shows("*** Warning: TLS without a certificate check"));
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST", 8000));  // after 422
    checked.app.settings.ircName = "Checked";
    checked.connect(server.tlsPort(), true, false);
    EXPECT_TRUE(checked.shows("*** TLS failed: "));

    second.connect(server.port());  // the nick is taken: "_" is tried
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 JOIN :#FCST", 8000));
    second.app.dispatch([&] { quitIrc(second.app); });
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 QUIT :", 8000));  // sent before the close

    insecure.app.irc.backoffSeconds = 1;  // the first wait is 10 s; the doubling is pinned apart
    ASSERT_TRUE(server.restart()) << server.log();
    EXPECT_TRUE(insecure.shows("Reconnecting in "));
    IrcTestClient back;  // the bot or the client may be first in the new channel
    ASSERT_TRUE(hasJoined(back, server));
    EXPECT_TRUE(insecure.until([&] { return insecure.app.irc.inChannel; }));
    insecure.app.dispatch([&] { sayInChannel(insecure.app, "#FCST", "=RC= captured the flag!"); });
    EXPECT_TRUE(back.waitFor("PRIVMSG #FCST :=RC= captured the flag!", 8000));
}

// The shipped demo match replayed at ten times its pace into the channel; just after the match's
// begin the IRC server is restarted, or the bot banned for a while (joining again every half
// second). Every line said reaches the channel once, in order, those said while away with the
// time of day.
struct NoLineLost : ::testing::TestWithParam<bool>, AppListener {
    std::vector<std::string> said;
    void reportSaid(const std::string&, const std::string& text) override { said.push_back(text); }
};

TEST_P(NoLineLost, EveryReportLineReachesTheChannelOnceInOrder) {
    NgircdServer server;
    auto watcher = std::make_unique<IrcTestClient>();
    ASSERT_TRUE(hasJoined(*watcher, server)) << server.log();
    RealBot bot;
    WiredApp& app = bot.app;
    app.addListener(this);
    app.irc.stampAfterMs = -1;  // every line that waited shows its time, even one left in the same
                                // millisecond; the 30 s are pinned apart
    app.antiBanTimer->setInterval(500);
    bot.connect(server.port());
    ASSERT_TRUE(watcher->waitFor(kBot + "JOIN :#FCST")) << app.irc.ircOutput;
    app.irc.backoffSeconds = 1;

    std::vector<std::string> heard;  // without the time of those that waited
    int stamped = 0;
    const std::regex stamp(R"(^\[\d\d:\d\d:\d\d\] )");
    const auto listen = [&](const std::function<bool()>& done, int ms) {
        return waitUntil(
            [&] {
                for (const std::string& line : watcher->collect(20))
                    if (line.starts_with(kBot + "PRIVMSG #FCST :")) {
                        const std::string text = line.substr(kBot.size() + 15);
                        heard.push_back(std::regex_replace(text, stamp, ""));
                        stamped += heard.back() != text;
                    }
                return done();
            },
            ms);
    };
    bool ended = false;
    app.playbackEnded = [&] { ended = true; };
    app.settings.reportIntervalSeconds = "100000";  // no periodic report: each line is said once
    app.monitor.playbackStep = 0.1;
    app.dispatch([&] {
        onServerEntryEdited(app, FRAGCASTER_DEMOS_DIR "/ctf_oa_ctf4ish_x4.rec");
        toggleConnection(app);
    });
    ASSERT_TRUE(listen([&] { return !heard.empty(); }, 10000)) << app.irc.ircOutput;
    // The replay waits while the bot is taken out, so that no line is on the wire meanwhile.
    app.playbackTimer->setEnabled(false);
    ASSERT_TRUE(listen([&] { return heard.size() == said.size(); }, 5000));
    const bool restart = GetParam();
    if (restart) {
        server.stop();
    } else {
        watcher->send("MODE #FCST +b FCST!*@*");
        watcher->send("KICK #FCST FCST :banned");
    }
    ASSERT_TRUE(bot.until([&] { return !app.irc.inChannel; }));
    app.playbackTimer->setEnabled(true);
    QElapsedTimer away;
    away.start();
    ASSERT_TRUE(listen([&] { return app.irc.held.size() >= 2 && away.elapsed() >= 2500; }, 20000));
    if (restart) {  // the restarted server has a new channel: the watcher is there first
        ASSERT_TRUE(server.restart()) << server.log();
        watcher = std::make_unique<IrcTestClient>();
        ASSERT_TRUE(hasJoined(*watcher, server));
    } else {
        watcher->send("MODE #FCST -b FCST!*@*");
    }
    EXPECT_TRUE(listen([&] { return ended && heard.size() >= said.size(); }, 30000))
        << app.irc.ircOutput;
    EXPECT_EQ(said.size(), 6u);
    EXPECT_EQ(heard, said) << app.irc.ircOutput;
    EXPECT_GE(stamped, 2);
    app.dispatch([&] { quitIrc(app); });
}

INSTANTIATE_TEST_SUITE_P(Away, NoLineLost, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "ServerRestarted" : "Banned");
});

}  // namespace
}  // namespace fc::test
