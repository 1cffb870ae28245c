// Switching the monitor on and off, the poll tick and the status queries.
#pragma once

#include <string>

namespace fc {

class App;

inline constexpr const char* kQuake2Query = "\xFF\xFF\xFF\xFFstatus";
inline constexpr const char* kQuake3Query = "\xFF\xFF\xFF\xFFgetstatus";
inline constexpr const char* kUnrealQuery = "\\status\\";

// Sends the Quake 2 query, then the Quake 3 query, to the entry's address.
void updateQuakeStatus(App& app);
// Sends the Unreal Tournament query and slows the poll to every two seconds.
void updateUnrealStatus(App& app);
// The server answered on an Unreal Tournament game port: query the port above it instead.
void plusPort(App& app);
// The connection button: switches monitoring on when it is off, off when it is on.
void toggleConnection(App& app);
// Ends a live or playback run.
void stopChecking(App& app);

void onPollTick(App& app);
// The Quake queries of a tick whose family is not yet known, after the Unreal Tournament one.
void onQuakeQueryTimer(App& app);
void onSecondTick(App& app);

// The operator edited or clicked into the entry field.
void onServerEntryEdited(App& app, const std::string& text);

}  // namespace fc
