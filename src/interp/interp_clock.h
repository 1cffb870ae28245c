// The feed's scores and match clock, for Quake 3 servers whose mod gives the monitor neither:
// while the operator lets the feed take over, its score lines set the score fields and are
// reported, and its match start runs a 20-minute clock that ends with the final score.
#pragma once

#include <string>

namespace fc {

class App;

// Whether the feed speaks for the scores and the clock: "Use Interp for scores and
// matchstate..." is checked and the game type is not one whose mod gives them.
bool interpTakesOver(const App& app);

// The lines of the feed the clock and the scores follow.
void interpCurrentScore(App& app, const std::string& line);
void interpScore(App& app, const std::string& line);
void interpTimelimitHit(App& app);
void interpMatchStarted(App& app, const std::string& line);
void interpTimeLeft(App& app, const std::string& line);

// One second of the clock (`interpClockTimer`).
void onInterpTick(App& app);

}  // namespace fc
