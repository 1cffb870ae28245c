// The check for a newer version of the program.
#pragma once

namespace fc {

class App;

// Starts a check. Not built yet: the splash window's end calls it when "Check for updates at
// startup." is ticked, and until the check exists it does nothing.
void Updater(App& app);

}  // namespace fc
