// The Unreal Tournament reply handler, fed one piece of a reply at a time.
#pragma once

#include <string>

namespace fc {

class App;

// A server cannot hold more players than this; a "numplayers" above it is read as this many.
inline constexpr long long kMaxUnrealRows = 255;

// Takes one piece of an Unreal Tournament reply (pairs up to and including a queryid, or the
// last piece with the closing part behind it). Once the whole answer to the latest query is in,
// fills the server fields and the player list, sums the teams and follows the match.
void takeUnrealPiece(App& app, const std::string& piece);

}  // namespace fc
