// What the bot answers when users ask it something in a private message: the commands
// "!helpme", "!info", "!stats", "!players" and "!killyourself", and the client queries VERSION,
// PING, TIME, CLIENTINFO and FINGER. Answers are notices to the asker; an ignore list lets every
// user have one answered query per ignore time.
#pragma once

#include <string>

namespace fc {

class App;

struct IrcLine;

// A PRIVMSG: answered when it is addressed to the bot. A NOTICE is never answered, so two bots
// cannot answer each other for ever.
void handleBotQuery(App& app, const IrcLine& line);

// What the network says a nick is logged in as ("*" for nobody): from a message's account tag,
// an extended JOIN, an ACCOUNT line, or WHOIS (330, then its end, 318).
void noteAccount(App& app, const std::string& nick, const std::string& account);
void accountOfWhois(App& app, const std::string& nick, const std::string& account);
void whoisEnd(App& app, const std::string& nick);

// A text as shown: what follows "!killyourself" (a password) is written as "****".
std::string hideKillPassword(std::string text);

// True when `nick` is still ignored; otherwise puts the nick on the list for `seconds` and
// returns false.
bool isIgnored(App& app, const std::string& nick, long long seconds);

// The "!players" answer to `nick`: the player list, three players per notice.
void sendPlayers(App& app, const std::string& nick);

// The notice that greets a user who joins the channel.
void sendOnJoinGreeting(App& app, const std::string& joiner);

// Counts every ignore-list entry down by a second and drops the ones that ran out.
void onIgnoreTimer(App& app);

// Takes the status's team scores into the four numbers the answers show.
void takeStatusScores(App& app);

}  // namespace fc
