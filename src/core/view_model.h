// The main window's state. Fields are named for what the window shows in them (the controls'
// old names, which the case files still use, are in docs/glossary.md); values without a
// control that every subsystem shares live beside them. The window draws from this after every
// handled event and holds nothing of its own.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "core/game_type.h"

namespace fc {

// Red FF0000, Blue 0000FF, Grey 808080, Black 000000; AssignedBlue is 0100FF, the blue that
// team assignment paints (the reply parser paints plain blue).
// The IRC servers offered before the operator adds his own; the first is the initial choice.
inline constexpr const char* kBuiltInIrcServers[] = {"irc.quakenet.org", "irc.libera.chat",
                                                     "irc.oftc.net"};

// The built-in report templates: a fresh settings file and the template editor's "Reset" give
// these. Character 2 switches bold, 3 with two digits sets a colour and 3 alone ends it.
inline constexpr const char* kBuiltInCtfLine =
    "Map: \x03"
    "14%map%\x03 - \x03"
    "05%at%\x03: \x03"
    "04%as%\x03 - \x03"
    "02%bt%\x03: "
    "\x03"
    "04%bs%\x03 - \x03"
    "14TL: %tl%\x03 - Cap by %c%";
inline constexpr const char* kBuiltInDmLine =
    "SCORE: \x02\x03"
    "04[%at%] %as%\x02\x03"
    "14(%ae%)\x03"
    "10 ping:%ap%\x03 / \x02\x03"
    "04[%bt%] %bs%\x02\x03"
    "14(%be%)\x03"
    "10 ping:%bp%\x03 - TL: %tl%";

enum class RowColour { Black, Red, Blue, Grey, AssignedBlue };

// The team column's text for players on neither side.
inline constexpr const char* kTeamSpectators = "Spec";

// One row of the player list: the name as row text, then score, ping and team.
struct PlayerRow {
    std::string name;
    std::string score;
    std::string ping;
    std::string team;  // "Red", "Blue", kTeamSpectators or ""
    RowColour colour = RowColour::Black;

    bool operator==(const PlayerRow&) const = default;
};

// The match as the operator and the rules see it.
enum class MatchState { None = 0, Running = 1, Ready = 2, Skip = 3 };

// What the next reply is compared against.
struct LastValues {
    std::string timeLeft;
    std::string red;  // red score as compared: captures or frags
    std::string blue;
    std::string game;     // the game name the type was detected for
    std::string players;  // Unreal Tournament: the player snapshot the capper search compares

    void clear() { *this = LastValues{}; }
};

// What the match rules remember of one game from reply to reply: what was said, the clock,
// the counters. A new game on the server replaces it whole, so nothing of one game (a pause
// still to be ended, a begin already said, captures counted) reaches the next.
struct GameMemory {
    bool pausedShown = false;          // an Osp pause was announced, its end is still due
    bool beginSaid = false;            // this game's Begin was said and no end since
    std::int32_t secondsPlayed = 0;    // the match clock
    int secondsSinceReport = 0;        // seconds since the last periodic report
    int secondsToUnrealReport = 120;   // countdown to the next Unreal Tournament report
    std::int16_t lastReportedRed = 0;  // the scores at the last periodic report
    std::int16_t lastReportedBlue = 0;
    std::int16_t capsRed = 0;  // Unreal Tournament captures
    std::int16_t capsBlue = 0;
    std::int16_t capsRedQ3 = 0;  // base Quake 3 captures, counted from the cappers found
    std::int16_t capsBlueQ3 = 0;
};

struct MainView {
    // --- Game tab: the server entry and the connection button
    std::string serverEntry;
    bool serverEntryEnabled = true;  // enabled means no monitoring run
    std::string connectionButton = "Connection: OFF";
    bool connectionButtonEnabled = false;
    bool addServerEnabled = false;
    std::vector<std::string> savedServers;  // the saved server list

    // --- Game tab: what the last reply showed
    std::string gameText;
    std::string mapText;
    std::string statisticsText;
    std::string timeLeftText = "[no match]";
    bool timeLeftWide = true;
    std::string receivedBytesText;
    std::string familyLabel;
    std::string gameTypeLabel;
    std::string liveBanner;  // the "*** LIVE ***" banner
    bool liveBannerVisible = false;
    std::vector<PlayerRow> playerRows;
    int playerRowsRedraws = 0;
    int playerRowsSortColumn = -1;  // -1: in the server's order; else 0 name .. 3 team
    bool playerRowsSortAscending = true;
    bool listMouseDown = false;  // a mouse button is held on the list

    // --- Team scores
    std::string redTeamName = "Red team";
    std::string blueTeamName = "Blue team";
    std::string redTeamCaption = "Red team";
    std::string blueTeamCaption = "Blue team";
    std::string redScoreText = "0/0";
    std::string blueScoreText = "0/0";
    bool teamScoresVisible = false;
    std::string redPingText = "0";
    std::string bluePingText = "0";
    std::string playersPlaying;
    std::string playersMax;
    std::string timeLimitMinutes = "20";
    std::string reportIntervalSeconds = "60";
    bool teamsKnownShown = false;  // "Teams known:", as the last team sums found it
    bool timePlayedVisible = false;
    bool followClockVisible = false;

    // === Match engine: match control, clocks, report templates ===
    std::string timePlayed;              // time played, m:ss
    std::string timePlayedClickMark;     // "C" once the operator clicked into it
    bool timePlayedEditable = false;     // the operator is correcting the time played
    bool timePlayedFollowsClock = true;  // checked: timePlayed follows the clock
    GameMemory game;                     // what the rules remember of the game being played
    std::string ctfTemplate = kBuiltInCtfLine;
    std::string dmTemplate = kBuiltInDmLine;
    bool windowMinimised = false;
    std::string windowCaption = "~ FCST ~";  // the window caption captionTimer keeps
    // === end of the match engine's fields ===

    // --- Srv. Info tab
    std::string serverInfoText;

    // --- Record tab
    bool recordingOn = false;
    std::string recordingFolder;             // "Directory:", ends with "/"
    std::string recordingFileName;           // "Filename:"
    std::vector<std::string> recordedDemos;  // "Current recorded demos in this directory:"
    int recordedDemoSelected = -1;           // -1: nothing selected
    bool showGameTab = false;                // the window turns to the Game tab, then clears it
    bool playbackBarVisible = false;
    int playbackProgress = 0;
    int playbackLength = 1;

    // --- Interp tab: the event feed of the game server's Interp service
    std::string interpSupport = "Disabled!";
    std::string interpVersion = "n/a";
    std::string interpAuthor = "-";
    std::string interpEmail = "-";
    std::string redFlagWhere = "[unkown]";  // where the red flag is
    std::string blueFlagWhere = "[unkown]";
    std::string interpOutput;  // the raw feed, lines ended by CR LF
    // Which events are said in the channel; not kept in the settings.
    bool interpGotFlag = false;
    bool interpLostFlag = false;
    bool interpRecoverFlag = false;
    bool interpQuad = true;
    bool interpHaste = true;
    bool interpRegen = false;
    bool interpInvis = true;
    bool interpServerMsg = false;
    bool interpReport = true;           // the feed's scores and clock where no mod gives them
    std::string interpBuffer;           // the unfinished last line, carried to the next arrival
    bool interpDropping = false;        // an overlong line is being skipped up to its LF
    std::string interpCapper;           // the last capturer the feed named
    std::string interpClock = "00:00";  // the feed's match clock: elapsed m:ss, or "INT"
    int interpPort = 3490;

    // --- Options tab
    bool advancedMode = false;

    // --- The template editor: the two previews as RTF documents, their background and colours
    std::string ctfPreviewRtf;
    std::string dmPreviewRtf;
    bool blackBackground = false;
    bool previewNoColors = false;  // "NoColors"
    // "Codes" and the codes help window it opens; the button remembers "1" while it took the
    // window off the top, so closing the help puts it back.
    bool codesButtonEnabled = true;
    bool codesHelpLoweredWindow = false;
    bool codesHelpVisible = false;

    // --- The window itself: above all other windows or not (not kept in the settings)
    bool stayOnTop = false;

    // --- IRC tab: the output window
    std::string ircOutput;

    // === IRC bot: the IRC tab, the IRC options and the connection's shared values ===
    // Connection fields, read when the operator connects.
    std::string ircServer = kBuiltInIrcServers[0];
    std::vector<std::string> ircServers{std::begin(kBuiltInIrcServers),
                                        std::end(kBuiltInIrcServers)};
    std::string ircPort = "6667";
    std::string channelEntry = "#FCST";
    std::string ircName = "FCST";
    std::string channelKey;
    bool showRawText = false;  // "Show raw text from server"
    // Locked while a connection is up (lockConnectionFields / unlockConnectionFields).
    bool ircServerEnabled = true;
    bool channelEntryEnabled = true;
    bool ircNameEnabled = true;
    std::string connectIrcButton = "&Connect IRC now!";
    bool connectIrcButtonEnabled = true;
    std::string quitIrcButton = "&Quit IRC";
    bool quitIrcButtonEnabled = false;
    // What the connection shows.
    std::string ircStatus = "Not connected";
    std::string ircTopic = "Not connected";
    std::vector<std::string> channelNicks;  // nicks in the channel, with their status marks
    std::string ircInputLine;               // the operator's input line
    // The match state as the status refresh shows it on the Game tab.
    std::string matchStateText = "No";
    std::string matchButton = "Start it!";
    bool matchButtonEnabled = true;

    // Options read when a line is said in the channel or a query is answered.
    bool reportToIrc = true;  // "Report to IRC?"
    bool ircRemoveColors = false;
    bool ircRemoveFontCodes = false;
    bool greetOnJoin = true;              // greet users joining the channel
    std::string ignoreSeconds = "15";     // seconds, as typed
    std::vector<std::string> ignoreList;  // "nick seconds", in order of arrival
    std::string killAllowedFrom;          // blank-separated nicks that may stop the bot
    bool privateServerChecked = false;    // "Server is private!"
    bool serverIsPrivate = false;         // mirror of privateServerChecked
    // What real networks ask of a bot: a paced send queue, TLS and reconnecting.
    std::string ircBurst = "4";         // lines that may leave at once
    std::string ircLineGapMs = "2000";  // then one line per this many milliseconds
    bool ircTls = false;                // "Use TLS"
    bool ircTlsInsecure = false;        // accept any certificate
    bool ircReconnect = true;           // reconnect when the connection is lost
    // The server browser: many servers asked at once, and where an empty list comes from.
    bool fastSweepOn = false;  // "Fast sweep"
    std::string masterServer = "dpmaster.deathmask.net:27950";
    // Where the version file is asked for ("http://host[:port]/path"); empty: never asked.
    std::string updateUrl;
    bool focusMainWindow = false;  // the window takes the keyboard focus once, then clears it

    // Shared values of the connection.
    std::string botNick = "Orvexa";
    std::string botChannel;
    std::string pingToken;
    std::int32_t startCount = 0;
    std::int32_t linesPrinted = 0;
    // === end of the IRC bot's fields ===

    // === Settings, start-up and shut-down ===
    bool checkForUpdate = true;  // "Check for updates at startup."
    std::string titleText;       // the title label above the tabs
    std::string aboutText;       // the About tab's text, lines ended by CR LF
    std::string timePlayedToolTip;
    double playbackStep = 0.01;  // recorded seconds replayed per 10 ms tick
    bool trayIconAdded = false;  // shown where the desktop has a tray
    bool splashVisible = false;  // the splash window "FCST Splash!"
    std::string splashVersionText = "Version ";
    bool finalCloseBegun = false;      // the second phase of closing has begun
    bool settingsSaveFailing = false;  // the last save failed and the operator was told
    // === end of the settings fields ===

    // --- Shared values without a control
    GameFamily gameFamily = GameFamily::Unknown;
    GameType gameType = GameType::NoGameYet;
    LastValues lastValues;
    std::string lastReplyText;
    bool teamsKnown = false;
    bool teamsSwapped = false;
    std::string redMembers;  // quoted names, simply joined
    std::string blueMembers;
    std::string specMembers;
    std::string markedPlayers;
    MatchState matchState = MatchState::None;
    bool utQueryFresh = false;
    // Unreal Tournament: the pieces of the answer to the last query, by packet number 0 to 100,
    // the number of the piece that carried the final marker (0 while none has), the joined
    // answer and one "number: length" line per expected piece.
    std::vector<std::string> utPackets = std::vector<std::string>(101);
    std::int16_t utPacketCount = 0;
    std::string utWholeReply;
    std::vector<std::string> utPacketSizes;
    bool portBumped = false;
    std::int32_t avgPingRed = 0;
    std::int32_t avgPingBlue = 0;
};

}  // namespace fc
