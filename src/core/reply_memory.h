// What the reply handler keeps from one reply to the next to save work on full servers: the
// member lists as sets and the capper search's last pair of player records. The App holds it, so
// that every App starts afresh and nothing is kept behind its back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

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
    bool plain_ = true;                           // the list is "name""name"... with no empty name
    std::unordered_set<std::string_view> names_;  // views into list_
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

struct ReplyMemory {
    MemberLists members;
    CapperMemory capper;
};

}  // namespace fc
