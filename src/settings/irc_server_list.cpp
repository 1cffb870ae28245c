#include "settings/irc_server_list.h"

#include <algorithm>

#include "core/app.h"
#include "settings/settings_file.h"

namespace fc {

void addIrcServerToList(App& app) {
    MainView& v = app.view;
    const std::string server = v.ircServer.substr(0, v.ircServer.find(' '));
    std::vector<std::string>& list = v.ircServers;
    if (v.ircServer.empty() || std::find(list.begin(), list.end(), server) != list.end()) {
        app.platform.beep();
        return;
    }
    list.push_back(v.ircServer);
    saveSettings(app);
}

void removeIrcServerFromList(App& app) {
    MainView& v = app.view;
    std::vector<std::string>& list = v.ircServers;
    const auto entry = std::find(list.begin(), list.end(), v.ircServer);
    if (v.ircServer.empty() || entry == list.end()) {
        app.platform.beep();
        return;
    }
    list.erase(entry);
    saveSettings(app);
}

}  // namespace fc
