// Team names and the team of each player: clan-tag detection, assignment by team name, the
// operator's manual assignment, and the row colours.
#pragma once

#include <string>
#include <string_view>

namespace fc {

class App;

// Empties the three member lists and puts every row on the spectators' side.
void resetTeamList(App& app);

// The clan tag of a player name: the shortest piece of 2 to 14 characters between separators
// in its first 15 characters ("[ABC]Player" gives "ABC"); "" when there is none.
std::string getTag(const std::string& name);

// Names the teams from the server's own team scores, else from the two most common clan tags.
void autoDetectTags(App& app);

// Puts every row on the team whose name it contains (ignoring case; "Blue" wins over "Red").
void autoAssignNow(App& app);

// The two team names change places.
void switchTeamNames(App& app);

// The team menu's first two items: names the teams, or swaps them, then puts every row on its
// team.
void detectAndAssignTeams(App& app);
void switchAndAssignTeams(App& app);

// Colours every row by its team column.
void colourPlayerRows(App& app);

// The operator's clicks on the player list.
void onPlayerListMouse(App& app, bool buttonDown);
void onPlayerRowClicked(App& app, int row);
void onPlayerListColumnClicked(App& app, int column);

// Orders the rows by the chosen column (numeric for score and ping); the server's order when
// no column was chosen.
void sortPlayerList(App& app);

// The operator edited a team name: colour codes (character 3) become blanks.
void onTeamNameEdited(App& app, bool red, const std::string& text);

// Quake 2 capture-the-flag: whether the server's red side is the team named blue here, judged
// by which clan holds more frags.
void checkTeamsSwapped(App& app);

}  // namespace fc
