// Reading a status reply's server variables and cleaning the names in it.
#pragma once

#include <string>
#include <string_view>

namespace fc {

// The value of a server variable: a plain, case-sensitive search for `key` in the reply (with
// every LF read as "\"); the value starts one character after the key and runs to the next "\".
// "maxclients" thus also finds sv_maxclients, while "\version" only matches where a key or a
// value begins with "version". An absent key gives "".
std::string getServerVar(std::string_view key, std::string_view reply);

// Removes Quake 3 colour codes: "^" and the character after it ("^" alone at the end).
std::string filterQ3Colours(std::string_view text);

// Appends the text to `out` with its Quake 3 colour codes removed, as filterQ3Colours does.
void appendWithoutQ3Colours(std::string& out, std::string_view text);

// Removes leading non-breaking spaces (character 160), the padding of the list's columns.
std::string stripNonBreakingSpaces(std::string_view text);

// The whole number in a padded column of the player list: " 12" reads as 12.
long long columnNumber(std::string_view text);

// Whether a game name is base Quake 3's (any case); OpenArena ("baseoa") plays the same games.
bool isBaseQuake3(std::string_view gameName);

}  // namespace fc
