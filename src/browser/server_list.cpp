#include "browser/server_list.h"

#include <algorithm>
#include <utility>

#include "browser/answers.h"
#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"

namespace fc {

namespace {

constexpr const char* kDefaultPort = "27910";
constexpr const char* kMasterPort = "27950";

void rowsChanged(App& app, const ServerRow* row) {
    ++app.browserView.rowsRevision;
    if (row) app.notifyBrowserRow(*row);
}

// Whether the working list holds the server of a key; an entry without a port stands for the
// default port, so that its row does not add it a second time.
bool listed(const BrowserView& b, const std::string& key) {
    return std::any_of(b.browserServers.begin(), b.browserServers.end(),
                       [&](const std::string& e) { return isEntryOf(e, key); });
}

void stopSweepTimers(App& app) {
    app.sweepTimer->setEnabled(false);
    app.quickSweepTimer->setEnabled(false);
    app.fastSweepTimer->setEnabled(false);
}

// Both sweeps begin alike: the list unsorted, so that rows stay where they are as answers fill
// them, and the buttons off.
void beginSweep(App& app, std::vector<std::string> servers, bool quick) {
    BrowserView& b = app.browserView;
    b.rememberedRow = b.selected >= 0 && b.selected < static_cast<int>(b.serverRows.size())
                          ? b.serverRows[static_cast<std::size_t>(b.selected)].server
                          : std::string();
    b.sorting = false;
    b.buttonsEnabled = false;
    b.sweeping = true;
    b.quickSweep = quick;
    b.sweepServers = std::move(servers);
    b.position = 0;
    b.sweepProgress = 0;
    b.sweepProgressMax = static_cast<int>(b.sweepServers.size());
    b.inFlight.clear();
    b.fastSweep = app.settings.fastSweepOn || b.fastThisRun;
    if (!b.fastSweep) {
        (quick ? app.quickSweepTimer : app.sweepTimer)->setEnabled(true);
        return;
    }
    app.fastSweepTimer->setEnabled(true);
    onFastSweepTick(app);
}

std::string lookupSlot(const std::string& entry) {
    return "looking up " + entry;
}

void fillFastSweep(App& app);

// A sweep's server whose name was being looked up: its queries went out (`sent` its key) or
// its name cannot be found (""). A fast sweep moves its slot to the key, or frees it.
void sweepEntryLookedUp(App& app, const std::string& entry, const std::string& sent) {
    BrowserView& b = app.browserView;
    if (!b.sweeping || !b.fastSweep || b.inFlight.erase(lookupSlot(entry)) == 0) return;
    if (!sent.empty()) b.inFlight[sent] = app.platform.nowMs();
    fillFastSweep(app);
}

// Queries the server at the next position; false when every server was asked.
bool queryNext(App& app) {
    BrowserView& b = app.browserView;
    if (b.position >= static_cast<int>(b.sweepServers.size())) return false;
    ++b.position;
    const std::string entry =
        stripComment(b.sweepServers[static_cast<std::size_t>(b.position - 1)]);
    const std::string key = queryServer(app, false, entry, [&app, entry](const std::string& sent) {
        sweepEntryLookedUp(app, entry, sent);
    });
    // A name being looked up holds its slot of the fast sweep, under its entry, until then.
    if (b.fastSweep) b.inFlight[key.empty() ? lookupSlot(entry) : key] = app.platform.nowMs();
    b.lastQueryMs = app.platform.nowMs();
    b.sweepProgress = b.position;
    setBrowserStatus(app, "Pinging: " + entry + "  (" + plainNumber(b.position) + "/" +
                              plainNumber(static_cast<long long>(b.sweepServers.size())) + ")");
    return true;
}

// The fast sweep keeps its slots full and ends once every server answered or had its time.
void fillFastSweep(App& app) {
    BrowserView& b = app.browserView;
    while (b.inFlight.size() < kFastSweepWidth && queryNext(app)) {
    }
    const bool allAsked = b.position >= static_cast<int>(b.sweepServers.size());
    if (allAsked &&
        (b.inFlight.empty() || app.platform.nowMs() - b.lastQueryMs >= kFastSweepWaitMs)) {
        finishSweep(app);
    }
}

void finishMaster(App& app) {
    BrowserView& b = app.browserView;
    b.askingMaster = false;
    app.masterTimer->setEnabled(false);
    saveServerList(app);
    const std::string master = app.settings.masterServer;
    if (b.browserServers.empty()) {
        setBrowserStatus(app, b.masterAnswers == 0 ? "No answer from the master server " + master +
                                                         " within 3 s; the list is empty."
                                                   : "The master server " + master +
                                                         " listed no servers; the list is empty.");
    } else {
        setBrowserStatus(app, "The master server " + master + " listed " +
                                  plainNumber(static_cast<long long>(b.browserServers.size())) +
                                  " servers.");
    }
    if (b.sweepAfterMaster) {
        b.sweepAfterMaster = false;
        b.serverRows.clear();
        rowsChanged(app, nullptr);
        startChecking(app);
    }
}

// Sends the queries to the master server once its address is known; "" when its name cannot
// be found, and the list then stays empty.
void askMaster(App& app, const std::string& host, const std::string& address, int port) {
    BrowserView& b = app.browserView;
    app.masterSocket->setRemote(host, address, port);
    b.masterAddress = app.masterSocket->remoteAddress();
    b.masterPort = app.masterSocket->remotePort();
    if (b.masterAddress.empty()) {
        b.askingMaster = false;
        saveServerList(app);
        setBrowserStatus(app, "The master server " + app.settings.masterServer +
                                  " cannot be found; the list is empty.");
        if (b.sweepAfterMaster) {
            b.sweepAfterMaster = false;
            b.serverRows.clear();
            rowsChanged(app, nullptr);
            startChecking(app);
        }
        return;
    }
    for (const char* query : kMasterQueries) app.masterSocket->send(query);
    app.masterTimer->setEnabled(true);
}

// Sends the three queries to a server whose address is known; its key, or "" when the
// address is no numeric one.
std::string sendServerQueries(App& app, bool onItemSocket, const std::string& host,
                              const std::string& address, int port) {
    UdpSocket& socket = onItemSocket ? *app.detailSocket : *app.sweepSocket;
    socket.setRemote(host, address, port);
    const std::string numeric = socket.remoteAddress();
    if (numeric.empty()) return "";
    for (const char* query : kBrowserQueries) socket.send(query);
    const std::string key = numeric + ":" + plainNumber(port);
    if (!onItemSocket) app.browserView.queried[key] = QueriedServer{host, port};
    return key;
}

}  // namespace

std::string serverKey(std::string_view address) {
    std::string key(address);
    if (key.find(':') == std::string::npos) key += ":27910";
    return key;
}

bool isEntryOf(std::string_view entry, std::string_view key) {
    const std::size_t start = entry.find_first_not_of(' ');
    if (start == std::string_view::npos) return false;
    entry = entry.substr(start, entry.find(' ', start) - start);
    if (entry == key) return true;
    constexpr std::string_view kPortSuffix = ":27910";
    return entry.find(':') == std::string_view::npos &&
           key.size() == entry.size() + kPortSuffix.size() && textStartsWith(key, entry) &&
           textEndsWith(key, kPortSuffix);
}

void setBrowserStatus(App& app, const std::string& text) {
    if (app.browserView.status == text) return;
    app.browserView.status = text;
    app.notifyBrowserStatus(text);
}

void showRowCounts(App& app, const std::string& before) {
    const BrowserView& b = app.browserView;
    setBrowserStatus(
        app, before + "Visible: " + plainNumber(static_cast<long long>(b.serverRows.size())) +
                 ". Total " + plainNumber(static_cast<long long>(b.browserServers.size())) + ".");
}

void loadServerList(App& app) {
    BrowserView& b = app.browserView;
    const std::vector<std::string>& stored = app.settings.savedServers;
    b.browserServers.assign(
        stored.begin(),
        stored.begin() + static_cast<std::ptrdiff_t>(std::min(stored.size(), kBrowserListLimit)));
    // Sorted once at the end rather than at every row.
    const bool sorting = std::exchange(b.sorting, false);
    for (const std::string& entry : std::vector<std::string>(b.browserServers)) {
        addServerRow(app, stripComment(entry), "-", "", "", "", false);
    }
    b.sorting = sorting;
    if (sorting) sortServerRows(app);
}

void saveServerList(App& app) {
    app.settings.savedServers = app.browserView.browserServers;
}

void requestMasterList(App& app) {
    BrowserView& b = app.browserView;
    b.browserServers.clear();
    b.masterAnswers = 0;
    const QueryTarget target = splitEntry(app.settings.masterServer, kMasterPort);
    const std::string host = target.host;
    const int port = static_cast<int>(leadingWhole(target.portText));
    b.masterAddress.clear();
    b.askingMaster = true;
    setBrowserStatus(app, "Asking the master server " + app.settings.masterServer + "...");
    const std::string address =
        app.hostNames.addressOf(host, "master", [&app, host, port](const std::string& found) {
            app.dispatch([&] {
                if (app.browserView.askingMaster && app.browserView.masterAddress.empty())
                    askMaster(app, host, found, port);
            });
        });
    if (!address.empty()) askMaster(app, host, address, port);
}

void onMasterDatagram(App& app, const Datagram& d) {
    BrowserView& b = app.browserView;
    if (!b.askingMaster || d.senderAddress != b.masterAddress || d.senderPort != b.masterPort) {
        return;
    }
    const MasterAnswer answer = readMasterAnswer(d.data);
    if (!answer.isList) return;
    for (const std::string& server : answer.servers) {
        if (b.browserServers.size() >= kBrowserListLimit) break;
        if (!listed(b, server)) b.browserServers.push_back(server);
    }
    if (answer.damaged) {
        app.appendOutput("*** The master server " + app.settings.masterServer +
                         " sent a damaged list; the entries before the damage were kept.");
    }
    if (answer.ended || answer.damaged) ++b.masterAnswers;
    saveServerList(app);
    if (b.masterAnswers >= static_cast<int>(std::size(kMasterQueries)) ||
        b.browserServers.size() >= kBrowserListLimit) {
        finishMaster(app);
    }
}

void onMasterTimeout(App& app) {
    if (app.browserView.askingMaster) finishMaster(app);
    app.masterTimer->setEnabled(false);
}

void loadSnapshot(App& app) {
    const std::optional<std::string> bytes = app.platform.readFile(kSnapshotFile);
    if (!bytes) return;
    BrowserView& b = app.browserView;
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes->size();) {
        std::size_t end = bytes->find('\n', start);
        if (end == std::string::npos) end = bytes->size();
        std::string line = bytes->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    for (std::size_t i = 0; i < lines.size() && b.serverRows.size() < kBrowserListLimit; i += 5) {
        ServerRow row;
        std::string* columns[] = {&row.name, &row.players, &row.map, &row.top, &row.server};
        for (std::size_t c = 0; c < 5 && i + c < lines.size(); ++c) *columns[c] = lines[i + c];
        b.serverRows.push_back(std::move(row));
    }
    rowsChanged(app, nullptr);
}

void saveSnapshot(App& app) {
    std::string out;
    for (const ServerRow& row : app.browserView.serverRows) {
        for (const std::string* column :
             {&row.name, &row.players, &row.map, &row.top, &row.server}) {
            out += *column;
            out += "\r\n";
        }
    }
    if (!app.platform.replaceFile(kSnapshotFile, out)) {
        app.appendOutput(std::string("*** The server list could not be saved in ") + kSnapshotFile +
                         ".");
    }
}

std::string queryServer(App& app, bool onItemSocket, std::string_view entry,
                        std::function<void(const std::string&)> lookedUp) {
    const QueryTarget target = splitEntry(entry, kDefaultPort);
    const std::string host = target.host;
    const int port = static_cast<int>(leadingWhole(target.portText));
    // The clicked server waits alone; each server of a sweep waits for its own answer.
    const std::string asker = onItemSocket ? "clicked server" : "sweep " + plainNumber(port);
    const std::string address = app.hostNames.addressOf(
        host, asker, [&app, onItemSocket, host, port, lookedUp](const std::string& found) {
            app.dispatch([&] {
                // A closed browser asks nothing more.
                const std::string key =
                    found.empty() || !app.browserView.browserVisible
                        ? std::string()
                        : sendServerQueries(app, onItemSocket, host, found, port);
                if (lookedUp) lookedUp(key);
            });
        });
    if (address.empty()) return "";
    return sendServerQueries(app, onItemSocket, host, address, port);
}

void startChecking(App& app) {
    loadServerList(app);
    beginSweep(app, app.browserView.browserServers, false);
}

void quickChecking(App& app) {
    std::vector<std::string> shown;
    for (const ServerRow& row : app.browserView.serverRows) shown.push_back(row.server);
    beginSweep(app, std::move(shown), true);
}

void onSweepTick(App& app) {
    if (!queryNext(app)) finishSweep(app);
}

void onFastSweepTick(App& app) {
    BrowserView& b = app.browserView;
    const std::int64_t now = app.platform.nowMs();
    for (auto it = b.inFlight.begin(); it != b.inFlight.end();) {
        it = now - it->second >= kFastSweepWaitMs ? b.inFlight.erase(it) : std::next(it);
    }
    fillFastSweep(app);
}

void onSweepDatagram(App& app, const Datagram& d) {
    BrowserView& b = app.browserView;
    const std::string key = d.senderAddress + ":" + plainNumber(d.senderPort);
    std::string host;
    if (const auto it = b.queried.find(key); it != b.queried.end()) {
        host = it->second.host;
    } else if (std::none_of(b.serverRows.begin(), b.serverRows.end(),
                            [&](const ServerRow& row) { return row.server == key; })) {
        return;  // from a server nobody asked
    }
    extractInfo(app, d.data, host, d.senderAddress, d.senderPort);
    if (b.sweeping && b.fastSweep && b.inFlight.erase(key) > 0) fillFastSweep(app);
}

void addServerRow(App& app, const std::string& address, const std::string& name,
                  const std::string& map, const std::string& players, const std::string& top,
                  bool update) {
    BrowserView& b = app.browserView;
    const std::string key = serverKey(address);
    const auto it = std::find_if(b.serverRows.begin(), b.serverRows.end(),
                                 [&](const ServerRow& row) { return row.server == key; });
    if (it != b.serverRows.end()) {
        if (!update) return;
        const ServerRow changed{name, players, map, top, key};
        if (*it == changed) return;
        *it = changed;
        rowsChanged(app, &*it);
    } else {
        b.serverRows.push_back(ServerRow{name, players, map, top, key});
        rowsChanged(app, &b.serverRows.back());
        if (!listed(b, key) && b.browserServers.size() < kBrowserListLimit) {
            b.browserServers.push_back(key);
        }
    }
    if (b.sorting) sortServerRows(app);
}

void extractInfo(App& app, std::string_view reply, const std::string& host,
                 const std::string& numeric, int port) {
    if (reply.empty()) return;
    const ServerAnswer answer = readServerAnswer(reply);
    if (app.browserView.filterEmpty && answer.count == 0) return;
    const std::string address = (host.empty() ? numeric : host) + ":" + plainNumber(port);
    addServerRow(app, address, answer.name, answer.map, answer.players, answer.top, true);
}

void finishSweep(App& app) {
    BrowserView& b = app.browserView;
    stopSweepTimers(app);
    b.sweeping = false;
    b.inFlight.clear();
    b.buttonsEnabled = true;
    b.sorting = true;
    sortServerRows(app);
    for (std::size_t i = 0; i < b.serverRows.size(); ++i) {
        if (!b.rememberedRow.empty() && b.serverRows[i].server == b.rememberedRow) {
            b.scrollTo = static_cast<int>(i);
        }
    }
    if (b.filterUnanswered) filterUnansweredNow(app);
    showRowCounts(app);
    rowsChanged(app, nullptr);
    if (app.browserSweepEnded) app.browserSweepEnded();
}

void filterUnansweredNow(App& app) {
    BrowserView& b = app.browserView;
    const std::string selected =
        b.selected >= 0 && b.selected < static_cast<int>(b.serverRows.size())
            ? b.serverRows[static_cast<std::size_t>(b.selected)].server
            : std::string();
    std::erase_if(b.serverRows,
                  [](const ServerRow& row) { return row.players.empty() && row.map.empty(); });
    b.selected = -1;
    for (std::size_t i = 0; i < b.serverRows.size(); ++i) {
        if (!selected.empty() && b.serverRows[i].server == selected)
            b.selected = static_cast<int>(i);
    }
    rowsChanged(app, nullptr);
}

void sortServerRows(App& app) {
    BrowserView& b = app.browserView;
    if (b.sortColumn < 0 || b.sortColumn > 4) return;
    const ServerRow* selected =
        b.selected >= 0 && b.selected < static_cast<int>(b.serverRows.size())
            ? &b.serverRows[static_cast<std::size_t>(b.selected)]
            : nullptr;
    const std::string selectedKey = selected ? selected->server : std::string();
    std::string ServerRow::*const columns[] = {&ServerRow::name, &ServerRow::players,
                                               &ServerRow::map, &ServerRow::top,
                                               &ServerRow::server};
    std::string ServerRow::*column = columns[b.sortColumn];
    const bool ascending = b.sortAscending;
    // Servers that answered come first in either order.
    std::stable_sort(b.serverRows.begin(), b.serverRows.end(),
                     [&](const ServerRow& x, const ServerRow& y) {
                         if (x.players.empty() != y.players.empty()) return y.players.empty();
                         return ascending ? x.*column < y.*column : y.*column < x.*column;
                     });
    if (selected) {
        for (std::size_t i = 0; i < b.serverRows.size(); ++i) {
            if (b.serverRows[i].server == selectedKey) b.selected = static_cast<int>(i);
        }
    }
    ++b.rowsRevision;
}

}  // namespace fc
