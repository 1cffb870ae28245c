// Server-variable lookup and the name filters, on short vectors.
#include <gtest/gtest.h>

#include "core/server_entry.h"
#include "core/server_vars.h"

namespace fc {
namespace {

const std::string kReply =
    "\xFF\xFF\xFF\xFFstatusResponse\n"
    "\\sv_maxclients\\16\\version\\Q3 1.32\\mapname\\q3dm6\\subversion\\x\\last\\end\n"
    "0 0 \"p\"\n";

TEST(GetServerVar, FindsValuesBySubstringUpToTheNextBackslash) {
    EXPECT_EQ(GetServerVar("mapname", kReply), "q3dm6");
    EXPECT_EQ(GetServerVar("maxclients", kReply), "16");  // ends a longer key
    EXPECT_EQ(GetServerVar("\\version", kReply), "Q3 1.32");
    EXPECT_EQ(GetServerVar("last", kReply), "end");  // the LF ends the last value
    EXPECT_EQ(GetServerVar("absent", kReply), "");
    EXPECT_EQ(GetServerVar("", kReply), "");
}

TEST(GetServerVar, FirstOccurrenceWinsEvenInsideAValue) {
    // "version" first occurs inside "subversion"'s key only after the real key here, but a
    // plain search finds whatever comes first.
    EXPECT_EQ(GetServerVar("version", "\\subversion\\a\\version\\b"), "a");
    EXPECT_EQ(GetServerVar("\\version", "\\subversion\\a\\version\\b"), "b");
}

TEST(GetServerVar, LineFeedsReadAsBackslashes) {
    EXPECT_EQ(GetServerVar("\\version", "hdr\nversion\\Q3\n"), "Q3");
    EXPECT_EQ(GetServerVar("a\\b", "a\nb\\c"), "c");
    EXPECT_EQ(GetServerVar("\\", "ab\ncd\\e"), "d");  // one more character is skipped
    EXPECT_EQ(GetServerVar("x\\", "\\x"), "");        // only the virtual "\\" behind the end
    EXPECT_EQ(GetServerVar("\\version", "version\\first"), "");
}

TEST(GetServerVar, KeyAtTheVeryEndGivesEmpty) {
    EXPECT_EQ(GetServerVar("mapname", "\\mapname"), "");
    EXPECT_EQ(GetServerVar("mapname", "\\mapname\\"), "");
    EXPECT_EQ(GetServerVar("mapname", "\\mapname\\q2dm1"), "q2dm1");
}

TEST(IsQuake3Reply, VersionOrStatusResponseHeader) {
    EXPECT_TRUE(IsQuake3Reply(kReply));
    EXPECT_TRUE(IsQuake3Reply("\xFF\xFF\xFF\xFFstatusResponse\n\\version\\ioq3 1.36\n"));
    EXPECT_TRUE(IsQuake3Reply("\xFF\xFF\xFF\xFFprint\n\\version\\Q3 1.32\n"));
    EXPECT_FALSE(IsQuake3Reply("\xFF\xFF\xFF\xFFprint\n\\version\\3.20 x86\n"));
    EXPECT_FALSE(IsQuake3Reply(""));
}

TEST(FilterQ3Colors, DropsEachCaretAndTheCharacterAfterIt) {
    EXPECT_EQ(FilterQ3Colors("^1Red^7Guy"), "RedGuy");
    EXPECT_EQ(FilterQ3Colors("^^1x"), "1x");
    EXPECT_EQ(FilterQ3Colors("end^"), "end");
    EXPECT_EQ(FilterQ3Colors("plain"), "plain");
    EXPECT_EQ(FilterQ3Colors(""), "");
}

TEST(Strip160, RemovesOnlyLeadingNonBreakingSpaces) {
    EXPECT_EQ(Strip160("\xA0\xA0"
                       "12"),
              "12");
    EXPECT_EQ(Strip160("1\xA0"
                       "2"),
              "1\xA0"
              "2");
    EXPECT_EQ(Strip160("\xA0\xA0"), "");
}

TEST(ServerEntry, AddressPartAndQueryTarget) {
    EXPECT_EQ(StripComment("10.0.0.5:27960 The server"), "10.0.0.5:27960");
    EXPECT_EQ(StripComment("10.0.0.5"), "10.0.0.5");
    EXPECT_EQ(SplitEntry("10.0.0.5:27960 x", "27910").portText, "27960");
    EXPECT_EQ(SplitEntry("10.0.0.5 x:1", "7778").host, "10.0.0.5");
    EXPECT_EQ(SplitEntry("10.0.0.5 x:1", "7778").portText, "7778");
    EXPECT_TRUE(IsRecordingEntry("demos/match.rec"));
    EXPECT_FALSE(IsRecordingEntry("10.0.0.5:27960"));
}

}  // namespace
}  // namespace fc
