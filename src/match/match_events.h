// Match events inferred from successive Quake replies.
#pragma once

#include <string>

#include "core/server_status.h"

namespace fc {

class App;

// The Osp match phases: starting (a running match stopped), paused and continued once each,
// and the time left the server publishes.
void runOspPhaseRules(App& app, const ServerStatus& status);

// A new game on the server (a changed g_timestamp, or a changed map where there is none) ends
// the previous one (the App's previous status): its final score when a match was running, then
// a fresh start for the next with nothing remembered of the old game.
void runGameChangeRules(App& app, const ServerStatus& status);

// Begin, capture, score and end announcements, by comparing this status with the App's
// previous one.
void runMatchEventRules(App& app, const ServerStatus& status);

// Keeps what the next reply compares against: time left, the two scores (captures for Quake 2
// and Osp capture-the-flag, frags for base Quake 3 capture-the-flag), the status and the game.
void storeLastValues(App& app);

}  // namespace fc
