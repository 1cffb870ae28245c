// What the reply handler keeps from one reply to the next to save work on full servers: the
// member lists as sets and the capper search's last pair of player records. The App holds it, so
// that every App starts afresh and nothing is kept behind its back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/server_status.h"

namespace fc {

// Whether a list of quoted names holds the name in quotes. Looks the name up first and then
// checks the quotes, which is much quicker than searching for the quoted form in long lists.
bool listHolds(const std::string& list, const std::string& name);

// A list of quoted names prepared for many look-ups: the same answers as listHolds, from a set
// of the names when the list is made only of quoted names (as the program writes it).
class QuotedNames {
public:
    QuotedNames() = default;
    QuotedNames(const QuotedNames&) = delete;
    QuotedNames& operator=(const QuotedNames&) = delete;
    // Takes the list in; kept as it is when the list has not changed since.
    void use(const std::string& list);
    bool holds(const std::string& name) const;

private:
    std::string list_;
    bool plain_ = true;                    // the list is "name""name"... with no empty name
    std::vector<std::string_view> names_;  // views into list_, in list order
    // A long list's names hashed for look-ups (empty for a short list, read through instead).
    std::vector<std::string_view> slots_;
    static constexpr std::size_t kFewNames = 16;
};

// The member lists as sets, kept while the lists stay the same.
struct MemberLists {
    QuotedNames red;
    QuotedNames blue;
    QuotedNames marked;
};

// A player's score in two successive replies, as the capper search reads them.
struct ScoreRise {
    std::string candidate;  // the name, quotes and blanks taken off
    long long now = 0;
    long long before = 0;
};

// A status's players as fixed-width records, as the capper search last read them.
struct ReadRecords {
    std::uint64_t readNumber = 0;  // the status they were read from; 0: one made by hand
    bool filtered = false;
    std::string records;
};

// The capper search's last pair of replies and the rises found between them.
struct CapperMemory {
    ReadRecords now;
    ReadRecords before;
    std::vector<ScoreRise> rises;
    // The records the rises were worked out from: a status read again with the same players
    // and scores needs no new search.
    std::string risesNow;
    std::string risesBefore;
    bool valid = false;
};

// The player list's working texts, kept so that reading a line needs no new room.
struct LineScratch {
    std::string column;  // a score or ping without its quotes
};

// A player line as last read at its place in the list, and the texts it gave. A line whose
// score and name are the same, and whose score and ping hold no colour code (a "^" there could
// take a blank along), gives the same texts again: only the ping changes from reply to reply.
struct ReadLine {
    bool quake3 = false;
    bool named = false;      // the line has a second blank
    bool readAlone = false;  // no colour code in the score and the ping
    std::string sentScore;
    std::string sentName;
    std::string plainScore;
    std::string plainName;
    std::string shownName;  // quotes dropped, and colour codes for Quake 3
};

struct ReplyMemory {
    MemberLists members;
    CapperMemory capper;
    LineScratch scratch;
    std::vector<ReadLine> lines;  // by place in the player list
    // The server variables of the reply being read, before they become the status's.
    ServerVariables variables;
};

}  // namespace fc
