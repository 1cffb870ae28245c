// The operator's view of the channel: display lines for chat, joins, leaves, mode and topic
// changes, the list of nicks in the channel, and the input line under the output window.
#pragma once

#include <string>

namespace fc {

class App;

void ShowPrivmsg(App& app, const std::string& sender, const std::string& params);
// A PART or QUIT: the nick leaves the list.
void ShowLeave(App& app, const std::string& sender, const std::string& command);
// Another user joined: the nick joins the list and may be greeted.
void ShowJoin(App& app, const std::string& sender);
// A mode change; the list is emptied, since it no longer shows the nicks' status marks.
void ShowMode(App& app, const std::string& params);
void ShowTopic(App& app, const std::string& sender, const std::string& params);

// Enter in the input line: a slash line is sent raw (a nick change is refused), anything else
// is said in the channel.
void OnIrcInputEnter(App& app);

}  // namespace fc
