// Unreal Tournament answers in pieces, through the fake platform: which sequences of pieces
// give one whole answer to the query that asked.
#include <gtest/gtest.h>

#include <sstream>

#include "steps.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

// Pieces by packet number as they arrive; "f" marks the final one, "F" a final mark without its
// closing backslash, "." a piece whose queryid has no full stop, "T" a poll tick (a new query).
struct PieceCase {
    const char *name, *arrivals;
    int answers;
};

class UnrealPieces : public MonitorTest, public ::testing::WithParamInterface<PieceCase> {};

TEST_P(UnrealPieces, OneWholeAnswerPerQuery) {
    switchOn("127.0.0.1:7778");
    firstTick();
    int query = 1;
    const UnrealAnswer answer{"CTFGame", "0", {{"Alpha", 3, "0"}, {"Bravo", 1, "1"}}};
    std::istringstream in(GetParam().arrivals);
    for (std::string token; in >> token;) {
        if (token == "T") {
            platform.advance(2000);
            ++query;
            continue;
        }
        const char mark = token.back();
        const int packet = std::stoi(token);
        const std::string id =
            std::to_string(query) + (mark == '.' ? "" : ".") + std::to_string(packet);
        std::string piece = unrealPiece(answer, packet, id, mark == 'f' || mark == 'F');
        if (mark == 'F') piece.pop_back();
        reply(piece, "127.0.0.1", 7778);
    }
    EXPECT_EQ(listener.replies, GetParam().answers);
    if (GetParam().answers > 0)  // the whole answer, whatever order its pieces came in
        EXPECT_EQ(app.monitor.playerRows.at(1).name + " " + app.monitor.redScoreText, "Bravo 0/3");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sequences, UnrealPieces, ::testing::Values(
    PieceCase{"in_order", "1 2 3f", 1}, PieceCase{"out_of_order", "1 2 3f T 3f 2 1", 2},
    PieceCase{"final_mark_without_closing_backslash", "1 2 3F", 1},
    PieceCase{"missing_piece_completed_later", "1 3f 2", 1}, PieceCase{"older_pieces_never_mix_in", "1 3f T 2", 0},
    PieceCase{"lost_final_given_up_at_next_query", "1 2 T 3f", 0}, PieceCase{"second_final_same_query", "1 2 3f 3f 2", 1},
    PieceCase{"piece_above_100_dropped", "1 2 101f", 0}, PieceCase{"queryid_without_full_stop", "1 2 3.", 0},
    PieceCase{"every_query_answered_once", "1 2 3f T 1 2 3f T 3f", 2}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace fc::test
