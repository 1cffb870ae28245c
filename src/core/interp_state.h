// What the Interp service's event feed keeps: what the service told of itself, where the flags
// are, the raw feed, which events are said in the channel, and the feed's own clock.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace fc {

struct InterpState {
    std::string interpSupport = "Disabled!";
    std::string interpVersion = "n/a";
    std::string interpAuthor = "-";
    std::string interpEmail = "-";
    std::string redFlagWhere = "[unknown]";  // where the red flag is
    std::string blueFlagWhere = "[unknown]";
    std::string interpOutput;  // the raw feed, lines ended by CR LF
    // Which events are said in the channel; not kept in the settings.
    bool interpGotFlag = false;
    bool interpLostFlag = false;
    bool interpRecoverFlag = false;
    bool interpQuad = true;
    bool interpHaste = true;
    bool interpRegen = false;
    bool interpInvis = true;
    bool interpServerMsg = false;
    bool interpReport = true;     // the feed's scores and clock where no mod gives them
    std::string interpBuffer;     // the unfinished last line, carried to the next arrival
    bool interpDropping = false;  // an overlong line is being skipped up to its LF
    std::string interpCapper;     // the last capturer the feed named
    // The feed's match clock: the time played; none while more than a match's length was
    // left, which never counts and never ends a match.
    std::optional<std::chrono::seconds> interpPlayed = std::chrono::seconds(0);
    int interpPort = 3490;
};

}  // namespace fc
