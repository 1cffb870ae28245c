// Clan tags, team names, assignment by name and by the operator's clicks, and row colours.
#include <gtest/gtest.h>

#include "match/teams.h"
#include "support/monitor_fixture.h"

namespace fc::test {
namespace {

using Lines = std::vector<std::string>;

class TeamsTest : public MonitorTest {
protected:
    void players(const std::vector<std::string>& names) {
        view().spelerLijst.clear();
        for (const auto& n : names)
            view().spelerLijst.push_back({n, "0", "0", "", RowColour::Black});
    }
    void clickRow(int index) {
        OnPlayerListMouse(app, true);
        OnPlayerRowClicked(app, index);
        OnPlayerListMouse(app, false);
    }
    std::string team(int index) { return view().spelerLijst.at(index).team; }
    // One column of the player list, top to bottom.
    std::vector<std::string> column(std::string PlayerRow::*field) {
        std::vector<std::string> all;
        for (const PlayerRow& row : view().spelerLijst) all.push_back(row.*field);
        return all;
    }
};

TEST(GetTag, ShortestPieceOfTwoToFourteenBetweenSeparators) {
    EXPECT_EQ(getTag("[ABC]Player"), "ABC");
    EXPECT_EQ(getTag("Player"), "Player");
    EXPECT_EQ(getTag("x"), "");
    EXPECT_EQ(getTag("ABCDEFGHIJKLMNO"), "");  // one piece of 15: too long
    EXPECT_EQ(getTag("=RC=Sarge"), "RC");
    EXPECT_EQ(getTag("[AB]CD"), "AB");  // equal lengths: the first wins
    EXPECT_EQ(getTag("a(b)cd.ef|gh*ij"), "cd");
    EXPECT_EQ(getTag("ABCDEFGHIJKLMN|XY"), "ABCDEFGHIJKLMN");  // only the first 15 count
    EXPECT_EQ(getTag("--  --"), "");
    EXPECT_EQ(getTag(""), "");
    EXPECT_EQ(getTag(std::string(200, 'x')), "");
}

// "" is held as the quoted empty name: two quotes in a row.
TEST(ListHolds, FindsExactlyTheQuotedName) {
    const std::string list = "\"Ann\"\"Bo b\"\"Ann2\"";
    for (const char* name : {"Ann", "Bo b", "Ann2", ""}) EXPECT_TRUE(ListHolds(list, name)) << name;
    for (const char* name : {"An", "nn2", "Bo"}) EXPECT_FALSE(ListHolds(list, name)) << name;
    EXPECT_FALSE(ListHolds("\"Ann\"", ""));
    EXPECT_FALSE(ListHolds("", "Ann"));
    EXPECT_FALSE(ListHolds("Ann\"", "Ann"));
}

// The names for the two teams from the players' clan tags, or from the server. Of tags met
// equally often the later one (CC) names red; two a side is enough in deathmatch; the server's
// names win, and with no hyphen the whole value is the name; colour codes (character 3) become
// blanks as they do when a name is typed; only the first eighty tags get a place in the tally.
TEST_F(TeamsTest, TeamNamesFromTagsOrTheServer) {
    std::vector<std::string> crowded;
    for (int i = 0; i < 80; ++i) crowded.push_back("[t" + std::to_string(100 + i) + "]x");
    const std::pair<std::string, int> later[] = {{"late", 3}, {"t100", 3}, {"t101", 2}};
    for (const auto& [tag, count] : later)
        for (int i = 0; i < count; ++i)
            crowded.push_back("[" + tag + "]player" + std::to_string(i));
    const Lines three = {"[AA]1", "[BB]1", "[CC]1", "[BB]2", "[CC]2", "[BB]3", "[CC]3", "[AA]2"};
    const Lines threeAndTwo = {"[AA]1", "[AA]2", "[AA]3", "[BB]1", "[BB]2"};
    const Lines threeEach = {"[AA]1", "[AA]2", "[AA]3", "[BB]1", "[BB]2", "[BB]3"};
    const std::string serverNames =
        "\xFF\xFF\xFF\xFFprint\n\\Score_A\\5-Alpha\x03"
        "Clan\\Score_B\\Bravo\n";
    const struct {
        Lines names;
        const char* gameType;
        bool swapped;
        std::string reply;
        const char* teams;
    } cases[] = {{three, "geen", false, "", "CC|BB"},
                 {three, "geen", true, "", "BB|CC"},
                 {threeAndTwo, "geen", false, "", "Red team|Blue team"},
                 {threeAndTwo, "dm", false, "", "AA|BB"},
                 {{"[AA]1"}, "dm", false, "", "Team A|Team B"},
                 {threeEach, "geen", false, serverNames, "Alpha Clan|Bravo"},
                 {crowded, "geen", false, "", "t100|t101"}};
    for (const auto& c : cases) {
        players(c.names);
        view().gameType = c.gameType;
        view().teamsSwapped = c.swapped;
        view().lastReplyText = c.reply;
        AutoDetectTags(app);
        EXPECT_EQ(view().txtnaamRED + "|" + view().txtnaamBLUE, c.teams) << c.teams;
    }
}

TEST_F(TeamsTest, AssignmentByNameIgnoresCaseAndBlueWins) {
    players({"[ABC]Bob", "xyzzy", "ABC-XYZ", "nobody"});
    view().txtnaamRED = "abc";
    view().txtnaamBLUE = "XYZ";
    AutoAssignNow(app);
    EXPECT_EQ(column(&PlayerRow::team), (Lines{"Red", "Blue", "Blue", kTeamSpectators}));
    EXPECT_EQ(view().redMembers, "\"[ABC]Bob\"");
    EXPECT_EQ(view().blueMembers, "\"xyzzy\"\"ABC-XYZ\"");
    EXPECT_EQ(view().specMembers, "");
}

TEST_F(TeamsTest, EmptyTeamNamesTakeEveryone) {
    players({"a", "b"});
    view().txtnaamRED = "";
    AutoAssignNow(app);
    EXPECT_EQ(team(0), "Red");
    view().txtnaamBLUE = "";
    AutoAssignNow(app);
    EXPECT_EQ(column(&PlayerRow::team), (Lines{"Blue", "Blue"}));
    EXPECT_EQ(view().redMembers, "");
}

TEST_F(TeamsTest, ThreeClicksWalkARowRoundAndKeepItInOneList) {
    players({"Ann", "Bob"});
    view().txtnaamRED = "ann";
    AutoAssignNow(app);
    ASSERT_EQ(team(0), "Red");
    const std::string q = "\"Ann\"";
    auto listsHolding = [&] {
        int n = 0;
        for (const std::string* list :
             {&view().redMembers, &view().blueMembers, &view().specMembers}) {
            n += list->find(q) != std::string::npos;
        }
        return n;
    };
    const std::vector<std::string> cycle = {"Blue", kTeamSpectators, "Red"};
    for (const std::string& next : cycle) {
        clickRow(0);
        EXPECT_EQ(team(0), next);
        EXPECT_EQ(listsHolding(), 1) << next;
    }
    EXPECT_EQ(view().redMembers, q);
    EXPECT_EQ(view().spelerLijst[0].colour, RowColour::Red);
}

TEST_F(TeamsTest, OnlyMouseClicksOnRealRowsCount) {
    players({"Ann"});
    view().spelerLijst[0].team = "";
    OnPlayerRowClicked(app, 0);  // a keyboard selection: no button held
    EXPECT_EQ(team(0), "");
    clickRow(5);
    clickRow(-1);
    EXPECT_EQ(view().redMembers, "");
    clickRow(0);  // unassigned rows go to red
    EXPECT_EQ(team(0), "Red");
    EXPECT_EQ(view().redMembers, "\"Ann\"");
}

TEST_F(TeamsTest, ClicksMarkPlayersWhileTeamsAreUnknown) {
    players({"Ann", "Bob"});
    view().teamsKnown = false;
    clickRow(1);
    clickRow(0);
    EXPECT_EQ(view().markedPlayers, "\"Bob\"\"Ann\"");
    clickRow(1);
    EXPECT_EQ(view().markedPlayers, "\"Ann\"");
    EXPECT_EQ(team(1), "");
}

TEST_F(TeamsTest, ResetAndColours) {
    players({"a", "b", "c"});
    view().spelerLijst[0].team = "Red";
    view().spelerLijst[1].team = "Blue";
    KleurLijst(app);
    EXPECT_EQ(view().spelerLijst[0].colour, RowColour::Red);
    EXPECT_EQ(view().spelerLijst[1].colour, RowColour::AssignedBlue);
    EXPECT_EQ(view().spelerLijst[2].colour, RowColour::Grey);
    view().redMembers = "\"a\"";
    ResetTeamList(app);
    EXPECT_EQ(view().redMembers, "");
    for (const auto& row : view().spelerLijst) EXPECT_EQ(row.team, kTeamSpectators);
}

TEST_F(TeamsTest, ColourCodesInTeamNamesBecomeBlanks) {
    OnTeamNameEdited(app, true,
                     "\x03"
                     "04Red\x03");
    EXPECT_EQ(view().txtnaamRED, " 04Red ");
    OnTeamNameEdited(app, false, "Blue");
    EXPECT_EQ(view().txtnaamBLUE, "Blue");
}

TEST_F(TeamsTest, ScoreColumnSortsByNumberAndFlipsOnASecondClick) {
    players({"a", "b", "c"});
    view().spelerLijst[0].score =
        "\xA0\xA0\xA0"
        "9";
    view().spelerLijst[1].score =
        "\xA0\xA0"
        "10";
    view().spelerLijst[2].score =
        "\xA0\xA0"
        "-1";
    OnPlayerListColumnClicked(app, 1);
    EXPECT_EQ(column(&PlayerRow::name), (Lines{"c", "a", "b"}));
    OnPlayerListColumnClicked(app, 1);
    EXPECT_EQ(column(&PlayerRow::name), (Lines{"b", "a", "c"}));
    OnPlayerListColumnClicked(app, 0);
    EXPECT_EQ(view().spelerLijst[0].name, "a");
}

}  // namespace
}  // namespace fc::test
