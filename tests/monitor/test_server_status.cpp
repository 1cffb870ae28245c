// Each reply is read once into the status the layers above take: the table below holds what
// real and built replies must read as.
#include <gtest/gtest.h>

#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc {
void PrintTo(const StatusPlayer& p, std::ostream* out) {
    *out << p.name << "|" << p.sentScore << "|" << p.sentName << "|" << p.plainScore << "|"
         << p.plainName << "|" << p.score << "|" << p.ping << "|" << p.team;
}
}  // namespace fc

namespace fc::test {
namespace {

struct StatusRow {
    const char* name;
    std::string reply;  // a built reply, or empty to take a recorded one
    const char* capture = "";
    std::size_t answeredIndex = 0;  // which answered reply of the recording
    GameFamily family;
    GameType gameType;
    const char* map;
    std::size_t variableCount;
    std::size_t playerCount;
    StatusPlayer firstPlayer;
    double redPoints;
    double redCaptures;
    bool scoresSplit;
    const char* timeLeft;
};

std::string recordedReply(const std::string& capture, std::size_t index) {
    std::size_t seen = 0;
    for (const RecordedReply& r : loadCapture(capture + ".q3cap")) {
        if (r.answered && seen++ == index) return r.bytes;
    }
    return "";
}

const StatusRow kRows[] = {
    {"RecordedBaseQuake3Ctf", "", "ctf_oa_ctf4ish_x4", 50, GameFamily::Q3, GameType::Quake3BaseCtf,
     "oa_ctf4ish", 43, 6,
     StatusPlayer{"=RC=Sarge", "2", "\"^1=RC=^7Sarge\"", "2", "\"=RC=Sarge\"", 2, 0, "Blue"}, 8, 0,
     true, "5:00"},
    {"RecordedBaseQuake3TeamGame", "", "tdm_oa_dm1_x1", 105, GameFamily::Q3,
     GameType::Quake3TeamGame, "oa_dm1", 43, 6,
     StatusPlayer{"=RC=Sarge", "5", "\"^1=RC=^7Sarge\"", "5", "\"=RC=Sarge\"", 5, 0, "Blue"}, 7, 0,
     false, "20:00"},
    {"Quake2NameWithBlanksAndQuotes",
     quake2Reply({{"mapname", "q2dm1"}, {"gamedir", "baseq2"}},
                 {{"12", "45", "Big Bad"}, {"-3", "999", "x"}}),
     "", 0, GameFamily::Q2, GameType::NoGameYet, "q2dm1", 2, 2,
     StatusPlayer{"Big Bad", "12", "\"Big Bad\"", "12", "\"Big Bad\"", 12, 45, "Spec"}, 0, 0, false,
     "[no match]"},
    {"OspCtfScoresAreCapturesAndFrags",
     quake3Reply(ospVars("4", "12:34", "20", "3", "1"), {{"7", "50", "a"}}), "", 0, GameFamily::Q3,
     GameType::Quake3OspCtf, "q3dm6", 8, 1,
     StatusPlayer{"a", "7", "\"a\"", "7", "\"a\"", 7, 50, "Spec"}, 0, 3, true, "12:34"},
    {"Quake3ColourCodeTakesTheBlankAlongForTheCapper", quake3Reply({}, {{"5^", "7 1", "Ann"}}), "",
     0, GameFamily::Q3, GameType::NoGameYet, "", 0, 1,
     StatusPlayer{"1 Ann", "5^", "1 \"Ann\"", "57", "\"Ann\"", 5, 7, "Spec"}, 0, 0, false,
     "[no match]"},
};

void PrintTo(const StatusRow& row, std::ostream* out) {
    *out << row.name;
}

class ServerStatusTest : public MonitorTest, public ::testing::WithParamInterface<StatusRow> {};

TEST_P(ServerStatusTest, OneReplyReadsIntoTheFields) {
    const StatusRow& row = GetParam();
    const std::string bytes =
        row.reply.empty() ? recordedReply(row.capture, row.answeredIndex) : row.reply;
    ASSERT_FALSE(bytes.empty()) << "recorded matches not found in " << capturesDir();
    switchOn("127.0.0.1:27960");
    firstTick();
    reply(bytes, "127.0.0.1", 27960);

    const ServerStatus& status = app.status;
    EXPECT_TRUE(status.answered);
    EXPECT_EQ(status.family, row.family);
    EXPECT_EQ(status.gameType, row.gameType);
    EXPECT_EQ(status.variable("mapname"), row.map);
    EXPECT_EQ(status.variables.size(), row.variableCount);
    ASSERT_EQ(status.players.size(), row.playerCount);
    EXPECT_EQ(status.players.front(), row.firstPlayer);
    EXPECT_EQ(status.red.points, row.redPoints);
    EXPECT_EQ(status.red.captures, row.redCaptures);
    EXPECT_EQ(status.red.split, row.scoresSplit);
    EXPECT_EQ(status.timeLeft, row.timeLeft);
}

INSTANTIATE_TEST_SUITE_P(Replies, ServerStatusTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The operator's sorting reorders the rows, not the status: each player keeps its own team.
TEST_F(MonitorTest, SortedRowsLeaveEachPlayerItsTeam) {
    app.window.playerRowsSortColumn = 0;  // by name
    switchOn("127.0.0.1:27960");
    firstTick();
    reply(quake2Reply({{"Players_Red", "1"}}, {{"3", "20", "b"}, {"5", "30", "a"}}), "127.0.0.1",
          27960);
    ASSERT_EQ(app.monitor.playerRows.front().name, "a");
    ASSERT_EQ(app.status.players.size(), 2u);
    EXPECT_EQ(app.status.players[0].name, "b");
    EXPECT_EQ(app.status.players[0].team, "Red");
    EXPECT_EQ(app.status.players[1].team, "Spec");
}

}  // namespace
}  // namespace fc::test
