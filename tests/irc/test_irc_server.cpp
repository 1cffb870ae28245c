// The bot on real sockets against a real IRC server (ngircd on loopback), watched by a second
// client in the channel that queries the bot and reads what it says. The rules themselves are
// pinned on the virtual clock; here one evening shows that they hold on the wire.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <algorithm>

#include "irc/console.h"
#include "real_bot.h"

namespace fc::test {
namespace {

constexpr int kWaitMs = 5000;
const std::string kBot = ":FCST!~fcst@127.0.0.1 ";

TEST(IrcServer, AnEveningInARealChannelFromRegistrationToTheAdminsStop) {
    NgircdServer server;
    ASSERT_TRUE(server.started()) << server.log();
    IrcTestClient watcher;  // the first in the channel is its operator
    ASSERT_TRUE(Joined(watcher, server, "watcher"));
    watcher.send("TOPIC #FCST :Clan war tonight");
    RealBot bot;
    MainView& v = bot.app.view;
    v.KillAllowedFrom = "Watcher";
    bot.app.AntiBanTimer->setInterval(300);  // the ten seconds are pinned on the virtual clock
    bot.connect(server.port());              // no registration without the first PING answered
    ASSERT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST")) << v.Text1;
    for (const char* part : {"*** Connected to server, waiting for reply...", "PONG!",
                             "*** You have joined: #FCST ***", "* MODE: :+i"})
        EXPECT_TRUE(bot.shows(part)) << part;
    EXPECT_TRUE(bot.until([](const MainView& v) { return v.IRCTopic == "Clan war tonight"; }));
    std::vector<std::string> nicks = v.ircLijst;
    std::sort(nicks.begin(), nicks.end());
    EXPECT_EQ(nicks, (std::vector<std::string>{"@watcher", "FCST"}));
    EXPECT_TRUE(bot.stateIs("Connected!"));

    // Lines out: a report line and typed chat, counted and echoed.
    bot.app.dispatch([&] { stuurMSG(bot.app, v.botChannel, "\x02=RC=\x02 captured the flag!"); });
    EXPECT_TRUE(watcher.waitFor(kBot + "PRIVMSG #FCST :\x02=RC=\x02 captured the flag!"));
    v.ircZegwat = "gl hf";
    bot.app.dispatch([&] { OnIrcInputEnter(bot.app); });
    EXPECT_TRUE(watcher.waitFor(kBot + "PRIVMSG #FCST :gl hf"));
    EXPECT_EQ(v.isLinesPrinted, 2);
    EXPECT_TRUE(bot.shows("<FCST> gl hf"));

    // A query in, a notice back; the channel's chat and a newcomer in the console.
    watcher.send("PRIVMSG FCST :\x01VERSION\x01");
    EXPECT_TRUE(watcher.waitFor(kBot + "NOTICE watcher :Fragcaster Version 1.33 Build  139"));
    watcher.send("PRIVMSG #FCST :hello all");
    EXPECT_TRUE(bot.shows("<watcher> hello all"));
    IrcTestClient stranger;
    ASSERT_TRUE(Joined(stranger, server, "stranger"));
    EXPECT_TRUE(bot.shows("* JOIN: stranger"));

    // Kicked, the bot is back at once; banned, it comes back when the ban is lifted.
    watcher.send("KICK #FCST FCST :out");
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST"));
    watcher.send("MODE #FCST +b FCST!*@*");
    watcher.send("KICK #FCST FCST :banned");
    EXPECT_TRUE(bot.until([&](const MainView&) { return bot.app.AntiBanTimer->enabled(); }));
    const auto meanwhile = watcher.collect(1000);  // several retries, all refused
    EXPECT_TRUE(std::none_of(meanwhile.begin(), meanwhile.end(), [](const std::string& l) {
        return l.find(kBot + "JOIN") != std::string::npos;
    }));
    watcher.send("MODE #FCST -b FCST!*@*");
    EXPECT_TRUE(watcher.waitFor(kBot + "JOIN :#FCST"));
    EXPECT_TRUE(bot.until([&](const MainView&) { return !bot.app.AntiBanTimer->enabled(); }));

    // Only the admin stops it; the server puts the reason of a QUIT in quotes.
    stranger.send("PRIVMSG FCST :!killyourself");
    EXPECT_FALSE(stranger.waitFor(" NOTICE stranger ", 500));
    watcher.send("PRIVMSG FCST :!killyourself");
    EXPECT_TRUE(watcher.waitFor(kBot + "NOTICE watcher :Command received!"));
    EXPECT_TRUE(
        watcher.waitFor(kBot + "QUIT :\"Remotely closed! - OMG! Somebody is controlling me!\""));
    EXPECT_TRUE(bot.stateIs("Not connected"));
    EXPECT_FALSE(v.Command3Enabled);
}

// A port nobody listens on: the refusal Qt reports is shown as the operator reads it, once
// without and once with the reconnect countdown.
TEST(IrcServer, RefusedConnectionShowsServerNotFound) {
    RealBot bot;
    bot.app.view.IRCReconnect = false;
    int port = 0;
    {
        QTcpServer probe;  // a port that was free a moment ago, and is closed now
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    bot.connect(port);
    EXPECT_TRUE(bot.stateIs("Server or hostname not found"));
    bot.app.view.IRCReconnect = true;
    bot.connect(port);
    EXPECT_TRUE(bot.until([](const MainView& v) {
        return v.IRCStat == "Reconnecting in 11 s" || v.IRCStat == "Reconnecting in 10 s";
    }));
}

// The headless program with its own nick and channel for this run: it joins, answers and says
// goodbye when ended, and prints what it showed as JSON events.
TEST(IrcServer, HeadlessProgramJoinsAnswersAndLeavesWithItsOwnNickAndChannel) {
    NgircdServer server;
    ASSERT_TRUE(server.started()) << server.log();
    IrcTestClient watcher;
    ASSERT_TRUE(Joined(watcher, server, "watcher", "#league"));
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
    EXPECT_TRUE(WaitUntil([&] { return program.state() == QProcess::NotRunning; }, kWaitMs));
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

}  // namespace
}  // namespace fc::test
