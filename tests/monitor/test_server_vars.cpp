// Server-variable lookup and the name filters, on short vectors.
#include <gtest/gtest.h>

#include "core/server_entry.h"
#include "core/server_vars.h"
#include "support/cases.h"

namespace fc {
namespace {

const std::string kReply =
    "\xFF\xFF\xFF\xFFstatusResponse\n"
    "\\sv_maxclients\\16\\version\\Q3 1.32\\mapname\\q3dm6\\subversion\\x\\last\\end\n"
    "0 0 \"p\"\n";

TEST(GetServerVar, FindsTheFirstOccurrenceUpToTheNextBackslash) {
    for (const test::Case& c : test::loadCases("monitor/cases/server_vars.txt"))
        EXPECT_EQ(getServerVar(c.get("key"), c.get("reply", kReply)), c.get("value")) << c.name;
}

TEST(IsQuake3Reply, VersionOrStatusResponseHeader) {
    EXPECT_TRUE(isQuake3Reply(kReply));
    EXPECT_TRUE(isQuake3Reply("\xFF\xFF\xFF\xFFstatusResponse\n\\version\\ioq3 1.36\n"));
    EXPECT_TRUE(isQuake3Reply("\xFF\xFF\xFF\xFFprint\n\\version\\Q3 1.32\n"));
    EXPECT_FALSE(isQuake3Reply("\xFF\xFF\xFF\xFFprint\n\\version\\3.20 x86\n"));
    EXPECT_FALSE(isQuake3Reply(""));
}

TEST(NameFilters, CaretCodesAndLeadingNonBreakingSpaces) {
    const std::pair<const char*, const char*> colours[] = {
        {"^1Red^7Guy", "RedGuy"}, {"^^1x", "1x"}, {"end^", "end"}, {"plain", "plain"}, {"", ""}};
    for (const auto& [name, plain] : colours) EXPECT_EQ(filterQ3Colours(name), plain);
    // "\240" is the non-breaking space.
    const std::pair<const char*, const char*> padded[] = {
        {"\240\24012", "12"}, {"1\2402", "1\2402"}, {"\240\240", ""}};
    for (const auto& [column, plain] : padded) EXPECT_EQ(stripNonBreakingSpaces(column), plain);
}

TEST(ServerEntry, AddressPartAndQueryTarget) {
    EXPECT_EQ(stripComment("10.0.0.5:27960 The server"), "10.0.0.5:27960");
    EXPECT_EQ(stripComment("10.0.0.5"), "10.0.0.5");
    EXPECT_EQ(splitEntry("10.0.0.5:27960 x", "27910").portText, "27960");
    EXPECT_EQ(splitEntry("10.0.0.5 x:1", "7778").host, "10.0.0.5");
    EXPECT_EQ(splitEntry("10.0.0.5 x:1", "7778").portText, "7778");
    EXPECT_TRUE(isRecordingEntry("demos/match.rec"));
    EXPECT_FALSE(isRecordingEntry("10.0.0.5:27960"));
}

}  // namespace
}  // namespace fc
