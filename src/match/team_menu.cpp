#include "match/team_menu.h"

#include "match/teams.h"

namespace fc {

const TeamMenuItem kTeamMenu[6] = {
    {"mnuDetAss", "Detect && Assign Teams",
     [](App& app) {
         autoDetectTags(app);
         autoAssignNow(app);
     },
     false},
    {"mnuSwAss", "Switch && Assign Teams",
     [](App& app) {
         switchTeamNames(app);
         autoAssignNow(app);
     },
     true},
    {"mnuDetect", "Detect Tags only", autoDetectTags, false},
    {"mnuAssign", "Assign Team names only", autoAssignNow, false},
    {"mnuSwitch", "Switch Team names only", switchTeamNames, false},
    {"mnuReset", "Reset teams (all Spec)", resetTeamList, false},
};

}  // namespace fc
