#include "core/server_entry.h"

#include "core/text_util.h"

namespace fc {

std::string StripComment(std::string_view entry) {
    const std::size_t blank = entry.find(' ');
    if (blank == std::string_view::npos) return std::string(entry);
    return Trim(entry.substr(0, blank));
}

QueryTarget SplitEntry(std::string_view entry, std::string_view defaultPort) {
    const std::string address = StripComment(entry);
    const std::size_t colon = address.find(':');
    if (colon == std::string::npos) return {address, std::string(defaultPort)};
    return {address.substr(0, colon), address.substr(colon + 1)};
}

bool IsRecordingEntry(std::string_view entry) {
    return Contains(entry, ".rec");
}

}  // namespace fc
