// Who captured: score jumps between two replies (Quake) or two list snapshots (Unreal).
#include <gtest/gtest.h>

#include "match/capper.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"

namespace fc::test {
namespace {

std::string Reply(const std::vector<PlayerLine>& players) {
    return Quake2Reply({}, players);
}

class CapperTest : public MonitorTest {
protected:
    void SetUp() override { view().gameType = "ctf"; }
    void rows(const std::vector<std::pair<std::string, std::string>>& nameTeam) {
        view().spelerLijst.clear();
        for (const auto& [name, team] : nameTeam)
            view().spelerLijst.push_back({name, "", "", team});
    }
    std::string capper(const std::vector<PlayerLine>& before, const std::vector<PlayerLine>& now,
                       const std::string& team) {
        return ExtractPlayer(app, Reply(now), Reply(before), team);
    }
};

TEST(ZetInEenRegel, FixedWidthRecordsOfNameAndScore) {
    EXPECT_EQ(ZetInEenRegel(Reply({{"12", "45", "Big Bad"}, {"-3", "9", "x"}})),
              "\"BigBad\"            12   \"x\"                 -3   ");
    // Too long for the record: cut to fit.
    EXPECT_EQ(ZetInEenRegel(Reply({{"123456", "1", "abcdefghijklmnopqrstuvwxyz"}})),
              "\"abcdefghijklmnopqrs12345");
    EXPECT_EQ(ZetInEenRegel("\xFF\xFF\xFF\xFFprint\n\\a\\b\n1 2 \"no line end\""), "");
}

TEST_F(CapperTest, LargestRiseOnTheRequestedTeamWins) {
    rows({{"Ann", "Red"}, {"Bob", "Red"}, {"Cid", "Blue"}});
    const std::vector<PlayerLine> before = {
        {"0", "1", "Ann"}, {"0", "1", "Bob"}, {"0", "1", "Cid"}};
    EXPECT_EQ(capper(before, {{"2", "1", "Ann"}, {"15", "1", "Bob"}, {"0", "1", "Cid"}}, "Red"),
              "Bob");
    // Cid's larger rise moves the best, but he is blue: Ann, named before him, stays.
    EXPECT_EQ(capper(before, {{"2", "1", "Ann"}, {"0", "1", "Bob"}, {"16", "1", "Cid"}}, "Red"),
              "Ann");
    EXPECT_EQ(capper(before, {{"0", "1", "Ann"}, {"0", "1", "Bob"}, {"16", "1", "Cid"}}, "Red"),
              "");
    EXPECT_TRUE(view().teamsKnown);
}

TEST_F(CapperTest, EqualRisesAreJoinedUnlessMarked) {
    rows({{"Ann", "Red"}, {"Bob", "Red"}, {"Cid", "Red"}});
    const std::vector<PlayerLine> before = {
        {"0", "1", "Ann"}, {"0", "1", "Bob"}, {"0", "1", "Cid"}};
    const std::vector<PlayerLine> now = {
        {"15", "1", "Ann"}, {"15", "1", "Bob"}, {"15", "1", "Cid"}};
    EXPECT_EQ(capper(before, now, "Red"), "Ann or Bob or Cid");
    view().markedPlayers = "\"cid\"";
    EXPECT_EQ(capper(before, now, "Red"), "Ann or Bob");
}

TEST_F(CapperTest, BoundsOfACapture) {
    rows({{"Ann", "Red"}});
    EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{"22", "1", "Ann"}}, "Red"), "");
    EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{"21", "1", "Ann"}}, "Red"), "Ann");
    view().gameType = "ctfq3";
    EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{"9", "1", "Ann"}}, "Red"), "");
    EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{"1", "1", "Ann"}}, "Red"), "Ann");
    view().gameType = "ctfbq3";
    for (int rise = 1; rise <= 4; ++rise) {
        EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{std::to_string(rise), "1", "Ann"}}, "Red"), "");
    }
    EXPECT_EQ(capper({{"0", "1", "^1Ann"}}, {{"5", "1", "^2Ann"}}, "Red"), "Ann");
    // Colour codes go before the lines are read: a "^" takes even a blank along with it, so
    // "5^ 7" reads as 57 (too much for a capture) and "^ 5" as 5.
    EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{"5^ 7", "1", "Ann"}}, "Red"), "");
    EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{"^ 5", "1", "Ann"}}, "Red"), "Ann");
}

TEST_F(CapperTest, NewcomersAreNoCandidates) {
    rows({{"Ann", "Red"}, {"Bob", "Red"}});
    EXPECT_EQ(capper({{"0", "1", "Ann"}}, {{"1", "1", "Ann"}, {"15", "1", "Bob"}}, "Red"), "Ann");
}

TEST_F(CapperTest, WithoutTeamsAnyoneCanBeTheCapper) {
    rows({{"Ann", kTeamSpectators}, {"Bob", kTeamSpectators}});
    EXPECT_EQ(capper({{"0", "1", "Ann"}, {"0", "1", "Bob"}},
                     {{"3", "1", "Ann"}, {"15", "1", "Bob"}}, "Blue"),
              "Bob");
    EXPECT_TRUE(view().teamsKnown);  // the search leaves the team column in force afterwards
}

TEST_F(CapperTest, UnrealCapturesAreCountedAndReportedWhileRunning) {
    ReportRecorder said;
    app.addListener(&said);
    view().IRCLineCTF = "%as%:%bs% %c%";
    view().spelerLijst = {
        {"Ann", "10", "", "Red"}, {"Bob", "3", "", "Blue"}, {"Cid", "12", "", "Blue"}};
    const std::string before = MaakSpelerLijst(app);
    EXPECT_EQ(before.size(), 180u);
    view().spelerLijst = {
        {"ann", "17", "", "Red"}, {"Bob", "9", "", "Blue"}, {"Cid", "19", "", "Blue"}};
    CheckVoorCaps(app, before);
    EXPECT_EQ(view().capsRed, 1);
    EXPECT_EQ(view().capsBlue, 1);
    EXPECT_TRUE(said.lines.empty());  // no match running: counted, not said

    view().matchState = MatchState::Running;
    const std::string again = MaakSpelerLijst(app);
    view().spelerLijst = {
        {"ann", "24", "", "Red"}, {"Bob", "9", "", "Blue"}, {"Cid", "26", "", "Blue"}};
    CheckVoorCaps(app, again);
    EXPECT_EQ(said.lines, (std::vector<std::string>{"2:2 ann or Cid"}));
}

}  // namespace
}  // namespace fc::test
