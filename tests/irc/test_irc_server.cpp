// The bot on real sockets against a real IRC server (ngircd on loopback), watched by a client in
// the channel: the rules pinned on the virtual clock hold on the wire, as do the ways real
// networks run (flood penalties, TLS with a self-made certificate, no message of the day, a nick
// taken, a restart mid-match), and a match from a loopback game server reaches the channel.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <algorithm>

#include "core/app.h"
#include "irc/console.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "monitor/poller.h"
#include "program/wiring.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/replies.h"
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
    bool until(const std::function<bool(const App&)>& done, int ms = 8000) {
        return waitUntil([&] { return done(app); }, ms);
    }
    bool shows(const std::string& part) {
        return until(
            [&](const App& app) { return app.irc.ircOutput.find(part) != std::string::npos; });
    }
    bool stateIs(const std::string& text) {
        return until([&](const App& app) { return app.irc.ircStatus == text; });
    }
};

// The server is up and the client in `channel` (the first there is its operator).
bool hasJoined(IrcTestClient& client, const NgircdServer& server,
               const std::string& nick = "watcher", const std::string& channel = "#FCST") {
    return server.started() && client.connect(server.port(), nick) && client.join(channel);
}

constexpr int kWaitMs = 5000;
const std::string kBot = ":FCST!~fcst@127.0.0.1 ";

TEST(IrcServer, AnEveningInARealChannelFromRegistrationToTheAdminsStop) {
    NgircdServer server;
    IrcTestClient watcher;  // the first in the channel is its operator
    ASSERT_TRUE(hasJoined(watcher, server)) << server.log();
    watcher.send("TOPIC #FCST :Clan war tonight");
    RealBot bot;
    bot.app.settings.killAllowedFrom = "Watcher";
    bot.app.antiBanTimer->setInterval(300);  // the ten seconds are pinned on the virtual clock
    bot.connect(server.port());              // no registration without the first PING answered
    ASSERT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST")) << bot.app.irc.ircOutput;
    for (const char* part : {"*** Connected to server, waiting for reply...", "PONG!",
                             "*** You have joined: #FCST ***", "* MODE: :+i"})
        EXPECT_TRUE(bot.shows(part)) << part;
    EXPECT_TRUE(bot.until([](const App& app) { return app.irc.ircTopic == "Clan war tonight"; }));
    std::vector<std::string> nicks = bot.app.irc.channelNicks;
    std::sort(nicks.begin(), nicks.end());
    EXPECT_EQ(nicks, (std::vector<std::string>{"@watcher", "FCST"}));
    EXPECT_TRUE(bot.stateIs("Connected!"));

    // Lines out: a report line and typed chat, counted and echoed.
    bot.app.dispatch(
        [&] { sayInChannel(bot.app, bot.app.irc.botChannel, "\x02=RC=\x02 captured the flag!"); });
    EXPECT_TRUE(watcher.waitFor(kBot + "PRIVMSG #FCST :\x02=RC=\x02 captured the flag!"));
    bot.app.irc.ircInputLine = "gl hf";
    bot.app.dispatch([&] { onIrcInputEnter(bot.app); });
    EXPECT_TRUE(watcher.waitFor(kBot + "PRIVMSG #FCST :gl hf"));
    EXPECT_EQ(bot.app.settings.linesPrinted, 2);
    EXPECT_TRUE(bot.shows("<FCST> gl hf"));

    // A query in, a notice back; the channel's chat and a newcomer in the console.
    watcher.send("PRIVMSG FCST :\x01VERSION\x01");
    EXPECT_TRUE(watcher.waitFor(kBot + "NOTICE watcher :Fragcaster Version 1.33 Build  139"));
    watcher.send("PRIVMSG #FCST :hello all");
    EXPECT_TRUE(bot.shows("<watcher> hello all"));
    IrcTestClient stranger;
    ASSERT_TRUE(hasJoined(stranger, server, "stranger"));
    EXPECT_TRUE(bot.shows("* JOIN: stranger"));

    // Kicked, the bot is back at once; banned, it comes back when the ban is lifted.
    watcher.send("KICK #FCST FCST :out");
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST"));
    watcher.send("MODE #FCST +b FCST!*@*");
    watcher.send("KICK #FCST FCST :banned");
    EXPECT_TRUE(bot.until([&](const App&) { return bot.app.antiBanTimer->enabled(); }));
    const auto meanwhile = watcher.collect(1000);  // several retries, all refused
    EXPECT_TRUE(std::none_of(meanwhile.begin(), meanwhile.end(), [](const std::string& l) {
        return l.find(kBot + "JOIN") != std::string::npos;
    }));
    watcher.send("MODE #FCST -b FCST!*@*");
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST"));
    EXPECT_TRUE(bot.until([&](const App&) { return !bot.app.antiBanTimer->enabled(); }));

    // Only the admin stops it; the server puts the reason of a QUIT in quotes.
    stranger.send("PRIVMSG FCST :!killyourself");
    EXPECT_FALSE(stranger.waitFor(" NOTICE stranger ", 500));
    watcher.send("PRIVMSG FCST :!killyourself");
    EXPECT_TRUE(watcher.waitFor(kBot + "NOTICE watcher :Command received!"));
    EXPECT_TRUE(
        watcher.waitFor(kBot + "QUIT :\"Remotely closed! - OMG! Somebody is controlling me!\""));
    EXPECT_TRUE(bot.stateIs("Not connected"));
    EXPECT_FALSE(bot.app.window.connectIrcButtonEnabled);
}

// A port nobody listens on: the refusal Qt reports is shown as the operator reads it, once
// without and once with the reconnect countdown.
TEST(IrcServer, RefusedConnectionShowsServerNotFound) {
    RealBot bot;
    bot.app.settings.ircReconnect = false;
    int port = 0;
    {
        QTcpServer probe;  // a port that was free a moment ago, and is closed now
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    bot.connect(port);
    EXPECT_TRUE(bot.stateIs("Server or hostname not found"));
    bot.app.settings.ircReconnect = true;
    bot.connect(port);
    EXPECT_TRUE(bot.until([](const App& app) {
        return app.irc.ircStatus == "Reconnecting in 11 s" ||
               app.irc.ircStatus == "Reconnecting in 10 s";
    }));
}

// The headless program with its own nick and channel for this run: it joins, answers and says
// goodbye when ended, and prints what it showed as JSON events.
TEST(IrcServer, HeadlessProgramJoinsAnswersAndLeavesWithItsOwnNickAndChannel) {
    NgircdServer server;
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server, "watcher", "#league")) << server.log();
    QTemporaryDir dir;
    QProcess program;
    program.start(FRAGCASTER_BINARY,
                  {"--headless", "--json", "--dir", dir.path(), "--irc",
                   QString("127.0.0.1:%1").arg(server.port()), "--channel", "#league", "--nick",
                   "Caster", "--key", "", "--duration", "30"});
    const std::string prefix = ":Caster!~fcst@127.0.0.1 ";
    EXPECT_TRUE(watcher.waitFor(prefix + "JOIN :#league", 15000));
    watcher.send("PRIVMSG Caster :\x01VERSION\x01");
    EXPECT_TRUE(watcher.waitFor(prefix + "NOTICE watcher :Fragcaster Version 1.33 Build  139"));
    program.terminate();  // closing says goodbye as the window's close does
    EXPECT_TRUE(watcher.waitFor(prefix + "QUIT :"));
    EXPECT_TRUE(waitUntil([&] { return program.state() == QProcess::NotRunning; }, kWaitMs));
    EXPECT_EQ(program.exitCode(), 0);
    std::vector<std::string> outputs;
    for (const QByteArray& line : program.readAllStandardOutput().split('\n')) {
        const QJsonObject event = QJsonDocument::fromJson(line).object();
        if (event["event"] == "output") outputs.push_back(event["text"].toString().toStdString());
    }
    for (const char* text :
         {"*** You have joined: #league ***", "& Notice (CTCP version) sent to watcher"})
        EXPECT_NE(std::find(outputs.begin(), outputs.end(), text), outputs.end()) << text;
}

TEST(IrcNetwork, TlsNickInUseNoMotdAndARestartedServer) {
    NgircdServer server({.motd = false, .tls = true, .penalties = true});
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server)) << server.log();

    RealBot insecure, checked, second;
    insecure.connect(server.tlsPort(), true, true);
    EXPECT_TRUE(insecure.shows("*** Warning: TLS without a certificate check"));
    EXPECT_TRUE(watcher.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", 8000));  // after 422

    checked.app.settings.ircName = "Checked";
    checked.connect(server.tlsPort(), true, false);
    EXPECT_TRUE(checked.shows("*** TLS failed: "));
    EXPECT_TRUE(waitUntil(
        [&] {
            checked.app.dispatch([&] { onIrcStatusTick(checked.app); });
            return checked.app.irc.ircStatus.rfind("TLS failed: ", 0) == 0;
        },
        8000));
    EXPECT_TRUE(checked.app.window.connectIrcButtonEnabled);

    second.connect(server.port());  // the nick is taken: "_" is tried
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 JOIN :#FCST", 8000));
    EXPECT_EQ(second.app.irc.botNick, "FCST_");
    EXPECT_TRUE(second.shows("*** You have joined: #FCST ***"));
    second.app.dispatch([&] { quitIrc(second.app); });
    EXPECT_TRUE(watcher.waitFor(":FCST_!~fcst@127.0.0.1 QUIT :", 8000));  // sent before the close

    insecure.app.irc.backoffSeconds = 1;  // the first wait is 10 s; the doubling is pinned apart
    ASSERT_TRUE(server.restart()) << server.log();
    EXPECT_TRUE(insecure.shows("Reconnecting in "));
    IrcTestClient back;
    ASSERT_TRUE(hasJoined(back, server));
    EXPECT_TRUE(back.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", 8000));
    insecure.app.dispatch([&] { sayInChannel(insecure.app, "#FCST", "=RC= captured the flag!"); });
    EXPECT_TRUE(back.waitFor("PRIVMSG #FCST :=RC= captured the flag!", 8000));
}

// The clock and captures/frags of both sides, and the frags of Bob, Ann and Cid.
std::string ctfReply(const std::string& stats, int bob = 0, int ann = 0, int cid = 0) {
    const auto s = [](int n) { return std::to_string(n); };
    return quake2Reply({{"gamedir", "ctf"}, {"mapname", "q2ctf4"}, {"gamestats", stats}},
                       {{s(ann), "50", "[ABC]Ann"},
                        {s(bob), "70", "=XY=Bob"},
                        {s(cid), "60", "[ABC]Cid"},
                        {"2", "90", "=XY=Dan"},
                        {"1", "30", "[ABC]Eve"},
                        {"0", "110", "=XY=Fay"}});
}

TEST(MatchToChannel, BeginCapturesAndFinalScoreReachTheChannelInOrder) {
    NgircdServer server;
    IrcTestClient watcher;
    ASSERT_TRUE(hasJoined(watcher, server)) << server.log();

    // One reply per Quake 2 query, the last one repeated until the test ends.
    const std::vector<std::string> match = {ctfReply("20:00 0/0 0/0"),
                                            ctfReply("20:00 0/0 0/0"),
                                            ctfReply("19:59 0/0 0/0"),
                                            ctfReply("19:30 1/2 0/0", 17),
                                            ctfReply("18:00 1/2 1/9", 17, 15, 15),
                                            ctfReply("INT 1/2 1/9", 17, 15, 15)};
    std::size_t next = 0;
    UdpResponder game([&](const std::string& query) -> std::optional<std::string> {
        if (query != "\xFF\xFF\xFF\xFFstatus") return std::nullopt;
        return match[std::min(next++, match.size() - 1)];
    });

    RealBot bot;
    WiredApp& app = bot.app;
    app.settings.ctfTemplate = "Capture! [%at%] %as% - [%bt%] %bs% -- capped by %c%";
    bot.connect(server.port());
    ASSERT_TRUE(watcher.waitFor(" JOIN :#FCST")) << app.irc.ircOutput;

    const std::string address = "127.0.0.1:" + std::to_string(game.port());
    app.dispatch([&] {
        onServerEntryEdited(app, address);
        toggleConnection(app);
    });
    const std::string say = "PRIVMSG #FCST :";
    const std::vector<std::string> expected = {
        say + "*** MATCH BEGIN *** Map playing: q2ctf4   Server: " + address +
            "   Time Left: 19:59",
        say + "Capture! [XY] 1 - [ABC] 0 -- capped by =XY=Bob",
        say + "Capture! [XY] 1 - [ABC] 1 -- capped by [ABC]Ann or [ABC]Cid",
        say + "*** MATCH HAS ENDED! *** FINAL SCORE: [XY] 1 (2) / [ABC] 1 (9)"};
    std::vector<std::string> heard;
    while (heard.size() < expected.size()) {
        const auto line = watcher.waitFor(say, 10000);
        if (!line) break;
        heard.push_back(line->substr(line->find(say)));
    }
    EXPECT_EQ(heard, expected) << app.irc.ircOutput;
    app.dispatch([&] { toggleConnection(app); });
}

// What the bot said and what became of each line: whether it waited for the channel, and the
// time of day it was said.
struct SaidLog : AppListener {
    struct Said {
        std::string text, saidAt;
        std::int64_t atMs;
        bool waited;
    };
    std::vector<Said> lines;
    void reportFate(const SaidLine& l, LineFate fate, bool whenSaid) override {
        if (whenSaid)
            return lines.push_back({l.text, l.saidAt, l.saidAtMs, fate == LineFate::Held});
        for (Said& s : lines)  // a line still in the send queue when the bot left waits too
            if (s.atMs == l.saidAtMs && s.text == l.text) s.waited |= fate == LineFate::Held;
    }
    int count(bool waited) const {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const Said& s) { return s.waited == waited; }));
    }
    // What the channel should have heard: every line once, in the order said, those that waited
    // with their time.
    std::vector<std::string> channel() const {
        std::vector<std::string> out;
        for (const Said& s : lines)
            out.push_back("PRIVMSG #FCST :" + (s.waited ? "[" + s.saidAt + "] " : "") + s.text);
        return out;
    }
};

// The shipped demo match replayed at ten times its pace into the channel; just after the
// match's begin the IRC server is restarted, or the bot banned for 25 s of the match (joining
// again every half second). Every line said while away reaches the channel once the bot is
// back, once and in order, with its time.
class NoLineLost : public ::testing::TestWithParam<bool> {};

TEST_P(NoLineLost, EveryReportLineReachesTheChannelOnceInOrder) {
    NgircdServer server;
    auto watcher = std::make_unique<IrcTestClient>();
    ASSERT_TRUE(hasJoined(*watcher, server)) << server.log();
    RealBot bot;
    WiredApp& app = bot.app;
    SaidLog said;
    app.addListener(&said);
    app.irc.stampAfterMs = -1;  // every line that waited shows its time, even one left in the same
                                // millisecond; the 30 s are pinned apart
    app.antiBanTimer->setInterval(500);
    bot.connect(server.port());
    ASSERT_TRUE(watcher->waitFor(kBot + "JOIN :#FCST")) << app.irc.ircOutput;
    app.irc.backoffSeconds = 1;

    std::vector<std::string> heard;
    const auto listen = [&](const std::function<bool()>& done, int ms) {
        return waitUntil(
            [&] {
                for (const std::string& line : watcher->collect(20))
                    if (line.rfind(kBot + "PRIVMSG #FCST :", 0) == 0)
                        heard.push_back(line.substr(kBot.size()));
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
    ASSERT_TRUE(listen([&] { return heard.size() == said.lines.size(); }, kWaitMs));
    const bool restart = GetParam();
    if (restart) {
        server.stop();
    } else {
        watcher->send("MODE #FCST +b FCST!*@*");
        watcher->send("KICK #FCST FCST :banned");
    }
    ASSERT_TRUE(bot.until([&](const App&) { return !app.irc.inChannel; }));
    app.playbackTimer->setEnabled(true);
    QElapsedTimer away;
    away.start();
    ASSERT_TRUE(listen([&] { return said.count(true) >= 2 && away.elapsed() >= 2500; }, 20000));
    if (restart) {  // the restarted server has a new channel: the watcher is there first
        ASSERT_TRUE(server.restart()) << server.log();
        watcher = std::make_unique<IrcTestClient>();
        ASSERT_TRUE(hasJoined(*watcher, server));
    } else {
        watcher->send("MODE #FCST -b FCST!*@*");
    }
    EXPECT_TRUE(listen([&] { return ended && heard.size() >= said.lines.size(); }, 30000))
        << app.irc.ircOutput;
    EXPECT_EQ(said.lines.size(), 6u);
    EXPECT_EQ(heard, said.channel()) << app.irc.ircOutput;
    app.dispatch([&] { quitIrc(app); });
}

INSTANTIATE_TEST_SUITE_P(Away, NoLineLost, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "ServerRestarted" : "Banned");
});

}  // namespace
}  // namespace fc::test
