// The moments of a game that the match rules decide and say: its begin, each capture, a pause
// and its end, the game's end. Whatever follows the game beside the channel (the timeline)
// hears them as they are said, without reading the lines back.
#pragma once

#include <string>

namespace fc {

// A stop is a running match stopped by the server, no game's end.
enum class MomentKind { Begin, Capture, Pause, Continue, End, Stop };

struct MatchMoment {
    MomentKind kind;
    std::string team;    // a capture's team, "Red" or "Blue"; "" when the sides are not known
    std::string capper;  // a capture's capper as the line names him
    std::string line;    // the end's line, with the final score
};

}  // namespace fc
