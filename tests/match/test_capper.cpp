// Who captured: score jumps between two replies (Quake) or two list snapshots (Unreal).
#include <gtest/gtest.h>

#include "match/capper.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/report_recorder.h"

namespace fc::test {
namespace {

// "Ann=0,Bob=12": names with their scores (or teams).
std::vector<std::pair<std::string, std::string>> Pairs(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string p = text.substr(at, comma - at);
        pairs.emplace_back(p.substr(0, p.find('=')), p.substr(p.find('=') + 1));
        at = comma + 1;
    }
    return pairs;
}

std::string Reply(const std::string& players) {
    std::vector<PlayerLine> lines;
    for (const auto& [name, score] : Pairs(players)) lines.push_back({score, "1", name});
    return Quake2Reply({}, lines);
}

TEST(ZetInEenRegel, FixedWidthRecordsOfNameAndScore) {
    EXPECT_EQ(ZetInEenRegel(Quake2Reply({}, {{"12", "45", "Big Bad"}, {"-3", "9", "x"}})),
              "\"BigBad\"            12   \"x\"                 -3   ");
    // Too long for the record: cut to fit.
    EXPECT_EQ(ZetInEenRegel(Reply("abcdefghijklmnopqrstuvwxyz=123456")),
              "\"abcdefghijklmnopqrs12345");
    EXPECT_EQ(ZetInEenRegel("\xFF\xFF\xFF\xFFprint\n\\a\\b\n1 2 \"no line end\""), "");
}

struct CapperCase {
    const char* gameType;
    const char* teams;  // the player list's team column: "Ann=Red,..."
    const char* before;
    const char* now;
    const char* capper;  // asked for red
    const char* marked = "";
};

TEST_F(MonitorTest, CapperIsTheLargestRiseOfACaptureOnTheTeam) {
    const char* three = "Ann=Red,Bob=Red,Cid=Blue";
    const char* zeros = "Ann=0,Bob=0,Cid=0";
    const CapperCase cases[] = {
        {"ctf", three, zeros, "Ann=2,Bob=15,Cid=0", "Bob"},
        // Cid's larger rise moves the best, but he is blue: Ann, named before him, stays.
        {"ctf", three, zeros, "Ann=2,Bob=0,Cid=16", "Ann"},
        {"ctf", three, zeros, "Ann=0,Bob=0,Cid=16", ""},
        // Equal rises are joined unless marked.
        {"ctf", "Ann=Red,Bob=Red,Cid=Red", zeros, "Ann=15,Bob=15,Cid=15", "Ann or Bob or Cid"},
        {"ctf", "Ann=Red,Bob=Red,Cid=Red", zeros, "Ann=15,Bob=15,Cid=15", "Ann or Bob", "\"cid\""},
        // The bounds of a capture, by game.
        {"ctf", "Ann=Red", "Ann=0", "Ann=22", ""},
        {"ctf", "Ann=Red", "Ann=0", "Ann=21", "Ann"},
        {"ctfq3", "Ann=Red", "Ann=0", "Ann=9", ""},
        {"ctfq3", "Ann=Red", "Ann=0", "Ann=1", "Ann"},
        {"ctfbq3", "Ann=Red", "Ann=0", "Ann=4", ""},
        {"ctfbq3", "Ann=Red", "Ann=0", "Ann=1", ""},
        {"ctfbq3", "Ann=Red", "^1Ann=0", "^2Ann=5", "Ann"},
        // Colour codes go before the lines are read: a "^" takes even a blank along with it, so
        // "5^ 7" reads as 57 (too much for a capture) and "^ 5" as 5.
        {"ctfbq3", "Ann=Red", "Ann=0", "Ann=5^ 7", ""},
        {"ctfbq3", "Ann=Red", "Ann=0", "Ann=^ 5", "Ann"},
        // Newcomers are no candidates.
        {"ctf", "Ann=Red,Bob=Red", "Ann=0", "Ann=1,Bob=15", "Ann"},
        // Without teams anyone can be the capper.
        {"ctf", "Ann=Spec,Bob=Spec", "Ann=0,Bob=0", "Ann=3,Bob=15", "Bob"},
    };
    for (const CapperCase& c : cases) {
        SCOPED_TRACE(std::string(c.gameType) + " " + c.before + " -> " + c.now);
        view().gameType = c.gameType;
        view().markedPlayers = c.marked;
        view().spelerLijst.clear();
        for (const auto& [name, team] : Pairs(c.teams))
            view().spelerLijst.push_back({name, "", "", team});
        EXPECT_EQ(ExtractPlayer(app, Reply(c.now), Reply(c.before), "Red"), c.capper);
        // the search leaves the team column in force afterwards
        EXPECT_TRUE(view().teamsKnown);
    }
}

TEST_F(MonitorTest, UnrealCapturesAreCountedAndReportedWhileRunning) {
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
