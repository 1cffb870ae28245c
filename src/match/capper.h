// Who captured the flag: the player whose score jumped by a capture's worth between two
// replies (several players with the same jump are all named, joined by " or ").
#pragma once

#include <string>
#include <vector>

#include "core/monitor_state.h"
#include "core/server_status.h"

namespace fc {

class App;

// The players of a Quake status as 25-character records: the name as sent (quotes kept,
// blanks dropped) in 20 characters, then the score in 5; with `filterColours` as the line
// reads without its colour codes.
std::string quakePlayerSnapshot(const ServerStatus& status, bool filterColours = false);

// The capper of `team` ("Red" or "Blue") between the previous and the current Quake status;
// "" when nobody's score rose by a capture's worth.
std::string extractPlayer(App& app, const ServerStatus& current, const ServerStatus& previous,
                          const std::string& team);

// The players of this Unreal Tournament answer, kept for the next answer's capper search.
std::vector<ComparedPlayer> unrealPlayersToCompare(const App& app);

// Unreal Tournament: counts a capture for everyone whose score rose by 7 or more since the
// previous answer, and reports it while a match runs.
void countUnrealCaptures(App& app, const std::vector<ComparedPlayer>& previous);

}  // namespace fc
