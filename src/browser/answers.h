// Reading what game servers and the master server answer the browser.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fc {

// The browser asks every server in the three ways at once, in this order: Unreal Tournament,
// Quake 2, Quake 3.
inline constexpr const char* kBrowserUnrealQuery = "\\info\\";
inline constexpr const char* kBrowserQueries[] = {"\\info\\", "\xFF\xFF\xFF\xFFstatus",
                                                  "\xFF\xFF\xFF\xFFgetstatus"};

// What one answer tells about a server, as its row shows it.
struct ServerAnswer {
    std::string name;     // "hostname", trimmed
    std::string map;      // "mapname", trimmed
    long long count = 0;  // players on the server
    std::string players;  // the count, " / " and the maximum
    std::string top;      // the best player, "-" when there is none
};

// Reads a status answer of any of the three games. The players are the lines after the
// header and the variables; the best score wins, a later line winning ties, and a negative
// score never wins. Unreal Tournament answers carry their counts as variables instead.
ServerAnswer readServerAnswer(std::string_view reply);

// What one datagram of the master server holds.
struct MasterAnswer {
    bool isList = false;               // it is a server list at all
    bool ended = false;                // its end mark came
    bool damaged = false;              // it broke off or held something that is no entry
    std::vector<std::string> servers;  // "a.b.c.d:port", in the answer's order
};

// Reads a "getserversResponse": six-byte entries (address, then port, high byte first), each
// after a "\", up to "\EOT". Entries with port 0 or address 0.0.0.0 are passed over.
MasterAnswer readMasterAnswer(std::string_view datagram);

// The master server's queries: the server lists of protocols 68 and 71, full and empty
// servers included.
inline constexpr const char* kMasterQueries[] = {"\xFF\xFF\xFF\xFFgetservers 68 full empty",
                                                 "\xFF\xFF\xFF\xFFgetservers 71 full empty"};

// The detail list of one answer, a row of columns a line: its players as name, score and
// ping, or its variables as name and value.
std::vector<std::vector<std::string>> detailRows(std::string_view answer, bool variables);

}  // namespace fc
