// What the match rules keep: the match state, the teams and their names, the clock, and the
// memory of the game being played.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace fc {

// The match as the operator and the rules see it.
enum class MatchState { None = 0, Running = 1, Ready = 2, Skip = 3 };

// What the match rules remember of one game from reply to reply: what was said, the clock,
// the counters. A new game on the server replaces it whole, so nothing of one game (a pause
// still to be ended, a begin already said, captures counted) reaches the next.
struct GameMemory {
    bool pausedShown = false;             // an Osp pause was announced, its end is still due
    bool beginSaid = false;               // this game's Begin was said and no end since
    std::chrono::seconds played{0};       // the match clock
    std::chrono::seconds sinceReport{0};  // since the last periodic report
    std::chrono::seconds untilUnrealReport{120};  // to the next Unreal Tournament report
    std::int16_t lastReportedRed = 0;             // the scores at the last periodic report
    std::int16_t lastReportedBlue = 0;
    std::int16_t capsRed = 0;  // Unreal Tournament captures
    std::int16_t capsBlue = 0;
    std::int16_t capsRedQ3 = 0;  // base Quake 3 captures, counted from the cappers found
    std::int16_t capsBlueQ3 = 0;
};

struct MatchProgress {
    std::string liveBanner;  // the "*** LIVE ***" banner
    std::string redTeamName = "Red team";
    std::string blueTeamName = "Blue team";
    std::string redTeamCaption = "Red team";
    std::string blueTeamCaption = "Blue team";
    std::string timePlayed;              // time played, m:ss
    bool timePlayedClicked = false;      // the operator clicked into the time played
    bool timePlayedEditable = false;     // the operator is correcting the time played
    bool timePlayedFollowsClock = true;  // checked: timePlayed follows the clock
    GameMemory game;                     // what the rules remember of the game being played
    // The match state as the status refresh shows it on the Game tab.
    bool teamsKnown = false;
    bool teamsSwapped = false;
    std::string redMembers;  // quoted names, simply joined
    std::string blueMembers;
    std::string specMembers;
    std::string markedPlayers;
    MatchState matchState = MatchState::None;
};

}  // namespace fc
