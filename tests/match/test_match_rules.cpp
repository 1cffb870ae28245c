// The match-event rules on one pair of replies: from the values of the previous reply and of
// this one, the match state after, the clock started and the line said.
#include <gtest/gtest.h>

#include "match/match_events.h"
#include "support/monitor_fixture.h"
#include "support/report_recorder.h"

namespace fc::test {
namespace {

using S = MatchState;

struct Rule {
    const char* what;
    const char* gameType;
    const char* game;
    S before;
    const char* previousTime;
    const char* time;
    const char* previousRed;
    const char* previousBlue;
    const char* red;
    const char* blue;
    S after;
    int clockFrom;     // the seconds played the match clock started at; 0: not started
    const char* line;  // the line said; "" for none
};

void PrintTo(const Rule& r, std::ostream* os) {
    *os << r.what;
}

const std::string kBegin = "*** MATCH BEGIN *** Map playing:    Server: ";
const std::string kShown = kBegin + "10.0.0.5:27910   Time Left: ";

const Rule kRules[] = {
    {"a skipped match begins by the clock", "dmq3", "osp", S::Skip, "20:00", "19:59", "0", "0", "0",
     "0", S::None, 0, ""},
    {"a match begins by the clock", "dmq3", "osp", S::None, "20:00", "19:59", "0", "0", "0", "0",
     S::Running, 6, "19:59"},
    {"quiet start below four points", "dmq3", "osp", S::None, "", "", "0", "0", "2", "1",
     S::Running, 15, ""},
    {"no quiet start from four points", "dmq3", "osp", S::None, "", "", "0", "0", "3", "1", S::None,
     20, ""},
    {"points after 0:0 end a skip", "dmq3", "osp", S::Skip, "", "", "0", "0", "1", "0", S::None, 20,
     ""},
    {"a moving clock ends a capture-the-flag skip", "ctf", "ctf", S::Skip, "20:00", "19:59", "0",
     "0", "0/0", "0/0", S::None, 0, ""},
    {"a moving clock begins a ready capture-the-flag match", "ctf", "ctf", S::Ready, "20:00",
     "19:59", "0", "0", "0/0", "0/0", S::Running, 0, "19:59"},
    {"the warm-up ends a Tourney skip", "dm", "tourney", S::Skip, "WARMUP", "20:00", "0", "0", "0",
     "0", S::None, 0, ""},
    {"Tourney ready without a warm-up is no match", "dm", "tourney", S::Ready, "10:00", "9:59", "0",
     "0", "0", "0", S::None, 0, ""},
    {"the warm-up ends: a Tourney match begins", "dm", "tourney", S::Ready, "WARMUP", "20:00", "0",
     "0", "0", "0", S::Running, 0, "20:00"},
};

class MatchRulesTest : public MonitorTest, public ::testing::WithParamInterface<Rule> {
protected:
    void SetUp() override {
        app.addListener(&said);
        switchOn("10.0.0.5:27910");
        firstTick();
    }
    ReportRecorder said;
};

TEST_P(MatchRulesTest, MoveTheStateAndSayTheLine) {
    const Rule& r = GetParam();
    MainView& v = view();
    v.gameType = r.gameType;
    v.qsGame = r.game;
    v.matchState = r.before;
    v.lastValues.timeLeft = r.previousTime;
    v.qsTimeLeft = r.time;
    v.lastValues.red = r.previousRed;
    v.lastValues.blue = r.previousBlue;
    v.qsRed = r.red;
    v.qsBlue = r.blue;
    RunMatchEventRules(app, "");
    EXPECT_EQ(v.matchState, r.after);
    EXPECT_EQ(app.battleTimer->enabled() ? v.secondsPlayed : 0, r.clockFrom);
    // Points after 0:0 say the Begin line (with the time left as it stands) in every state.
    const bool byPoints = std::string(r.previousRed) == "0" && std::string(r.red) != "0" &&
                          std::string(r.red) != "0/0";
    std::vector<std::string> expected;
    if (byPoints) expected.push_back(kShown + r.time);
    if (*r.line) expected.push_back(kShown + r.line);
    EXPECT_EQ(said.lines, expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, MatchRulesTest, ::testing::ValuesIn(kRules),
                         [](const auto& info) { return "Rule" + std::to_string(info.index); });

// A private server is hidden in the Begin line; the form of the line keeps its own blanks.
TEST_F(MatchRulesTest, PrivateBeginLinesKeepTheirBlanks) {
    view().serverIsPrivate = true;
    view().gameType = "ctf";
    view().matchState = S::Ready;
    view().lastValues.timeLeft = "20:00";
    view().qsTimeLeft = "19:59";
    RunMatchEventRules(app, "");
    view().gameType = "dmq3";
    view().qsGame = "osp";
    view().matchState = S::None;
    view().beginSaid = false;  // a second game
    view().qsRed = view().qsBlue = "0";
    view().lastValues.timeLeft = "20:00";
    RunMatchEventRules(app, "");
    EXPECT_EQ(said.lines, (std::vector<std::string>{kBegin + "[PRIVATE!]  Time Left: 19:59",
                                                    kBegin + "[PRIVATE!]   Time Left: 19:59"}));
}

}  // namespace
}  // namespace fc::test
