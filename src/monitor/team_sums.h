// Team scores and average pings summed from the player list, and the side check of Quake 2
// capture-the-flag.
#pragma once

#include <string>

namespace fc {

class App;

// How the rows feed the two scores: 0 the score is the sum of the rows, 1 the server gives the
// score, 2 captures given and frags summed, 3 captures counted here and frags summed.
int scoreSource(const App& app);

void addTeamSums(App& app);

}  // namespace fc
