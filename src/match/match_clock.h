// The Quake match clock. Its time arithmetic on "m:ss" texts is shared with the monitor and
// the Interp clock.
#pragma once

#include <cstdint>
#include <string>

#include "core/clock_text.h"

namespace fc {

class App;

// Starts the Quake match clock as if the match had run `secondsPlayed` seconds already.
void startBattleClock(App& app, std::int32_t secondsPlayed);

}  // namespace fc
