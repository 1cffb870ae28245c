// Joining the pieces of an Unreal Tournament answer. Each piece carries "queryid" with the
// query number, a full stop and its packet number; the last one also carries "final". Only the
// pieces of the latest query are joined: sending a query empties the slots, so an answer never
// mixes in pieces of an older one, and one whose final piece never came is given up then.
#pragma once

#include <optional>
#include <string>

namespace fc {

class App;

// The slots hold packet numbers 0 to 100; pieces numbered above are dropped.
inline constexpr int kHighestUnrealPacket = 100;

// A query went out (or a replayed record stands for one): empty the slots, forget the final
// piece and let the next whole answer through.
void newUnrealQuery(App& app);

// Takes one piece. Gives the reply text ("blaatschaap\totaal\", the piece count with one
// leading blank, then the joined pieces) once every piece up to the final one is in and the
// query is still unanswered; nothing otherwise.
std::optional<std::string> addUnrealPiece(App& app, std::string piece);

}  // namespace fc
