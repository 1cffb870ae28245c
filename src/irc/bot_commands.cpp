#include "irc/bot_commands.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "irc/held_lines.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "irc/send_queue.h"

namespace fc {

namespace {

const std::string kBoldMark(1, kIrcBold);
const std::string kColourMark(1, kIrcColour);
const std::string kUnderlineMark(1, kIrcUnderline);
const std::string kCtcpMark(1, kCtcp);

constexpr const char* kAuthorLine = " :Made by the Fragcaster team - call +1 555 0139 for help.";
constexpr const char* kMailAddress = "bot@fragcaster.example.net";

void sendNotice(App& app, const std::string& nick, const std::string& text) {
    sendIrcLine(app, "NOTICE " + nick + text, LineKind::Notice);
}

// A score number: kept as it was when the score is no number a 16-bit field can carry.
void takeScoreNumber(double score, std::int16_t& number) {
    const double value = std::nearbyint(score);
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        number = static_cast<std::int16_t>(value);
    }
}

// A side's captures and frags; a score of one number has no captures.
void takeTeamScore(const TeamScore& score, std::int16_t& first, std::int16_t& second) {
    if (score.split) {
        takeScoreNumber(score.captures, first);
    } else {
        first = 0;
    }
    takeScoreNumber(score.points, second);
}

// "[Red team] 3 (12) / [Blue team] 1 (7)"
std::string scoreText(const App& app) {
    const IrcSession& s = app.irc;
    return "[" + app.match.redTeamName + "] " + plainNumber(s.red1) + " (" + plainNumber(s.red2) +
           ") / [" + app.match.blueTeamName + "] " + plainNumber(s.blue1) + " (" +
           plainNumber(s.blue2) + ")";
}

void sendInfo(App& app, const std::string& nick) {
    sendNotice(app, nick,
               std::string(" :Fragcaster Version ") + kVersion + " Build:" +
                   blankNumber(kBuildNumber) + "  S:" + blankNumber(app.settings.startCount) +
                   "  L:" + blankNumber(app.settings.linesPrinted));
    sendNotice(app, nick, kAuthorLine);
    sendNotice(app, nick,
               " :I keep match scores live up to date and will report them in this channel.");
    sendNotice(app, nick, std::string(" :Web: ") + kWebPage + "  E-mail: " + kMailAddress);
}

void sendHelp(App& app, const std::string& nick) {
    const std::string type = " :" + kColourMark + "7Type: " + kBoldMark + "/msg " + app.irc.botNick;
    sendNotice(app, nick, " :" + kColourMark + "7Fragcaster Version " + kVersion);
    sendNotice(app, nick,
               " :" + kColourMark + "7Map:" + app.monitor.mapText + "  Current score: " +
                   scoreText(app) + "  Time left: " + app.monitor.timeLeft.text());
    sendNotice(app, nick, type + " !info" + kBoldMark + "  = Info about the program");
    sendNotice(app, nick,
               type + " !players" + kBoldMark + "  = Current players playing on that server");
    sendNotice(app, nick, type + " !stats" + kBoldMark + "  = Current match info.");
    sendNotice(app, nick,
               " :" + kColourMark + "7You can only send a command every " +
                   app.settings.ignoreSeconds.text() + " seconds!");
}

void sendStats(App& app, const std::string& nick) {
    const std::string server =
        kUnderlineMark + kBoldMark + "Server" + kBoldMark + kUnderlineMark + ": ";
    const std::string map =
        kUnderlineMark + kBoldMark + "Map" + kUnderlineMark + kBoldMark + ":" + app.monitor.mapText;
    const std::string where =
        app.settings.serverIsPrivate ? "[PRIVATE!]" : stripComment(app.settings.serverEntry);
    // Capture games tell the state of the match and its captures; every other game its scores.
    if (describe(app.monitor.gameType).captureGame) {
        if (app.match.matchState == MatchState::None || app.match.matchState == MatchState::Skip) {
            sendNotice(app, nick, " :Match has not started yet");
        } else if (app.match.matchState == MatchState::Ready) {
            sendNotice(app, nick, " :Match is ready to begin");
        } else if (app.match.matchState == MatchState::Running) {
            sendNotice(app, nick,
                       " :" + server + where + "  " + map + " -- Current score: " + scoreText(app) +
                           "  Time left: " + app.monitor.timeLeft.text());
        }
    } else {
        sendNotice(app, nick,
                   " :" + server + where + "  " + map + "  " + kUnderlineMark + kBoldMark +
                       "Current score" + kUnderlineMark + kBoldMark + ": [" +
                       app.match.redTeamName + "] " + trimBlanks(app.monitor.redScoreText) +
                       " / [" + app.match.blueTeamName + "] " +
                       trimBlanks(app.monitor.blueScoreText));
    }
}

// Whether `nick` is one of the blank-separated nicks allowed to stop the bot.
bool mayStopTheBot(const App& app, const std::string& nick) {
    const std::string allowed = toLower(app.settings.killAllowedFrom) + " ";
    const std::string asker = toLower(nick);
    std::string word;
    for (char c : allowed) {
        if (c != ' ' && c != '\t') {
            word += c;
            continue;
        }
        if (!word.empty() && word == asker) return true;
        word.clear();
    }
    return false;
}

void logCommand(App& app, const std::string& what, const std::string& nick) {
    app.appendOutput("& Notice (" + what + ") sent to " + nick);
}

}  // namespace

void takeStatusScores(App& app) {
    takeTeamScore(app.status.red, app.irc.red1, app.irc.red2);
    takeTeamScore(app.status.blue, app.irc.blue1, app.irc.blue2);
}

void handleBotQuery(App& app, const std::string& sender, const std::string& rawParams) {
    const std::string params = stripCrLf(rawParams);
    const std::string target = params.substr(0, params.find(' '));
    if (toLower(target) != toLower(app.irc.botNick)) return;
    const std::size_t colon = params.find(':');
    const std::string text = colon == std::string::npos
                                 ? std::string()
                                 : trimBlanks(stripCrLf(params.substr(colon + 1)));
    const std::string ending = toLower(params);
    const long long t = app.settings.ignoreSeconds.value().count();

    if (textEndsWith(ending, kCtcpMark + "version" + kCtcpMark) && !isIgnored(app, sender, t)) {
        sendNotice(app, sender,
                   std::string(" :Fragcaster Version ") + kVersion + " Build " +
                       blankNumber(kBuildNumber));
        logCommand(app, "CTCP version", sender);
    }
    if (toLower(text.substr(0, 5)) == kCtcpMark + "ping" && !isIgnored(app, sender, t)) {
        sendNotice(app, sender, " :You're lagging...");
        logCommand(app, "CTCP ping", sender);
    }
    if (textEndsWith(ending, kCtcpMark + "finger" + kCtcpMark) && !isIgnored(app, sender, t)) {
        sendNotice(app, sender, std::string(" :") + kWebPage);
        logCommand(app, "CTCP finger", sender);
    }
    if (textEndsWith(ending, "!info") && !isIgnored(app, sender, t)) {
        sendInfo(app, sender);
        logCommand(app, "!info", sender);
    }
    if (textEndsWith(ending, "!helpme") && !isIgnored(app, sender, t + 5)) {
        sendHelp(app, sender);
        logCommand(app, "!helpme", sender);
    }
    if (textEndsWith(ending, "!stats") && !isIgnored(app, sender, t)) {
        sendStats(app, sender);
        logCommand(app, "!stats", sender);
    }
    if (textEndsWith(ending, "!players") && !isIgnored(app, sender, t)) {
        sendPlayers(app, sender);
        logCommand(app, "!players", sender);
    }
    // Stopping the bot is for the operator's own people only; anyone else gets nothing.
    if (textEndsWith(ending, "!killyourself") && mayStopTheBot(app, sender)) {
        // The stop is meant: both lines leave at once, and no reconnect follows.
        dropWaitingLines(app);
        sendIrcLineNow(app, fitIrcLine("NOTICE " + sender + " :Command received!"));
        app.ircSocket->send("QUIT :Remotely closed! - OMG! Somebody is controlling me!\r\n");
        app.irc.wanted = false;
        app.appendOutput("*** DISCONNECTED! ***");
    }
}

bool isIgnored(App& app, const std::string& nick, long long seconds) {
    std::vector<IgnoredNick>& list = app.irc.ignoreList;
    for (const IgnoredNick& entry : list) {
        if (entry.nick == nick) return true;
    }
    list.push_back({nick, std::chrono::seconds(seconds)});
    return false;
}

void onIgnoreTimer(App& app) {
    std::vector<IgnoredNick>& list = app.irc.ignoreList;
    for (IgnoredNick& entry : list) --entry.left;
    std::erase_if(list, [](const IgnoredNick& entry) { return entry.left.count() <= 0; });
}

void sendPlayers(App& app, const std::string& nick) {
    std::string line;
    int count = 0;
    auto send = [&] {
        line.resize(line.size() >= 2 ? line.size() - 2 : 0);
        sendIrcLine(app, "NOTICE " + nick + " :" + line, LineKind::Notice);
        line.clear();
    };
    for (const PlayerRow& row : app.monitor.playerRows) {
        std::string colour = "14";
        if (textContains(row.name, app.match.redTeamName)) colour = "04";
        if (textContains(row.name, app.match.blueTeamName)) colour = "12";
        if (row.team == "Red") colour = "04";
        if (row.team == "Blue") colour = "12";
        if (row.team == kTeamSpectators) colour = "14";
        const std::size_t pad = row.name.size() < 15 ? 15 - row.name.size() : 0;
        line += kColourMark + colour + row.name + std::string(pad, ' ') + " " + row.score + " (" +
                row.ping + "), ";
        if (++count % 3 == 0) send();
    }
    if (!line.empty()) send();
}

void sendOnJoinGreeting(App& app, const std::string& joiner) {
    sendIrcLine(app,
                "NOTICE " + joiner + " :" + kColourMark + "7Hi! There is a war going on! Type " +
                    kBoldMark + "/msg " + app.irc.botNick + " !helpme" + kBoldMark +
                    " to get information about the war and the commands you can send me!",
                LineKind::Notice);
}

}  // namespace fc
