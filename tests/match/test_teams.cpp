// Clan tags and the quoted name lists; the teams in play are in cases/teams.txt, the team menu's
// captions as the menu shows them in ShellTest.TeamMenuShowsItsCaptionsAndActsOnTheNames.
#include <gtest/gtest.h>

#include "core/reply_memory.h"
#include "match/teams.h"
#include "support/cases.h"

namespace fc {
namespace {

TEST(GetTag, ShortestPieceOfTwoToFourteenBetweenSeparators) {
    for (const test::Case& c : test::loadCases("match/cases/tags.txt"))
        EXPECT_EQ(getTag(c.get("name")), c.get("tag")) << c.name;
    EXPECT_EQ(getTag(std::string(200, 'x')), "");
}

// "" is held as the quoted empty name: two quotes in a row.
TEST(ListHolds, FindsExactlyTheQuotedName) {
    const std::string list = "\"Ann\"\"Bo b\"\"Ann2\"";
    for (const char* name : {"Ann", "Bo b", "Ann2", ""}) EXPECT_TRUE(listHolds(list, name)) << name;
    for (const char* name : {"An", "nn2", "Bo"}) EXPECT_FALSE(listHolds(list, name)) << name;
    EXPECT_FALSE(listHolds("\"Ann\"", ""));
    EXPECT_FALSE(listHolds("", "Ann"));
    EXPECT_FALSE(listHolds("Ann\"", "Ann"));
}

}  // namespace
}  // namespace fc
