// The match's scenarios: replies and the operator's controls in, the state, the clocks and
// the lines said out.
#include "core/app.h"
#include "match/match_events.h"
#include "support/fake_platform.h"
#include "support/monitor_fixture.h"
#include "support/scenario.h"

namespace fc::test {
namespace {

FC_SCENARIOS(GameChange, "match/cases/game_change.txt");
FC_SCENARIOS(MatchRules, "match/cases/match_rules.txt");
FC_SCENARIOS(MatchControl, "match/cases/match_control.txt");
FC_SCENARIOS(UnrealMatch, "match/cases/ut_match.txt");
FC_SCENARIOS(Teams, "match/cases/teams.txt");

TEST(FreshApp, KnowsNoScoresAndNoTeams) {
    FakePlatform platform;
    App app(platform);
    EXPECT_EQ(app.monitor.redScoreText + " " + app.monitor.blueScoreText, "0/0 0/0");
    EXPECT_FALSE(app.match.teamsKnown);
}

// The time left leaving the time limit begins the match of a game read from its scores and
// starts the match clock: base Quake 3 team games at the seconds they counted already, the others
// at 6.
TEST_F(MonitorTest, ABeginByTheClockStartsTheMatchClockByGameType) {
    const struct {
        GameType type;
        const char* game;
        std::int32_t clock;
    } rows[] = {
        {GameType::Quake3TeamGame, "baseoa", 42},
        {GameType::Quake3OspScored, "osp", 6},
        {GameType::Quake3BaseCtf, "baseoa", 6},
        {GameType::Quake2TeamDeathmatch, "battle", 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(describe(row.type).name);
        app.monitor.gameType = row.type;
        app.monitor.gameText = row.game;
        app.match.matchState = MatchState::None;
        app.match.game.beginSaid = false;
        app.match.game.secondsPlayed = 42;
        app.settings.timeLimitMinutes = "20";
        app.monitor.lastValues.timeLeft = "20:00";
        app.monitor.timeLeftText = "19:18";
        app.monitor.redScoreText = app.monitor.blueScoreText = app.monitor.lastValues.red =
            app.monitor.lastValues.blue = "0";
        runMatchEventRules(app, ServerStatus{});
        EXPECT_EQ(app.match.matchState, MatchState::Running);
        EXPECT_EQ(app.match.game.secondsPlayed, row.clock);
    }
}

}  // namespace
}  // namespace fc::test
