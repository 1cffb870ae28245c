// The reply handler's small helpers; whole replies are played in cases/reply_handler.txt.
#include <gtest/gtest.h>

#include "monitor/player_list.h"
#include "monitor/reply_handler.h"

namespace fc {
namespace {

using Pieces = std::vector<std::string>;

TEST(PadColumn, PadsToFourWithNonBreakingSpaces) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "\xA0\xA0\xA0\xA0"}, {"-1", "\xA0\xA0-1"}, {"1234", "1234"}, {"99999", "99999"}};
    for (const auto& [value, padded] : cases) EXPECT_EQ(padColumn(value), padded) << value;
}

TEST(CutUnrealPieces, EachPieceEndsAfterItsQueryIdentifier) {
    const std::pair<const char*, Pieces> cases[] = {
        {"\\a\\1\\queryid\\11.1\\b\\2\\queryid\\11.2\\final\\",
         {"\\a\\1\\queryid\\11.1\\", "b\\2\\queryid\\11.2\\", "b\\2\\queryid\\11.2\\final\\\\"}},
        // Without a query identifier the reply goes whole, with the extra backslash.
        {"\\a\\1", {"\\a\\1\\"}},
        {"\\queryid\\7", {"\\queryid\\7\\"}},
    };
    for (const auto& [reply, pieces] : cases) EXPECT_EQ(cutUnrealPieces(reply), pieces) << reply;
}

TEST(SameAddress, ComparesNumericFormsOfOneHost) {
    EXPECT_TRUE(sameAddress("127.0.0.1", "127.0.0.1"));
    EXPECT_TRUE(sameAddress("::ffff:127.0.0.1", "127.0.0.1"));
    EXPECT_TRUE(sameAddress("::1", "::1"));
    EXPECT_FALSE(sameAddress("127.0.0.2", "127.0.0.1"));
    EXPECT_FALSE(sameAddress("", ""));
}

}  // namespace
}  // namespace fc
