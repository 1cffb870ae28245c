#include "match/match_clock.h"

#include "core/app.h"

namespace fc {

void StartBattleClock(App& app, std::int32_t secondsPlayed) {
    app.battleTimer->setEnabled(true);
    app.view.game.secondsPlayed = secondsPlayed;
}

}  // namespace fc
