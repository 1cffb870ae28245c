#include "match/team_menu.h"

#include "match/teams.h"

namespace fc {

const TeamMenuItem kTeamMenu[6] = {
    {"mnuDetAss", "Detect && Assign Teams",
     [](App& app) {
         AutoDetectTags(app);
         AutoAssignNow(app);
     },
     false},
    {"mnuSwAss", "Switch && Assign Teams",
     [](App& app) {
         SwitchTeamNames(app);
         AutoAssignNow(app);
     },
     true},
    {"mnuDetect", "Detect Tags only", AutoDetectTags, false},
    {"mnuAssign", "Assign Team names only", AutoAssignNow, false},
    {"mnuSwitch", "Switch Team names only", SwitchTeamNames, false},
    {"mnuReset", "Reset teams (all Spec)", ResetTeamList, false},
};

}  // namespace fc
