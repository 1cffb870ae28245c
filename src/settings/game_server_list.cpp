#include "settings/game_server_list.h"

#include <string>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "settings/settings_file.h"

namespace fc {

void addServerToList(App& app) {
    MainView& v = app.view;
    const std::string address = stripComment(v.serverEntry);
    if (address.empty()) {
        app.platform.beep();
        return;
    }
    for (const std::string& saved : v.savedServers) {
        if (trimBlanks(saved) == address) {
            app.platform.beep();
            return;
        }
    }
    v.savedServers.push_back(address);
    saveSettings(app);
}

}  // namespace fc
