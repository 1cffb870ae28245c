#include <gtest/gtest.h>

#include "support/steps.h"

namespace fc::test {
namespace {

// clang-format off
// A reply's text (put at the row's "|"), the first scores, then the match state, the match clock's
// seconds and the time left shown (-1, "": not looked at).
struct Reply { std::string vars; std::vector<int> scores = {}; int state = -1, clock = -1; std::string timeLeft = ""; };
struct MatchRow { const char* name; std::string start; std::vector<PlayerLine> roster; std::vector<Reply> replies;
    std::vector<std::string> said = {}; void (*before)(Steps&) = nullptr; void (*after)(Steps&) = nullptr; };
const char* const kOneFrag[] = {"0", "0", "0", "0", "1", "0"};  // Eve's
const std::vector<PlayerLine> kAnnBob = {{"0", "40", "Ann"}, {"0", "50", "Bob"}};
const std::vector<PlayerLine> kBattle = {{"0", "40", "[AA]one"}, {"0", "40", "[AA]two"}, {"0", "40", "[BB]three"}, {"0", "40", "[BB]four"}};
const std::string kBegin = "*** MATCH BEGIN *** Map playing: ", kServer = "   Server: 10.0.0.5:27910   Time Left: ";
const std::string kQ2Begin = kBegin + kServer, kPaused = "\x03" "14[Red team] 0 / [Blue team] 0 -- TL: ";
const std::string kQ2Ctf = "print\n\\gamestats\\|\\gamedir\\ctf", kNil = "\\Score_Red\\0\\Score_Blue\\0";
const std::string kOsp = "statusResponse\n\\Score_Time\\|\\version\\Q3 1.32\\gamename\\osp\\g_gametype\\";
const std::string kTourney = "print\n\\time_remaining\\|\\gamedir\\tourney\\match_type\\TeamPlay";
std::string tourney(int a, int b) { return "\\Score_A\\" + std::to_string(a) + "-AAA\\Score_B\\" + std::to_string(b) + "-BBB"; }

const MatchRow kMatches[] = {
    // The teams are XY (red) and ABC (blue) by their tags. The clock at a full minute means a
    // match is coming. Bob's 17 points: the capture bonus and a frag; Ann and Cid rose alike.
    {"Quake 2 capture the flag", kQ2Ctf, sixPlayers(kOneFrag),
     {{"20:00 0/0 0/0", {}, 0}, {"20:00 0/0 0/0", {}, 2}, {"19:59 0/0 0/0", {}, 1}, {"19:30 1/2 0/0", {0, 17, 0, 2}},
      {"18:00 1/4 1/9", {15, 17, 15, 4}}, {"0:01 1/4 1/9"}, {"INT 1/4 1/9", {}, 0}},
     {kQ2Begin + "19:59", "CAP [XY] 1 - [ABC] 0 by =XY=Bob TL 19:30", "CAP [XY] 1 - [ABC] 1 by [ABC]Ann or [ABC]Cid TL 18:00",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [XY] 1 (4) / [ABC] 1 (9)",
      "Top capper: =XY=Bob (1)  Top fragger: =XY=Bob (17)  Played: 0:04"}},
    {"Huge capture counts are held within bounds", kQ2Ctf, sixPlayers(kOneFrag),
     {{"20:00 0/0 0/0"}, {"20:00 0/0 0/0"}, {"19:59 0/0 0/0"}, {"19:30 90000000000000000001/0 9000000000000000000/0"}},
     {kQ2Begin + "19:59", "CAP [XY] 9000000000000000000 - [ABC] 9000000000000000000 by  TL 19:30"}},
    // XY, named red by its tags, holds the most frags while the server's blue side leads.
    {"The first capture checks which side each clan plays", kQ2Ctf, sixPlayers(kOneFrag),
     {{"20:00 0/0 0/0"}, {"20:00 0/0 0/0"}, {"19:59 0/0 0/0"}, {"19:30 1/2 0/9", {0, 17, 0, 2}}},
     {kQ2Begin + "19:59", "CAP [XY] 1 - [ABC] 0 by =XY=Bob TL 19:30"}, nullptr,
     [](Steps& m) { EXPECT_TRUE(m.app.match.teamsSwapped); }},
    // Only a clock standing at a round ten minutes, the limits servers are set to, means a match is coming.
    {"A clock standing elsewhere, or no clock, is no match coming", kQ2Ctf, sixPlayers(kOneFrag),
     {{"wait 0/0 0/0", {}, 0}, {"wait 0/0 0/0", {}, 0}, {"15:00 0/0 0/0", {}, 0}, {"15:00 0/0 0/0", {}, 0}}},
    // The skipped match began; the next one counts again.
    {"A skipped capture the flag match says nothing", kQ2Ctf, sixPlayers(kOneFrag),
     {{"20:00 0/0 0/0"}, {"19:59 0/0 0/0", {}, 0}, {"19:30 1/2 0/0", {0, 17, 0, 2}}},
     {}, [](Steps& m) { m.app.match.matchState = MatchState::Skip; }},
    // 0:0 while ready means a match is expected, and the quiet start does not fire in a running
    // match; with none expected the Begin line is said, then the quiet start takes the match up.
    {"Battle started by scores while ready", "print\n|\\gamedir\\battle", kBattle,
     {{"", {0, 0, 0, 0}, 2}, {"", {0, 0, 1, 0}, 1, 20}}, {kQ2Begin + "20:00"}},
    {"Battle started by scores with no match expected", "print\n|\\gamedir\\battle", kBattle,
     {{"", {1, 0, 0, 0}, 1, 15}}, {kQ2Begin + "20:00"}},
    {"Battle without clan tags started by the players' scores", "print\n|\\gamedir\\battle", kAnnBob,
     {{"", {0, 1}, 1, 15}}, {kQ2Begin + "20:00"}},
    {"Osp team deathmatch begun by the clock, paused and continued", kOsp + "3\\timelimit\\20" + kNil + "\\mapname\\q3dm6", kAnnBob,
     {{"20:00", {}, 2}, {"19:59", {}, 1, 6}, {"PAUSED", {}, -1, -1, "19:59 (Paused)"}, {"PAUSED"}, {"PAUSED"}, {"19:58"}, {"19:57"}, {"Timelimit", {}, 0}},
     {kBegin + "q3dm6   Server: [PRIVATE!]   Time Left: 19:59", "*** Match has been paused! *** " + kPaused + "19:59",
      "*** Match continues! *** " + kPaused + "19:58", "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 / [Blue team] 0", "Played: 0:03"},
     [](Steps& m) { m.app.settings.serverIsPrivate = true; }},
    {"Osp starting again stops a running match", kOsp + "1\\timelimit\\10" + kNil + "\\mapname\\q3dm6", kAnnBob,
     {{"10:00", {}, 2}, {"9:59", {}, 1}, {"Starting", {}, 2, -1, "10:00"}},
     {kBegin + "q3dm6" + kServer + "9:59", "*** Match has stopped ***"}},
    // A new map forgets the old game: a pause still open is not continued there.
    {"A new map under way starts with nothing of the old game", kOsp + "3\\timelimit\\20" + kNil, kAnnBob,
     {{"20:00\\mapname\\q3dm6"}, {"19:59\\mapname\\q3dm6"}, {"PAUSED\\mapname\\q3dm6"}, {"19:50\\mapname\\q3dm7"},
      {"19:49\\mapname\\q3dm7"}},
     {kBegin + "q3dm6" + kServer + "19:59", "*** Match has been paused! *** " + kPaused + "19:59",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 / [Blue team] 0", "Played: 0:01", kBegin + "q3dm7" + kServer + "19:50"}},
    {"A new map warming up starts with nothing of the old game", kOsp + "3\\timelimit\\20" + kNil, kAnnBob,
     {{"20:00\\mapname\\q3dm6"}, {"19:59\\mapname\\q3dm6"}, {"PAUSED\\mapname\\q3dm6"}, {"Starting\\mapname\\q3dm7"},
      {"20:00\\mapname\\q3dm7"}, {"19:59\\mapname\\q3dm7"}},
     {kBegin + "q3dm6" + kServer + "19:59", "*** Match has been paused! *** " + kPaused + "19:59",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [Red team] 0 / [Blue team] 0", "Played: 0:01", kBegin + "q3dm7" + kServer + "19:59"}},
    // Ann: 5 for the capture, 1 for a frag.
    {"Osp capture the flag", kOsp + "4\\timelimit\\20\\mapname\\q3dm6", sixPlayers(kOneFrag),
     {{"Starting" + kNil}, {"Starting" + kNil, {}, 2}, {"19:59" + kNil}, {"19:00\\Score_Red\\0\\Score_Blue\\1", {6, 0, 1, 0}},
      {"18:00\\Score_Red\\0\\Score_Blue\\1", {6, 2, 1, 0}}, {"Timelimit\\Score_Red\\0\\Score_Blue\\1"}},
     {kBegin + "q3dm6" + kServer + "19:59", "CAP [XY] 0 - [ABC] 1 by [ABC]Ann TL 19:00",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [XY] 0 (2) / [ABC] 1 (8)",
      "Top capper: [ABC]Ann (1)  Top fragger: [ABC]Ann (6)  Played: 0:03"}},
    // The first frag begins the match and its clock; Bob captures; a frag and an assist are no
    // capture; Cid captures and frags.
    {"Base Quake 3 capture the flag counted from player scores",
     "statusResponse\n|\\version\\Q3 1.32\\gamename\\baseq3\\g_gametype\\4\\mapname\\q3ctf1", sixPlayers(kOneFrag),
     {{"", {0, 0, 0, 0, 0}, 2}, {"", {1, 0, 0, 0}, 1}, {"", {1, 5, 0, 0}}, {"", {1, 6, 0, 3}}, {"", {1, 6, 6, 3}}},
     {kBegin + "q3ctf1" + kServer + "20:00", "CAP [XY] 1 - [ABC] 0 by =XY=Bob TL 19:39", "CAP [XY] 1 - [ABC] 1 by [ABC]Cid TL 19:37"},
     nullptr, [](Steps& m) {
         EXPECT_EQ(std::tie(m.app.match.game.capsRedQ3, m.app.match.game.capsBlueQ3), std::make_tuple(1, 1));
         EXPECT_EQ(m.app.monitor.redScoreText, "1/9");
     }},
    // Every five minutes of the interval a score line, never at the full 20 nor at 14.
    {"Tourney team play with periodic score lines", kTourney, kAnnBob,
     {{"WARMUP\\Score_A\\WARMUP\\Score_B\\WARMUP", {}, 2}, {"20:00" + tourney(0, 0), {}, 1}, {"19:59" + tourney(1, 0)},
      {"15:00" + tourney(5, 3)}, {"14:59" + tourney(5, 3)}, {"13:59" + tourney(6, 3)}, {"10:00" + tourney(8, 4)},
      {"9:59" + tourney(8, 4)}, {"0:12" + tourney(9, 9)}, {"0:00" + tourney(9, 9), {}, 0}},
     {kQ2Begin + "20:00", "SCORE: [Team A] 5 / [Team B] 3 -- Time Left: 14:59", "SCORE: [Team A] 8 / [Team B] 4 -- Time Left: 9:59",
      "*** MATCH HAS ENDED! *** FINAL SCORE: [Team A] 9 / [Team B] 9", "Played: 0:08"},
     [](Steps& m) { m.app.settings.reportIntervalSeconds = "300"; }},
    {"Tourney ends at zero even without a begin", kTourney, {}, {{"0:12"}, {"0:00"}},
     {"*** MATCH HAS ENDED! *** FINAL SCORE: [Team A] unknown / [Team B] unknown"}},
};
// clang-format on

TEST(MatchEvents, SaysEachMatchAsItWent) {
    for (const MatchRow& row : kMatches) {
        SCOPED_TRACE(row.name);
        Steps m;
        m.app.settings.ctfTemplate = "CAP [%at%] %as% - [%bt%] %bs% by %c% TL %tl%";
        m.paceMs = 1000;
        m.roster = row.roster;
        if (row.before) row.before(m);
        for (const Reply& reply : row.replies) {
            m.send(std::string(row.start).replace(row.start.find('|'), 1, reply.vars),
                   reply.scores);
            const int clock = m.app.battleTimer->enabled() ? m.app.match.game.played.count() : -2;
            EXPECT_EQ(std::tuple(reply.state < 0 ? -1 : int(m.app.match.matchState),
                                 reply.clock < 0 ? -1 : clock,
                                 reply.timeLeft.empty() ? "" : m.app.monitor.timeLeft.text()),
                      std::tuple(reply.state, reply.clock, reply.timeLeft))
                << reply.vars;
        }
        EXPECT_EQ(m.said.lines, row.said);
        if (row.after) row.after(m);
    }
}

}  // namespace
}  // namespace fc::test
