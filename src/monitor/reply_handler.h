// The front half of the reply handler: every datagram from the game server, and every reply
// played back from a recording, goes through here.
#pragma once

#include <string>
#include <vector>

#include "core/platform.h"

namespace fc {

class App;

// A datagram arrived on the game-status socket. Datagrams from any address other than the one
// the queries go to are dropped before anything else, so no other host can steer the monitor.
void onGameDatagram(App& app, const Datagram& datagram);

// A reply replayed from a recording.
void onReplayedReply(App& app, const std::string& reply);

// Cuts an Unreal Tournament reply into the pieces the Unreal Tournament handler takes: each
// ends after a queryid's identifier; a rest is handed over behind the last piece.
std::vector<std::string> cutUnrealPieces(const std::string& reply);

// Whether two numeric addresses name the same host (an IPv4-mapped IPv6 address equals its
// IPv4 form).
bool sameAddress(const std::string& a, const std::string& b);

}  // namespace fc
