// The game's status as the window and the --json stream show it, made from the state at the
// moment it is drawn or written: numbers become the texts a person reads here and nowhere else.
// The members carry the names the window's fields and the JSON keys have always had.
#pragma once

#include <string>
#include <vector>

#include "core/monitor_state.h"

namespace fc {

class App;

struct ShownStatus {
    std::string sMode;    // the family, "Q3"
    std::string typspel;  // the game type's code, "(ctf)" while polling
    std::string qsGame;
    std::string qsMap;
    std::string qsTimeLeft;
    std::string qsRed;  // captures/frags or one number, as the game counts
    std::string qsBlue;
    std::string txtnaamRED;
    std::string txtnaamBLUE;
    std::string pingRed;  // the team's average ping
    std::string pingBlue;
    std::string PlayersPlaying;
    std::string PlayersMax;
    std::string receivedBytes;
    const std::vector<PlayerRow>* players = nullptr;  // the list's rows, in the list's order
};

ShownStatus showStatus(const App& app);

}  // namespace fc
