// The match button, the match clocks, the periodic report and the time-played correction.
#include <gtest/gtest.h>

#include "match/match_control.h"
#include "support/monitor_fixture.h"
#include "support/report_recorder.h"

namespace fc::test {
namespace {

class MatchControlTest : public MonitorTest {
protected:
    void SetUp() override {
        app.addListener(&said);
        view().IRCLineDM = "%at% %as% (%ae%) %bt% %bs% (%be%) ping %ap%/%bp% TL %tl%";
    }
    ReportRecorder said;
};

TEST_F(MatchControlTest, ButtonWalksTheStates) {
    OnMatchButton(app);
    EXPECT_EQ(view().matchState, MatchState::Running);
    EXPECT_FALSE(app.battleTimer->enabled());  // no clock kept for this game
    view().TimePlayedXVisible = true;
    OnMatchButton(app);
    EXPECT_EQ(view().matchState, MatchState::None);
    EXPECT_EQ(view().qsTimeLeft, "20:00");
    EXPECT_FALSE(view().TimePlayedXVisible);

    view().matchState = MatchState::Ready;
    OnMatchButton(app);
    EXPECT_EQ(view().matchState, MatchState::Skip);
    EXPECT_EQ(view().Command2, "Set 'Ready to start'");
    OnMatchButton(app);
    EXPECT_EQ(view().matchState, MatchState::Ready);
    EXPECT_EQ(view().Command2, "Skip next match");
}

TEST_F(MatchControlTest, StartingByHandStartsTheClockOfGamesThatNeedIt) {
    struct Case {
        const char* game;
        const char* type;
        int seconds;
    };
    for (const Case& c :
         {Case{"baseq3", "dmbq3", 11}, Case{"baseoa", "dmbq3", 11}, Case{"BaseQ3", "dmbq3", 11},
          Case{"OSP", "dmq3", 15}, Case{"osp", "dmbq3", 11}, Case{"Battle", "dm", 15}}) {
        view().matchState = MatchState::None;
        view().qsGame = c.game;
        view().gameType = c.type;
        view().lastReportedRed = 9;
        app.battleTimer->setEnabled(false);
        OnMatchButton(app);
        EXPECT_TRUE(app.battleTimer->enabled()) << c.game;
        EXPECT_EQ(view().secondsPlayed, c.seconds) << c.game;
        EXPECT_EQ(view().lastReportedRed, 0);
    }
}

TEST_F(MatchControlTest, PeriodicReportOnEverySixtyFirstTickWithSignedPoints) {
    view().matchState = MatchState::Running;
    view().qsRed = "3";
    view().qsBlue = "0";
    view().avgPingRed = 40;
    app.battleTimer->setEnabled(true);
    platform.advance(60000);
    EXPECT_TRUE(said.lines.empty());
    platform.advance(1000);
    ASSERT_EQ(said.lines.size(), 1u);
    EXPECT_EQ(said.lines[0], "Red team 3 (+3) Blue team 0 (+0) ping 40/0 TL [no match]");
    view().qsRed = "2";
    platform.advance(61000);
    ASSERT_EQ(said.lines.size(), 2u);
    EXPECT_EQ(said.lines[1], "Red team 2 (-1) Blue team 0 (+0) ping 40/0 TL [no match]");
}

TEST_F(MatchControlTest, NoReportWhileNoMatchOrReady) {
    app.battleTimer->setEnabled(true);
    view().battleTimerTag = "50";
    for (int state : {0, 2}) {
        view().matchState = static_cast<MatchState>(state);
        platform.advance(200000);
        EXPECT_TRUE(said.lines.empty());
        EXPECT_EQ(view().battleTimerTag, "0");
    }
    view().matchState = MatchState::Skip;  // a skipped match is still reported on
    platform.advance(61000);
    EXPECT_EQ(said.lines.size(), 1u);
}

TEST_F(MatchControlTest, TimePlayedFollowsTheClockAndCanBeCorrected) {
    view().matchState = MatchState::Running;
    app.battleTimer->setEnabled(true);
    platform.advance(75000);
    EXPECT_EQ(view().secondsPlayed, 75);
    EXPECT_EQ(view().TimePlayedX, "1:15");

    OnTimePlayedYChanged(app, false);
    EXPECT_TRUE(view().TimePlayedXEditable);
    OnTimePlayedXClicked(app);
    OnTimePlayedXEdited(app, "12:30");
    platform.advance(2000);
    EXPECT_EQ(view().TimePlayedX, "12:30");  // not overwritten while being corrected
    OnTimePlayedYChanged(app, true);
    EXPECT_EQ(view().secondsPlayed, 750);
    EXPECT_FALSE(view().TimePlayedXEditable);

    OnTimePlayedYChanged(app, false);
    OnTimePlayedXEdited(app, "99:00");
    OnTimePlayedYChanged(app, true);  // no click into the field: the text is not taken
    EXPECT_EQ(view().secondsPlayed, 750);
}

TEST_F(MatchControlTest, ReportIntervalThatIsNotPositiveReadsForty) {
    for (const char* text : {"0", "-5", "soon", ""}) {
        OnReportDMEdited(app, text);
        EXPECT_EQ(view().ReportDM, "40") << text;
    }
    OnReportDMEdited(app, "90 seconds");
    EXPECT_EQ(view().ReportDM, "90 seconds");
}

TEST_F(MatchControlTest, UnrealClockCountsDownAndReportsTeamGames) {
    view().gameFamily = GameFamily::UT;
    view().gameType = "utdm";
    view().ReportDM = "60";
    view().TimeLimitDM = "20";
    view().qsRed = "4";
    OnMatchButton(app);
    EXPECT_EQ(view().matchState, MatchState::Running);
    EXPECT_TRUE(app.UTTimer->enabled());
    platform.advance(59000);
    EXPECT_TRUE(said.lines.empty());
    platform.advance(1000);
    EXPECT_EQ(said.lines.size(), 1u);
    EXPECT_EQ(view().secondsPlayed, 60);
    EXPECT_EQ(view().qsTimeLeft, "19:00");
    EXPECT_EQ(view().lastReportedRed, 4);
    platform.advance(10000);
    OnMatchButton(app);
    EXPECT_FALSE(app.UTTimer->enabled());
    EXPECT_EQ(view().matchState, MatchState::None);
    EXPECT_EQ(view().UTTimerTag, "60");  // the next start counts a whole interval again
}

TEST(FreshApp, KnowsNoScoresAndNoTeams) {
    FakePlatform platform;
    App app(platform);
    EXPECT_EQ(app.view.qsRed, "0/0");
    EXPECT_EQ(app.view.qsBlue, "0/0");
    EXPECT_FALSE(app.view.teamsKnown);
}

TEST_F(MatchControlTest, MinimisedCaptionShowsTheScore) {
    platform.advance(1000);
    EXPECT_EQ(view().Caption, "~ FCST ~");
    view().windowMinimised = true;
    view().qsRed = "2/31";
    view().qsBlue = "1/20";
    view().qsTimeLeft = "12:00";
    platform.advance(1000);
    EXPECT_EQ(view().Caption, "Red team 2|Blue team 1|12:00");
}

}  // namespace
}  // namespace fc::test
