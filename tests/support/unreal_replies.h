// Unreal answers: packet 1 the server's values, 2 the players, 3 the queryid and final marker.
#pragma once

#include <string>
#include <vector>

namespace fc::test {

// A player's team: the "team_" value as sent.
// clang-format off
struct UnrealPlayer { std::string name; int frags = 0; std::string team; };
struct UnrealAnswer { std::string gametype, timelimit; std::vector<UnrealPlayer> players; };
// clang-format on

// One datagram: the pairs of that packet number, "\queryid\" `queryId`, and "\final\" if final.
inline std::string unrealPiece(const UnrealAnswer& a, int packet, const std::string& queryId,
                               bool final) {
    std::string pairs;
    if (packet == 1)
        pairs = "\\gamename\\ut\\gamever\\436\\mapname\\CTF-Face\\gametype\\" + a.gametype +
                "\\numplayers\\" + std::to_string(a.players.size()) +
                "\\maxplayers\\12\\timelimit\\" + a.timelimit;
    for (std::size_t i = 0; packet == 2 && i < a.players.size(); ++i) {
        const std::string n = std::to_string(i);
        pairs += "\\player_" + n + "\\" + a.players[i].name + "\\frags_" + n + "\\" +
                 std::to_string(a.players[i].frags) + "\\ping_" + n + "\\" + std::to_string(4 + i) +
                 "\\team_" + n + "\\" + a.players[i].team;
    }
    return pairs + "\\queryid\\" + queryId + (final ? "\\final\\" : "");
}

inline std::vector<std::string> unrealDatagrams(const UnrealAnswer& a, int query) {
    const std::string q = std::to_string(query) + ".";
    return {unrealPiece(a, 1, q + "1", false), unrealPiece(a, 2, q + "2", false),
            unrealPiece(a, 3, q + "3", true)};
}

}  // namespace fc::test
