// Team names and the team of each player.
#pragma once

namespace fc {

class App;

// Forgets the teams of the last run before a new one starts. Team assignment is not built yet;
// until then this deliberately changes nothing.
void ResetTeamList(App& app);

}  // namespace fc
