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

const std::string kB(1, kIrcBold);
const std::string kC(1, kIrcColour);
const std::string kU(1, kIrcUnderline);
const std::string kA(1, kCtcp);

constexpr const char* kAuthorLine = " :Made by the Fragcaster team - call +1 555 0139 for help.";
constexpr const char* kMailAddress = "bot@fragcaster.example.net";

void Notice(App& app, const std::string& nick, const std::string& text) {
    SendIrcLine(app, "NOTICE " + nick + text, LineKind::Notice);
}

// A count of seconds: the leading number of a text, rounded, within what 32 bits carry.
long long Seconds(std::string_view text) {
    const double value = std::nearbyint(LeadingNumber(text));
    constexpr double kMost = std::numeric_limits<std::int32_t>::max();
    return static_cast<long long>(std::fmax(-kMost, std::fmin(kMost, value)));
}

// A score number: kept as it was when the score is no number a 16-bit field can carry.
void TakeScoreNumber(double score, std::int16_t& number) {
    const double value = std::nearbyint(score);
    if (value >= std::numeric_limits<std::int16_t>::min() &&
        value <= std::numeric_limits<std::int16_t>::max()) {
        number = static_cast<std::int16_t>(value);
    }
}

// A side's captures and frags; a score of one number has no captures.
void TakeTeamScore(const TeamScore& score, std::int16_t& first, std::int16_t& second) {
    if (score.split) {
        TakeScoreNumber(score.captures, first);
    } else {
        first = 0;
    }
    TakeScoreNumber(score.points, second);
}

// "[Red team] 3 (12) / [Blue team] 1 (7)"
std::string ScoreText(const App& app) {
    const MainView& v = app.view;
    const IrcSession& s = app.irc;
    return "[" + v.txtnaamRED + "] " + PlainNumber(s.red1) + " (" + PlainNumber(s.red2) + ") / [" +
           v.txtnaamBLUE + "] " + PlainNumber(s.blue1) + " (" + PlainNumber(s.blue2) + ")";
}

void SendInfo(App& app, const std::string& nick) {
    const MainView& v = app.view;
    Notice(app, nick,
           std::string(" :Fragcaster Version ") + kVersion + " Build:" + BlankNumber(kBuildNumber) +
               "  S:" + BlankNumber(v.isStarted) + "  L:" + BlankNumber(v.isLinesPrinted));
    Notice(app, nick, kAuthorLine);
    Notice(app, nick,
           " :I keep match scores live up to date and will report them in this channel.");
    Notice(app, nick, std::string(" :Web: ") + kWebPage + "  E-mail: " + kMailAddress);
}

void SendHelp(App& app, const std::string& nick) {
    const MainView& v = app.view;
    const std::string type = " :" + kC + "7Type: " + kB + "/msg " + v.botNick;
    Notice(app, nick, " :" + kC + "7Fragcaster Version " + kVersion);
    Notice(app, nick,
           " :" + kC + "7Map:" + v.qsMap + "  Current score: " + ScoreText(app) +
               "  Time left: " + v.qsTimeLeft);
    Notice(app, nick, type + " !info" + kB + "  = Info about the program");
    Notice(app, nick, type + " !players" + kB + "  = Current players playing on that server");
    Notice(app, nick, type + " !stats" + kB + "  = Current match info.");
    Notice(app, nick,
           " :" + kC + "7You can only send a command every " + v.IRCIgnoreTime + " seconds!");
}

void SendStats(App& app, const std::string& nick) {
    const MainView& v = app.view;
    const std::string server = kU + kB + "Server" + kB + kU + ": ";
    const std::string map = kU + kB + "Map" + kU + kB + ":" + v.qsMap;
    const std::string where = v.serverIsPrivate ? "[PRIVATE!]" : StripComment(v.Q2Serverlist);
    // Capture games tell the state of the match and its captures; every other game its scores.
    if (Describe(v.gameType).captureGame) {
        if (v.matchState == MatchState::None || v.matchState == MatchState::Skip) {
            Notice(app, nick, " :Match has not started yet");
        } else if (v.matchState == MatchState::Ready) {
            Notice(app, nick, " :Match is ready to begin");
        } else if (v.matchState == MatchState::Running) {
            Notice(app, nick,
                   " :" + server + where + "  " + map + " -- Current score: " + ScoreText(app) +
                       "  Time left: " + v.qsTimeLeft);
        }
    } else {
        Notice(app, nick,
               " :" + server + where + "  " + map + "  " + kU + kB + "Current score" + kU + kB +
                   ": [" + v.txtnaamRED + "] " + Trim(v.qsRed) + " / [" + v.txtnaamBLUE + "] " +
                   Trim(v.qsBlue));
    }
}

// Whether `nick` is one of the blank-separated nicks allowed to stop the bot.
bool MayStopTheBot(const App& app, const std::string& nick) {
    const std::string allowed = ToLower(app.view.KillAllowedFrom) + " ";
    const std::string asker = ToLower(nick);
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

void Log(App& app, const std::string& what, const std::string& nick) {
    app.appendOutput("& Notice (" + what + ") sent to " + nick);
}

}  // namespace

void TakeStatusScores(App& app) {
    TakeTeamScore(app.status.red, app.irc.red1, app.irc.red2);
    TakeTeamScore(app.status.blue, app.irc.blue1, app.irc.blue2);
}

void HandleBotQuery(App& app, const std::string& sender, const std::string& rawParams) {
    const std::string params = StripCrLf(rawParams);
    const std::string target = params.substr(0, params.find(' '));
    if (ToLower(target) != ToLower(app.view.botNick)) return;
    const std::size_t colon = params.find(':');
    const std::string text =
        colon == std::string::npos ? std::string() : Trim(StripCrLf(params.substr(colon + 1)));
    const std::string ending = ToLower(params);
    const long long t = Seconds(app.view.IRCIgnoreTime);

    if (EndsWith(ending, kA + "version" + kA) && !Negeer(app, sender, t)) {
        Notice(app, sender,
               std::string(" :Fragcaster Version ") + kVersion + " Build " +
                   BlankNumber(kBuildNumber));
        Log(app, "CTCP version", sender);
    }
    if (ToLower(text.substr(0, 5)) == kA + "ping" && !Negeer(app, sender, t)) {
        Notice(app, sender, " :You're lagging...");
        Log(app, "CTCP ping", sender);
    }
    if (EndsWith(ending, kA + "finger" + kA) && !Negeer(app, sender, t)) {
        Notice(app, sender, std::string(" :") + kWebPage);
        Log(app, "CTCP finger", sender);
    }
    if (EndsWith(ending, "!info") && !Negeer(app, sender, t)) {
        SendInfo(app, sender);
        Log(app, "!info", sender);
    }
    if (EndsWith(ending, "!helpme") && !Negeer(app, sender, t + 5)) {
        SendHelp(app, sender);
        Log(app, "!helpme", sender);
    }
    if (EndsWith(ending, "!stats") && !Negeer(app, sender, t)) {
        SendStats(app, sender);
        Log(app, "!stats", sender);
    }
    if (EndsWith(ending, "!players") && !Negeer(app, sender, t)) {
        spelers(app, sender);
        Log(app, "!players", sender);
    }
    // Stopping the bot is for the operator's own people only; anyone else gets nothing.
    if (EndsWith(ending, "!killyourself") && MayStopTheBot(app, sender)) {
        // The stop is meant: both lines leave at once, and no reconnect follows.
        DropWaitingLines(app);
        SendIrcLineNow(app, FitIrcLine("NOTICE " + sender + " :Command received!"));
        app.ircSocket->send("QUIT :Remotely closed! - OMG! Somebody is controlling me!\r\n");
        app.irc.wanted = false;
        app.appendOutput("*** DISCONNECTED! ***");
    }
}

bool Negeer(App& app, const std::string& nick, long long seconds) {
    std::vector<std::string>& list = app.view.ignorelist;
    for (const std::string& entry : list) {
        if (entry.substr(0, entry.find(' ')) == nick) return true;
    }
    list.push_back(nick + " " + PlainNumber(seconds));
    return false;
}

void OnIgnoreTimer(App& app) {
    std::vector<std::string>& list = app.view.ignorelist;
    if (list.empty()) return;
    for (std::string& entry : list) {
        const std::size_t blank = entry.find(' ');
        std::string nick = entry.substr(0, blank);
        const std::string count = blank == std::string::npos ? "" : entry.substr(blank + 1);
        const long long left = Seconds(count) - 1;
        if (left <= 0) nick = "<DEL>";
        entry = nick + " " + PlainNumber(left);
    }
    std::erase_if(list, [](const std::string& entry) { return StartsWith(entry, "<DEL>"); });
}

void spelers(App& app, const std::string& nick) {
    const MainView& v = app.view;
    std::string line;
    int count = 0;
    auto send = [&] {
        line.resize(line.size() >= 2 ? line.size() - 2 : 0);
        SendIrcLine(app, "NOTICE " + nick + " :" + line, LineKind::Notice);
        line.clear();
    };
    for (const PlayerRow& row : v.spelerLijst) {
        std::string colour = "14";
        if (Contains(row.name, v.txtnaamRED)) colour = "04";
        if (Contains(row.name, v.txtnaamBLUE)) colour = "12";
        if (row.team == "Red") colour = "04";
        if (row.team == "Blue") colour = "12";
        if (row.team == kTeamSpectators) colour = "14";
        const std::size_t pad = row.name.size() < 15 ? 15 - row.name.size() : 0;
        line += kC + colour + row.name + std::string(pad, ' ') + " " + row.score + " (" + row.ping +
                "), ";
        if (++count % 3 == 0) send();
    }
    if (!line.empty()) send();
}

void SendOnJoinGreeting(App& app, const std::string& joiner) {
    SendIrcLine(app,
                "NOTICE " + joiner + " :" + kC + "7Hi! There is a war going on! Type " + kB +
                    "/msg " + app.view.botNick + " !helpme" + kB +
                    " to get information about the war and the commands you can send me!",
                LineKind::Notice);
}

}  // namespace fc
