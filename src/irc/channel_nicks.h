// Who is in the bot's channel with which status, as the server tells it (NAMES, JOIN, PART,
// QUIT, KICK, NICK, MODE), what the server announced about itself (005), and the one way nicks
// and channel names are compared: by the server's case mapping, whole, never as a part.
#pragma once

#include <string>
#include <string_view>

namespace fc {

class App;
struct IrcLine;

// Whether two nicks or channel names are the same for the server.
bool sameName(const App& app, std::string_view a, std::string_view b);
bool isBot(const App& app, std::string_view nick);
bool isBotChannel(const App& app, std::string_view channel);

// The nick of a list entry, its status marks ("@+") left out.
std::string_view entryNick(const App& app, std::string_view entry);

// 005: case mapping, status prefixes, channel modes with parameters, UTF8ONLY.
void takeServerTraits(App& app, const IrcLine& line);
// 353 and 366: the names come in over several lines and replace the list at their end.
void takeNames(App& app, const IrcLine& line);
void namesEnd(App& app, const IrcLine& line);
// A user joined (`nick` without marks), left, was kicked, or changed the nick.
void addNick(App& app, const std::string& nick);
void removeNick(App& app, std::string_view nick);
void renameNick(App& app, std::string_view from, const std::string& to);
// The status marks a channel MODE line gives and takes ("+o-v a b").
void applyChannelModes(App& app, const IrcLine& line);

}  // namespace fc
