// The server entry: an address, optionally ":" and a port, optionally a blank and a comment.
#pragma once

#include <string>
#include <string_view>

namespace fc {

// The address part of an entry: the text before the first blank, trimmed; the whole entry
// when it has no blank.
std::string stripComment(std::string_view entry);

struct QueryTarget {
    std::string host;
    std::string portText;
};

// Host and port text of an entry for a query; `defaultPort` when the address has no ":".
QueryTarget splitEntry(std::string_view entry, std::string_view defaultPort);

// Whether the entry names a recording rather than a server.
bool isRecordingEntry(std::string_view entry);

}  // namespace fc
