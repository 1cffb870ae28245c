// The feed's scores and match clock, for Quake 3 servers whose mod gives the monitor neither:
// while the operator lets the feed take over, its score lines set the score fields and are
// reported, and its match start runs a 20-minute clock that ends with the final score.
#pragma once

#include <string>

namespace fc {

class App;

// Whether the feed speaks for the scores and the clock: "Use Interp for scores and
// matchstate..." is checked and the game type is not one whose mod gives them.
bool InterpTakesOver(const App& app);

// The lines of the feed the clock and the scores follow.
void InterpCurrentScore(App& app, const std::string& line);
void InterpScore(App& app, const std::string& line);
void InterpTimelimitHit(App& app);
void InterpMatchStarted(App& app, const std::string& line);
void InterpTimeLeft(App& app, const std::string& line);

// One second of the clock (`InterpTimer`).
void OnInterpTick(App& app);

}  // namespace fc
