// Whole matches recorded from a real Quake 3 engine server, replayed datagram by datagram
// through the reply handler as they arrived on the wire.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "core/server_vars.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"

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

// The capturers in the server's own log, in order, colour codes removed.
std::vector<std::string> CapturesInGameLog(const std::string& logName) {
    std::vector<std::string> names;
    std::ifstream in(CapturesDir() + "/" + logName);
    const std::regex captured(R"(CTF: \d+ \d+ 1: (.*) captured the )");
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_search(line, m, captured)) names.push_back(FilterQ3Colors(m[1].str()));
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
    ASSERT_FALSE(replies.empty()) << "recorded matches not found in " << CapturesDir();

    switchOn("127.0.0.1:27974 recorded");
    firstTick();
    const std::set<std::string> logged = NamesInGameLog(name + ".games.log");
    ASSERT_FALSE(logged.empty());

    int answered = 0;
    for (const RecordedReply& r : replies) {
        if (!r.answered) continue;
        ++answered;
        reply(r.bytes, "127.0.0.1", 27974);
        ASSERT_EQ(view().gameFamily, GameFamily::Q3);
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

// Replayed at the pace it was recorded, so the match clocks run as they did.
TEST_P(RecordedMatchTest, CapturesReachTheChannelNamingTheirCapturer) {
    const std::string name = GetParam();
    const auto replies = LoadCapture(name + ".q3cap");
    ASSERT_FALSE(replies.empty()) << "recorded matches not found in " << CapturesDir();
    ReportRecorder said;
    app.addListener(&said);
    view().IRCLineCTF = "CAPTURE by %c%";

    switchOn("127.0.0.1:27974");
    long long now = 0;
    for (const RecordedReply& r : replies) {
        platform.advance(r.ms + 1000 - now);  // the first query went out a second after start
        now = r.ms + 1000;
        if (r.answered) reply(r.bytes, "127.0.0.1", 27974);
    }
    std::vector<std::string> captures;
    for (const std::string& line : said.lines) {
        if (line.rfind("CAPTURE by ", 0) == 0) captures.push_back(line.substr(11));
    }
    const std::vector<std::string> expected = CapturesInGameLog(name + ".games.log");
    EXPECT_EQ(captures, expected);
    if (name.rfind("ctf", 0) == 0) EXPECT_EQ(expected.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(RealServer, RecordedMatchTest,
                         ::testing::Values("ctf_oa_ctf4ish_x4", "tdm_oa_dm1_x1"));

}  // namespace
}  // namespace fc::test
