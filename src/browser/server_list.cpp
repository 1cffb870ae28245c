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

void RowsChanged(App& app, const ServerRow* row) {
    ++app.Form3.rowsRevision;
    if (row) app.notifyBrowserRow(*row);
}

// Whether the working list holds the server of a key; an entry without a port stands for the
// default port, so that its row does not add it a second time.
bool Listed(const BrowserView& b, const std::string& key) {
    return std::any_of(b.browserServers.begin(), b.browserServers.end(),
                       [&](const std::string& e) { return IsEntryOf(e, key); });
}

void StopSweepTimers(App& app) {
    app.Form3Timer1->setEnabled(false);
    app.Form3Timer2->setEnabled(false);
    app.fastSweepTimer->setEnabled(false);
}

// Both sweeps begin alike: the list hidden and unsorted, the buttons off.
void BeginSweep(App& app, std::vector<std::string> servers, bool quick) {
    BrowserView& b = app.Form3;
    b.rememberedRow = b.selected >= 0 && b.selected < static_cast<int>(b.qServ.size())
                          ? b.qServ[static_cast<std::size_t>(b.selected)].server
                          : std::string();
    b.qServVisible = false;
    b.sorting = false;
    b.buttonsEnabled = false;
    b.sweeping = true;
    b.quickSweep = quick;
    b.sweepServers = std::move(servers);
    b.position = 0;
    b.voortgang = 0;
    b.voortgangMax = static_cast<int>(b.sweepServers.size());
    b.inFlight.clear();
    b.fastSweep = app.view.FastSweep || b.fastThisRun;
    if (!b.fastSweep) {
        (quick ? app.Form3Timer2 : app.Form3Timer1)->setEnabled(true);
        return;
    }
    app.fastSweepTimer->setEnabled(true);
    OnFastSweepTick(app);
}

std::string LookupSlot(const std::string& entry) {
    return "looking up " + entry;
}

void FillFastSweep(App& app);

// A sweep's server whose name was being looked up: its queries went out (`sent` its key) or
// its name cannot be found (""). A fast sweep moves its slot to the key, or frees it.
void SweepEntryLookedUp(App& app, const std::string& entry, const std::string& sent) {
    BrowserView& b = app.Form3;
    if (!b.sweeping || !b.fastSweep || b.inFlight.erase(LookupSlot(entry)) == 0) return;
    if (!sent.empty()) b.inFlight[sent] = app.platform.nowMs();
    FillFastSweep(app);
}

// Queries the server at the next position; false when every server was asked.
bool QueryNext(App& app) {
    BrowserView& b = app.Form3;
    if (b.position >= static_cast<int>(b.sweepServers.size())) return false;
    ++b.position;
    const std::string entry =
        StripComment(b.sweepServers[static_cast<std::size_t>(b.position - 1)]);
    const std::string key = QueryServer(app, false, entry, [&app, entry](const std::string& sent) {
        SweepEntryLookedUp(app, entry, sent);
    });
    // A name being looked up holds its slot of the fast sweep, under its entry, until then.
    if (b.fastSweep) b.inFlight[key.empty() ? LookupSlot(entry) : key] = app.platform.nowMs();
    b.lastQueryMs = app.platform.nowMs();
    b.voortgang = b.position;
    SetBrowserStatus(app, "Pinging: " + entry + "  (" + PlainNumber(b.position) + "/" +
                              PlainNumber(static_cast<long long>(b.sweepServers.size())) + ")");
    return true;
}

// The fast sweep keeps its slots full and ends once every server answered or had its time.
void FillFastSweep(App& app) {
    BrowserView& b = app.Form3;
    while (b.inFlight.size() < kFastSweepWidth && QueryNext(app)) {
    }
    const bool allAsked = b.position >= static_cast<int>(b.sweepServers.size());
    if (allAsked &&
        (b.inFlight.empty() || app.platform.nowMs() - b.lastQueryMs >= kFastSweepWaitMs)) {
        UpdateLijst(app);
    }
}

void FinishMaster(App& app) {
    BrowserView& b = app.Form3;
    b.askingMaster = false;
    app.masterTimer->setEnabled(false);
    SafeLijst(app);
    const std::string master = app.view.MasterServer;
    if (b.browserServers.empty()) {
        SetBrowserStatus(app, b.masterAnswers == 0 ? "No answer from the master server " + master +
                                                         " within 3 s; the list is empty."
                                                   : "The master server " + master +
                                                         " listed no servers; the list is empty.");
    } else {
        SetBrowserStatus(app, "The master server " + master + " listed " +
                                  PlainNumber(static_cast<long long>(b.browserServers.size())) +
                                  " servers.");
    }
    if (b.sweepAfterMaster) {
        b.sweepAfterMaster = false;
        b.qServ.clear();
        RowsChanged(app, nullptr);
        StartChecking(app);
    }
}

// Sends the queries to the master server once its address is known; "" when its name cannot
// be found, and the list then stays empty.
void AskMaster(App& app, const std::string& host, const std::string& address, int port) {
    BrowserView& b = app.Form3;
    app.masterSock->setRemote(host, address, port);
    b.masterAddress = app.masterSock->remoteAddress();
    b.masterPort = app.masterSock->remotePort();
    if (b.masterAddress.empty()) {
        b.askingMaster = false;
        SafeLijst(app);
        SetBrowserStatus(app, "The master server " + app.view.MasterServer +
                                  " cannot be found; the list is empty.");
        if (b.sweepAfterMaster) {
            b.sweepAfterMaster = false;
            b.qServ.clear();
            RowsChanged(app, nullptr);
            StartChecking(app);
        }
        return;
    }
    for (const char* query : kMasterQueries) app.masterSock->send(query);
    app.masterTimer->setEnabled(true);
}

// Sends the three queries to a server whose address is known; its key, or "" when the
// address is no numeric one.
std::string SendServerQueries(App& app, bool onItemSocket, const std::string& host,
                              const std::string& address, int port) {
    UdpSocket& socket = onItemSocket ? *app.ItemSock : *app.qsock;
    socket.setRemote(host, address, port);
    const std::string numeric = socket.remoteAddress();
    if (numeric.empty()) return "";
    for (const char* query : kBrowserQueries) socket.send(query);
    const std::string key = numeric + ":" + PlainNumber(port);
    if (!onItemSocket) app.Form3.queried[key] = QueriedServer{host, port};
    return key;
}

}  // namespace

std::string ServerKey(std::string_view address) {
    std::string key(address);
    if (key.find(':') == std::string::npos) key += ":27910";
    return key;
}

bool IsEntryOf(std::string_view entry, std::string_view key) {
    const std::size_t start = entry.find_first_not_of(' ');
    if (start == std::string_view::npos) return false;
    entry = entry.substr(start, entry.find(' ', start) - start);
    if (entry == key) return true;
    constexpr std::string_view kPortSuffix = ":27910";
    return entry.find(':') == std::string_view::npos &&
           key.size() == entry.size() + kPortSuffix.size() && StartsWith(key, entry) &&
           EndsWith(key, kPortSuffix);
}

void SetBrowserStatus(App& app, const std::string& text) {
    if (app.Form3.status == text) return;
    app.Form3.status = text;
    app.notifyBrowserStatus(text);
}

void LoadLijst(App& app) {
    BrowserView& b = app.Form3;
    const std::vector<std::string>& stored = app.view.qServers;
    b.browserServers.assign(
        stored.begin(),
        stored.begin() + static_cast<std::ptrdiff_t>(std::min(stored.size(), kBrowserListLimit)));
    // Sorted once at the end rather than at every row.
    const bool sorting = std::exchange(b.sorting, false);
    for (const std::string& entry : std::vector<std::string>(b.browserServers)) {
        voegtoe(app, StripComment(entry), "-", "", "", "", false);
    }
    b.sorting = sorting;
    if (sorting) SortServerRows(app);
}

void SafeLijst(App& app) {
    app.view.qServers = app.Form3.browserServers;
}

void NieuwLijst(App& app) {
    BrowserView& b = app.Form3;
    b.browserServers.clear();
    b.masterAnswers = 0;
    const QueryTarget target = SplitEntry(app.view.MasterServer, kMasterPort);
    const std::string host = target.host;
    const int port = static_cast<int>(LeadingWhole(target.portText));
    b.masterAddress.clear();
    b.askingMaster = true;
    SetBrowserStatus(app, "Asking the master server " + app.view.MasterServer + "...");
    const std::string address =
        app.hostNames.addressOf(host, "master", [&app, host, port](const std::string& found) {
            app.dispatch([&] {
                if (app.Form3.askingMaster && app.Form3.masterAddress.empty())
                    AskMaster(app, host, found, port);
            });
        });
    if (!address.empty()) AskMaster(app, host, address, port);
}

void OnMasterDatagram(App& app, const Datagram& d) {
    BrowserView& b = app.Form3;
    if (!b.askingMaster || d.senderAddress != b.masterAddress || d.senderPort != b.masterPort) {
        return;
    }
    const MasterAnswer answer = ReadMasterAnswer(d.data);
    if (!answer.isList) return;
    for (const std::string& server : answer.servers) {
        if (b.browserServers.size() >= kBrowserListLimit) break;
        if (!Listed(b, server)) b.browserServers.push_back(server);
    }
    if (answer.damaged) {
        app.appendOutput("*** The master server " + app.view.MasterServer +
                         " sent a damaged list; the entries before the damage were kept.");
    }
    if (answer.ended || answer.damaged) ++b.masterAnswers;
    SafeLijst(app);
    if (b.masterAnswers >= static_cast<int>(std::size(kMasterQueries)) ||
        b.browserServers.size() >= kBrowserListLimit) {
        FinishMaster(app);
    }
}

void OnMasterTimeout(App& app) {
    if (app.Form3.askingMaster) FinishMaster(app);
    app.masterTimer->setEnabled(false);
}

void LoadQuickList(App& app) {
    const std::optional<std::string> bytes = app.platform.readFile(kSnapshotFile);
    if (!bytes) return;
    BrowserView& b = app.Form3;
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes->size();) {
        std::size_t end = bytes->find('\n', start);
        if (end == std::string::npos) end = bytes->size();
        std::string line = bytes->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    for (std::size_t i = 0; i < lines.size() && b.qServ.size() < kBrowserListLimit; i += 5) {
        ServerRow row;
        std::string* columns[] = {&row.name, &row.players, &row.map, &row.top, &row.server};
        for (std::size_t c = 0; c < 5 && i + c < lines.size(); ++c) *columns[c] = lines[i + c];
        b.qServ.push_back(std::move(row));
    }
    RowsChanged(app, nullptr);
}

void SafeQuickList(App& app) {
    std::string out;
    for (const ServerRow& row : app.Form3.qServ) {
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

std::string QueryServer(App& app, bool onItemSocket, std::string_view entry,
                        std::function<void(const std::string&)> lookedUp) {
    const QueryTarget target = SplitEntry(entry, kDefaultPort);
    const std::string host = target.host;
    const int port = static_cast<int>(LeadingWhole(target.portText));
    // The clicked server waits alone; each server of a sweep waits for its own answer.
    const std::string asker = onItemSocket ? "clicked server" : "sweep " + PlainNumber(port);
    const std::string address = app.hostNames.addressOf(
        host, asker, [&app, onItemSocket, host, port, lookedUp](const std::string& found) {
            app.dispatch([&] {
                // A closed browser asks nothing more.
                const std::string key =
                    found.empty() || !app.Form3.Form3Visible
                        ? std::string()
                        : SendServerQueries(app, onItemSocket, host, found, port);
                if (lookedUp) lookedUp(key);
            });
        });
    if (address.empty()) return "";
    return SendServerQueries(app, onItemSocket, host, address, port);
}

void StartChecking(App& app) {
    LoadLijst(app);
    BeginSweep(app, app.Form3.browserServers, false);
}

void QuickChecking(App& app) {
    std::vector<std::string> shown;
    for (const ServerRow& row : app.Form3.qServ) shown.push_back(row.server);
    BeginSweep(app, std::move(shown), true);
}

void OnSweepTick(App& app) {
    if (!QueryNext(app)) UpdateLijst(app);
}

void OnFastSweepTick(App& app) {
    BrowserView& b = app.Form3;
    const std::int64_t now = app.platform.nowMs();
    for (auto it = b.inFlight.begin(); it != b.inFlight.end();) {
        it = now - it->second >= kFastSweepWaitMs ? b.inFlight.erase(it) : std::next(it);
    }
    FillFastSweep(app);
}

void OnSweepDatagram(App& app, const Datagram& d) {
    BrowserView& b = app.Form3;
    const std::string key = d.senderAddress + ":" + PlainNumber(d.senderPort);
    std::string host;
    if (const auto it = b.queried.find(key); it != b.queried.end()) {
        host = it->second.host;
    } else if (std::none_of(b.qServ.begin(), b.qServ.end(),
                            [&](const ServerRow& row) { return row.server == key; })) {
        return;  // from a server nobody asked
    }
    ExtractInfo(app, d.data, host, d.senderAddress, d.senderPort);
    if (b.sweeping && b.fastSweep && b.inFlight.erase(key) > 0) FillFastSweep(app);
}

void voegtoe(App& app, const std::string& address, const std::string& name, const std::string& map,
             const std::string& players, const std::string& top, bool update) {
    BrowserView& b = app.Form3;
    const std::string key = ServerKey(address);
    const auto it = std::find_if(b.qServ.begin(), b.qServ.end(),
                                 [&](const ServerRow& row) { return row.server == key; });
    if (it != b.qServ.end()) {
        if (!update) return;
        const ServerRow changed{name, players, map, top, key};
        if (*it == changed) return;
        *it = changed;
        RowsChanged(app, &*it);
    } else {
        b.qServ.push_back(ServerRow{name, players, map, top, key});
        RowsChanged(app, &b.qServ.back());
        if (!Listed(b, key) && b.browserServers.size() < kBrowserListLimit) {
            b.browserServers.push_back(key);
        }
    }
    if (b.sorting) SortServerRows(app);
}

void ExtractInfo(App& app, std::string_view reply, const std::string& host,
                 const std::string& numeric, int port) {
    if (reply.empty()) return;
    const ServerAnswer answer = ReadServerAnswer(reply);
    if (app.Form3.filterempty && answer.count == 0) return;
    const std::string address = (host.empty() ? numeric : host) + ":" + PlainNumber(port);
    voegtoe(app, address, answer.name, answer.map, answer.players, answer.top, true);
}

void UpdateLijst(App& app) {
    BrowserView& b = app.Form3;
    b.qServVisible = true;
    StopSweepTimers(app);
    b.sweeping = false;
    b.inFlight.clear();
    b.buttonsEnabled = true;
    SetBrowserStatus(
        app, "Ready... Visible: " + PlainNumber(static_cast<long long>(b.qServ.size())) +
                 ". Total " + PlainNumber(static_cast<long long>(b.browserServers.size())) + ".");
    b.sorting = true;
    SortServerRows(app);
    for (std::size_t i = 0; i < b.qServ.size(); ++i) {
        if (!b.rememberedRow.empty() && b.qServ[i].server == b.rememberedRow) {
            b.scrollTo = static_cast<int>(i);
        }
    }
    if (b.filternorespond) FilterNoRespondNow(app);
    RowsChanged(app, nullptr);
    if (app.browserSweepEnded) app.browserSweepEnded();
}

void FilterNoRespondNow(App& app) {
    BrowserView& b = app.Form3;
    const std::string selected = b.selected >= 0 && b.selected < static_cast<int>(b.qServ.size())
                                     ? b.qServ[static_cast<std::size_t>(b.selected)].server
                                     : std::string();
    std::erase_if(b.qServ,
                  [](const ServerRow& row) { return row.players.empty() && row.map.empty(); });
    b.selected = -1;
    for (std::size_t i = 0; i < b.qServ.size(); ++i) {
        if (!selected.empty() && b.qServ[i].server == selected) b.selected = static_cast<int>(i);
    }
    RowsChanged(app, nullptr);
}

void SortServerRows(App& app) {
    BrowserView& b = app.Form3;
    if (b.sortColumn < 0 || b.sortColumn > 4) return;
    const ServerRow* selected = b.selected >= 0 && b.selected < static_cast<int>(b.qServ.size())
                                    ? &b.qServ[static_cast<std::size_t>(b.selected)]
                                    : nullptr;
    const std::string selectedKey = selected ? selected->server : std::string();
    std::string ServerRow::*const columns[] = {&ServerRow::name, &ServerRow::players,
                                               &ServerRow::map, &ServerRow::top,
                                               &ServerRow::server};
    std::string ServerRow::*column = columns[b.sortColumn];
    const bool ascending = b.sortAscending;
    std::stable_sort(b.qServ.begin(), b.qServ.end(), [&](const ServerRow& x, const ServerRow& y) {
        return ascending ? x.*column < y.*column : y.*column < x.*column;
    });
    if (selected) {
        for (std::size_t i = 0; i < b.qServ.size(); ++i) {
            if (b.qServ[i].server == selectedKey) b.selected = static_cast<int>(i);
        }
    }
    ++b.rowsRevision;
}

}  // namespace fc
