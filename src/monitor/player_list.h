// Filling the player list and the server-variable text from a Quake reply.
#pragma once

#include <string>

namespace fc {

class App;

// Refills `playerRows` and the status's players from the reply's player lines, with each
// row's team and colour.
// An empty reply means no server answers: one row "No server found!" and polling stops.
void fillPlayerList(App& app, const std::string& reply);

// Rewrites `serverInfoText` with one "key = value" line per server variable of the status,
// in reply order.
void fillServerInfo(App& app);

// Gives the status's players the teams their rows show, once the rows were given teams.
void takeTeamsFromRows(App& app);

// Pads a column value to four characters with leading non-breaking spaces (character 160).
std::string padColumn(const std::string& value);

}  // namespace fc
