// Unreal Tournament answers in pieces, through the fake platform: which sequences of pieces
// give one whole answer to the query that asked.
#include <gtest/gtest.h>

#include <sstream>

#include "steps.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

struct PieceCase {
    const char* name;
    // Pieces by packet number as they arrive; "f" marks the final one, "." one whose queryid
    // has no full stop, "T" a poll tick (a new query) in between.
    const char* arrivals;
    int answers;
};

class UnrealPieces : public MonitorTest, public ::testing::WithParamInterface<PieceCase> {};

TEST_P(UnrealPieces, OneWholeAnswerPerQuery) {
    switchOn("127.0.0.1:7778");
    firstTick();
    int query = 1;
    const UnrealAnswer answer{"CTFGame", "0", {{"Alpha", 3, "0"}, {"Bravo", 1, "1"}}};
    std::istringstream in(GetParam().arrivals);
    std::string token;
    while (in >> token) {
        if (token == "T") {
            platform.advance(2000);
            ++query;
            continue;
        }
        const int packet = std::stoi(token);
        const std::string id = token.back() == '.'
                                   ? std::to_string(query) + std::to_string(packet)
                                   : std::to_string(query) + "." + std::to_string(packet);
        reply(unrealPiece(answer, packet, id, token.back() == 'f'), "127.0.0.1", 7778);
    }
    EXPECT_EQ(listener.replies, GetParam().answers);
    if (GetParam().answers > 0) {
        EXPECT_EQ(app.monitor.gameFamily, GameFamily::UT);
        ASSERT_EQ(app.monitor.playerRows.size(), 2u);
        const PlayerRow& bravo = app.monitor.playerRows[1];
        EXPECT_EQ(bravo.name + " " + bravo.score + " " + bravo.ping + " " + bravo.team,
                  "Bravo 1 5 Blue");
        EXPECT_EQ(app.monitor.redScoreText, "0/3");
        EXPECT_EQ(app.monitor.mapText, "CTF-Face");
        EXPECT_EQ(app.monitor.utPacketSizes.size(), 3u);
    }
}

// A final mark without its closing backslash still ends the answer.
TEST(UnrealAnswer, AFinalMarkWithoutItsClosingBackslashEndsTheAnswer) {
    Steps m("127.0.0.1:7778");
    const UnrealAnswer answer{"CTFGame", "0", {{"Alpha", 3, "0"}}};
    m.reply(unrealPiece(answer, 1, "1.1", false), "127.0.0.1", 7778);
    m.reply(unrealPiece(answer, 2, "1.2", false), "127.0.0.1", 7778);
    m.reply("\\queryid\\1.3\\final", "127.0.0.1", 7778);
    EXPECT_EQ(m.listener.replies, 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sequences, UnrealPieces, ::testing::Values(
    PieceCase{"in_order", "1 2 3f", 1}, PieceCase{"out_of_order", "1 2 3f T 3f 2 1", 2},
    PieceCase{"missing_piece_completed_later", "1 3f 2", 1}, PieceCase{"older_pieces_never_mix_in", "1 3f T 2", 0},
    PieceCase{"lost_final_given_up_at_next_query", "1 2 T 3f", 0}, PieceCase{"second_final_same_query", "1 2 3f 3f 2", 1},
    PieceCase{"piece_above_100_dropped", "1 2 101f", 0}, PieceCase{"queryid_without_full_stop", "1 2 3.", 0},
    PieceCase{"every_query_answered_once", "1 2 3f T 1 2 3f T 3f", 2}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace fc::test
