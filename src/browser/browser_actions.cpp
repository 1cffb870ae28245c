#include "browser/browser_actions.h"

#include <algorithm>
#include <utility>

#include "browser/answers.h"
#include "browser/server_list.h"
#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "monitor/poller.h"
#include "settings/settings_file.h"

namespace fc {

namespace {

const ServerRow* selectedRow(const BrowserView& b) {
    if (b.selected < 0 || b.selected >= static_cast<int>(b.serverRows.size())) return nullptr;
    return &b.serverRows[static_cast<std::size_t>(b.selected)];
}

// The entry of the working list a row stands for: the row's key is the entry, with the
// default port when the entry has none.
std::vector<std::string>::iterator entryOf(BrowserView& b, const std::string& server) {
    return std::find_if(b.browserServers.begin(), b.browserServers.end(),
                        [&](const std::string& e) { return isEntryOf(e, server); });
}

void removeRow(BrowserView& b, int row) {
    b.serverRows.erase(b.serverRows.begin() + row);
    b.selected = -1;
    ++b.rowsRevision;
}

}  // namespace

void openBrowser(App& app) {
    BrowserView& b = app.browserView;
    if (b.browserVisible) return;
    b = BrowserView{};
    b.browserVisible = true;
    loadServerList(app);
    b.serverRows.clear();
    if (b.browserServers.empty()) {
        requestMasterList(app);
        return;
    }
    loadSnapshot(app);
    showRowCounts(app);
    const std::string current = stripComment(app.settings.serverEntry);
    for (std::size_t i = 0; i < b.serverRows.size(); ++i) {
        if (b.serverRows[i].server == current) {
            b.selected = b.scrollTo = static_cast<int>(i);
            app.browserRedrawTimer->setEnabled(true);
            break;
        }
    }
}

void closeBrowser(App& app) {
    BrowserView& b = app.browserView;
    if (!b.browserVisible) return;
    for (Timer* t :
         {app.sweepTimer.get(), app.quickSweepTimer.get(), app.handOverTimer.get(),
          app.browserRedrawTimer.get(), app.fastSweepTimer.get(), app.masterTimer.get()}) {
        t->setEnabled(false);
    }
    saveServerList(app);
    saveSettings(app);
    b = BrowserView{};
}

void totalRefresh(App& app) {
    BrowserView& b = app.browserView;
    if (!b.buttonsEnabled) return;
    b.serverRows.clear();
    b.selected = -1;
    ++b.rowsRevision;
    startChecking(app);
}

void refreshVisible(App& app) {
    if (app.browserView.buttonsEnabled) quickChecking(app);
}

// Both removals ask first: what goes cannot come back but by adding it again.
void removeSelected(App& app) {
    BrowserView& b = app.browserView;
    if (!b.buttonsEnabled) return;
    const ServerRow* row = selectedRow(b);
    if (!row) return app.platform.beep();
    b.questionServer = row->server;
    b.question = "Remove " + row->server + " from the list?";
}

void removeNonVisible(App& app) {
    BrowserView& b = app.browserView;
    if (!b.buttonsEnabled) return;
    b.questionServer.clear();
    b.question = "Remove every server that has no row in the list?";
}

void answerBrowserQuestion(App& app, bool yes) {
    BrowserView& b = app.browserView;
    if (std::exchange(b.question, "").empty() || !yes) return;
    const std::string server = std::exchange(b.questionServer, "");
    if (server.empty()) {
        std::erase_if(b.browserServers, [&](const std::string& entry) {
            return std::none_of(b.serverRows.begin(), b.serverRows.end(),
                                [&](const ServerRow& row) { return isEntryOf(entry, row.server); });
        });
        showRowCounts(app, "All non-visible servers have been removed! ");
        return saveServerList(app);
    }
    const auto row = std::find_if(b.serverRows.begin(), b.serverRows.end(),
                                  [&](const ServerRow& r) { return r.server == server; });
    if (row != b.serverRows.end()) removeRow(b, static_cast<int>(row - b.serverRows.begin()));
    if (const auto entry = entryOf(b, server); entry != b.browserServers.end()) {
        *entry = b.browserServers.back();
        b.browserServers.pop_back();
    }
    showRowCounts(app, server + " has been removed from the list! ");
    saveServerList(app);
}

void switchDetailMode(App& app) {
    if (!app.browserView.buttonsEnabled) return;
    app.browserView.showCvars = !app.browserView.showCvars;
    fillDetailList(app);
}

void selectForWatching(App& app) {
    BrowserView& b = app.browserView;
    if (!b.buttonsEnabled) return;
    const ServerRow* row = selectedRow(b);
    if (!row) return app.platform.beep();
    if (!app.window.serverEntryEnabled) toggleConnection(app);  // stop the running monitor
    // The entry as the list keeps it, its comment with it; a bare address gets the server's
    // name as its comment.
    const auto listed = entryOf(b, row->server);
    std::string entry = listed == b.browserServers.end() ? row->server : trimBlanks(*listed);
    if (entry.find(' ') == std::string::npos && !row->name.empty() && row->name != "-")
        entry += " " + row->name;
    onServerEntryEdited(app, entry);
    saveSnapshot(app);
    app.handOverTimer->setEnabled(true);
    app.window.focusMainWindow = true;
}

void onSelectTimer(App& app) {
    toggleConnection(app);  // closing the browser stops this timer
    closeBrowser(app);
}

void closeThisWindow(App& app) {
    saveSnapshot(app);
    closeBrowser(app);
}

void onFilterUnanswered(App& app, bool checked) {
    BrowserView& b = app.browserView;
    b.filterUnanswered = checked;
    if (!checked) return;
    filterUnansweredNow(app);
    showRowCounts(app);
    saveServerList(app);
}

void onFilterEmpty(App& app, bool checked) {
    app.browserView.filterEmpty = checked;
}

void onFastSweepBox(App& app, bool checked) {
    app.settings.fastSweepOn = checked;
}

void onServerRowClicked(App& app, int row) {
    BrowserView& b = app.browserView;
    if (row < 0 || row >= static_cast<int>(b.serverRows.size())) return;
    b.selected = row;
    const std::string server = stripComment(b.serverRows[static_cast<std::size_t>(row)].server);
    const QueryTarget target = splitEntry(server, "27910");
    const QueriedServer clicked{target.host, static_cast<int>(leadingWhole(target.portText))};
    b.itemQueried = clicked;
    // A name being looked up is listened to once it is found, if it is still the one clicked.
    b.itemAddress = queryServer(app, true, server, [&app, clicked](const std::string& key) {
        const QueriedServer& now = app.browserView.itemQueried;
        if (now.host == clicked.host && now.port == clicked.port) app.browserView.itemAddress = key;
    });
}

void onServerColumnClicked(App& app, int column) {
    BrowserView& b = app.browserView;
    if (column < 0 || column > 4) return;
    if (b.sortColumn == column) {
        b.sortAscending = !b.sortAscending;
    } else {
        b.sortColumn = column;
        b.sortAscending = true;
    }
    sortServerRows(app);
}

void fillDetailList(App& app) {
    BrowserView& b = app.browserView;
    b.detailList = detailRows(b.lastDetailAnswer, b.showCvars);
}

void onItemDatagram(App& app, const Datagram& d) {
    BrowserView& b = app.browserView;
    if (d.data.empty() || b.itemAddress.empty()) return;
    if (d.senderAddress + ":" + std::to_string(d.senderPort) != b.itemAddress) return;
    b.lastDetailAnswer = d.data;
    fillDetailList(app);
    extractInfo(app, d.data, b.itemQueried.host, d.senderAddress, d.senderPort);
}

void onRedrawTimer(App& app) {
    app.browserRedrawTimer->setEnabled(false);
    ++app.browserView.redraws;
}

}  // namespace fc
