// The team menu: what each item leaves in the team names and the team column.
#include <gtest/gtest.h>

#include "match/team_menu.h"
#include "support/monitor_fixture.h"

namespace fc::test {
namespace {

class TeamMenuTest : public MonitorTest {
protected:
    // "red|blue|team of each row" after the item ran.
    std::string run(const TeamMenuItem& item) {
        view().txtnaamRED = "bb";
        view().txtnaamBLUE = "aa";
        view().spelerLijst.clear();
        for (const char* name :
             {"[AA]1", "[BB]1", "[AA]2", "[BB]2", "[AA]3", "[BB]3", "[AA]4", "x"})
            view().spelerLijst.push_back({name, "0", "0", "", RowColour::Black});
        item.run(app);
        std::string out = view().txtnaamRED + "|" + view().txtnaamBLUE + "|";
        for (const PlayerRow& row : view().spelerLijst) out += row.team + " ";
        return out;
    }
};

TEST_F(TeamMenuTest, EachItemOnTheTeams) {
    const char* expected[][2] = {
        {"Detect && Assign Teams", "AA|BB|Red Blue Red Blue Red Blue Red Spec "},
        {"Switch && Assign Teams", "aa|bb|Red Blue Red Blue Red Blue Red Spec "},
        {"Detect Tags only", "AA|BB|        "},
        {"Assign Team names only", "bb|aa|Blue Red Blue Red Blue Red Blue Spec "},
        {"Switch Team names only", "aa|bb|        "},
        {"Reset teams (all Spec)", "bb|aa|Spec Spec Spec Spec Spec Spec Spec Spec "},
    };
    for (std::size_t i = 0; i < std::size(kTeamMenu); ++i) {
        EXPECT_STREQ(kTeamMenu[i].caption, expected[i][0]);
        EXPECT_EQ(run(kTeamMenu[i]), expected[i][1]) << expected[i][0];
    }
    // Switching twice gives the names back as they were.
    kTeamMenu[4].run(app);
    kTeamMenu[4].run(app);
    EXPECT_EQ(view().txtnaamRED + "|" + view().txtnaamBLUE, "bb|aa");
}

}  // namespace
}  // namespace fc::test
