// The server browser's state ("Server List"): the working copy of the stored server list, the
// rows with what each server answered, the sweep in progress and the detail list. The browser
// window draws from it and holds nothing of its own.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace fc {

inline constexpr std::size_t kBrowserListLimit = 1000;
inline constexpr const char* kSnapshotFile = "fcst-ql.ini";

// One row of the list: the server's name as row text, then players, map, top player and the
// address with its port, which is the row's key.
struct ServerRow {
    std::string name;
    std::string players;
    std::string map;
    std::string top;
    std::string server;

    bool operator==(const ServerRow&) const = default;
};

// The columns in their order, as the header shows them.
inline constexpr const char* kServerColumns[] = {"Server name", "Players", "Map", "Top Fragger",
                                                 "Server"};

// A server a query went to: the list entry's host as written and the port, by the numeric
// address and port its answers come from.
struct QueriedServer {
    std::string host;
    int port = 0;
};

struct BrowserView {
    bool browserVisible = false;

    std::vector<std::string> browserServers;  // the working copy, at most kBrowserListLimit
    std::vector<ServerRow> serverRows;
    int selected = -1;     // the first selected row, -1 for none
    int scrollTo = -1;     // a row the window brings into view once, then clears
    int redraws = 0;       // one more each time the list is to be drawn again
    int rowsRevision = 0;  // one more at every change of the rows
    int sortColumn = 0;    // the column the rows are sorted by
    bool sortAscending = true;
    bool sorting = true;         // off while a sweep adds its rows
    bool buttonsEnabled = true;  // the six buttons; off during a sweep

    std::string status = "Ready...";
    int sweepProgress = 0;
    int sweepProgressMax = 0;
    bool filterUnanswered = false;  // "Filter not responded"
    bool filterEmpty = false;       // "Filter empty servers"

    // A removal waiting for the operator's yes: the question the window asks, and the row's key
    // for "Remove selected" ("" for "Remove all non-visible").
    std::string question;
    std::string questionServer;

    // The detail list: players (name, score, ping), or server variables (name, value) when
    // `showCvars` is set.
    bool showCvars = false;
    std::vector<std::vector<std::string>> detailList;
    std::string lastDetailAnswer;
    QueriedServer itemQueried;  // the clicked server, by its numeric address
    std::string itemAddress;

    // The sweep: its position, its servers, which row was selected at its start, and every
    // server queried so far by "numeric address:port".
    bool sweeping = false;
    bool quickSweep = false;
    bool fastSweep = false;
    bool fastThisRun = false;  // the fast sweep for this run only, without the setting
    int position = 0;
    std::vector<std::string> sweepServers;
    std::string rememberedRow;
    std::map<std::string, QueriedServer> queried;
    // The fast sweep: the servers asked and not yet answered, with the time each was asked,
    // and the time of the last query.
    std::map<std::string, std::int64_t> inFlight;
    std::int64_t lastQueryMs = 0;

    // Asking the master server for the list: its numeric address and port, the answers that
    // ended so far, and whether a sweep follows once the list is in.
    bool askingMaster = false;
    std::string masterAddress;
    int masterPort = 0;
    int masterAnswers = 0;
    bool sweepAfterMaster = false;
};

}  // namespace fc
