// What Unreal Tournament answers mean for the teams and the match, through the fake platform:
// answers arrive as three datagrams each, one poll apart.
#include <gtest/gtest.h>

#include <sstream>

#include "match/match_control.h"
#include "support/monitor_fixture.h"
#include "support/report_recorder.h"
#include "support/unreal_replies.h"

namespace fc::test {
namespace {

class UnrealMatchTest : public MonitorTest {
protected:
    UnrealMatchTest() {
        app.addListener(&said);
        view().IRCLineCTF = "defaultCTF";
        switchOn("127.0.0.1:7778");
        firstTick();
    }
    void answer(const UnrealAnswer& a) {
        for (const std::string& d : UnrealDatagrams(a, ++query_)) reply(d, "127.0.0.1", 7778);
        platform.advance(2000);  // the next poll
    }
    ReportRecorder said;

private:
    int query_ = 0;
};

struct FieldCase {
    const char* gametype;
    const char* timelimit;
    const char* team;
    const char* teamColumn;
    const char* gameType;
    const char* timeLimit;
    const char* redScore;
};

TEST_F(UnrealMatchTest, OneAnswerFillsTheTeamColumnGameTypeAndClockLimit) {
    const FieldCase cases[] = {
        {"CTFGame", "0", "255", "Spec", "utctf", "20", "0/0"},
        {"CTFGame", "15", "0", "Red", "utctf", "15", "0/4"},
        {"Deathmatchplus", "5", " 3", "DM (3)", "utOther", "5", "0"},
        {"teamgameplus", "10", "1", "Blue", "utdm", "10", "0"},
        {"Assault", "x", "7", "7", "utOther", "20", "0"},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::string(c.gametype) + " team " + c.team);
        WisselConnectie(app);  // a new run for each server
        WisselConnectie(app);
        firstTick();
        answer({c.gametype, c.timelimit, {{"Alpha", 4, c.team}}});
        ASSERT_EQ(view().spelerLijst.size(), 1u);
        EXPECT_EQ(view().spelerLijst[0].team, c.teamColumn);
        EXPECT_EQ(view().gameType, c.gameType);
        EXPECT_EQ(view().TimeLimitDM, c.timeLimit);
        EXPECT_EQ(view().qsRed, c.redScore);
        EXPECT_EQ(view().lblLagRed, std::string(c.teamColumn) == "Red" ? "4" : "0");
    }
}

struct MatchCase {
    const char* name;
    const char* gametype;
    const char* timelimit;
    // Answers as red:blue frags (Alpha on red, Bravo on blue), "Wn" n seconds passing, "B" the
    // operator's match button.
    const char* steps;
    std::vector<std::string> lines;
    MatchState state;
    int redCaptures;
};

const std::string kBegin =
    "*** MATCH BEGIN *** Map playing: CTF-Face   Server: 127.0.0.1:7778   Time Left: ";

class UnrealMatchRules : public UnrealMatchTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(UnrealMatchRules, BeginCapturesAndEnd) {
    const MatchCase& c = GetParam();
    std::istringstream in(c.steps);
    std::string step;
    while (in >> step) {
        if (step == "B") {
            OnMatchButton(app);
        } else if (step[0] == 'W') {
            platform.advance(1000LL * std::stoi(step.substr(1)));
        } else {
            const std::size_t colon = step.find(':');
            answer({c.gametype,
                    c.timelimit,
                    {{"Alpha", std::stoi(step.substr(0, colon)), "0"},
                     {"Bravo", std::stoi(step.substr(colon + 1)), "1"}}});
        }
    }
    EXPECT_EQ(said.lines, c.lines);
    EXPECT_EQ(view().matchState, c.state);
    EXPECT_EQ(view().capsRed, c.redCaptures);
}

const std::string kCtfEnd =
    "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 (3) / [Blue team] 0 (2)";
const std::string kTeamEnd = "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 3 / [Blue team] 2";
using S = MatchState;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Matches, UnrealMatchRules, ::testing::Values(
    MatchCase{"begin_when_frags_leave_0_0", "CTFGame", "0", "0:0 0:0 3:0", {kBegin + "20:00"}, S::Running, 0},
    MatchCase{"no_team_rows_no_begin", "Deathmatchplus", "0", "0:0 3:4", {}, S::None, 0},
    MatchCase{"capture_in_state_0_counted_without_a_line", "CTFGame", "0", "0:0 3:0 B 10:0", {kBegin + "20:00"}, S::None, 1},
    MatchCase{"capture_while_running_is_said", "CTFGame", "0", "0:0 3:0 10:1", {kBegin + "20:00", "defaultCTF"}, S::Running, 1},
    MatchCase{"ctf_ends_at_INT", "CTFGame", "1", "0:0 3:0 W48 3:2", {kBegin + "1:00", kCtfEnd}, S::None, 0},
    MatchCase{"team_game_ends_at_INT", "TeamGamePlus", "1", "0:0 3:0 W48 3:2", {kBegin + "1:00", kTeamEnd}, S::None, 0},
    MatchCase{"other_games_end_silently", "Assault", "1", "0:0 B W70 0:0", {}, S::None, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace fc::test
