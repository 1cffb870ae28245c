// What the bot answers when users ask it something in a private message: the commands
// "!helpme", "!info", "!stats", "!players" and "!killyourself", and the client queries VERSION,
// PING and FINGER. Answers are notices to the asker; an ignore list lets every user have one
// answered query per ignore time.
#pragma once

#include <string>

namespace fc {

class App;

// A NOTICE or PRIVMSG line from `sender`: answered when it is addressed to the bot.
void handleBotQuery(App& app, const std::string& sender, const std::string& params);

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
