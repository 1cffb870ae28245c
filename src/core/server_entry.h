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

// Letters, digits, ".", "-" and "_" only: a name or an IPv4 address.
bool isHostName(std::string_view host);

// Why an entry cannot name a server (no host, a host that cannot be a name, a port that is no
// number from 1 to 65535); "" when it can. A recording's entry is not looked at.
std::string serverEntryFault(std::string_view entry);

// Whether the entry names a recording rather than a server.
bool isRecordingEntry(std::string_view entry);

}  // namespace fc
