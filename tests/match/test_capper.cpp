// Who captured: score jumps between two replies (Quake) or two list snapshots (Unreal).
#include <gtest/gtest.h>

#include "match/capper.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"

namespace fc::test {
namespace {

// "Ann=0,Bob=12": names with their scores (or teams).
std::vector<std::pair<std::string, std::string>> namePairs(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t at = 0, end = 0; !text.empty() && end != std::string::npos; at = end + 1) {
        end = text.find(',', at);
        const std::string pair = text.substr(at, end - at);
        pairs.emplace_back(pair.substr(0, pair.find('=')), pair.substr(pair.find('=') + 1));
    }
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

// Who captured for red: the largest rise of a capture on the team, within the bounds of a
// capture in that game; the team column gives the teams, two replies the scores.
TEST_F(MonitorTest, CapperIsTheLargestRiseOfACaptureOnTheTeam) {
    const char* const abc = "Ann=Red,Bob=Red,Cid=Blue";
    const char* const reds = "Ann=Red,Bob=Red,Cid=Red";
    const char* const zeros = "Ann=0,Bob=0,Cid=0";
    const struct {
        const char* name;
        GameType type;
        const char *teams, *before, *now, *capper, *marked = "";
    } rows[] = {
        {"the largest rise", GameType::Quake2Ctf, abc, zeros, "Ann=2,Bob=15,Cid=0", "Bob"},
        // Cid's larger rise moves the best, but he is blue: Ann, named before him, stays.
        {"the best of the team", GameType::Quake2Ctf, abc, zeros, "Ann=2,Bob=0,Cid=16", "Ann"},
        {"none on the team", GameType::Quake2Ctf, abc, zeros, "Ann=0,Bob=0,Cid=16", ""},
        {"equal rises joined", GameType::Quake2Ctf, reds, zeros, "Ann=15,Bob=15,Cid=15",
         "Ann or Bob or Cid"},
        {"unless marked", GameType::Quake2Ctf, reds, zeros, "Ann=15,Bob=15,Cid=15", "Ann or Bob",
         "\"cid\""},
        {"Quake 2 above", GameType::Quake2Ctf, "Ann=Red", "Ann=0", "Ann=22", ""},
        {"Quake 2 within", GameType::Quake2Ctf, "Ann=Red", "Ann=0", "Ann=21", "Ann"},
        {"mod above", GameType::Quake3OspCtf, "Ann=Red", "Ann=0", "Ann=9", ""},
        {"mod within", GameType::Quake3OspCtf, "Ann=Red", "Ann=0", "Ann=1", "Ann"},
        {"base below", GameType::Quake3BaseCtf, "Ann=Red", "Ann=0", "Ann=4", ""},
        {"base far below", GameType::Quake3BaseCtf, "Ann=Red", "Ann=0", "Ann=1", ""},
        {"base within, colours", GameType::Quake3BaseCtf, "Ann=Red", "^1Ann=0", "^2Ann=5", "Ann"},
        // Colour codes go before the lines are read: a "^" takes even a blank along with it, so
        // "5^ 7" reads as 57 (too much for a capture) and "^ 5" as 5.
        {"a caret takes a blank", GameType::Quake3BaseCtf, "Ann=Red", "Ann=0", "Ann=5^ 7", ""},
        {"a caret before", GameType::Quake3BaseCtf, "Ann=Red", "Ann=0", "Ann=^ 5", "Ann"},
        {"newcomers are no candidates", GameType::Quake2Ctf, "Ann=Red,Bob=Red", "Ann=0",
         "Ann=1,Bob=15", "Ann"},
        {"without teams anyone", GameType::Quake2Ctf, "Ann=Spec,Bob=Spec", "Ann=0,Bob=0",
         "Ann=3,Bob=15", "Bob"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        app.monitor.gameType = r.type;
        app.match.markedPlayers = r.marked;
        app.monitor.playerRows.clear();
        for (const auto& [name, team] : namePairs(r.teams))
            app.monitor.playerRows.push_back({name, "", "", team});
        EXPECT_EQ(extractPlayer(app, statusWithPlayers(r.now), statusWithPlayers(r.before), "Red"),
                  r.capper);
        EXPECT_TRUE(app.match.teamsKnown);  // the search leaves the team column in force afterwards
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
