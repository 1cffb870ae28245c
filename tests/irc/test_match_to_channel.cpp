// From the game server to the channel: a loopback game server plays a short capture-the-flag
// match from scripted replies while the bot sits in a real IRC channel; another client in the
// channel reads what the bot says.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "monitor/poller.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/replies.h"
#include "support/udp_responder.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

const std::string kQuake2Query = std::string("\xFF\xFF\xFF\xFF") + "status";

std::string CtfReply(const std::string& stats, int bob, int ann, int cid) {
    return Quake2Reply({{"gamedir", "ctf"}, {"mapname", "q2ctf4"}, {"gamestats", stats}},
                       {{std::to_string(ann), "50", "[ABC]Ann"},
                        {std::to_string(bob), "70", "=XY=Bob"},
                        {std::to_string(cid), "60", "[ABC]Cid"},
                        {"2", "90", "=XY=Dan"},
                        {"1", "30", "[ABC]Eve"},
                        {"0", "110", "=XY=Fay"}});
}

TEST(MatchToChannel, BeginCapturesAndFinalScoreReachTheChannelInOrder) {
    NgircdServer server;
    ASSERT_TRUE(server.started()) << server.log();
    IrcTestClient watcher;
    ASSERT_TRUE(watcher.connect(server.port(), "watcher"));
    ASSERT_TRUE(watcher.join("#FCST"));

    // One reply per Quake 2 query, the last one repeated until the test ends.
    const std::vector<std::string> match = {
        CtfReply("20:00 0/0 0/0", 0, 0, 0),    CtfReply("20:00 0/0 0/0", 0, 0, 0),
        CtfReply("19:59 0/0 0/0", 0, 0, 0),    CtfReply("19:30 1/2 0/0", 17, 0, 0),
        CtfReply("18:00 1/2 1/9", 17, 15, 15), CtfReply("INT 1/2 1/9", 17, 15, 15)};
    std::size_t next = 0;
    UdpResponder game([&](const std::string& query) -> std::optional<std::string> {
        if (query != kQuake2Query) return std::nullopt;
        const std::string& reply = match[std::min(next, match.size() - 1)];
        ++next;
        return reply;
    });

    QTemporaryDir dir;
    QtPlatform platform(dir.path());
    WiredApp app(platform);
    app.view.IRConjoin = false;
    app.view.IRCServer = "127.0.0.1";
    app.view.IRCPort = std::to_string(server.port());
    app.view.IRCLineCTF = "Capture! [%at%] %as% - [%bt%] %bs% -- capped by %c%";
    app.dispatch([&] { ConnectIrc(app); });
    ASSERT_TRUE(watcher.waitFor(" JOIN :#FCST")) << app.view.Text1;

    app.dispatch([&] {
        OnServerEntryEdited(app, "127.0.0.1:" + std::to_string(game.port()));
        WisselConnectie(app);
    });
    const std::string say = "PRIVMSG #FCST :";
    const std::string server_ = "127.0.0.1:" + std::to_string(game.port());
    const std::vector<std::string> expected = {
        say + "*** MATCH BEGIN *** Map playing: q2ctf4   Server: " + server_ +
            "   Time Left: 19:59",
        say + "Capture! [XY] 1 - [ABC] 0 -- capped by =XY=Bob",
        say + "Capture! [XY] 1 - [ABC] 1 -- capped by [ABC]Ann or [ABC]Cid",
        say + "*** MATCH HAS ENDED! *** FINAL SCORE: [XY] 1 (2) / [ABC] 1 (9)"};
    std::vector<std::string> heard;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto line = watcher.waitFor(say, 10000);
        if (!line) break;
        heard.push_back(line->substr(line->find(say)));
    }
    EXPECT_EQ(heard, expected) << app.view.Text1;
    app.dispatch([&] { WisselConnectie(app); });
}

}  // namespace
}  // namespace fc::test
