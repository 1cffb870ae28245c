// The Unreal Tournament reply handler, fed one piece of a reply at a time.
#pragma once

#include <string>

namespace fc {

class App;

// Takes one piece of an Unreal Tournament reply (pairs up to and including a queryid, or the
// last piece with the closing part behind it). Not built yet: deliberately ignores the piece.
void ProcessUT(App& app, const std::string& piece);

}  // namespace fc
