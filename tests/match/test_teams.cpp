// Clan tags, team names, the players' sides by name and by clicks, and the team menu.
#include <gtest/gtest.h>

#include "core/app.h"
#include "match/teams.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

struct TeamsTest : ::testing::Test {
    TeamsTest() { app.match.teamsKnown = true; }  // as the start-up leaves it
    void players(const std::vector<std::string>& names) {
        app.monitor.playerRows.clear();
        for (const std::string& name : names)
            app.monitor.playerRows.push_back({name, "0", "0", ""});
    }
    std::string teams() {  // the team column, by commas
        std::string out;
        for (const PlayerRow& r : app.monitor.playerRows) out += r.team + ",";
        return out.substr(0, out.size() - 1);
    }
    std::string names() { return app.match.redTeamName + "|" + app.match.blueTeamName; }
    std::string members() {
        return app.match.redMembers + "|" + app.match.blueMembers + "|" + app.match.specMembers;
    }
    FakePlatform platform;
    App app{platform};
};

// The shortest piece of 2 to 14 characters between separators in the first 15; "" if none.
TEST(GetTag, ShortestPieceOfTwoToFourteenBetweenSeparators) {
    // clang-format off
    const std::pair<std::string, const char*> rows[] = {
        {"[ABC]Player", "ABC"}, {"Player", "Player"}, {"x", ""}, {"ABCDEFGHIJKLMNO", ""},
        {"=RC=Sarge", "RC"}, {"[AB]CD", "AB"}, {"a(b)cd.ef|gh*ij", "cd"},
        {"ABCDEFGHIJKLMN|XY", "ABCDEFGHIJKLMN"}, {"--  --", ""}, {"", ""},
        {std::string(200, 'x'), ""}};
    // clang-format on
    for (const auto& [name, tag] : rows) EXPECT_EQ(getTag(name), tag) << name;
}

// The team names come from the tags met most often (the later ones red), or from the server's
// names (with no hyphen the whole value), colour codes as blanks.
TEST_F(TeamsTest, TeamNamesFromTheTagsOrTheServer) {
    const std::vector<std::string> tags8 = {"[AA]1", "[BB]1", "[CC]1", "[BB]2",
                                            "[CC]2", "[BB]3", "[CC]3", "[AA]2"};
    const std::vector<std::string> threeTwo = {"[AA]1", "[AA]2", "[AA]3", "[BB]1", "[BB]2"};
    std::vector<std::string> many;  // seventy-nine tags, then two more met three times each
    for (int i = 11; i < 90; ++i) many.push_back("[T" + std::to_string(i) + "]");
    for (const char* p : {"[XX]1", "[XX]2", "[XX]3", "[YY]1", "[YY]2", "[YY]3"}) many.push_back(p);
    // clang-format off
    const struct { const char* name; std::vector<std::string> players; const char* names;
                   GameType type = GameType::NoGameYet; const char* reply = ""; } rows[] = {
        {"tags met equally often: the later red", tags8, "CC|BB"},
        {"three against two: not enough outside dm", threeTwo, "Red team|Blue team"},
        {"no tag counted past the eightieth", many, "Red team|Blue team"},
        {"two a side is enough in deathmatch", threeTwo, "AA|BB", GameType::Quake2TeamDeathmatch},
        {"one player: deathmatch's default names", {"[AA]1"}, "Team A|Team B", GameType::Quake2TeamDeathmatch},
        {"the server's names win", {"[AA]1", "[AA]2", "[AA]3", "[BB]1", "[BB]2", "[BB]3"}, "Alpha Clan|Bravo",
         GameType::NoGameYet, "\xFF\xFF\xFF\xFFprint\n\\Score_A\\5-Alpha\003Clan\\Score_B\\Bravo\n"},
        // clang-format on
    };
    for (const auto& r : rows) {
        players(r.players);
        app.monitor.gameType = r.type;
        app.status.variables = readServerVariables(r.reply);
        autoDetectTags(app);
        EXPECT_EQ(names(), r.names) << r.name;
    }
}

// Each row after the one before, on the same list: an assignment replaces the earlier one whole.
TEST_F(TeamsTest, AssignmentByNameIgnoresCaseAndBlueWins) {
    const std::vector<std::string> five = {"[ABC]Bob", "xyzzy", "ABC-XYZ", "nobody",
                                           "[\xC9T\xC9]Zo\xEB"};
    // clang-format off
    const struct { const char* name; std::vector<std::string> players; const char *red, *blue, *teams, *members; } rows[] = {
        {"by name", five, "abc", "XYZ", "Red,Blue,Blue,Spec,Spec", "\"[ABC]Bob\"|\"xyzzy\"\"ABC-XYZ\"|"},
        {"accented letters fold too", five, "\xE9t\xE9", "XYZ", "Spec,Blue,Blue,Spec,Red", "\"[\xC9T\xC9]Zo\xEB\"|\"xyzzy\"\"ABC-XYZ\"|"},
        {"and blue wins", {"a", "b"}, "", "", "Blue,Blue", "|\"a\"\"b\"|"}};  // clang-format on
    for (const auto& r : rows) {
        if (app.monitor.playerRows.size() != r.players.size()) players(r.players);
        app.match.redTeamName = r.red;
        app.match.blueTeamName = r.blue;
        autoAssignNow(app);
        EXPECT_EQ(teams() + " " + members(), r.teams + (" " + std::string(r.members))) << r.name;
    }
}

// A click walks a row round the sides (unassigned rows go to red first), or, while the teams
// are unknown, marks or unmarks the player. Typed team names lose their colour codes.
TEST_F(TeamsTest, ClicksWalkARowRoundOrMarkIt) {
    const auto click = [&](int row) {
        onPlayerListMouse(app, true);
        onPlayerRowClicked(app, row);
        onPlayerListMouse(app, false);
    };
    players({"Ann", "Bob"});
    click(5);
    using enum RowColour;
    for (const auto& [lists, colour] : {std::pair("\"Ann\"||", Red),
                                        {"|\"Ann\"|", AssignedBlue},
                                        {"||\"Ann\"", Grey},
                                        {"\"Ann\"||", Red}}) {
        click(0);
        EXPECT_EQ(std::tuple(members(), app.monitor.playerRows[0].colour),
                  std::tuple(lists, colour));
    }
    app.match.teamsKnown = false;
    for (const int row : {1, 0, 1}) click(row);
    EXPECT_EQ(app.match.markedPlayers + " " + teams(), "\"Ann\" Red,");
    onTeamNameEdited(app, true, "\00304Red\003");  // colour codes become blanks
    onTeamNameEdited(app, false, "Blue");
    EXPECT_EQ(names(), " 04Red |Blue");
}

// Sides swapped: the clan named red has more points in the list while blue's side has more frags
// on the server, or the other way round; only where the game's sides may be swapped.
// A column's click sorts by it, numbers as numbers; a second click turns the order round.
TEST_F(TeamsTest, ColumnClicksSortTheList) {
    app.monitor.playerRows = {
        {"Bob", "10", "9", "Red"}, {"ann", "9", "80", "Blue"}, {"Cid", "-2", "45", ""}};
    const std::pair<int, const char*> clicks[] = {
        {0, "Bob,Cid,ann"}, {0, "ann,Cid,Bob"}, {1, "Cid,ann,Bob"}, {2, "Bob,Cid,ann"},
        {2, "ann,Cid,Bob"}, {3, "Cid,ann,Bob"}, {4, "Cid,ann,Bob"}, {-1, "Cid,ann,Bob"}};
    for (const auto& [column, order] : clicks) {
        onPlayerListColumnClicked(app, column);
        std::string shown;
        for (const PlayerRow& r : app.monitor.playerRows)
            shown += (shown.empty() ? "" : ",") + r.name;
        EXPECT_EQ(shown, order) << "column " << column;
    }
}

TEST_F(TeamsTest, SidesSwappedWhenTheClansPointsAndTheSidesFragsDisagree) {
    // clang-format off
    const struct { const char *name, *top, *red, *blue; bool swapped; GameType type = GameType::Quake2Ctf; } rows[] = {
        // `top` scores 10, the other of AA and BB 2
        {"red's clan leads, blue's side has the frags", "[AA]1", "1/2", "0/10", true},
        {"both lead on the same side", "[AA]1", "1/10", "0/2", false}, {"the other way round", "[BB]1", "0/10", "0/2", true},
        {"no clan in the list", "x", "0/1", "0/9", false}, {"no clan, red's side ahead", "x", "0/9", "0/1", false},
        {"a score without frags", "[AA]1", "1/2", "10", false},
        {"sides never swapped", "[AA]1", "1/2", "0/10", false, GameType::Quake3OspScored}};  // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const char* other = r.top[1] == 'A' ? "[BB]1" : r.top[1] == 'B' ? "[AA]1" : "y";
        app.status.players = {{.name = r.top, .score = 10}, {.name = other, .score = 2}};
        app.match.redTeamName = "AA";
        app.match.blueTeamName = "BB";
        app.status.red = readTeamScore(r.red);
        app.status.blue = readTeamScore(r.blue);
        app.monitor.gameType = r.type;
        app.match.teamsSwapped = false;
        checkTeamsSwapped(app);
        EXPECT_EQ(app.match.teamsSwapped, r.swapped);
    }
}

TEST_F(TeamsTest, TeamMenuItems) {
    const std::pair<void (*)(App&), const char*> rows[] = {
        {detectAndAssignTeams, "AA|BB Red,Blue,Red,Blue,Red,Blue,Red,Spec"},
        {switchAndAssignTeams, "aa|bb Red,Blue,Red,Blue,Red,Blue,Red,Spec"},
        {autoDetectTags, "AA|BB ,,,,,,,"},
        {autoAssignNow, "bb|aa Blue,Red,Blue,Red,Blue,Red,Blue,Spec"},
        {switchTeamNames, "aa|bb ,,,,,,,"},
        {resetTeamList, "bb|aa Spec,Spec,Spec,Spec,Spec,Spec,Spec,Spec"}};
    for (const auto& [item, after] : rows) {
        players({"[AA]1", "[BB]1", "[AA]2", "[BB]2", "[AA]3", "[BB]3", "[AA]4", "x"});
        app.match.redTeamName = "bb", app.match.blueTeamName = "aa";
        item(app);
        EXPECT_EQ(names() + " " + teams(), after);
    }
}

}  // namespace
}  // namespace fc::test
