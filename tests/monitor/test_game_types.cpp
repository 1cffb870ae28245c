// Whole replies through the reply handler, grouped by mod: what the window shows afterwards.
#include <gtest/gtest.h>

#include "match/teams.h"
#include "monitor/team_sums.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"

namespace fc::test {
namespace {

class GameTypeTest : public MonitorTest {
protected:
    void SetUp() override {
        switchOn("10.0.0.5:27910");
        firstTick();
    }
    void q2(const Vars& vars, const std::vector<PlayerLine>& players) {
        reply(Quake2Reply(vars, players), "10.0.0.5", 27910);
    }
    void q3(const Vars& vars, const std::vector<PlayerLine>& players) {
        reply(Quake3Reply(vars, players), "10.0.0.5", 27910);
    }
    std::vector<std::string> teams() {
        std::vector<std::string> out;
        for (const auto& row : view().spelerLijst) out.push_back(row.team);
        return out;
    }
};

// Six players of two clans, three a side.
const std::vector<PlayerLine> kClans = {{"10", "50", "[ABC]Ann"}, {"4", "70", "=XY=Bob"},
                                        {"7", "60", "[ABC]Cid"},  {"2", "90", "=XY=Dan"},
                                        {"1", "30", "[ABC]Eve"},  {"0", "110", "=XY=Fay"}};

// The serverinfo of a Quake 3 server running this game and game type.
Vars Quake3Info(const char* game = "baseq3", const char* gametype = "3") {
    return {{"version", "Q3 1.32"}, {"gamename", game}, {"g_gametype", gametype}};
}

TEST_F(GameTypeTest, Quake2CtfReadsTimeAndScoresFromGamestats) {
    q2({{"gamedir", "ctf"},
        {"gamestats", "14:20 3/25 1/14"},
        {"maxclients", "16"},
        {"timelimit", "30"}},
       kClans);
    EXPECT_EQ(view().gameType, "ctf");
    EXPECT_EQ(view().Label9, "Red team");
    EXPECT_EQ(view().Label10, "Blue team");
    EXPECT_TRUE(view().teamscoresVisible);
    EXPECT_EQ(view().qsTimeLeft, "14:20");
    EXPECT_EQ(view().qsRed, "3/25");
    EXPECT_EQ(view().qsBlue, "1/14");
    EXPECT_EQ(view().PlayersPlaying, "6");
    EXPECT_EQ(view().PlayersMax, "16");
    EXPECT_EQ(view().TimeLimitDM, "30");
    // The clan with the most frags is red: no swap; tags name the teams (ties: the later wins).
    EXPECT_EQ(view().txtnaamRED, "XY");
    EXPECT_EQ(view().txtnaamBLUE, "ABC");
    EXPECT_EQ(teams(), (std::vector<std::string>{"Blue", "Red", "Blue", "Red", "Blue", "Red"}));
    EXPECT_EQ(view().lblLagRed, "90");   // (70 + 90 + 110) / 3
    EXPECT_EQ(view().lblLagBlue, "46");  // (50 + 60 + 30) / 3, rounded down
    EXPECT_TRUE(view().TempLabel1);

    q2({{"gamedir", "ctf"}, {"gamestats", "14:19  3/25 1/14"}}, kClans);
    EXPECT_EQ(view().qsTimeLeft, "14:19");
    EXPECT_EQ(view().qsRed, "");  // two blanks skip a field
    EXPECT_EQ(view().qsBlue, "3/25");
}

TEST_F(GameTypeTest, Quake2CtfSwapsSidesWhenTheRedTagHoldsFewerFrags) {
    // XY is named red by the tags but holds fewer frags while the server's red side leads.
    std::vector<PlayerLine> players = kClans;
    players[1].score = "1";
    q2({{"gamedir", "ctf"}, {"gamestats", "14:20 3/25 1/14"}}, players);
    EXPECT_FALSE(view().teamsSwapped);  // at detection both sides still stand at 0/0
    CheckNWissel(app);
    EXPECT_TRUE(view().teamsSwapped);
}

TEST_F(GameTypeTest, TourneyDuelHidesTheTeamFrame) {
    view().teamscoresVisible = true;
    q2({{"gamedir", "Tourney"}, {"match_type", "Duel"}}, {{"5", "40", "Ann"}, {"3", "50", "Bob"}});
    EXPECT_EQ(view().gameType, "1vs1");
    EXPECT_EQ(view().Label9, "Player A");
    EXPECT_EQ(view().Label10, "Player B");
    EXPECT_FALSE(view().teamscoresVisible);
}

TEST_F(GameTypeTest, TourneyTeamPlayReadsScoreNamePairs) {
    const Vars vars = {{"gamedir", "tourney"},
                       {"match_type", "TeamPlay"},
                       {"time_remaining", " 12:34 "},
                       {"Score_A", "12-3"},
                       {"Score_B", "3-12"}};
    q2(vars, kClans);
    EXPECT_EQ(view().gameType, "dm");
    EXPECT_EQ(view().Label9, "Team A");
    EXPECT_TRUE(view().teamscoresVisible);
    EXPECT_EQ(view().qsTimeLeft, "12:34");
    EXPECT_EQ(view().qsRed, "12");
    EXPECT_EQ(view().qsBlue, "3");
    // The server names the teams itself: the text after the hyphen.
    EXPECT_EQ(view().txtnaamRED, "3");
    EXPECT_EQ(view().txtnaamBLUE, "12");

    q2({{"gamedir", "tourney"}, {"Score_A", "WARMUP"}, {"Score_B", "WARMUP"}}, kClans);
    EXPECT_EQ(view().qsRed, "0");
    EXPECT_EQ(view().qsBlue, "0");
    q2({{"gamedir", "tourney"}, {"Score_A", "none"}}, kClans);
    EXPECT_EQ(view().qsRed, "unknown");
    EXPECT_EQ(view().qsBlue, "unknown");
    q2({{"gamedir", "tourney"}, {"Score_A", "5-X"}, {"Score_B", "late"}}, kClans);
    EXPECT_EQ(view().qsRed, "5");
    EXPECT_EQ(view().qsBlue, "unknown");  // no "-": not a score, the old one stays
}

TEST_F(GameTypeTest, LithiumLeavesTheFrameAsItWas) {
    view().teamscoresVisible = true;
    q2({{"gamedir", "lithium"}}, kClans);
    EXPECT_EQ(view().gameType, "freedm");
    EXPECT_EQ(view().Label9, "Team A");
    EXPECT_TRUE(view().teamscoresVisible);
}

TEST_F(GameTypeTest, BattleSumsTheTeamsWithTwoPlayerClans) {
    q2({{"gamedir", "battle"}}, {{"5", "40", "[AA]one"},
                                 {"3", "50", "[AA]two"},
                                 {"4", "60", "[BB]three"},
                                 {"6", "70", "[BB]four"},
                                 {"9", "10", "loner"}});
    EXPECT_EQ(view().gameType, "dm");
    EXPECT_EQ(view().txtnaamRED, "BB");  // two a side is enough in team games of this kind
    EXPECT_EQ(view().txtnaamBLUE, "AA");
    EXPECT_EQ(view().qsRed, " 10");
    EXPECT_EQ(view().qsBlue, " 8");
    EXPECT_EQ(view().lblLagRed, "65");
}

TEST_F(GameTypeTest, BaseQuake3TeamGameSumsPlayerScores) {
    std::vector<PlayerLine> players = kClans;
    players[0].name = "^1[ABC]^7Ann";
    players[2].score = "-3";
    q3(Quake3Info(), players);
    EXPECT_EQ(view().gameType, "dmbq3");
    EXPECT_EQ(view().Label9, "Team Red");
    EXPECT_EQ(view().qsTimeLeft, "20:00");
    EXPECT_EQ(view().txtnaamRED, "XY");
    EXPECT_EQ(view().qsRed, " 6");
    EXPECT_EQ(view().qsBlue, " 8");
    EXPECT_FALSE(view().TimePlayedXVisible);
    view().matchState = MatchState::Running;  // the program keeps this game's clock: shown
    q3(Quake3Info(), {});
    EXPECT_TRUE(view().TimePlayedXVisible && view().TimePlayedYVisible);
    EXPECT_FALSE(view().qsTimeLeftWide);
}

// Quake 3 mods with the six clan players (red rows 6 frags, blue 18): the game type code, the
// caption, the clock and the scores each one shows.
struct Quake3Case {
    const char* name;
    const char* game;
    const char* gametype;
    Vars extra;
    const char* code;
    const char* label;
    const char* timeLeft;
    const char* red;
    const char* blue;
};

const Quake3Case kQuake3Cases[] = {
    // Base Quake 3 capture-the-flag counts captures here; the frags come from the rows.
    {"BaseCtf", "baseq3", "4", {{"timelimit", "15"}}, "ctfbq3", "Team Red", "15:00", "0/6", "0/18"},
    {"OpenArenaCtf", "baseoa", "4", {}, "ctfbq3", "Team Red", "", "0/6", "0/18"},
    {"OspFreeForAllIsProvisional", "osp", "0", {}, "freedm", "", "", "", ""},
    {"OspDuel",
     "osp",
     "1",
     {{"Score_Red", "7"}, {"Score_Blue", "4"}},
     "dmq3",
     "Person 1",
     "",
     "7",
     "4"},
    // Without the server's scores the rows are summed, with base Quake 3's clocks.
    {"OspTeamsWithoutScores", "osp", "3", {}, "dmbq3", "", "20:00", " 6", " 18"},
    {"OspDuelWithoutScores", "osp", "1", {}, "dmbq3", "", "10:00", " 6", " 18"},
};

void PrintTo(const Quake3Case& c, std::ostream* os) {
    *os << c.name;
}

class Quake3ModTest : public GameTypeTest, public ::testing::WithParamInterface<Quake3Case> {};

TEST_P(Quake3ModTest, ReadsItsScores) {
    const Quake3Case& c = GetParam();
    Vars vars = Quake3Info(c.game, c.gametype);
    vars.insert(vars.end(), c.extra.begin(), c.extra.end());
    q3(vars, kClans);
    EXPECT_EQ(view().gameType, c.code);
    if (*c.label) EXPECT_EQ(view().Label9, c.label);
    if (*c.timeLeft) EXPECT_EQ(view().qsTimeLeft, c.timeLeft);
    if (*c.red) EXPECT_EQ(view().qsRed, c.red);
    if (*c.blue) EXPECT_EQ(view().qsBlue, c.blue);
}

INSTANTIATE_TEST_SUITE_P(Mods, Quake3ModTest, ::testing::ValuesIn(kQuake3Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameTypeTest, OspCtfAddsRowFragsToTheServersCaptures) {
    q3(OspVars("4", "12:40", "20", "2", "1"), kClans);
    EXPECT_EQ(view().gameType, "ctfq3");
    EXPECT_EQ(view().Label9, "Red team");
    EXPECT_EQ(view().qsTimeLeft, "12:40");
    EXPECT_EQ(view().qsRed, "2/6");
    EXPECT_EQ(view().qsBlue, "1/18");

    q3(OspVars("4", "Starting", "20", "", ""), kClans);
    EXPECT_EQ(view().qsTimeLeft, "20:00");
    EXPECT_EQ(view().qsRed, "/6");  // no Score_Red yet
    q3(OspVars("4", "Timelimit"), kClans);
    EXPECT_EQ(view().qsTimeLeft, "INT");
}

TEST_F(GameTypeTest, UnknownGameNameKeepsTheCodeAndCaptions) {
    q3({{"version", "Q3 1.32"}, {"gamename", "osp"}, {"g_gametype", "3"}, {"Score_Red", "1"}},
       kClans);
    ASSERT_EQ(view().gameType, "dmq3");
    q2({{"gamedir", "baseq2"}}, kClans);
    EXPECT_EQ(view().gameType, "dmq3");
    EXPECT_EQ(view().Label9, "Team Red");
}

TEST_F(GameTypeTest, DetectionRunsOnlyWhenTheGameNameChanges) {
    q2({{"gamedir", "ctf"}, {"gamestats", "14:20 3/25 1/14"}}, kClans);
    view().txtnaamRED = "Operator's choice";
    q2({{"gamedir", "ctf"}, {"gamestats", "14:19 3/25 1/14"}}, kClans);
    EXPECT_EQ(view().txtnaamRED, "Operator's choice");
}

TEST_F(GameTypeTest, MissingTimeLimitMeansTwentyMinutes) {
    q2({{"gamedir", "ctf"}, {"timelimit", "0"}}, kClans);
    EXPECT_EQ(view().TimeLimitDM, "20");
    q2({{"gamedir", "ctf"}}, kClans);
    EXPECT_EQ(view().TimeLimitDM, "20");
}

TEST_F(GameTypeTest, UnknownTeamsShowNoPings) {
    q3(Quake3Info(), kClans);
    view().teamsKnown = false;
    q3(Quake3Info(), kClans);
    EXPECT_EQ(view().lblLagRed, "0");
    EXPECT_EQ(view().lblLagBlue, "0");
    EXPECT_FALSE(view().TempLabel1);
}

TEST_F(GameTypeTest, NonNumericAndHugeScoresDoNotBreakTheSums) {
    q3(Quake3Info(), {{"abc", "x", "[ABC]a"},
                      {std::string(400, '9'), "1", "[ABC]b"},
                      {"99999999999999999999999", "5", "[ABC]c"},
                      {"1", "1", "=XY=d"},
                      {"1", "1", "=XY=e"},
                      {"1", "1", "=XY=f"}});
    EXPECT_EQ(view().qsRed, " 3");
    EXPECT_EQ(view().qsBlue, " 9000000000000000000");  // held at what 64 bits carry
}

}  // namespace
}  // namespace fc::test
