// The match's scenarios: replies and the operator's controls in, the state, the clocks and
// the lines said out.
#include "support/scenario.h"

namespace fc::test {
namespace {

FC_SCENARIOS(GameChange, "match/cases/game_change.txt");
FC_SCENARIOS(MatchRules, "match/cases/match_rules.txt");

}  // namespace
}  // namespace fc::test
