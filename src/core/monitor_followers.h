// What the monitor hands on to the subsystems above it while it reads a reply or switches on
// and off: the match rules and the Interp feed. The monitor cannot call them itself, as they
// build on it; the wiring fills these in, and an unset one does nothing.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace fc {

class App;

struct MonitorFollowers {
    using Step = std::function<void(App&)>;
    using ReplyStep = std::function<void(App&, const std::string& reply)>;

    // Switching on: the team lists are emptied (before the player list is), and the event
    // feed is opened; switching off closes the feed.
    Step resetTeams;
    Step connectFeed;
    Step disconnectFeed;
    // A Quake player list was read (it is ordered), an Unreal Tournament one (it is coloured).
    Step quakePlayersRead;
    Step unrealPlayersRead;
    // A new game was recognised: the team names and the players' teams.
    Step gameRecognised;
    // The match rules at their points of the Quake reply: a game change, the OSP match phase,
    // and last the match events, which also keep what the next reply is compared with.
    Step gameChangeRules;
    Step ospPhaseRules;
    Step matchEventRules;
    // A whole Unreal Tournament reply was read: the team sums and the match rules.
    ReplyStep unrealReplyRead;
    // A second of a recording's own time has passed in a replay: the match clocks' seconds,
    // which in a replay follow the recording, not the program's clock.
    Step recordedSecond;
};

// Runs a follower when one is set.
template <typename Step, typename... Args>
void callFollower(const Step& step, Args&&... args) {
    if (step) step(std::forward<Args>(args)...);
}

}  // namespace fc
