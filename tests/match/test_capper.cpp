// Who captured: score jumps between two replies (Quake) or two list snapshots (Unreal).
#include <gtest/gtest.h>

#include "match/capper.h"
#include "support/cases.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"
#include "support/view_fields.h"

namespace fc::test {
namespace {

// "Ann=0,Bob=12": names with their scores (or teams).
std::vector<std::pair<std::string, std::string>> namePairs(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const std::string& p : splitList(text))
        pairs.emplace_back(p.substr(0, p.find('=')), p.substr(p.find('=') + 1));
    return pairs;
}

// The status the monitor reads from a reply.
ServerStatus statusOf(const std::string& reply) {
    Monitor monitor;
    monitor.switchOn("127.0.0.1:27910");
    monitor.firstTick();
    monitor.reply(reply, "127.0.0.1", 27910);
    return monitor.app.status;
}

// A reply with these players; the capper search takes colour codes out where the game says so.
ServerStatus statusWithPlayers(const std::string& players) {
    std::vector<PlayerLine> lines;
    for (const auto& [name, score] : namePairs(players)) lines.push_back({score, "1", name});
    return statusOf(quake2Reply({}, lines));
}

TEST(QuakePlayerSnapshot, FixedWidthRecordsOfNameAndScore) {
    EXPECT_EQ(
        quakePlayerSnapshot(statusOf(quake2Reply({}, {{"12", "45", "Big Bad"}, {"-3", "9", "x"}}))),
        "\"BigBad\"            12   \"x\"                 -3   ");
    // Too long for the record: cut to fit.
    EXPECT_EQ(quakePlayerSnapshot(statusWithPlayers("abcdefghijklmnopqrstuvwxyz=123456")),
              "\"abcdefghijklmnopqrs12345");
    EXPECT_EQ(quakePlayerSnapshot(statusOf("\xFF\xFF\xFF\xFFprint\n\\a\\b\n1 2 \"no line end\"")),
              "");
}

TEST_F(MonitorTest, CapperIsTheLargestRiseOfACaptureOnTheTeam) {
    for (const Case& c : loadCases("match/cases/capper.txt")) {
        SCOPED_TRACE(c.name);
        app.monitor.gameType = gameTypeOfCode(c.get("game")).value();
        app.match.markedPlayers = c.get("marked");
        app.monitor.playerRows.clear();
        for (const auto& [name, team] : namePairs(c.get("teams")))
            app.monitor.playerRows.push_back({name, "", "", team});
        EXPECT_EQ(extractPlayer(app, statusWithPlayers(c.get("now")),
                                statusWithPlayers(c.get("before")), "Red"),
                  c.get("capper"));
        // the search leaves the team column in force afterwards
        EXPECT_TRUE(app.match.teamsKnown);
    }
}

TEST_F(MonitorTest, UnrealCapturesAreCountedAndReportedWhileRunning) {
    ReportRecorder said;
    app.addListener(&said);
    app.monitor.gameType = GameType::UnrealCtf;
    app.settings.ctfTemplate = "%as%:%bs% %c%";
    app.monitor.playerRows = {
        {"Ann", "10", "", "Red"}, {"Bob", "3", "", "Blue"}, {"Cid", "12", "", "Blue"}};
    const std::string before = unrealPlayerSnapshot(app);
    EXPECT_EQ(before.size(), 180u);
    app.monitor.playerRows = {
        {"ann", "17", "", "Red"}, {"Bob", "9", "", "Blue"}, {"Cid", "19", "", "Blue"}};
    countUnrealCaptures(app, before);
    EXPECT_EQ(app.match.game.capsRed, 1);
    EXPECT_EQ(app.match.game.capsBlue, 1);
    EXPECT_TRUE(said.lines.empty());  // no match running: counted, not said

    app.match.matchState = MatchState::Running;
    const std::string again = unrealPlayerSnapshot(app);
    app.monitor.playerRows = {
        {"ann", "24", "", "Red"}, {"Bob", "9", "", "Blue"}, {"Cid", "26", "", "Blue"}};
    countUnrealCaptures(app, again);
    EXPECT_EQ(said.lines, (std::vector<std::string>{"2:2 ann or Cid"}));
}

}  // namespace
}  // namespace fc::test
