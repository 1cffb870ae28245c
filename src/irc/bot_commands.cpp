#include "irc/bot_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "irc/channel_nicks.h"
#include "irc/held_lines.h"
#include "irc/irc_connection.h"
#include "irc/irc_line.h"
#include "irc/login.h"
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
    const std::string allowed = app.settings.killAllowedFrom + " ";
    std::string word;
    for (char c : allowed) {
        if (c != ' ' && c != '\t') {
            word += c;
            continue;
        }
        if (!word.empty() && sameName(app, word, nick)) return true;
        word.clear();
    }
    return false;
}

const std::string kStopCommand = "!killyourself";

// What follows "!killyourself" at the end of a message (a password, or ""); nothing when the
// message does not end so.
std::optional<std::string> stopRequest(const std::string& text) {
    const std::size_t at = toLower(text).rfind(kStopCommand);
    if (at == std::string::npos) return std::nullopt;
    const std::string rest = text.substr(at + kStopCommand.size());
    if (!rest.empty() && rest[0] != ' ') return std::nullopt;
    return trimBlanks(rest);
}

// The account a nick is logged in as: "*" for none, nothing while unknown. Where the server
// tags every message with its sender's account, a message without the tag has none.
std::optional<std::string> accountOf(const App& app, const std::string& nick, const IrcLine* line) {
    if (line && line->tag("account")) return *line->tag("account");
    if (line && hasCap(app, "account-tag")) return "*";
    const auto known = app.irc.accounts.find(foldCase(nick, app.irc.server.caseMapping));
    if (known == app.irc.accounts.end()) return std::nullopt;
    return known->second;
}

void stopTheBot(App& app, const std::string& nick) {
    // The stop is meant: both lines leave at once, and no reconnect follows.
    dropWaitingLines(app);
    sendIrcLineNow(app, fitIrcLine("NOTICE " + nick + " :Command received!"));
    sendIrcLineNow(app, "QUIT :Remotely closed! - OMG! Somebody is controlling me!");
    app.irc.wanted = false;
    app.appendOutput("*** DISCONNECTED! ***");
}

void refuseStop(App& app, const std::string& nick, const std::string& why) {
    app.appendOutput("*** " + kStopCommand + " from " + nick + " refused: " + why + ".");
}

// A listed nick stops the bot when the network knows it by its account of that name, or with
// the password; with neither, nobody can. An account not yet known is asked for by WHOIS.
void decideStop(App& app, const std::string& nick, const std::string& password,
                const IrcLine* line) {
    const std::string& wanted = app.settings.killPassword;
    if (!wanted.empty() && password == wanted) return stopTheBot(app, nick);
    if (!wanted.empty() && !password.empty()) return refuseStop(app, nick, "wrong password");
    const std::optional<std::string> account = accountOf(app, nick, line);
    if (account && *account != "*" && sameName(app, *account, nick)) return stopTheBot(app, nick);
    if (!account) {
        // One WHOIS per nick at a time, however often it asks.
        std::vector<std::string>& waiting = app.irc.stopAwaitingAccount;
        if (std::ranges::none_of(waiting, [&](auto& n) { return sameName(app, n, nick); })) {
            waiting.push_back(nick);
            sendIrcLine(app, "WHOIS " + nick);
        }
        return;
    }
    refuseStop(app, nick,
               "not logged in as " + nick +
                   (wanted.empty() ? " and no KillPassword is set" : " and no password given"));
}

void logCommand(App& app, const std::string& what, const std::string& nick) {
    app.appendOutput("& Notice (" + what + ") sent to " + nick);
}

// "2026-12-08 07:38:44", the machine's local time.
std::string localTimeText(const App& app) {
    const LocalTime now = app.platform.localTime();
    const int seconds = static_cast<int>(now.secondsSinceMidnight);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// A client query ("\x01VERSION\x01"): answered in a NOTICE wrapped the same way, each answer
// counted against the asker's ignore time. Queries the bot does not know (ACTION) get nothing.
void answerCtcp(App& app, const std::string& nick, std::string_view message, long long t) {
    message.remove_prefix(1);
    if (message.ends_with(kCtcp)) message.remove_suffix(1);
    const std::size_t blank = message.find(' ');
    const std::string query = toUpper(message.substr(0, blank));
    const std::string argument(blank == std::string_view::npos ? "" : message.substr(blank + 1));
    std::string answer;
    if (query == "VERSION")
        answer =
            std::string("Fragcaster Version ") + kVersion + " Build " + blankNumber(kBuildNumber);
    if (query == "PING") answer = argument;
    if (query == "TIME") answer = localTimeText(app);
    if (query == "CLIENTINFO") answer = "ACTION CLIENTINFO FINGER PING TIME VERSION";
    if (query == "FINGER") answer = kWebPage;
    if ((answer.empty() && query != "PING") || isIgnored(app, nick, t)) return;
    sendNotice(app, nick,
               " :" + kCtcpMark + query + (answer.empty() ? "" : " " + answer) + kCtcpMark);
    logCommand(app, "CTCP " + toLower(query), nick);
}

}  // namespace

void takeStatusScores(App& app) {
    takeTeamScore(app.status.red, app.irc.red1, app.irc.red2);
    takeTeamScore(app.status.blue, app.irc.blue1, app.irc.blue2);
}

void noteAccount(App& app, const std::string& nick, const std::string& account) {
    if (nick.empty() || account.empty()) return;
    app.irc.accounts[foldCase(nick, app.irc.server.caseMapping)] = account;
}

void accountOfWhois(App& app, const std::string& nick, const std::string& account) {
    noteAccount(app, nick, account);
    whoisEnd(app, nick);
}

void whoisEnd(App& app, const std::string& nick) {
    std::vector<std::string>& waiting = app.irc.stopAwaitingAccount;
    const auto it = std::ranges::find_if(waiting, [&](auto& n) { return sameName(app, n, nick); });
    if (it == waiting.end()) return;
    const std::string asker = *it;
    waiting.erase(it);
    // No 330 before the end of the WHOIS: the nick is logged in as nobody.
    if (!app.irc.accounts.contains(foldCase(nick, app.irc.server.caseMapping)))
        noteAccount(app, nick, "*");
    decideStop(app, asker, "", nullptr);
}

std::string hideKillPassword(std::string text) {
    for (std::size_t at = toLower(text).find(kStopCommand + " "); at != std::string::npos;
         at = toLower(text).find(kStopCommand + " ", at + 1)) {
        const std::size_t from = at + kStopCommand.size() + 1;
        const std::size_t end = std::min(text.find_first_of("\r\n", from), text.size());
        if (text.find_first_not_of(' ', from) < end) text.replace(from, end - from, "****");
    }
    return text;
}

void handleBotQuery(App& app, const IrcLine& line) {
    const std::string& sender = line.sender;
    if (!isBot(app, line.arg(0))) return;
    const std::string& message = line.arg(1);
    const long long t = app.settings.ignoreSeconds.value().count();
    if (message.starts_with(kCtcp)) return answerCtcp(app, sender, message, t);

    const std::string ending = toLower(message);
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
    if (const auto password = stopRequest(message); password && mayStopTheBot(app, sender))
        decideStop(app, sender, *password, &line);
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
