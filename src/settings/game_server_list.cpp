#include "settings/game_server_list.h"

#include <string>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "settings/settings_file.h"

namespace fc {

void AddServerToList(App& app) {
    MainView& v = app.view;
    const std::string address = StripComment(v.Q2Serverlist);
    if (address.empty()) {
        app.platform.beep();
        return;
    }
    for (const std::string& saved : v.qServers) {
        if (Trim(saved) == address) {
            app.platform.beep();
            return;
        }
    }
    v.qServers.push_back(address);
    SafeINI(app);
}

}  // namespace fc
