#include "settings/headless_defaults.h"

#include <string>

#include "core/server_entry.h"
#include "core/text_util.h"
#include "settings/settings_file.h"

namespace fc {

bool isUsableServerEntry(std::string_view entry) {
    if (trimBlanks(entry) == kFirstTimeEntry || isRecordingEntry(entry)) return false;
    return serverEntryFault(entry).empty();
}

bool isUsableIrcServer(std::string_view server) {
    const std::string t = trimBlanks(server);
    const std::string host = t.substr(0, t.find(' '));
    if (host.empty()) return false;
    // An IPv6 address is dialled as it stands.
    if (host.find(':') != std::string::npos) {
        return host.find_first_not_of("0123456789abcdefABCDEF:.") == std::string::npos;
    }
    return isHostName(host);
}

}  // namespace fc
