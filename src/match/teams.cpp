#include "match/teams.h"

namespace fc {

void ResetTeamList(App&) {}

}  // namespace fc
