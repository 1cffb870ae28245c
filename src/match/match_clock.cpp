#include "match/match_clock.h"

#include "core/app.h"

namespace fc {

void startBattleClock(App& app, std::chrono::seconds played) {
    app.battleTimer->setEnabled(true);
    app.match.game.played = played;
}

}  // namespace fc
