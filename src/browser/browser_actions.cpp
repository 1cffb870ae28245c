#include "browser/browser_actions.h"

#include <algorithm>

#include "browser/answers.h"
#include "browser/server_list.h"
#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "monitor/poller.h"
#include "settings/settings_file.h"

namespace fc {

namespace {

const ServerRow* SelectedRow(const BrowserView& b) {
    if (b.selected < 0 || b.selected >= static_cast<int>(b.qServ.size())) return nullptr;
    return &b.qServ[static_cast<std::size_t>(b.selected)];
}

// The entry of the working list a row stands for: the row's key is the entry, with the
// default port when the entry has none.
std::vector<std::string>::iterator EntryOf(BrowserView& b, const std::string& server) {
    return std::find_if(b.browserServers.begin(), b.browserServers.end(),
                        [&](const std::string& e) { return IsEntryOf(e, server); });
}

void Remove(BrowserView& b, int row) {
    b.qServ.erase(b.qServ.begin() + row);
    b.selected = -1;
    ++b.rowsRevision;
}

}  // namespace

void OpenBrowser(App& app) {
    BrowserView& b = app.Form3;
    if (b.Form3Visible) return;
    b = BrowserView{};
    b.Form3Visible = true;
    LoadLijst(app);
    b.qServ.clear();
    if (b.browserServers.empty()) {
        NieuwLijst(app);
        return;
    }
    LoadQuickList(app);
    const std::string current = StripComment(app.view.Q2Serverlist);
    for (std::size_t i = 0; i < b.qServ.size(); ++i) {
        if (b.qServ[i].server == current) {
            b.selected = b.scrollTo = static_cast<int>(i);
            app.Form3Timer4->setEnabled(true);
            break;
        }
    }
}

void CloseBrowser(App& app) {
    BrowserView& b = app.Form3;
    if (!b.Form3Visible) return;
    for (Timer* t : {app.Form3Timer1.get(), app.Form3Timer2.get(), app.Form3Timer3.get(),
                     app.Form3Timer4.get(), app.fastSweepTimer.get(), app.masterTimer.get()}) {
        t->setEnabled(false);
    }
    SafeLijst(app);
    SafeINI(app);
    b = BrowserView{};
}

void TotalRefresh(App& app) {
    BrowserView& b = app.Form3;
    if (!b.buttonsEnabled) return;
    b.qServ.clear();
    b.selected = -1;
    ++b.rowsRevision;
    StartChecking(app);
}

void RefreshVisible(App& app) {
    if (app.Form3.buttonsEnabled) QuickChecking(app);
}

void RemoveSelected(App& app) {
    BrowserView& b = app.Form3;
    if (!b.buttonsEnabled) return;
    const ServerRow* row = SelectedRow(b);
    if (!row) return app.platform.beep();
    const std::string server = row->server;
    Remove(b, b.selected);
    if (const auto entry = EntryOf(b, server); entry != b.browserServers.end()) {
        *entry = b.browserServers.back();
        b.browserServers.pop_back();
        app.showMessage("Warning!", server + " has been removed from the list!");
    }
    SafeLijst(app);
}

void RemoveNonVisible(App& app) {
    BrowserView& b = app.Form3;
    if (!b.buttonsEnabled) return;
    std::erase_if(b.browserServers, [&](const std::string& entry) {
        return std::none_of(b.qServ.begin(), b.qServ.end(),
                            [&](const ServerRow& row) { return IsEntryOf(entry, row.server); });
    });
    app.showMessage("Warning!", "All non-visible servers have been removed!");
    SafeLijst(app);
}

void SwitchDetailMode(App& app) {
    if (!app.Form3.buttonsEnabled) return;
    app.Form3.showCvars = !app.Form3.showCvars;
    ProcessCvar(app);
}

void SelectForOrvexa(App& app) {
    BrowserView& b = app.Form3;
    if (!b.buttonsEnabled) return;
    const ServerRow* row = SelectedRow(b);
    if (!row) return app.platform.beep();
    if (!app.view.Q2ServerlistEnabled) WisselConnectie(app);  // stop the running monitor
    OnServerEntryEdited(app, row->server + " (" + row->name + ")");
    SafeQuickList(app);
    app.Form3Timer3->setEnabled(true);
    app.view.focusMainWindow = true;
}

void OnSelectTimer(App& app) {
    WisselConnectie(app);  // closing the browser stops this timer
    CloseBrowser(app);
}

void CloseThisWindow(App& app) {
    SafeQuickList(app);
    CloseBrowser(app);
}

void OnFilterNoRespond(App& app, bool checked) {
    BrowserView& b = app.Form3;
    b.filternorespond = checked;
    if (!checked) return;
    std::erase_if(b.qServ, [](const ServerRow& row) { return row.players.empty(); });
    b.selected = -1;
    ++b.rowsRevision;
    SafeLijst(app);
}

void OnFilterEmpty(App& app, bool checked) {
    app.Form3.filterempty = checked;
}

void OnFastSweepBox(App& app, bool checked) {
    app.view.FastSweep = checked;
}

void OnServerRowClicked(App& app, int row) {
    BrowserView& b = app.Form3;
    if (row < 0 || row >= static_cast<int>(b.qServ.size())) return;
    b.selected = row;
    const std::string server = StripComment(b.qServ[static_cast<std::size_t>(row)].server);
    const QueryTarget target = SplitEntry(server, "27910");
    const QueriedServer clicked{target.host, static_cast<int>(LeadingWhole(target.portText))};
    b.itemQueried = clicked;
    // A name being looked up is listened to once it is found, if it is still the one clicked.
    b.itemAddress = QueryServer(app, true, server, [&app, clicked](const std::string& key) {
        const QueriedServer& now = app.Form3.itemQueried;
        if (now.host == clicked.host && now.port == clicked.port) app.Form3.itemAddress = key;
    });
}

void OnServerColumnClicked(App& app, int column) {
    BrowserView& b = app.Form3;
    if (column < 0 || column > 4) return;
    if (b.sortColumn == column) {
        b.sortAscending = !b.sortAscending;
    } else {
        b.sortColumn = column;
        b.sortAscending = true;
    }
    SortServerRows(app);
}

void ProcessCvar(App& app) {
    BrowserView& b = app.Form3;
    b.List1 = DetailLines(b.lastDetailAnswer, b.showCvars);
}

void OnItemDatagram(App& app, const Datagram& d) {
    BrowserView& b = app.Form3;
    if (d.data.empty() || b.itemAddress.empty()) return;
    if (d.senderAddress + ":" + std::to_string(d.senderPort) != b.itemAddress) return;
    b.lastDetailAnswer = d.data;
    ProcessCvar(app);
    ExtractInfo(app, d.data, b.itemQueried.host, d.senderAddress, d.senderPort);
}

void OnRedrawTimer(App& app) {
    app.Form3Timer4->setEnabled(false);
    ++app.Form3.redraws;
}

}  // namespace fc
