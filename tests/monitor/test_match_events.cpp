// Scripted matches, reply by reply through the reply handler on the virtual clock: the exact
// lines said, in order, and the match state after each reply. One group per mod family.
#include <gtest/gtest.h>

#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

using Lines = std::vector<std::string>;

class MatchEventsTest : public MonitorTest {
protected:
    void SetUp() override {
        app.addListener(&said);
        view().IRCLineCTF = "CAP [%at%] %as% - [%bt%] %bs% by %c% TL %tl%";
        switchOn("10.0.0.5:27910");
        firstTick();
    }
    // One reply a second, as the poll brings them.
    void q2(const Vars& vars, const std::vector<PlayerLine>& players) {
        platform.advance(1000);
        reply(Quake2Reply(vars, players), "10.0.0.5", 27910);
    }
    void q3(const Vars& vars, const std::vector<PlayerLine>& players) {
        platform.advance(1000);
        reply(Quake3Reply(vars, players), "10.0.0.5", 27910);
    }
    ReportRecorder said;
};

std::vector<PlayerLine> Clans(int bob, int dan, int ann, int cid) {
    return {{std::to_string(ann), "50", "[ABC]Ann"},
            {std::to_string(bob), "70", "=XY=Bob"},
            {std::to_string(cid), "60", "[ABC]Cid"},
            {std::to_string(dan), "90", "=XY=Dan"},
            {"1", "30", "[ABC]Eve"},
            {"0", "110", "=XY=Fay"}};
}

// Quake 2 capture-the-flag: the teams are named XY (red) and ABC (blue) from the clan tags.
TEST_F(MatchEventsTest, Quake2CaptureTheFlagMatch) {
    auto ctf = [&](const std::string& stats, const std::vector<PlayerLine>& players) {
        q2({{"gamedir", "ctf"}, {"gamestats", stats}}, players);
    };
    ctf("20:00 0/0 0/0", Clans(0, 0, 0, 0));
    EXPECT_EQ(view().matchState, MatchState::None);
    ctf("20:00 0/0 0/0", Clans(0, 0, 0, 0));
    EXPECT_EQ(view().matchState,
              MatchState::Ready);  // the clock stands at a full minute: a match is coming
    ctf("19:59 0/0 0/0", Clans(0, 0, 0, 0));
    EXPECT_EQ(view().matchState, MatchState::Running);
    ctf("19:30 1/2 0/0", Clans(17, 2, 0, 0));    // Bob's 17 points: the capture bonus and a frag
    ctf("18:00 1/4 1/9", Clans(17, 4, 15, 15));  // Ann and Cid rose alike: both are named
    ctf("0:01 1/4 1/9", Clans(17, 4, 15, 15));
    ctf("INT 1/4 1/9", Clans(17, 4, 15, 15));
    EXPECT_EQ(view().matchState, MatchState::None);
    EXPECT_EQ(
        said.lines,
        (Lines{"*** MATCH BEGIN *** Map playing:    Server: 10.0.0.5:27910   Time Left: 19:59",
               "CAP [XY] 1 - [ABC] 0 by =XY=Bob TL 19:30",
               "CAP [XY] 1 - [ABC] 1 by [ABC]Ann or [ABC]Cid TL 18:00",
               "*** MATCH HAS ENDED! *** FINAL SCORE: [XY] 1 (4) / [ABC] 1 (9)"}));
}

// Capture counts as large as the numbers the server may send add up without overflowing.
TEST_F(MatchEventsTest, HugeCaptureCountsAreHeldWithinBounds) {
    const std::string huge = "9000000000000000000";
    for (const char* stats : {"20:00 0/0 0/0", "20:00 0/0 0/0", "19:59 0/0 0/0"})
        q2({{"gamedir", "ctf"}, {"gamestats", stats}}, Clans(0, 0, 0, 0));
    q2({{"gamedir", "ctf"}, {"gamestats", "19:30 " + huge + "1/0 " + huge + "/0"}},
       Clans(0, 0, 0, 0));
    ASSERT_EQ(said.lines.size(), 2u);
    EXPECT_EQ(said.lines[1], "CAP [XY] " + huge + " - [ABC] " + huge + " by  TL 19:30");
}

TEST_F(MatchEventsTest, FirstCaptureChecksWhichSideEachClanPlays) {
    for (const char* stats : {"20:00 0/0 0/0", "20:00 0/0 0/0", "19:59 0/0 0/0"})
        q2({{"gamedir", "ctf"}, {"gamestats", stats}}, Clans(0, 0, 0, 0));
    EXPECT_FALSE(view().teamsSwapped);
    // XY, named red by its tags, holds the most frags while the server's blue side leads.
    q2({{"gamedir", "ctf"}, {"gamestats", "19:30 1/2 0/9"}}, Clans(17, 2, 0, 0));
    EXPECT_TRUE(view().teamsSwapped);
}

TEST_F(MatchEventsTest, SkippedCaptureTheFlagMatchSaysNothing) {
    view().matchState = MatchState::Skip;
    q2({{"gamedir", "ctf"}, {"gamestats", "20:00 0/0 0/0"}}, Clans(0, 0, 0, 0));
    q2({{"gamedir", "ctf"}, {"gamestats", "19:59 0/0 0/0"}}, Clans(0, 0, 0, 0));
    EXPECT_EQ(view().matchState,
              MatchState::None);  // the skipped match began; the next one counts again
    q2({{"gamedir", "ctf"}, {"gamestats", "19:30 1/2 0/0"}}, Clans(17, 2, 0, 0));
    EXPECT_TRUE(said.lines.empty());
}

TEST_F(MatchEventsTest, BattleStartedByScoresWhileReady) {
    const std::vector<PlayerLine> none = {{"0", "40", "[AA]one"},
                                          {"0", "40", "[AA]two"},
                                          {"0", "40", "[BB]three"},
                                          {"0", "40", "[BB]four"}};
    q2({{"gamedir", "battle"}}, none);
    EXPECT_EQ(view().matchState, MatchState::Ready);  // 0:0 means a match is expected
    q2({{"gamedir", "battle"}}, {{"0", "40", "[AA]one"},
                                 {"0", "40", "[AA]two"},
                                 {"1", "40", "[BB]three"},
                                 {"0", "40", "[BB]four"}});
    EXPECT_EQ(view().matchState, MatchState::Running);
    EXPECT_EQ(view().secondsPlayed, 20);  // the quiet start does not fire in a running match
    EXPECT_TRUE(app.battleTimer->enabled());
    EXPECT_EQ(
        said.lines,
        (Lines{"*** MATCH BEGIN *** Map playing:    Server: 10.0.0.5:27910   Time Left: 20:00"}));
}

TEST_F(MatchEventsTest, BattleStartedByScoresWithNoMatchExpected) {
    q2({{"gamedir", "battle"}}, {{"1", "40", "[AA]one"},
                                 {"0", "40", "[AA]two"},
                                 {"0", "40", "[BB]three"},
                                 {"0", "40", "[BB]four"}});
    EXPECT_EQ(said.lines.size(), 1u);  // the Begin line, the state staying 0 for it
    EXPECT_EQ(view().matchState, MatchState::Running);  // then the quiet start takes the match up
    EXPECT_EQ(view().secondsPlayed, 15);
}

TEST_F(MatchEventsTest, OspTeamDeathmatchBegunByTheClockPausedAndContinued) {
    view().serverIsPrivate = true;
    auto osp = [&](const std::string& time) {
        q3(OspVars("3", time), {{"0", "40", "Ann"}, {"0", "50", "Bob"}});
    };
    osp("20:00");
    EXPECT_EQ(view().gameType, "dmq3");
    EXPECT_EQ(view().matchState, MatchState::Ready);
    osp("19:59");
    EXPECT_EQ(view().matchState, MatchState::Running);
    EXPECT_EQ(view().secondsPlayed, 6);
    osp("PAUSED");
    EXPECT_EQ(view().qsTimeLeft, "19:59 (Paused)");
    osp("PAUSED");
    osp("PAUSED");
    osp("19:58");
    osp("19:57");
    osp("Timelimit");
    EXPECT_EQ(view().matchState, MatchState::None);
    EXPECT_EQ(
        said.lines,
        (Lines{"*** MATCH BEGIN *** Map playing: q3dm6   Server: [PRIVATE!]   Time Left: 19:59",
               "*** Match has been paused! *** \x03"
               "14[Red team] 0 / [Blue team] 0 -- TL: 19:59",
               "*** Match continues! *** \x03"
               "14[Red team] 0 / [Blue team] 0 -- TL: 19:58",
               "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 / [Blue team] 0"}));
}

TEST_F(MatchEventsTest, OspStartingAgainStopsARunningMatch) {
    auto osp = [&](const std::string& time) {
        q3(OspVars("1", time, "10"), {{"0", "40", "Ann"}, {"0", "50", "Bob"}});
    };
    osp("9:00");
    view().matchState = MatchState::Running;
    osp("Starting");
    EXPECT_EQ(view().matchState, MatchState::Ready);
    EXPECT_EQ(view().qsTimeLeft, "10:00");
    EXPECT_EQ(said.lines, (Lines{"*** Match has stopped ***"}));
}

TEST_F(MatchEventsTest, OspCaptureTheFlagMatch) {
    auto osp = [&](const std::string& time, const std::string& red, const std::string& blue,
                   const std::vector<PlayerLine>& players) {
        q3(OspVars("4", time, "20", red, blue), players);
    };
    osp("Starting", "0", "0", Clans(0, 0, 0, 0));
    osp("Starting", "0", "0", Clans(0, 0, 0, 0));
    EXPECT_EQ(view().matchState, MatchState::Ready);
    osp("19:59", "0", "0", Clans(0, 0, 0, 0));
    osp("19:00", "0", "1", Clans(0, 0, 6, 1));  // Ann: 5 for the capture, 1 for a frag
    osp("18:00", "0", "1", Clans(2, 0, 6, 1));
    osp("Timelimit", "0", "1", Clans(2, 0, 6, 1));
    EXPECT_EQ(
        said.lines,
        (Lines{"*** MATCH BEGIN *** Map playing: q3dm6   Server: 10.0.0.5:27910   Time Left: 19:59",
               "CAP [XY] 0 - [ABC] 1 by [ABC]Ann TL 19:00",
               "*** MATCH HAS ENDED! *** FINAL SCORE: [XY] 0 (2) / [ABC] 1 (8)"}));
}

TEST_F(MatchEventsTest, BaseQuake3CaptureTheFlagCountedFromPlayerScores) {
    auto bq3 = [&](int bob, int dan, int ann, int cid) {
        q3({{"version", "Q3 1.32"},
            {"gamename", "baseq3"},
            {"g_gametype", "4"},
            {"mapname", "q3ctf1"}},
           {{std::to_string(ann), "50", "[ABC]Ann"},
            {std::to_string(bob), "70", "=XY=Bob"},
            {std::to_string(cid), "60", "[ABC]Cid"},
            {std::to_string(dan), "90", "=XY=Dan"},
            {"0", "30", "[ABC]Eve"},
            {"0", "110", "=XY=Fay"}});
    };
    bq3(0, 0, 0, 0);
    EXPECT_EQ(view().matchState, MatchState::Ready);
    bq3(0, 0, 1, 0);  // the first frag begins the match and starts its clock
    EXPECT_EQ(view().matchState, MatchState::Running);
    bq3(5, 0, 1, 0);  // Bob: a capture; the clock leaving the full time begins nothing more
    bq3(6, 3, 1, 0);  // a frag and an assist: no capture
    bq3(6, 3, 1, 6);  // Cid: a capture and a frag
    EXPECT_EQ(view().capsRedQ3, 1);
    EXPECT_EQ(view().capsBlueQ3, 1);
    EXPECT_EQ(view().qsRed, "1/9");
    EXPECT_EQ(
        said.lines,
        (Lines{
            "*** MATCH BEGIN *** Map playing: q3ctf1   Server: 10.0.0.5:27910   Time Left: 20:00",
            "CAP [XY] 1 - [ABC] 0 by =XY=Bob TL 19:39",
            "CAP [XY] 1 - [ABC] 1 by [ABC]Cid TL 19:37"}));
}

TEST_F(MatchEventsTest, TourneyTeamPlayWithPeriodicScoreLines) {
    view().ReportDM = "300";
    auto tourney = [&](const std::string& time, const std::string& a, const std::string& b) {
        q2({{"gamedir", "tourney"},
            {"match_type", "TeamPlay"},
            {"time_remaining", time},
            {"Score_A", a},
            {"Score_B", b}},
           {{"0", "40", "Ann"}, {"0", "50", "Bob"}});
    };
    tourney("WARMUP", "WARMUP", "WARMUP");
    EXPECT_EQ(view().matchState, MatchState::Ready);
    tourney("20:00", "0-AAA", "0-BBB");
    EXPECT_EQ(view().matchState, MatchState::Running);
    tourney("19:59", "1-AAA", "0-BBB");  // 20 is never reported
    tourney("15:00", "5-AAA", "3-BBB");
    tourney("14:59", "5-AAA", "3-BBB");
    tourney("13:59", "6-AAA", "3-BBB");  // 14 is no multiple of 5
    tourney("10:00", "8-AAA", "4-BBB");
    tourney("9:59", "8-AAA", "4-BBB");
    tourney("0:12", "9-AAA", "9-BBB");
    tourney("0:00", "9-AAA", "9-BBB");
    EXPECT_EQ(view().matchState, MatchState::None);
    EXPECT_EQ(
        said.lines,
        (Lines{"*** MATCH BEGIN *** Map playing:    Server: 10.0.0.5:27910   Time Left: 20:00",
               "SCORE: [Team A] 5 / [Team B] 3 -- Time Left: 14:59",
               "SCORE: [Team A] 8 / [Team B] 4 -- Time Left: 9:59",
               "*** MATCH HAS ENDED! *** FINAL SCORE: [Team A] 9 / [Team B] 9"}));
}

TEST_F(MatchEventsTest, TourneyEndsAtZeroEvenWithoutABegin) {
    q2({{"gamedir", "tourney"}, {"match_type", "TeamPlay"}, {"time_remaining", "0:12"}}, {});
    q2({{"gamedir", "tourney"}, {"match_type", "TeamPlay"}, {"time_remaining", "0:00"}}, {});
    EXPECT_EQ(said.lines.size(), 1u);
    EXPECT_EQ(said.lines[0].rfind("*** MATCH HAS ENDED! ***", 0), 0u);
}

// The same twenty minutes twice give the same lines: nothing reads the wall clock.
TEST(MatchDeterminism, LongMatchGivesTheSameLinesEveryRun) {
    auto play = [] {
        FakePlatform platform;
        WiredApp app(platform);
        ReportRecorder said;
        app.addListener(&said);
        app.view.IRCLineDM = "%as%:%bs% (%ae% %be%) %tl%";
        OnServerEntryEdited(app, "10.0.0.5");
        WisselConnectie(app);
        platform.advance(1000);
        for (int second = 0; second < 1200; ++second) {
            platform.advance(1000);
            const int red = second / 7;
            const int blue = second / 11;
            platform.udpSockets.at(0)->deliver(Quake3Reply({{"version", "Q3 1.32"},
                                                            {"gamename", "baseq3"},
                                                            {"g_gametype", "3"},
                                                            {"timelimit", "20"}},
                                                           {{std::to_string(red), "40", "[AA]a"},
                                                            {"0", "40", "[AA]b"},
                                                            {"0", "40", "[AA]c"},
                                                            {std::to_string(blue), "40", "[BB]d"},
                                                            {"0", "40", "[BB]e"},
                                                            {"0", "40", "[BB]f"}}),
                                               "10.0.0.5", 27910);
        }
        return said.lines;
    };
    const Lines first = play();
    EXPECT_GT(first.size(), 15u);
    EXPECT_EQ(first, play());
    EXPECT_EQ(first.back().rfind("*** MATCH HAS ENDED! ***", 0), 0u);
}

}  // namespace
}  // namespace fc::test
