// The monitor's scenarios: replies in, what the window shows and the channel hears out.
#include "monitor/mod_scores.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"
#include "support/scenario.h"

namespace fc::test {
namespace {

FC_SCENARIOS(MatchEvents, "monitor/cases/match_events.txt");
FC_SCENARIOS(Polling, "monitor/cases/polling.txt");

// The same twenty minutes twice give the same lines: nothing reads the wall clock.
TEST(MatchDeterminism, LongMatchGivesTheSameLinesEveryRun) {
    auto play = [] {
        Monitor m;
        ReportRecorder said;
        m.app.addListener(&said);
        m.view().dmTemplate = "%as%:%bs% (%ae% %be%) %tl%";
        m.switchOn("10.0.0.5");
        m.firstTick();
        for (int second = 0; second < 1200; ++second) {
            m.platform.advance(1000);
            const Vars vars = {{"version", "Q3 1.32"}, {"gamename", "baseq3"}, {"g_gametype", "3"}};
            m.reply(quake3Reply(vars, {{std::to_string(second / 7), "40", "[AA]a"},
                                       {"0", "40", "[AA]b"},
                                       {"0", "40", "[AA]c"},
                                       {std::to_string(second / 11), "40", "[BB]d"},
                                       {"0", "40", "[BB]e"},
                                       {"0", "40", "[BB]f"}}),
                    "10.0.0.5", 27910);
        }
        return said.lines;
    };
    const std::vector<std::string> first = play();
    EXPECT_GT(first.size(), 15u);
    EXPECT_EQ(first, play());
    EXPECT_EQ(first.back().rfind("*** MATCH HAS ENDED! ***", 0), 0u);
}

// A new game forgets all of the one before: an Osp pause still to be ended is not continued
// on the next map. Replies one a second from a team deathmatch server, by its clock
// (Score_Time): a match begun and paused on q3dm6, then the rows' clock on q3dm7.
TEST(GameChange, TheNewGameStartsWithNothingOfTheOldOne) {
    const std::string begin = "*** MATCH BEGIN *** Map playing: ";
    struct Row {
        const char* name;
        std::vector<const char*> newMapClock;
        const char* newBeginTime;
    };
    const Row rows[] = {
        {"the new map under way", {"19:50", "19:49"}, "19:50"},
        {"the new map warming up, then starting", {"Starting", "20:00", "19:59"}, "19:59"},
    };
    for (const Row& row : rows) {
        Monitor m;
        ReportRecorder said;
        m.app.addListener(&said);
        m.switchOn("10.0.0.5:27960");
        m.firstTick();
        std::vector<std::pair<const char*, const char*>> replies = {
            {"q3dm6", "20:00"}, {"q3dm6", "19:59"}, {"q3dm6", "PAUSED"}};
        for (const char* time : row.newMapClock) replies.emplace_back("q3dm7", time);
        for (const auto& [map, time] : replies) {
            Vars vars = ospVars("3", time);
            vars.back().second = map;
            m.platform.advance(1000);
            m.reply(quake3Reply(vars, {{"0", "40", "Ann"}, {"0", "50", "Bob"}}), "10.0.0.5", 27960);
        }
        EXPECT_EQ(said.lines,
                  (std::vector<std::string>{
                      begin + "q3dm6   Server: 10.0.0.5:27960   Time Left: 19:59",
                      "*** Match has been paused! *** \x03"
                      "14[Red team] 0 / [Blue team] 0 -- TL: 19:59",
                      "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 / [Blue team] 0",
                      begin + "q3dm7   Server: 10.0.0.5:27960   Time Left: " + row.newBeginTime}))
            << row.name;
    }
}

// Before a match the time left shows the time limit where the server gives none: in base
// Quake 3 capture-the-flag; other games keep what their server said.
TEST_F(MonitorTest, WithoutAMatchOnlyBaseQuake3CtfShowsTheTimeLimit) {
    const std::pair<GameType, const char*> rows[] = {
        {GameType::Quake3BaseCtf, "15:00"},
        {GameType::Quake3OspCtf, "9:59"},
        {GameType::Quake3TeamGame, "9:59"},
        {GameType::Quake2Ctf, "9:59"},
    };
    for (const auto& [type, shown] : rows) {
        SCOPED_TRACE(describe(type).name);
        view().gameType = type;
        view().matchState = MatchState::None;
        view().timeLimitMinutes = "15";
        view().timeLeftText = "9:59";
        showReadyTime(app);
        EXPECT_EQ(view().timeLeftText, shown);
    }
}

}  // namespace
}  // namespace fc::test
