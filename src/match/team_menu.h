// The team menu ("Team Control Menu" on the main window): each item runs the team operations
// on the main window's players and team names.
#pragma once

namespace fc {

class App;

struct TeamMenuItem {
    const char* name;
    const char* caption;  // "&&" shows as one "&"
    void (*run)(App&);
    bool separatorAfter;
};

extern const TeamMenuItem kTeamMenu[6];

}  // namespace fc
