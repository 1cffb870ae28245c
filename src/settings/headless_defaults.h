// What a run without a window takes from the settings when its command line does not say:
// the game server to monitor and the IRC server to connect to. Only entries that name a
// server are taken; the first-time hint, an empty entry or a recording are not.
#pragma once

#include <string_view>

namespace fc {

// A server entry that can be monitored: an address, optionally ":" and a port from 1 to
// 65535, optionally a blank and a comment.
bool isUsableServerEntry(std::string_view entry);

// An IRC server field that can be connected to: a host name or address, optionally followed
// by a blank and a description.
bool isUsableIrcServer(std::string_view server);

}  // namespace fc
