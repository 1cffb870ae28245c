// What the operator does in the server browser: opening and closing it, its buttons and
// filters, clicks on rows and column headers, and handing a server to the monitor.
#pragma once

#include <string>

namespace fc {

class App;
struct Datagram;

// The "..." button beside the server entry.
void OpenBrowser(App& app);
// Every way of closing the browser: the stored list and the settings follow the working list.
void CloseBrowser(App& app);

void TotalRefresh(App& app);      // Command6 "Total refresh"
void RefreshVisible(App& app);    // Command1 "Refresh visible"
void RemoveSelected(App& app);    // Command2 "Remove selected"
void RemoveNonVisible(App& app);  // Command3 "Remove all non-visible"
void SwitchDetailMode(App& app);  // Command4 "Playlist / CVarlist  ->"
void SelectForOrvexa(App& app);   // Command5 "Select for Orvexa"
void CloseThisWindow(App& app);   // TitelKnopSluit "Close this window"

void OnFilterNoRespond(App& app, bool checked);
void OnFilterEmpty(App& app, bool checked);
void OnFastSweepBox(App& app, bool checked);
// A click on a row queries that one server; a click on a column header sorts by it.
void OnServerRowClicked(App& app, int row);
void OnServerColumnClicked(App& app, int column);

// The detail list from the last answer of the clicked server, in the list's mode.
void ProcessCvar(App& app);

void OnItemDatagram(App& app, const Datagram& datagram);
void OnSelectTimer(App& app);  // the hand-over to the monitor, 250 ms after the choice
void OnRedrawTimer(App& app);  // one redraw after opening

}  // namespace fc
