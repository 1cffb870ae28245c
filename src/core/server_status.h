// One status reply as the monitor read it: the server variables, the players, the family, the
// game type, the team scores and the time left. The monitor reads each reply into one of these
// once; everything above it takes this value instead of reading the reply's bytes again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/game_type.h"
#include "core/time_left.h"

namespace fc {

// One player line of a reply.
struct StatusPlayer {
    std::string name;  // as the list shows it: quotes dropped, Quake 3 colour codes removed
    // The score and the name as the line sends them (quotes, blanks and colour codes kept),
    // and as the line reads once its colour codes are taken out (a "^" takes even a blank
    // along): the capper search matches players by these.
    std::string sentScore;
    std::string sentName;
    std::string plainScore;
    std::string plainName;
    long long score = 0;
    long long ping = 0;
    std::string team;  // "Red", "Blue", "Spec" or "": from the reply or the operator's lists

    bool operator==(const StatusPlayer&) const = default;
};

// A side's score as the window shows it: one number, or captures and frags ("3/12").
struct TeamScore {
    bool split = false;   // two numbers, "captures/frags"
    double captures = 0;  // the number before the "/"
    double points = 0;    // the number after the "/", or the only one

    // The number the score starts with: the captures of "3/12", the only one of "7".
    double first() const { return split ? captures : points; }
};

// Server variables in reply order: name and value.
using ServerVariables = std::vector<std::pair<std::string, std::string>>;

// The value of the first variable named `key`; "" when there is none.
const std::string& variableOf(const ServerVariables& variables, std::string_view key);

// A number no reading had before, for ServerStatus::readNumber.
std::uint64_t nextReadNumber();

// Reads a shown score: "3/12" as captures 3 and frags 12, "7" as 7.
TeamScore readTeamScore(std::string_view shown);

struct ServerStatus {
    bool answered = false;  // read from a non-empty reply
    // Which reading this is: each reply read gets a number of its own (0: made by hand), so
    // what is worked out from a status can be kept while the same status comes again.
    std::uint64_t readNumber = 0;
    GameFamily family = GameFamily::Unknown;
    GameType gameType = GameType::NoGameYet;
    // The server variables in reply order, as the window's variable list shows them.
    ServerVariables variables;
    std::vector<StatusPlayer> players;
    TeamScore red;
    TeamScore blue;
    TimeLeft timeLeft;

    // The value of the first variable named `key`; "" when there is none.
    const std::string& variable(std::string_view key) const;
    // Whether some player is on the red or the blue side: where none is (no clan tags, the
    // server sends no teams), the team sums and the capper's team cannot be told.
    bool sidesKnown() const;
    // The scores of all players, whatever their side.
    long long allPlayersScore() const;
};

// The variables of a reply: "\key\value" pairs up to the end of its second line (a reply
// without one: up to the last "\"); the header before the first "\" is passed over.
ServerVariables readServerVariables(std::string_view reply);

// The same into `variables`, whose pairs keep their room for the next reply's.
void readServerVariables(std::string_view reply, ServerVariables& variables);

// Whether a reply whose variables were read comes from a Quake 3 engine: its header says
// "statusResponse", or its version starts with "Q3" (the ioquake3 family writes "ioq3 ...").
bool isQuake3Reply(std::string_view reply, const ServerVariables& variables);

}  // namespace fc
