#include "settings/game_server_list.h"

#include <string>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "settings/settings_file.h"

namespace fc {

void addServerToList(App& app) {
    const std::string address = stripComment(app.settings.serverEntry);
    if (address.empty()) {
        app.platform.beep();
        return;
    }
    for (const std::string& saved : app.settings.savedServers) {
        if (stripComment(saved) == address) {
            app.platform.beep();
            return;
        }
    }
    app.settings.savedServers.push_back(trimBlanks(app.settings.serverEntry));
    saveSettings(app);
}

}  // namespace fc
