// What one Quake reply means: game type, mod, team scores, time left and match events.
#pragma once

#include <string>

namespace fc {

class App;

// The back half of the reply handler, run on every Quake reply after the player list and the
// server variables are filled. Game types and scores are not built yet: deliberately a no-op.
void AnalyseQuakeReply(App& app, const std::string& reply);

}  // namespace fc
