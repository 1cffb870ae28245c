// The check for a newer version of the program: one plain request to the update host, whose
// answer is the version file.
#pragma once

#include <string>

namespace fc {

class App;

// Starts a check at the address the settings give (`updateUrl`); an earlier connection is closed
// first. Called at start-up when "Check for updates at startup." is ticked. With no address set
// an automatic check does nothing.
void startUpdateCheck(App& app);

// "Check for update now.": a check the operator asked for, which also says when there is no
// newer version, or that no address is set.
void checkForUpdateNow(App& app);

// The update socket's events.
void onUpdateConnected(App& app);
void onUpdateData(App& app, const std::string& bytes);
void onUpdateClosed(App& app);
void onUpdateFailed(App& app);

}  // namespace fc
