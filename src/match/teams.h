// Team names and the team of each player: clan-tag detection, assignment by team name, the
// operator's manual assignment, and the row colours.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace fc {

class App;

// Whether a list of quoted names holds the name in quotes. Looks the name up first and then
// checks the quotes, which is much quicker than searching for the quoted form in long lists.
bool ListHolds(const std::string& list, const std::string& name);

// A list of quoted names prepared for many look-ups: the same answers as ListHolds, from a set
// of the names when the list is made only of quoted names (as the program writes it).
class QuotedNames {
public:
    QuotedNames() = default;
    QuotedNames(const QuotedNames&) = delete;
    QuotedNames& operator=(const QuotedNames&) = delete;
    // Takes the list in; kept as it is when the list has not changed since.
    void use(const std::string& list);
    bool holds(const std::string& name) const;

private:
    std::string list_;
    bool plain_ = true;                           // the list is "name""name"... with no empty name
    std::unordered_set<std::string_view> names_;  // views into list_
};

// Empties the three member lists and puts every row on the spectators' side.
void ResetTeamList(App& app);

// The clan tag of a player name: the shortest piece of 2 to 14 characters between separators
// in its first 15 characters ("[ABC]Player" gives "ABC"); "" when there is none.
std::string getTag(const std::string& name);

// Names the teams from the server's own team scores, else from the two most common clan tags.
void AutoDetectTags(App& app);

// Puts every row on the team whose name it contains (ignoring case; "Blue" wins over "Red").
void AutoAssignNow(App& app);

// Colours every row by its team column.
void KleurLijst(App& app);

// The operator's clicks on the player list.
void OnPlayerListMouse(App& app, bool buttonDown);
void OnPlayerRowClicked(App& app, int row);
void OnPlayerListColumnClicked(App& app, int column);

// Orders the rows by the chosen column (numeric for score and ping); the server's order when
// no column was chosen.
void SortPlayerList(App& app);

// The operator edited a team name: colour codes (character 3) become blanks.
void OnTeamNameEdited(App& app, bool red, const std::string& text);

// Quake 2 capture-the-flag: whether the server's red side is the team named blue here, judged
// by which clan holds more frags.
void CheckNWissel(App& app);

}  // namespace fc
