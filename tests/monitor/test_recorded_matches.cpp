// Whole matches recorded from a real Quake 3 engine server, replayed datagram by datagram at the
// pace they arrived, against the server's own log of the same games.
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

// The first group of every line of the server's log that matches, in order.
std::vector<std::string> inGameLog(const std::string& logName, const std::string& pattern) {
    std::vector<std::string> found;
    std::ifstream in(capturesDir() + "/" + logName);
    const std::regex wanted(pattern);
    std::smatch m;
    for (std::string line; std::getline(in, line);)
        if (std::regex_search(line, m, wanted)) found.push_back(filterQ3Colours(m[1].str()));
    return found;
}

struct RecordedGames {
    std::string name;
    std::vector<std::string> lines;  // everything said in the channel, in order
};

const std::string kBeginCtf =
    "*** MATCH BEGIN *** Map playing: oa_ctf4ish   Server: 127.0.0.1:27974   Time Left: 5:00";
const std::string kBeginTdm =
    "*** MATCH BEGIN *** Map playing: oa_dm1   Server: 127.0.0.1:27974   Time Left: 3:00";

// Each recording holds one whole game and the start of the next. One Begin per game, however
// often the frag sums fall back to 0:0; the first game's final score with its own captures
// (2 for RC, 1 for BC), the next game counting from 0. "defaultDM" is the periodic report.
const RecordedGames kRecordedGames[] = {
    {"ctf_oa_ctf4ish_x4",
     {kBeginCtf, "CAP =RC=Grunt [BC]0 [RC]1", "CAP [BC]Grism [BC]1 [RC]1",
      "CAP =RC=Major [BC]1 [RC]2", "defaultDM",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [BC] 1 (8) / [RC] 2 (21)", kBeginCtf}},
    {"tdm_oa_dm1_x1",
     {kBeginTdm, "defaultDM", "defaultDM",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [BC] 15 / [RC] 19", kBeginTdm}},
};

class RecordedMatchTest : public MonitorTest,
                          public ::testing::WithParamInterface<RecordedGames> {};

TEST_P(RecordedMatchTest, ShowAndSayWhatTheServersLogSaysHappened) {
    const RecordedGames& games = GetParam();
    const std::string log = games.name + ".games.log";
    const auto replies = loadCapture(games.name + ".q3cap");
    ASSERT_FALSE(replies.empty()) << "recorded matches not found in " << capturesDir();
    const auto names = inGameLog(log, R"(ClientUserinfoChanged: \d+ n\\([^\\]*)\\)");
    const std::set<std::string> players(names.begin(), names.end());
    const auto maps = inGameLog(log, R"(InitGame: .*\\mapname\\([^\\]*))");
    ReportRecorder said;
    app.addListener(&said);
    app.settings.ctfTemplate = "CAP %c% [%at%]%as% [%bt%]%bs%";
    app.settings.dmTemplate = "defaultDM";

    switchOn("127.0.0.1:27974 recorded");
    long long now = 0;
    int answered = 0;
    for (const RecordedReply& r : replies) {
        platform.advance(r.ms + 1000 - now);  // the first query went out a second after start
        now = r.ms + 1000;
        if (!r.answered) continue;
        ++answered;
        reply(r.bytes, "127.0.0.1", 27974);
        ASSERT_EQ(app.monitor.gameFamily, GameFamily::Q3);
        EXPECT_EQ(app.monitor.gameText, "baseoa");
        EXPECT_EQ(app.monitor.mapText, maps.back());
        for (const PlayerRow& row : app.monitor.playerRows) EXPECT_TRUE(players.count(row.name));
    }
    EXPECT_EQ(listener.replies, answered);
    EXPECT_EQ(app.settings.serverEntry, "127.0.0.1:27974 recorded");
    EXPECT_EQ(said.lines, games.lines);

    std::vector<std::string> cappers;
    std::size_t begins = 0;
    std::size_t ends = 0;
    for (const std::string& line : said.lines) {
        if (line.rfind("CAP ", 0) == 0) cappers.push_back(line.substr(4, line.find(' ', 4) - 4));
        begins += line.rfind("*** MATCH BEGIN", 0) == 0;
        ends += line.rfind("*** MATCH HAS ENDED", 0) == 0;
    }
    EXPECT_EQ(cappers, inGameLog(log, R"(CTF: \d+ \d+ 1: (.*) captured the )"));
    EXPECT_EQ(begins, inGameLog(log, "(InitGame:)").size());
    EXPECT_EQ(ends, inGameLog(log, "(Exit:)").size());
}

INSTANTIATE_TEST_SUITE_P(RealServer, RecordedMatchTest, ::testing::ValuesIn(kRecordedGames),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace fc::test
