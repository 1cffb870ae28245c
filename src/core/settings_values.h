// The operator's choices that the settings file keeps (and a few the window offers beside
// them): the report templates, the IRC connection and its options, the browser's and the
// update check's addresses.
#pragma once

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "core/typed_entry.h"

namespace fc {

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

struct SettingsValues {
    std::string serverEntry;
    std::vector<std::string> savedServers;       // the saved server list
    MinutesEntry timeLimitMinutes = "20";        // the match's length, from the server or typed
    IntervalEntry reportIntervalSeconds = "60";  // between two score reports
    std::string ctfTemplate = kBuiltInCtfLine;
    std::string dmTemplate = kBuiltInDmLine;
    bool advancedMode = false;
    // Connection fields, read when the operator connects.
    std::string ircServer = kBuiltInIrcServers[0];
    std::vector<std::string> ircServers{std::begin(kBuiltInIrcServers),
                                        std::end(kBuiltInIrcServers)};
    PortEntry ircPort = "6667";  // none when the text is no port
    std::string channelEntry = "#FCST";
    std::string ircName = "FCST";
    std::string channelKey;
    bool showRawText = false;  // "Show raw text from server"
    // Options read when a line is said in the channel or a query is answered.
    bool reportToIrc = true;  // "Report to IRC?"
    bool ircRemoveColors = false;
    bool ircRemoveFontCodes = false;
    bool greetOnJoin = true;            // greet users joining the channel
    SecondsEntry ignoreSeconds = "15";  // a nick waits this long between two commands
    std::string killAllowedFrom;        // blank-separated nicks that may stop the bot
    bool privateServerChecked = false;  // "Server is private!"
    bool serverIsPrivate = false;       // mirror of privateServerChecked
    // What real networks ask of a bot: a paced send queue, TLS and reconnecting.
    BurstEntry ircBurst = "4";           // lines that may leave at once
    LineGapEntry ircLineGapMs = "2000";  // then one line per this gap
    bool ircTls = false;                 // "Use TLS"
    bool ircTlsInsecure = false;         // accept any certificate
    bool ircReconnect = true;            // reconnect when the connection is lost
    // "utf-8" (text leaves converted from the game's single bytes) or "latin-1" (as it is).
    std::string ircEncoding = "utf-8";
    // Logging in: SASL PLAIN, or a line for the network's service; secrets, never shown.
    std::string ircSaslUser, ircSaslPassword;
    std::string ircLoginLine;  // e.g. "PRIVMSG Q@CServe.quakenet.org :AUTH name password"
    std::string killPassword;  // "!killyourself PASSWORD" on a network without accounts
    // The server browser: many servers asked at once, and where an empty list comes from.
    bool fastSweepOn = false;  // "Fast sweep"
    std::string masterServer = "dpmaster.deathmask.net:27950";
    // Where the version file is asked for ("http://host[:port]/path"); empty: never asked.
    std::string updateUrl;
    std::int32_t startCount = 0;
    std::int32_t linesPrinted = 0;
    bool checkForUpdate = true;  // "Check for updates at startup."
    // A chat room's incoming webhook that is told every line said in the channel; empty: none.
    // The address holds the room's secret: never shown, only its host. The format is "discord"
    // or "slack" (which Mattermost and Rocket.Chat take too).
    std::string webhookUrl;
    std::string webhookFormat = "discord";
    // At a game's end: its timeline picture saved beside the recordings, a summary line said.
    bool saveTimeline = true;
    bool reportSummary = true;
};

}  // namespace fc
