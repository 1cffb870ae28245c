// The check for a newer version of the program.
#pragma once

namespace fc {

class App;

// Starts a check. Not built yet: the splash window's end calls it when "Check for updates at
// startup." is ticked, and until the check exists it does nothing.
void Updater(App& app);

// "Check for update now.": a check the operator asked for, which also says when there is no
// newer version.
void UpdateKnop(App& app);

}  // namespace fc
