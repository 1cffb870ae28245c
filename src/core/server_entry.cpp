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

bool isRecordingEntry(std::string_view entry) {
    return textContains(entry, ".rec");
}

}  // namespace fc
