// The game types the monitor tells apart, and the one table of what each means: its family,
// whether teams play and flags are captured, what score rise counts as a capture, where its team
// scores come from, the code the window, the headless output and the tests write for it, and a
// name for people. Code that treats game types differently switches over GameType naming every
// value (the build refuses a switch that forgets one), or asks this table.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace fc {

// The game family a server was recognised as; Unknown until the first reply, None after an
// empty reply (polling then stops).
enum class GameFamily { Unknown, Q2, Q3, UT, None };

// The family as the headless output and the mode label write it: "", "Q2", "Q3", "UT", "None".
inline const char* familyText(GameFamily family) {
    switch (family) {
        case GameFamily::Q2:
            return "Q2";
        case GameFamily::Q3:
            return "Q3";
        case GameFamily::UT:
            return "UT";
        case GameFamily::None:
            return "None";
        case GameFamily::Unknown:
            break;
    }
    return "";
}

// Each value has its row in the table below.
enum class GameType {
    NoGameYet,             // from program start until a game is recognised
    NotMonitoring,         // after monitoring stops
    Quake2Ctf,             // game name CTF
    Quake2Duel,            // Tourney mod, one against one
    Quake2TeamDeathmatch,  // Tourney mod in team play, or the Battle mod
    Quake2FreeForAll,      // Lithium mod
    Quake3OspFreeForAll,   // OSP before a duel or team game is recognised
    Quake3OspScored,       // OSP duel or team deathmatch that publishes its score
    Quake3TeamGame,        // base Quake 3 team game; OSP games that publish no score
    Quake3OspCtf,
    Quake3BaseCtf,
    UnrealTeamGame,  // gametype Teamgameplus
    UnrealCtf,       // gametype CTFGame
    UnrealOther,
};

// Where the two team scores come from.
enum class TeamScores {
    Nothing,          // no game: nothing is read
    PlayerFrags,      // the frags of each side's players, summed
    GameStats,        // the "gamestats" variable: time left, red score, blue score
    TourneyScores,    // "Score_A" and "Score_B" as score, "-" and tag; Battle sums frags
    OspScores,        // "Score_Red" and "Score_Blue" while the game name is "osp"
    OspCaptures,      // the same as captures, then "/" and the summed frags
    CountedCaptures,  // captures counted from score rises, then "/" and the summed frags
    UnrealFrags,      // Unreal Tournament: the players' frags, summed
    UnrealCaptures,   // Unreal Tournament: counted captures, then "/" and the summed frags
};

// The score rise between two replies that counts as a player's flag capture: at least `lowest`
// and, where there is a bound, below `below`. {0, 0} admits no rise.
struct CaptureRise {
    int lowest;
    std::optional<int> below;
};

// The time left where a game publishes none: base Quake 3 capture-the-flag shows the time limit
// while no match runs, its team games count down from the match clock while one runs.
enum class OwnTime { FromServer, LimitWithoutMatch, ClockWhileRunning };

struct GameTypeInfo {
    GameType type;
    std::string_view code;  // as the window, the headless output and the case files write it
    GameFamily family;
    bool teamGame;     // two teams play
    bool captureGame;  // the teams capture flags
    CaptureRise captureRise;
    TeamScores teamScores;
    OwnTime ownTime;
    bool sidesCalledAAndB;           // Team A and Team B, named by a tag two players share
    bool sidesMayBeSwapped;          // the server may give the sides' scores the other way round
    bool reportsEveryInterval;       // Unreal Tournament: the score is said at the report interval
    bool publishesScoresOverInterp;  // its own scores and time beat the Interp feed's
    std::string_view name;           // for people
};

namespace game_type_detail {

constexpr CaptureRise kNoCapture{0, 0};
// Unreal Tournament counts a capture for a rise of 7 or more in every game type.
constexpr CaptureRise kUnrealCapture{7, std::nullopt};

using enum GameType;
using enum GameFamily;
using enum TeamScores;

// One row per game type, in the enum's order: type, code, family, two teams play, flags are
// captured, the capture rise, where the team scores come from; then the time left where the
// server gives none, sides A and B, sides maybe swapped, a score at every report interval,
// scores that beat the Interp feed's; then the name for people.
// clang-format off
constexpr auto kRows = std::to_array<GameTypeInfo>({
    {NoGameYet,            "geen",    Unknown, false, false, kNoCapture,     Nothing,
     OwnTime::FromServer, false, false, false, false,
     "No game recognised yet"},
    {NotMonitoring,        "nix",     Unknown, false, false, kNoCapture,     Nothing,
     OwnTime::FromServer, false, false, false, false,
     "Not monitoring"},
    // A capture is worth less than 22 points in Quake 2.
    {Quake2Ctf,            "ctf",     Q2,      true,  true,  {0, 22},        GameStats,
     OwnTime::FromServer, false, true, false, false,
     "Quake 2 capture the flag"},
    {Quake2Duel,           "1vs1",    Q2,      false, false, kNoCapture,     PlayerFrags,
     OwnTime::FromServer, false, false, false, false,
     "Quake 2 duel (Tourney)"},
    {Quake2TeamDeathmatch, "dm",      Q2,      true,  false, kNoCapture,     TourneyScores,
     OwnTime::FromServer, true, false, false, false,
     "Quake 2 team deathmatch (Tourney or Battle)"},
    {Quake2FreeForAll,     "freedm",  Q2,      false, false, kNoCapture,     PlayerFrags,
     OwnTime::FromServer, false, false, false, false,
     "Quake 2 free for all (Lithium)"},
    {Quake3OspFreeForAll,  "freedm",  Q3,      false, false, kNoCapture,     PlayerFrags,
     OwnTime::FromServer, false, false, false, false,
     "Quake 3 free for all (OSP)"},
    // OSP duels share the code of OSP team deathmatch: two sides with published scores.
    {Quake3OspScored,      "dmq3",    Q3,      true,  false, kNoCapture,     OspScores,
     OwnTime::FromServer, false, false, false, false,
     "Quake 3 team deathmatch or duel (OSP)"},
    {Quake3TeamGame,       "dmbq3",   Q3,      true,  false, kNoCapture,     PlayerFrags,
     OwnTime::ClockWhileRunning, false, false, false, false,
     "Quake 3 team game (baseq3/baseoa)"},
    // A capture is worth less than 9 points in Quake 3 mods, and at least 5 in base Quake 3
    // (more than any assist).
    {Quake3OspCtf,         "ctfq3",   Q3,      true,  true,  {0, 9},         OspCaptures,
     OwnTime::FromServer, false, false, false, true,
     "Quake 3 capture the flag (OSP)"},
    {Quake3BaseCtf,        "ctfbq3",  Q3,      true,  true,  {5, 9},         CountedCaptures,
     OwnTime::LimitWithoutMatch, false, false, false, false,
     "Quake 3 capture the flag (baseq3/baseoa)"},
    {UnrealTeamGame,       "utdm",    UT,      true,  false, kUnrealCapture, UnrealFrags,
     OwnTime::FromServer, false, false, true, false,
     "Unreal Tournament team game"},
    {UnrealCtf,            "utctf",   UT,      true,  true,  kUnrealCapture, UnrealCaptures,
     OwnTime::FromServer, false, false, false, false,
     "Unreal Tournament capture the flag"},
    {UnrealOther,          "utOther", UT,      false, false, kUnrealCapture, UnrealFrags,
     OwnTime::FromServer, false, false, false, false,
     "Unreal Tournament, other game"},
});
// clang-format on

constexpr bool rowsInEnumOrder() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].type) != i) return false;
    }
    return kRows.back().type == UnrealOther;
}
static_assert(rowsInEnumOrder(), "one row per game type, in the enum's order");

}  // namespace game_type_detail

inline constexpr const auto& kGameTypes = game_type_detail::kRows;

constexpr const GameTypeInfo& describe(GameType type) {
    return kGameTypes[static_cast<std::size_t>(type)];
}

// The code as the window, the headless output and the case files write it ("ctfbq3", ...).
constexpr std::string_view gameTypeCode(GameType type) {
    return describe(type).code;
}

// The game type a code stands for; a code two types share gives the first of them.
constexpr std::optional<GameType> gameTypeOfCode(std::string_view code) {
    for (const GameTypeInfo& row : kGameTypes) {
        if (row.code == code) return row.type;
    }
    return std::nullopt;
}

}  // namespace fc
