// The game's status as the window and the --json stream show it, made from the state at the
// moment it is drawn or written: numbers become the texts a person reads here and nowhere else.
// The JSON writer gives each member the key scripts know (redScore as "qsRed", ...).
#pragma once

#include <string>
#include <vector>

#include "core/match_progress.h"
#include "core/monitor_state.h"

namespace fc {

class App;

struct ShownStatus {
    std::string gameName;  // the game as people call it, "Quake 3 free for all"
    // Where no player is on a side in a team game: that the teams are unknown, and how to set
    // them; "" otherwise.
    std::string teamsHint;
    std::string game;
    std::string map;
    std::string timeLeft;
    std::string redScore;  // captures/frags or one number, as the game counts
    std::string blueScore;
    std::string redTeamName;
    std::string blueTeamName;
    std::string pingRed;  // the team's average ping
    std::string pingBlue;
    std::string playersPlaying;
    std::string playersMax;
    std::string receivedBytes;
    const std::vector<PlayerRow>* players = nullptr;  // the list's rows, in the list's order
};

ShownStatus showStatus(const App& app);

// What the match box says of a match state, and what its button then offers.
struct MatchCaptions {
    const char* state;
    const char* button;
};
MatchCaptions matchCaptions(MatchState state);

}  // namespace fc
