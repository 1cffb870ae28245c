// Whole matches recorded from a real Quake 3 engine server, replayed datagram by datagram
// through the reply handler as they arrived on the wire.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "monitor/server_vars.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

// The player names the server's own log says joined, colour codes removed.
std::set<std::string> NamesInGameLog(const std::string& logName) {
    std::set<std::string> names;
    std::ifstream in(CapturesDir() + "/" + logName);
    const std::regex userinfo(R"(ClientUserinfoChanged: \d+ n\\([^\\]*)\\)");
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, userinfo)) names.insert(FilterQ3Colors(m[1].str()));
    }
    return names;
}

int PlayerLines(const std::string& reply) {
    int lines = 0;
    for (char c : reply) lines += c == '\n';
    return lines - 2;
}

class RecordedMatchTest : public MonitorTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(RecordedMatchTest, EveryReplyShowsTheServerAndItsPlayers) {
    const std::string name = GetParam();
    const auto replies = LoadCapture(name + ".q3cap");
    if (replies.empty()) GTEST_SKIP() << "recorded matches not found in " << CapturesDir();

    switchOn("127.0.0.1:27974 recorded");
    firstTick();
    const std::set<std::string> logged = NamesInGameLog(name + ".games.log");
    ASSERT_FALSE(logged.empty());

    int answered = 0;
    for (const RecordedReply& r : replies) {
        if (!r.answered) continue;
        ++answered;
        reply(r.bytes, "127.0.0.1", 27974);
        ASSERT_EQ(view().gameFamily, "Q3");
        EXPECT_EQ(view().qsGame, "baseoa");
        EXPECT_EQ(view().qsMap, GetServerVar("mapname", r.bytes));
        ASSERT_EQ(static_cast<int>(view().spelerLijst.size()), PlayerLines(r.bytes));
        for (const PlayerRow& row : view().spelerLijst) {
            EXPECT_TRUE(logged.count(row.name)) << row.name;
            EXPECT_EQ(row.score.size(), std::max<std::size_t>(4, row.score.size()));
        }
    }
    EXPECT_EQ(listener.replies, answered);
    EXPECT_EQ(view().Q2Serverlist, "127.0.0.1:27974 recorded");
    EXPECT_NE(view().QuakeInfoLabel.find("mapname = "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(RealServer, RecordedMatchTest,
                         ::testing::Values("ctf_oa_ctf4ish_x4", "tdm_oa_dm1_x1"));

}  // namespace
}  // namespace fc::test
