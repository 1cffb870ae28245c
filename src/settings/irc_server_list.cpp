#include "settings/irc_server_list.h"

#include <algorithm>

#include "core/app.h"
#include "settings/settings_file.h"

namespace fc {

void addIrcServerToList(App& app) {
    const std::string server = app.settings.ircServer.substr(0, app.settings.ircServer.find(' '));
    std::vector<std::string>& list = app.settings.ircServers;
    if (app.settings.ircServer.empty() ||
        std::find(list.begin(), list.end(), server) != list.end()) {
        app.platform.beep();
        return;
    }
    list.push_back(app.settings.ircServer);
    saveSettings(app);
}

void removeIrcServerFromList(App& app) {
    std::vector<std::string>& list = app.settings.ircServers;
    const auto entry = std::find(list.begin(), list.end(), app.settings.ircServer);
    if (app.settings.ircServer.empty() || entry == list.end()) {
        app.platform.beep();
        return;
    }
    list.erase(entry);
    saveSettings(app);
}

}  // namespace fc
