// From the game server to the channel: a loopback game server plays a short capture-the-flag
// match from scripted replies while the bot sits in a real IRC channel; another client in the
// channel reads what the bot says.
#include "monitor/poller.h"
#include "real_bot.h"
#include "support/replies.h"

namespace fc::test {
namespace {

// The clock and captures/frags of both sides, and the frags of Bob, Ann and Cid.
std::string CtfReply(const std::string& stats, int bob = 0, int ann = 0, int cid = 0) {
    const auto s = [](int n) { return std::to_string(n); };
    return Quake2Reply({{"gamedir", "ctf"}, {"mapname", "q2ctf4"}, {"gamestats", stats}},
                       {{s(ann), "50", "[ABC]Ann"},
                        {s(bob), "70", "=XY=Bob"},
                        {s(cid), "60", "[ABC]Cid"},
                        {"2", "90", "=XY=Dan"},
                        {"1", "30", "[ABC]Eve"},
                        {"0", "110", "=XY=Fay"}});
}

TEST(MatchToChannel, BeginCapturesAndFinalScoreReachTheChannelInOrder) {
    NgircdServer server;
    ASSERT_TRUE(server.started()) << server.log();
    IrcTestClient watcher;
    ASSERT_TRUE(Joined(watcher, server, "watcher"));

    // One reply per Quake 2 query, the last one repeated until the test ends.
    const std::vector<std::string> match = {CtfReply("20:00 0/0 0/0"),
                                            CtfReply("20:00 0/0 0/0"),
                                            CtfReply("19:59 0/0 0/0"),
                                            CtfReply("19:30 1/2 0/0", 17),
                                            CtfReply("18:00 1/2 1/9", 17, 15, 15),
                                            CtfReply("INT 1/2 1/9", 17, 15, 15)};
    std::size_t next = 0;
    UdpResponder game([&](const std::string& query) -> std::optional<std::string> {
        if (query != "\xFF\xFF\xFF\xFFstatus") return std::nullopt;
        return match[std::min(next++, match.size() - 1)];
    });

    RealBot bot;
    WiredApp& app = bot.app;
    app.view.IRCLineCTF = "Capture! [%at%] %as% - [%bt%] %bs% -- capped by %c%";
    bot.connect(server.port());
    ASSERT_TRUE(watcher.waitFor(" JOIN :#FCST")) << app.view.Text1;

    const std::string address = "127.0.0.1:" + std::to_string(game.port());
    app.dispatch([&] {
        OnServerEntryEdited(app, address);
        WisselConnectie(app);
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
    EXPECT_EQ(heard, expected) << app.view.Text1;
    app.dispatch([&] { WisselConnectie(app); });
}

}  // namespace
}  // namespace fc::test
