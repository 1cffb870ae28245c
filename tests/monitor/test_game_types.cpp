#include <gtest/gtest.h>

#include "program/shown_status.h"
#include "support/steps.h"

namespace fc::test {
namespace {

// Type, captions, time left, scores, team names, pings, "frame" if shown, "known" if teams known,
// "hint" if the window says how to set unknown teams.
std::string panel(const App& app) {
    return std::string(gameTypeCode(app.monitor.gameType)) + "|" + app.match.redTeamCaption + "|" +
           app.match.blueTeamCaption + "|" + app.monitor.timeLeft.text() + "|" +
           app.monitor.redScoreText + "|" + app.monitor.blueScoreText + "|" +
           app.match.redTeamName + "|" + app.match.blueTeamName + "|" +
           std::to_string(app.monitor.avgPingRed) + "|" + std::to_string(app.monitor.avgPingBlue) +
           (app.window.teamScoresVisible ? "|frame" : "") +
           (app.window.teamsKnownShown ? "|known" : "") +
           (showStatus(app).teamsHint.empty() ? "" : "|hint");
}

std::string q3(const char* game, const char* type, const std::string& more = "") {
    return "statusResponse\n\\version\\Q3 1.32\\gamename\\" + std::string(game) + "\\g_gametype\\" +
           type + more;
}
const std::string Q2 = "print\n\\gamedir\\";
const std::string kOspCtf = "\\timelimit\\20\\mapname\\q3dm6\\Score_Red\\";
// The six players' sides: XY red with 6 frags (the clan with the most is red), ABC blue with 18;
// pings are the sides' averages, rounded down.
const char* const kScores[] = {"10", "4", "7", "2", "1", "0"};
const std::string kSix = "|XY|ABC|90|46|frame|known";

// clang-format off
struct Step { std::string reply, panel; void (*before)(App&) = nullptr; };
struct TypeRow { const char* name; std::vector<Step> steps; std::vector<PlayerLine> roster = sixPlayers(kScores); };
const TypeRow kTypes[] = {
    // Two blanks skip a field.
    {"Quake 2 ctf reads time and scores from gamestats",
     {{Q2 + "ctf\\gamestats\\14:20 3/25 1/14\\maxclients\\16\\timelimit\\30", "ctf|Red team|Blue team|14:20|3/25|1/14" + kSix},
      {Q2 + "ctf\\gamestats\\14:19  3/25 1/14", "ctf|Red team|Blue team|14:19||3/25" + kSix}}},
    {"Tourney duel hides the team frame",
     {{Q2 + "Tourney\\match_type\\Duel", "1vs1|Player A|Player B|[no match]| 0| 0|Red team|Blue team|0|0"}},
     {{"5", "40", "Ann"}, {"3", "50", "Bob"}}},
    {"Lithium leaves the frame as it was", {{Q2 + "lithium", "freedm|Team A|Team B|[no match]| 6| 18" + kSix}}},
    // The server names the teams: the text after the hyphen; without it a side is unknown.
    {"Tourney team play reads score name pairs",
     {{Q2 + "tourney\\match_type\\TeamPlay\\time_remaining\\ 12:34 \\Score_A\\12-3\\Score_B\\3-12",
       "dm|Team A|Team B|12:34|12|3|3|12|0|0|frame|hint"},
      {Q2 + "tourney\\Score_A\\WARMUP\\Score_B\\WARMUP", "dm|Team A|Team B||0|0|3|12|0|0|frame|hint"},
      {Q2 + "tourney\\Score_A\\none", "dm|Team A|Team B||unknown|unknown|3|12|0|0|frame|hint"},
      {Q2 + "tourney\\Score_A\\5-X\\Score_B\\late", "dm|Team A|Team B||5|unknown|3|12|0|0|frame|hint"}}},
    // Two a side make a team in games of this kind.
    {"Battle sums the teams with two player clans",
     {{Q2 + "battle", "dm|Team A|Team B|20:00| 10| 8|BB|AA|65|45|frame|known"}},
     {{"5", "40", "[AA]one"}, {"3", "50", "[AA]two"}, {"4", "60", "[BB]three"}, {"6", "70", "[BB]four"},
      {"9", "10", "loner"}}},
    {"Base Quake 3 team game sums player scores, its rows sorted", {{q3("baseq3", "3"), "dmbq3|Team Red|Team Blue|20:00|-2| 6|ABC|XY|46|90|frame|known",
       [](App& app) { app.window.playerRowsSortColumn = 0; }}},  // by name: the later tag is red
     {{"10", "50", "^1[ABC]^7Ann"}, {"4", "70", "=XY=Bob"}, {"-13", "60", "[ABC]Cid"}, {"2", "90", "=XY=Dan"},
      {"1", "30", "[ABC]Eve"}, {"0", "110", "=XY=Fay"}}},
    // Base Quake 3 ctf counts captures here, the frags come from the rows.
    {"Base Quake 3 ctf", {{q3("baseq3", "4", "\\timelimit\\15\\Score_A\\9"), "ctfbq3|Team Red|Team Blue|15:00|0/6|0/18" + kSix}}},
    {"OpenArena ctf", {{q3("baseoa", "4"), "ctfbq3|Team Red|Team Blue|20:00|0/6|0/18" + kSix}}},
    {"Osp duel", {{q3("osp", "1", "\\Score_Red\\7\\Score_Blue\\4\\Score_Time\\9:30"), "dmq3|Person 1|Person 2|9:30|7|4" + kSix}}},
    // Without the server's scores Osp sums the rows, with base Quake 3's clocks.
    {"Osp teams without scores", {{q3("osp", "3"), "dmbq3|Team Red|Team Blue|20:00| 6| 18" + kSix}}},
    {"Osp duel without scores", {{q3("osp", "1"), "dmbq3|Person 1|Person 2|10:00| 6| 18" + kSix}}},
    {"Osp free for all is provisional", {{q3("osp", "0"), "freedm|Red team|Blue team|[no match]| 6| 18" + kSix}}},
    {"Osp ctf adds row frags to the server's captures",
     {{q3("osp", "4", kOspCtf + "2\\Score_Blue\\1\\Score_Time\\12:40"), "ctfq3|Red team|Blue team|12:40|2/6|1/18" + kSix},
      {q3("osp", "4", kOspCtf + "\\Score_Blue\\\\Score_Time\\Starting"), "ctfq3|Red team|Blue team|20:00|/6|/18" + kSix},
      {q3("osp", "4", kOspCtf + "0\\Score_Blue\\0\\Score_Time\\Timelimit"), "ctfq3|Red team|Blue team|INT|0/6|0/18" + kSix}}},
    {"An unknown game name keeps the code and captions",
     {{q3("osp", "3", "\\Score_Red\\1"), "dmq3|Team Red|Team Blue||1|" + kSix},
      {Q2 + "baseq2", "dmq3|Team Red|Team Blue|| 6| 18" + kSix}}},
    {"Detection runs only when the game name changes",
     {{Q2 + "ctf\\gamestats\\14:20 3/25 1/14", "ctf|Red team|Blue team|14:20|3/25|1/14" + kSix},
      {Q2 + "ctf\\gamestats\\14:19 3/25 1/14", "ctf|Red team|Blue team|14:19|3/25|1/14|Mine|ABC|90|46|frame|known",
       [](App& app) { app.match.redTeamName = "Mine"; }}}},
    {"Unknown teams show no pings",
     {{q3("baseq3", "2"), "dmbq3|Team Red|Team Blue|20:00| 6| 18" + kSix},
      {q3("baseq3", "2"), "dmbq3|Team Red|Team Blue|20:00| 6| 18|XY|ABC|0|0|frame|hint", [](App& app) { app.match.teamsKnown = false; }}}},
    {"Players without clan tags are spectators: teams unknown, and how to set them",
     {{q3("baseoa", "4"), "ctfbq3|Team Red|Team Blue|20:00|0/0|0/0|Red team|Blue team|0|0|frame|hint"}},
     {{"5", "40", "Ann"}, {"3", "50", "Bob"}}},
    // Held at what 64 bits carry.
    {"Non numeric and huge scores do not break the sums",
     {{q3("baseq3", "3"), "dmbq3|Team Red|Team Blue|20:00| 3| 9000000000000000000|XY|ABC|1|2|frame|known"}},
     {{"abc", "x", "[ABC]a"}, {std::string(83, '9'), "1", "[ABC]b"}, {"99999999999999999999999", "5", "[ABC]c"},
      {"1", "1", "=XY=d"}, {"1", "1", "=XY=e"}, {"1", "1", "=XY=f"}}},
};
// clang-format on

TEST(GameTypes, EachModShowsItsTypeAndTeamPanel) {
    for (const TypeRow& row : kTypes) {
        SCOPED_TRACE(row.name);
        Steps m;
        m.roster = row.roster;
        m.app.window.teamScoresVisible = true;
        for (const Step& step : row.steps) {
            if (step.before) step.before(m.app);
            m.send(step.reply);
            EXPECT_EQ(panel(m.app), step.panel) << step.reply;
        }
    }
}

// Named for people, also where the rules tell no game type apart.
TEST(GameTypes, TheWindowNamesTheGame) {
    // clang-format off
    const std::pair<std::string, const char*> rows[] = {
        {q3("baseoa", "0"), "Quake 3 free for all"}, {q3("cpma", "1"), "Quake 3 duel (cpma)"},
        {q3("cpma", "3"), "Quake 3 team deathmatch (cpma)"}, {q3("cpma", "4"), "Quake 3 capture the flag (cpma)"},
        {q3("cpma", "5"), "Quake 3 game 5 (cpma)"}, {Q2 + "baseq2", "Quake 2 free for all"},
        {q3("baseq3", "4"), "Quake 3 capture the flag (baseq3/baseoa)"}, {"", "No game recognised yet"}};
    // clang-format on
    for (const auto& [reply, name] : rows) {
        Steps m;
        if (!reply.empty()) m.send(reply);
        EXPECT_EQ(showStatus(m.app).gameName, name) << reply;
        toggleConnection(m.app);
        EXPECT_EQ(showStatus(m.app).gameName, "Not monitoring");
    }
}

}  // namespace
}  // namespace fc::test
