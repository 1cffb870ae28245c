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

TEST(GetServerVar, FindsTheFirstOccurrenceUpToTheNextBackslash) {
    struct Case {
        const char* key;
        std::string reply;
        const char* value;
    };
    const Case cases[] = {
        {"mapname", kReply, "q3dm6"},
        {"maxclients", kReply, "16"},  // ends a longer key
        {"\\version", kReply, "Q3 1.32"},
        {"last", kReply, "end"},  // the LF ends the last value
        {"absent", kReply, ""},
        {"", kReply, ""},
        // A plain search finds whatever comes first, even inside a longer key.
        {"version", "\\subversion\\a\\version\\b", "a"},
        {"\\version", "\\subversion\\a\\version\\b", "b"},
        // Line feeds read as backslashes.
        {"\\version", "hdr\nversion\\Q3\n", "Q3"},
        {"a\\b", "a\nb\\c", "c"},
        {"\\", "ab\ncd\\e", "d"},  // one more character is skipped
        {"x\\", "\\x", ""},        // only the virtual "\" behind the end
        {"\\version", "version\\first", ""},
        // A key at the very end gives nothing.
        {"mapname", "\\mapname", ""},
        {"mapname", "\\mapname\\", ""},
        {"mapname", "\\mapname\\q2dm1", "q2dm1"},
    };
    for (const Case& c : cases) EXPECT_EQ(GetServerVar(c.key, c.reply), c.value) << c.key;
}

TEST(IsQuake3Reply, VersionOrStatusResponseHeader) {
    EXPECT_TRUE(IsQuake3Reply(kReply));
    EXPECT_TRUE(IsQuake3Reply("\xFF\xFF\xFF\xFFstatusResponse\n\\version\\ioq3 1.36\n"));
    EXPECT_TRUE(IsQuake3Reply("\xFF\xFF\xFF\xFFprint\n\\version\\Q3 1.32\n"));
    EXPECT_FALSE(IsQuake3Reply("\xFF\xFF\xFF\xFFprint\n\\version\\3.20 x86\n"));
    EXPECT_FALSE(IsQuake3Reply(""));
}

TEST(NameFilters, CaretCodesAndLeadingNonBreakingSpaces) {
    const std::pair<const char*, const char*> colours[] = {
        {"^1Red^7Guy", "RedGuy"}, {"^^1x", "1x"}, {"end^", "end"}, {"plain", "plain"}, {"", ""}};
    for (const auto& [name, plain] : colours) EXPECT_EQ(FilterQ3Colors(name), plain);
    // "\240" is the non-breaking space.
    const std::pair<const char*, const char*> padded[] = {
        {"\240\24012", "12"}, {"1\2402", "1\2402"}, {"\240\240", ""}};
    for (const auto& [column, plain] : padded) EXPECT_EQ(Strip160(column), plain);
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
