// What the operator does in the server browser: opening and closing it, its buttons and
// filters, clicks on rows and column headers, and handing a server to the monitor.
#pragma once

#include <string>

namespace fc {

class App;
struct Datagram;

// The "..." button beside the server entry.
void openBrowser(App& app);
// Every way of closing the browser: the stored list and the settings follow the working list.
void closeBrowser(App& app);

void totalRefresh(App& app);       // totalRefreshButton "Total refresh"
void refreshVisible(App& app);     // refreshVisibleButton "Refresh visible"
void removeSelected(App& app);     // removeSelectedButton "Remove selected"
void removeNonVisible(App& app);   // removeNonVisibleButton "Remove all non-visible"
void switchDetailMode(App& app);   // detailModeButton "Playlist / CVarlist  ->"
void selectForWatching(App& app);  // selectForWatchingButton "Select for Fragcaster"
void closeThisWindow(App& app);    // closeButton "Close this window"
// The operator's answer to the question of the two removals: only a yes removes.
void answerBrowserQuestion(App& app, bool yes);

void onFilterUnanswered(App& app, bool checked);
void onFilterEmpty(App& app, bool checked);
void onFastSweepBox(App& app, bool checked);
// A click on a row queries that one server; a click on a column header sorts by it.
void onServerRowClicked(App& app, int row);
void onServerColumnClicked(App& app, int column);

// The detail list from the last answer of the clicked server, in the list's mode.
void fillDetailList(App& app);

void onItemDatagram(App& app, const Datagram& datagram);
void onSelectTimer(App& app);  // the hand-over to the monitor, 250 ms after the choice
void onRedrawTimer(App& app);  // one redraw after opening

}  // namespace fc
