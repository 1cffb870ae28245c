// What one Quake reply means: the game type and mod, the captions and scores of both sides,
// the time left, the player counts and the average pings.
#pragma once

#include <string>

namespace fc {

class App;

// The back half of the reply handler, run on every Quake reply after the player list and the
// server variables are filled.
void analyseQuakeReply(App& app);

// Sets the game-type code, captions and starting scores from the game name (the first reply of
// a run, or when the game name changes), then names and fills the teams.
void detectGameType(App& app);

}  // namespace fc
