#include "settings/irc_server_list.h"

#include <algorithm>

#include "core/app.h"
#include "settings/settings_file.h"

namespace fc {

void AddIrcServerToList(App& app) {
    MainView& v = app.view;
    const std::string server = v.IRCServer.substr(0, v.IRCServer.find(' '));
    std::vector<std::string>& list = v.IRCServerList;
    if (v.IRCServer.empty() || std::find(list.begin(), list.end(), server) != list.end()) {
        app.platform.beep();
        return;
    }
    list.push_back(v.IRCServer);
    SafeINI(app);
}

void RemoveIrcServerFromList(App& app) {
    MainView& v = app.view;
    std::vector<std::string>& list = v.IRCServerList;
    const auto entry = std::find(list.begin(), list.end(), v.IRCServer);
    if (v.IRCServer.empty() || entry == list.end()) {
        app.platform.beep();
        return;
    }
    list.erase(entry);
    SafeINI(app);
}

}  // namespace fc
