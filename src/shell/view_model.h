// The main window's state. Fields carry the names of the window's controls; values without a
// control that every subsystem shares live beside them. The window draws from this after every
// handled event and holds nothing of its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fc {

enum class RowColour { Black, Red, Blue, Grey };

// One row of the player list: the name as row text, then score, ping and team.
struct PlayerRow {
    std::string name;
    std::string score;
    std::string ping;
    std::string team;  // "Red", "Blue", "Spec" or ""
    RowColour colour = RowColour::Black;

    bool operator==(const PlayerRow&) const = default;
};

struct MainView {
    // --- Game tab: the server entry and the connection button
    std::string Q2Serverlist;
    bool Q2ServerlistEnabled = true;  // enabled means no monitoring run
    std::string quakeTimerButton = "Connection: OFF";
    bool quakeTimerButtonEnabled = false;
    bool Q2PlusEnabled = false;
    std::vector<std::string> qServers;  // the saved server list

    // --- Game tab: what the last reply showed
    std::string qsGame;
    std::string qsMap;
    std::string qsStats;
    std::string qsTimeLeft = "[no match]";
    bool qsTimeLeftWide = true;
    std::string quakeRecvBts;
    std::string sModeLabel;
    std::string typspel;
    std::string Label62;  // the "*** LIVE ***" banner
    bool Frame12Visible = false;
    std::vector<PlayerRow> spelerLijst;
    int spelerLijstRedraws = 0;

    // --- Team scores
    std::string txtnaamRED = "Red team";
    std::string txtnaamBLUE = "Blue team";
    std::string Label9 = "Red team";
    std::string Label10 = "Blue team";
    std::string qsRed;
    std::string qsBlue;
    bool teamscoresVisible = false;
    std::string lblLagRed = "0";
    std::string lblLagBlue = "0";
    std::string PlayersPlaying;
    std::string PlayersMax;
    std::string TimeLimitDM = "20";
    std::string ReportDM = "60";
    std::string TempLabel1;
    bool TimePlayedXVisible = false;
    bool TimePlayedYVisible = false;

    // --- Srv. Info tab
    std::string QuakeInfoLabel;

    // --- Record tab
    bool RecordIt = false;
    bool progFrameVisible = false;
    int progValue = 0;

    // --- Options tab
    bool Advanced = false;

    // --- IRC tab: the output window
    std::string Text1;

    // --- Shared values without a control
    std::string gameFamily;  // "", "Q2", "Q3", "UT" or "None"
    std::string gameType = "geen";
    std::array<std::string, 6> lastValues;  // 0 time left, 1 red, 2 blue, 3 reply, 5 game name
    std::string lastReplyText;
    bool teamsKnown = true;
    bool teamsSwapped = false;
    std::string redMembers;  // quoted names, simply joined
    std::string blueMembers;
    std::string specMembers;
    std::string markedPlayers;
    int matchState = 0;  // 0 no match, 1 running, 2 ready, 3 skip the coming match
    std::int32_t secondsPlayed = 0;
    bool utQueryFresh = false;
    bool portBumped = false;
    std::int16_t capsRed = 0;
    std::int16_t capsBlue = 0;
    std::int16_t capsRedQ3 = 0;
    std::int16_t capsBlueQ3 = 0;
};

}  // namespace fc
