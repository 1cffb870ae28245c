// What belongs to the window alone: which controls are enabled or shown, the captions of the
// buttons that change with the state, the sort of the player list, the splash and the tray.
// The logic sets these where a state change must show (a connection locks its fields); the
// window draws from them and keeps nothing of its own.
#pragma once

#include <string>

namespace fc {

struct WindowState {
    bool serverEntryEnabled = true;  // enabled means no monitoring run
    std::string serverEntryFault;    // why the entry was refused, beside it; "" when it was not
    std::string connectionButton = "Connection: OFF";
    bool connectionButtonEnabled = false;
    bool addServerEnabled = false;
    bool timeLeftWide = true;
    bool liveBannerVisible = false;
    int playerRowsRedraws = 0;
    int playerRowsSortColumn = -1;  // -1: in the server's order; else 0 name .. 3 team
    bool playerRowsSortAscending = true;
    bool listMouseDown = false;  // a mouse button is held on the list
    bool teamScoresVisible = false;
    bool teamsKnownShown = false;  // "Teams known:", as the last team sums found it
    bool timePlayedVisible = false;
    bool followClockVisible = false;
    bool windowMinimised = false;
    std::string windowCaption = "~ Fragcaster ~";  // the window caption captionTimer keeps
    bool showGameTab = false;  // the window turns to the Game tab, then clears it
    bool playbackBarVisible = false;
    bool stayOnTop = false;
    // Locked while a connection is up (lockConnectionFields / unlockConnectionFields).
    bool ircServerEnabled = true;
    bool channelEntryEnabled = true;
    bool ircNameEnabled = true;
    std::string connectIrcButton = "&Connect IRC now!";
    bool connectIrcButtonEnabled = true;
    std::string quitIrcButton = "&Quit IRC";
    bool quitIrcButtonEnabled = false;
    bool focusMainWindow = false;  // the window takes the keyboard focus once, then clears it
    std::string titleText;         // the title label above the tabs
    std::string timePlayedToolTip;
    bool trayIconAdded = false;  // shown where the desktop has a tray
    bool splashVisible = false;  // the splash window "Fragcaster"
    std::string splashVersionText = "Version ";
    bool finalCloseBegun = false;  // the second phase of closing has begun
    int quitWaits = 0;             // quit ticks spent waiting for lines on their way to a chat room
    bool settingsSaveFailing = false;  // the last save failed and the operator was told
};

}  // namespace fc
