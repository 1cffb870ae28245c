#include "core/server_entry.h"

#include "core/text_util.h"

namespace fc {

std::string stripComment(std::string_view entry) {
    const std::size_t blank = entry.find(' ');
    if (blank == std::string_view::npos) return std::string(entry);
    return trimBlanks(entry.substr(0, blank));
}

QueryTarget splitEntry(std::string_view entry, std::string_view defaultPort) {
    const std::string address = stripComment(entry);
    const std::size_t colon = address.find(':');
    if (colon == std::string::npos) return {address, std::string(defaultPort)};
    return {address.substr(0, colon), address.substr(colon + 1)};
}

bool isHostName(std::string_view host) {
    for (char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        if (!ok) return false;
    }
    return !host.empty();
}

namespace {

bool isPort(std::string_view text) {
    if (text.empty() || text.size() > 5) return false;
    long long port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        port = port * 10 + (c - '0');
    }
    return port >= 1 && port <= 65535;
}

}  // namespace

std::string serverEntryFault(std::string_view entry) {
    if (isRecordingEntry(entry)) return "";
    const QueryTarget target = splitEntry(entry, "27910");
    if (target.host.empty()) return "no server is named: type HOST or HOST:PORT";
    if (!isHostName(target.host)) return "\"" + target.host + "\" cannot be a host name or address";
    if (!isPort(target.portText))
        return "the port \"" + target.portText + "\" is not a number from 1 to 65535";
    return "";
}

bool isRecordingEntry(std::string_view entry) {
    return textContains(entry, ".rec");
}

}  // namespace fc
