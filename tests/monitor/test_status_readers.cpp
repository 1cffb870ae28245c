#include <gtest/gtest.h>

#include "core/reply_memory.h"
#include "core/server_vars.h"
#include "support/steps.h"

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
        Steps fresh, used;
        for (const std::string& r : {row.before, row.reply}) used.reply(r, used.host, used.port);
        fresh.reply(row.reply, fresh.host, fresh.port);
        const auto read = [](const App& a) {
            return std::tie(a.status.variables, a.status.players, a.monitor.playerRows,
                            a.monitor.serverInfoText);
        };
        EXPECT_EQ(read(used.app), read(fresh.app)) << row.name;
    }
}

TEST(ReplyMemory, QuotedNamesAnswerAsTheListSearch) {
    std::string longList;
    for (int i = 0; i < 40; ++i) longList += "\"Player" + std::to_string(i) + "\"";
    EXPECT_TRUE(listHolds("\"Ann\"\"Bob\"", "Ann") && !listHolds("\"Ann\"", "An") &&
                listHolds("\"A\"\"\"", "") && !listHolds("\"Ann\"", ""));  // an empty name too
    QuotedNames members;  // one, taking each list in turn: a changed list is read again
    for (const std::string& list : {std::string("\"Ann\"\"Bob\""), longList,
                                    std::string("\"Cid\"\"\"\"Bob\""), std::string("\"Cid\"")}) {
        members.use(list);
        for (const char* name : {"Ann", "Bob", "Player0", "Player39", "Player4", "Player40",
                                 "layer1", "", "Ann\"\"Bob", "\"Ann", "Cid"})
            EXPECT_EQ(members.holds(name), listHolds(list, name)) << name << " in " << list;
    }
    for (int i = 40; i < 300; ++i) longList += "\"Player" + std::to_string(i) + "\"";
    members.use(longList);  // every name of a long list, and none more
    for (int i = 0; i < 400; ++i) EXPECT_EQ(members.holds("Player" + std::to_string(i)), i < 300);
}

const std::string kReply =
    "\xFF\xFF\xFF\xFFstatusResponse\n"
    "\\sv_maxclients\\16\\version\\Q3 1.32\\mapname\\q3dm6\\subversion\\x\\last\\end\n"
    "0 0 \"p\"\n";

// The value after the key's first occurrence (even inside a longer key) up to the next "\\" or LF.
TEST(GetServerVar, FindsTheFirstOccurrenceUpToTheNextBackslash) {
    // clang-format off
    const struct { const char* name; std::string reply, key, value; } rows[] = {
        {"mapname", kReply, "mapname", "q3dm6"}, {"a key that ends a longer key", kReply, "maxclients", "16"},
        {"a key with its backslash", kReply, "\\version", "Q3 1.32"}, {"the LF ends the last value", kReply, "last", "end"},
        {"absent", kReply, "absent", ""}, {"no key", kReply, "", ""},
        {"inside a longer key", "\\subversion\\a\\version\\b", "version", "a"},
        {"its own key", "\\subversion\\a\\version\\b", "\\version", "b"},
        {"line feeds", "hdr\nversion\\Q3\n", "\\version", "Q3"}, {"two names over a line feed", "\\a\nb\\c", "\\a\\b", "c"}, {"a line feed inside the key", "a\nb\\c", "a\\b", "c"},
        {"one more character is skipped", "ab\ncd\\e", "\\", "d"}, {"only the virtual backslash behind the end", "\\x", "x\\", ""},
        {"no backslash before the key", "version\\first", "\\version", ""}, {"the key at the end", "\\mapname", "mapname", ""},
        {"the key and its backslash at the end", "\\mapname\\", "mapname", ""},
        {"a value at the end", "\\mapname\\q2dm1", "\\mapname", "q2dm1"},
        {"a NUL behind a key ending in a backslash", std::string("\\mapname\\\0q3dm1", 15), "mapname\\", "q3dm1"},
    };
    // clang-format on
    for (const auto& row : rows) EXPECT_EQ(getServerVar(row.key, row.reply), row.value) << row.name;
}

}  // namespace
}  // namespace fc::test
