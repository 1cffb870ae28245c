// The match's scenarios: replies and the operator's controls in, the state, the clocks and
// the lines said out.
#include "core/app.h"
#include "support/fake_platform.h"
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
    EXPECT_EQ(app.view.qsRed + " " + app.view.qsBlue, "0/0 0/0");
    EXPECT_FALSE(app.view.teamsKnown);
}

}  // namespace
}  // namespace fc::test
