// What an Unreal Tournament answer means for the match: the team sums, the clock limit, the
// captures, and the match's start and end.
#pragma once

#include <string>

namespace fc {

class App;

// Sums the frags and pings of the red and blue rows into the team fields; capture-the-flag
// scores read captures, "/" and frags.
void unrealTeamSums(App& app, const std::string& reply);

// The clock limit, the captures since the previous answer, the start and end lines, and the
// values the next answer is compared against.
void unrealMatchRules(App& app, const std::string& reply);

}  // namespace fc
