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
void LoadLijst(App& app);
// The stored list from the working copy; it reaches the settings file at the next save.
void SafeLijst(App& app);
// Asks the master server for a list; it replaces the working copy as its answers come.
void NieuwLijst(App& app);
// The rows from the snapshot file, and the rows into it.
void LoadQuickList(App& app);
void SafeQuickList(App& app);

// "Total refresh" (every stored server, after the rows were removed) and "Refresh visible"
// (the rows shown).
void StartChecking(App& app);
void QuickChecking(App& app);

// A row's key: the address, with the default port when it has none.
std::string ServerKey(std::string_view address);
// Whether a list entry (an address, maybe a blank and a comment) is the server of a row's key.
bool IsEntryOf(std::string_view entry, std::string_view key);
// Adds a row for the address, or with `update` changes the row it has.
void voegtoe(App& app, const std::string& address, const std::string& name, const std::string& map,
             const std::string& players, const std::string& top, bool update);
// One answer into its server's row: `host` as the list wrote it ("" for none), `numeric` the
// address it came from.
void ExtractInfo(App& app, std::string_view reply, const std::string& host,
                 const std::string& numeric, int port);
// The end of a sweep.
void UpdateLijst(App& app);
// Removes the rows of servers that did not answer.
void FilterNoRespondNow(App& app);

void SetBrowserStatus(App& app, const std::string& text);
// Sorts the rows by the sort column, keeping the selected row selected.
void SortServerRows(App& app);
// Sends the three queries to an entry's server; its "numeric address:port". A name not looked
// up yet gives "" at once, and is looked up: its queries go out when it is found, and
// `lookedUp` then gets the key, or "" when the name cannot be found.
std::string QueryServer(App& app, bool onItemSocket, std::string_view entry,
                        std::function<void(const std::string&)> lookedUp = {});

void OnSweepTick(App& app);
void OnFastSweepTick(App& app);
void OnSweepDatagram(App& app, const Datagram& datagram);
void OnMasterDatagram(App& app, const Datagram& datagram);
void OnMasterTimeout(App& app);

}  // namespace fc
