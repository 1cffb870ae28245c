// The operator's view of the channel: display lines for chat, joins, leaves, mode and topic
// changes, the list of nicks in the channel, and the input line under the output window.
#pragma once

#include <string>

namespace fc {

class App;
struct IrcLine;

// A PRIVMSG as the output window shows it: chat, a private message, an action or a CTCP query.
void showPrivmsg(App& app, const IrcLine& line);
// A PART or QUIT: the nick leaves the list.
void showLeave(App& app, const std::string& sender, const std::string& command);
// Another user joined: the nick joins the list and may be greeted.
void showJoin(App& app, const std::string& sender);
// A mode change, as shown; the marks it gives and takes are the channel list's matter.
void showMode(App& app, const std::string& params);
void showTopic(App& app, const std::string& sender, const std::string& params);

// Enter in the input line: a slash line is sent raw (a nick change is refused), anything else
// is said in the channel.
void onIrcInputEnter(App& app);

}  // namespace fc
