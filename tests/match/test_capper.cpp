// Who captured: score jumps between two replies.
#include <gtest/gtest.h>

#include "match/capper.h"
#include "support/steps.h"

namespace fc::test {
namespace {

// "Ann=0,Bob=12": names with their scores (or teams).
std::vector<std::pair<std::string, std::string>> pairs(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t at = 0, end = 0; !text.empty() && end != std::string::npos; at = end + 1) {
        const std::string pair = text.substr(at, (end = text.find(',', at)) - at);
        out.emplace_back(pair.substr(0, pair.find('=')), pair.substr(pair.find('=') + 1));
    }
    return out;
}

// The status the monitor reads from a Quake 2 reply with these players.
ServerStatus statusOf(const std::string& players) {
    std::vector<PlayerLine> lines;
    for (const auto& [name, score] : pairs(players)) lines.push_back({score, "1", name});
    Steps monitor("127.0.0.1:27910");
    monitor.reply(quake2Reply({}, lines), monitor.host, monitor.port);
    return monitor.app.status;
}

TEST(QuakePlayerSnapshot, FixedWidthRecordsOfNameAndScore) {
    EXPECT_EQ(quakePlayerSnapshot(statusOf("Big Bad=12,x=-3")),
              "\"BigBad\"            12   \"x\"                 -3   ");
    EXPECT_EQ(quakePlayerSnapshot(statusOf("abcdefghijklmnopqrstuvwxyz=123456")),
              "\"abcdefghijklmnopqrs12345");  // too long for the record: cut to fit
}

// Who captured for red: the largest rise on the team within the game's bounds of a capture.
TEST_F(MonitorTest, CapperIsTheLargestRiseOfACaptureOnTheTeam) {
    const char *abc = "Ann=Red,Bob=Red,Cid=Blue", *reds = "Ann=Red,Bob=Red,Cid=Red",
               *zeros = "Ann=0,Bob=0,Cid=0", *red = "Ann=Red";
    using enum GameType;
    // clang-format off
    const struct { const char* name; GameType type; const char *teams, *before, *now, *capper, *marked = ""; } rows[] = {
        {"the largest rise", Quake2Ctf, abc, zeros, "Ann=2,Bob=15,Cid=0", "Bob"},
        // Cid's larger rise moves the best, but he is blue: Ann, named before him, stays.
        {"the best of the team", Quake2Ctf, abc, zeros, "Ann=2,Bob=0,Cid=16", "Ann"},
        {"none on the team", Quake2Ctf, abc, zeros, "Ann=0,Bob=0,Cid=16", ""},
        {"equal rises joined", Quake2Ctf, reds, zeros, "Ann=15,Bob=15,Cid=15", "Ann or Bob or Cid"},
        {"unless marked", Quake2Ctf, reds, zeros, "Ann=15,Bob=15,Cid=15", "Ann or Bob", "\"cid\""},
        {"Quake 2 above", Quake2Ctf, red, "Ann=0", "Ann=22", ""},
        {"Quake 2 within", Quake2Ctf, red, "Ann=0", "Ann=21", "Ann"},
        {"mod above", Quake3OspCtf, red, "Ann=0", "Ann=9", ""},
        {"mod within", Quake3OspCtf, red, "Ann=0", "Ann=1", "Ann"},
        {"base below", Quake3BaseCtf, red, "Ann=0", "Ann=4", ""},
        {"base within, colours", Quake3BaseCtf, red, "^1Ann=0", "^2Ann=5", "Ann"},
        // A "^" takes even a blank along: "5^ 7" reads as 57 (too much for a capture), "^ 5" as 5.
        {"a caret takes a blank", Quake3BaseCtf, red, "Ann=0", "Ann=5^ 7", ""},
        {"a caret before", Quake3BaseCtf, red, "Ann=0", "Ann=^ 5", "Ann"},
        {"newcomers", Quake2Ctf, "Ann=Red,Bob=Red", "Ann=0", "Ann=1,Bob=15", "Ann"},
        {"no teams: anyone", Quake2Ctf, "Ann=Spec,Bob=Spec", "Ann=0,Bob=0", "Ann=3,Bob=15", "Bob"},
        {"a name cut to its field", Quake2Ctf, "abcdefghijklmnopqrstu=Spec", "abcdefghijklmnopqrstu=0", "abcdefghijklmnopqrstu=3", "abcdefghijklmnopqrs"}};
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        app.monitor.gameType = r.type;
        app.match.markedPlayers = r.marked;
        app.monitor.playerRows.clear();
        for (const auto& [name, team] : pairs(r.teams))
            app.monitor.playerRows.push_back({name, "", "", team});
        EXPECT_EQ(extractPlayer(app, statusOf(r.now), statusOf(r.before), "Red"), r.capper);
        EXPECT_TRUE(app.match.teamsKnown);  // the search leaves the team column in force afterwards
    }
}

}  // namespace
}  // namespace fc::test
