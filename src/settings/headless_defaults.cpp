#include "settings/headless_defaults.h"

#include <charconv>
#include <string>

#include "core/server_entry.h"
#include "core/text_util.h"
#include "settings/settings_file.h"

namespace fc {

namespace {

bool isHostName(std::string_view host) {
    if (host.empty()) return false;
    for (char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        if (!ok) return false;
    }
    return true;
}

bool isPort(std::string_view text) {
    int port = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() && port >= 1 &&
           port <= 65535;
}

}  // namespace

bool isUsableServerEntry(std::string_view entry) {
    if (trimBlanks(entry) == kFirstTimeEntry || isRecordingEntry(entry)) return false;
    const std::string address = stripComment(entry);
    const std::size_t colon = address.find(':');
    if (colon == std::string::npos) return isHostName(address);
    return isHostName(std::string_view(address).substr(0, colon)) &&
           isPort(std::string_view(address).substr(colon + 1));
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
