// The monitor keeps the room of the last reply's texts and the texts of lines it read before;
// a reply must read the same whatever came before it.
#include <gtest/gtest.h>

#include "core/reply_memory.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

struct AfterRow {
    const char* name;
    std::string before;
    std::string reply;
};

std::string q3(const std::vector<PlayerLine>& players,
               const std::vector<std::pair<std::string, std::string>>& vars = {
                   {"gamename", "baseoa"}, {"g_gametype", "4"}}) {
    return quake3Reply(vars, players);
}

const AfterRow kAfterRows[] = {
    {"OnlyThePingChanged", q3({{"5", "30", "^1Ann"}}), q3({{"5", "31", "^1Ann"}})},
    {"TheScoreChanged", q3({{"5", "30", "^1Ann"}}), q3({{"6", "30", "^1Ann"}})},
    {"TheNameChanged", q3({{"5", "30", "^1Ann"}}), q3({{"5", "30", "^2Ann"}})},
    {"APingEndingInACaretTakesTheBlank", q3({{"5", "30", "^1Ann"}}), q3({{"5", "3^", "^1Ann"}})},
    {"APingThatEndedInACaret", q3({{"5", "3^", "^1Ann"}}), q3({{"5", "30", "^1Ann"}})},
    {"AScoreEndingInACaret", q3({{"5", "30", "^1Ann"}}), q3({{"5^", "30", "^1Ann"}})},
    {"FewerPlayers", q3({{"5", "30", "Ann"}, {"7", "40", "Bob"}}), q3({{"7", "41", "Bob"}})},
    {"Quake2AfterQuake3", q3({{"5", "30", "^1Ann"}}),
     quake2Reply({{"gamedir", "ctf"}}, {{"5", "31", "^1Ann"}})},
    {"FewerVariablesAndAnUnclosedLast", q3({{"5", "30", "Ann"}}),
     std::string("\xFF\xFF\xFF\xFFstatusResponse\n\\mapname\\q3dm6\\g_gametype\\4")},
    {"AValueLongerThanBefore", q3({}, {{"mapname", "a"}, {"gamename", "baseq3"}}),
     q3({}, {{"mapname", "a-much-longer-map-name"}, {"gamename", "baseq3"}})},
};

void PrintTo(const AfterRow& row, std::ostream* out) {
    *out << row.name;
}

class ReadAfterTest : public ::testing::TestWithParam<AfterRow> {};

TEST_P(ReadAfterTest, AReplyReadsTheSameAfterAnother) {
    const AfterRow& row = GetParam();
    Monitor fresh;
    Monitor used;
    for (Monitor* m : {&fresh, &used}) {
        m->switchOn("127.0.0.1:27960");
        m->firstTick();
    }
    used.reply(row.before, "127.0.0.1", 27960);
    used.reply(row.reply, "127.0.0.1", 27960);
    fresh.reply(row.reply, "127.0.0.1", 27960);

    EXPECT_EQ(used.app.status.variables, fresh.app.status.variables);
    EXPECT_EQ(used.app.status.players, fresh.app.status.players);
    EXPECT_EQ(used.app.monitor.playerRows, fresh.app.monitor.playerRows);
    EXPECT_EQ(used.app.monitor.serverInfoText, fresh.app.monitor.serverInfoText);
}

INSTANTIATE_TEST_SUITE_P(Replies, ReadAfterTest, ::testing::ValuesIn(kAfterRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A member list answers as the plain search over the list does, short or long.
TEST(QuotedNamesTest, AnswersAsTheListSearch) {
    std::string shortList = "\"Ann\"\"Bob\"";
    std::string longList;
    for (int i = 0; i < 40; ++i) longList += "\"Player" + std::to_string(i) + "\"";
    const std::string names[] = {"Ann",      "Bob",    "Player0", "Player39",   "Player4",
                                 "Player40", "layer1", "",        "Ann\"\"Bob", "\"Ann"};
    for (const std::string* list : {&shortList, &longList}) {
        QuotedNames members;
        members.use(*list);
        for (const std::string& name : names) {
            EXPECT_EQ(members.holds(name), listHolds(*list, name)) << name << " in " << *list;
        }
    }
}

}  // namespace
}  // namespace fc::test
