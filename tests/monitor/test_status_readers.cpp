// The monitor keeps the room of the last reply's texts and the texts of lines it read before;
// a reply must read the same whatever came before it.
#include <gtest/gtest.h>

#include "core/reply_memory.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

std::string q3(const std::vector<PlayerLine>& players,
               const Vars& vars = {{"gamename", "baseoa"}, {"g_gametype", "4"}}) {
    return quake3Reply(vars, players);
}

TEST(ReplyMemory, AReplyReadsTheSameAfterAnother) {
    // clang-format off
    const struct { const char* name; std::string before, reply; } rows[] = {
        {"only the ping changed", q3({{"5", "30", "^1Ann"}}), q3({{"5", "31", "^1Ann"}})},
        {"the score changed", q3({{"5", "30", "^1Ann"}}), q3({{"6", "30", "^1Ann"}})},
        {"the name changed", q3({{"5", "30", "^1Ann"}}), q3({{"5", "30", "^2Ann"}})},
        {"a ping ending in a caret takes the blank", q3({{"5", "30", "^1Ann"}}), q3({{"5", "3^", "^1Ann"}})},
        {"a ping that ended in a caret", q3({{"5", "3^", "^1Ann"}}), q3({{"5", "30", "^1Ann"}})},
        {"a score ending in a caret", q3({{"5", "30", "^1Ann"}}), q3({{"5^", "30", "^1Ann"}})},
        {"fewer players", q3({{"5", "30", "Ann"}, {"7", "40", "Bob"}}), q3({{"7", "41", "Bob"}})},
        {"Quake 2 after Quake 3", q3({{"5", "30", "^1Ann"}}), quake2Reply({{"gamedir", "ctf"}}, {{"5", "31", "^1Ann"}})},
        {"fewer variables, the last unclosed", q3({{"5", "30", "Ann"}}),
         std::string("\xFF\xFF\xFF\xFFstatusResponse\n\\mapname\\q3dm6\\g_gametype\\4")},
        {"a value longer than before", q3({}, {{"mapname", "a"}, {"gamename", "baseq3"}}),
         q3({}, {{"mapname", "a-much-longer-map-name"}, {"gamename", "baseq3"}})},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Monitor fresh, used;
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
}

// A member list answers as the plain search over the list does, short or long.
TEST(ReplyMemory, QuotedNamesAnswerAsTheListSearch) {
    std::string longList;
    for (int i = 0; i < 40; ++i) longList += "\"Player" + std::to_string(i) + "\"";
    for (const std::string& list : {std::string("\"Ann\"\"Bob\""), longList}) {
        QuotedNames members;
        members.use(list);
        for (const char* name : {"Ann", "Bob", "Player0", "Player39", "Player4", "Player40",
                                 "layer1", "", "Ann\"\"Bob", "\"Ann"})
            EXPECT_EQ(members.holds(name), listHolds(list, name)) << name << " in " << list;
    }
}

}  // namespace
}  // namespace fc::test
