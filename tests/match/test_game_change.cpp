// A new game on a base Quake 3 server, scripted reply by reply on the virtual clock: the game
// that ended gets its final score once, and the next one starts from nothing.
#include <gtest/gtest.h>

#include "match/match_control.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"

namespace fc::test {
namespace {

// One reply, or the operator's click on the match button when `started` is null.
struct Step {
    const char* started = nullptr;  // g_timestamp; "" when the server publishes none
    const char* map = "";
    int bob = 0;   // =XY=Bob, the red side
    int ann = 0;   // [ABC]Ann, the blue side
    int wait = 1;  // seconds since the step before
};
constexpr Step kClick{};

struct GameChange {
    const char* name;
    const char* gametype;  // 4 capture-the-flag, 3 team deathmatch
    std::vector<Step> steps;
    std::vector<std::string> lines;
    MatchState after;
};

std::string Begin(const std::string& map) {
    return "*** MATCH BEGIN *** Map playing: " + map +
           "   Server: 10.0.0.5:27910   Time Left: 1:00";
}

const std::string kEnded = "*** MATCH HAS ENDED! *** FINAL SCORE: [XY] ";

const GameChange kGameChanges[] = {
    {"MapChangeWithoutTimestampEndsTheGame",
     "4",
     {{"", "m1"},
      {"", "m1", 1},
      {"", "m1", 0},  // a suicide: the frag sums fall back to 0:0 mid-game
      {"", "m1", 1},
      {"", "m1", 6},  // Bob's capture
      {"", "m2"},
      {"", "m2", 0, 2},
      {"", "m2", 0, 7}},
     {Begin("m1"), "CAP =XY=Bob 1:0", kEnded + "1 (6) / [ABC] 0 (0)", Begin("m2"),
      "CAP [ABC]Ann 0:1"},
     MatchState::Running},
    {"SkippedMatchEndsWithItsGame",
     "3",
     {{"t1", "m1"}, kClick, {"t1", "m1"}, {"t2", "m1"}, {"t2", "m1", 1}},
     {Begin("m1")},
     MatchState::Running},
    {"TimeUpThenNewGameEndsOnce",
     "3",
     {{"t1", "m1"}, {"t1", "m1", 1}, {"t1", "m1", 3, 2, 45}, {"t2", "m1"}, {"t2", "m1", 0, 1}},
     {Begin("m1"), kEnded + "3 / [ABC] 2", Begin("m1")},
     MatchState::Running},
    {"OperatorsStopLetsTheNextStartBegin",
     "3",
     {{"t1", "m1"}, {"t1", "m1", 1}, {"t1", "m1", 1}, kClick, {"t1", "m1"}, {"t1", "m1", 1}},
     {Begin("m1"), Begin("m1")},
     MatchState::Running},
    {"SameMapAgainAfterTimeUpBegins",
     "3",
     {{"", "m1"}, {"", "m1", 1}, {"", "m1", 3, 2, 45}, {"", "m1"}, {"", "m1", 1}},
     {Begin("m1"), kEnded + "3 / [ABC] 2", Begin("m1")},
     MatchState::Running},
    {"NewGameWhenTimeIsUpEndsOnce",
     "3",
     {{"t1", "m1"}, {"t1", "m1", 1}, {"t1", "m1", 3, 2, 30}, {"t2", "m1", 0, 0, 30}},
     {Begin("m1"), kEnded + "3 / [ABC] 2"},
     MatchState::Ready},
};

class GameChangeTest : public MonitorTest, public ::testing::WithParamInterface<GameChange> {};

TEST_P(GameChangeTest, SaysEachGamesBeginAndEndOnce) {
    const GameChange& c = GetParam();
    ReportRecorder said;
    app.addListener(&said);
    view().IRCLineCTF = "CAP %c% %as%:%bs%";
    switchOn("10.0.0.5:27910");
    firstTick();
    for (const Step& s : c.steps) {
        if (!s.started) {
            OnMatchButton(app);
            continue;
        }
        Vars vars = {{"gamename", "baseoa"},
                     {"g_gametype", c.gametype},
                     {"mapname", s.map},
                     {"timelimit", "1"}};
        if (*s.started) vars.emplace_back("g_timestamp", s.started);
        platform.advance(1000LL * s.wait);
        reply(Quake3Reply(vars, {{std::to_string(s.ann), "70", "[ABC]Ann"},
                                 {"0", "80", "[ABC]Cid"},
                                 {"0", "80", "[ABC]Eve"},
                                 {std::to_string(s.bob), "50", "=XY=Bob"},
                                 {"0", "60", "=XY=Dan"},
                                 {"0", "60", "=XY=Fay"}}),
              "10.0.0.5", 27910);
    }
    EXPECT_EQ(said.lines, c.lines);
    EXPECT_EQ(view().matchState, c.after);
}

INSTANTIATE_TEST_SUITE_P(BaseQuake3, GameChangeTest, ::testing::ValuesIn(kGameChanges),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fc::test
