// The server browser's list: the working copy of the stored servers, the rows, the snapshot
// file that lets the browser open with the last results, the sweeps that query every server,
// and the master server that gives a list when there is none.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace fc {

class App;
struct Datagram;

// Servers a fast sweep asks at once, and how long it waits for one of them.
inline constexpr std::size_t kFastSweepWidth = 20;
inline constexpr int kFastSweepWaitMs = 1000;

// The working copy from the stored list, with a placeholder row for every entry.
void loadServerList(App& app);
// The stored list from the working copy; it reaches the settings file at the next save.
void saveServerList(App& app);
// Asks the master server for a list; it replaces the working copy as its answers come.
void requestMasterList(App& app);
// The rows from the snapshot file, and the rows into it.
void loadSnapshot(App& app);
void saveSnapshot(App& app);

// "Total refresh" (every stored server, after the rows were removed) and "Refresh visible"
// (the rows shown).
void startChecking(App& app);
void quickChecking(App& app);

// A row's key: the address, with the default port when it has none.
std::string serverKey(std::string_view address);
// Whether a list entry (an address, maybe a blank and a comment) is the server of a row's key.
bool isEntryOf(std::string_view entry, std::string_view key);
// Adds a row for the address, or with `update` changes the row it has.
void addServerRow(App& app, const std::string& address, const std::string& name,
                  const std::string& map, const std::string& players, const std::string& top,
                  bool update);
// One answer into its server's row: `host` as the list wrote it ("" for none), `numeric` the
// address it came from.
void extractInfo(App& app, std::string_view reply, const std::string& host,
                 const std::string& numeric, int port);
// The end of a sweep.
void finishSweep(App& app);
// Removes the rows of servers that did not answer.
void filterUnansweredNow(App& app);

void setBrowserStatus(App& app, const std::string& text);
// The status line with the rows shown and the servers listed, after `before`.
void showRowCounts(App& app, const std::string& before = "Ready... ");
// Sorts the rows by the sort column, keeping the selected row selected.
void sortServerRows(App& app);
// Sends the three queries to an entry's server; its "numeric address:port". A name not looked
// up yet gives "" at once, and is looked up: its queries go out when it is found, and
// `lookedUp` then gets the key, or "" when the name cannot be found.
std::string queryServer(App& app, bool onItemSocket, std::string_view entry,
                        std::function<void(const std::string&)> lookedUp = {});

void onSweepTick(App& app);
void onFastSweepTick(App& app);
void onSweepDatagram(App& app, const Datagram& datagram);
void onMasterDatagram(App& app, const Datagram& datagram);
void onMasterTimeout(App& app);

}  // namespace fc
