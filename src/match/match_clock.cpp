#include "match/match_clock.h"

#include "core/app.h"

namespace fc {

void startBattleClock(App& app, std::int32_t secondsPlayed) {
    app.battleTimer->setEnabled(true);
    app.match.game.secondsPlayed = secondsPlayed;
}

}  // namespace fc
