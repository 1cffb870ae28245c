// The Quake match clock. Its time arithmetic on "m:ss" texts is shared with the monitor and
// the Interp clock.
#pragma once

#include <cstdint>
#include <string>

#include "core/clock_text.h"

namespace fc {

class App;

// Starts the Quake match clock as if the match had run for `played` already.
void startBattleClock(App& app, std::chrono::seconds played);

}  // namespace fc
