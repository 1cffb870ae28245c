#include "irc/irc_connection.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/bot_commands.h"
#include "irc/console.h"
#include "irc/held_lines.h"
#include "irc/irc_line.h"
#include "irc/outgoing.h"
#include "irc/send_queue.h"

namespace fc {

namespace {

// A port as typed: a whole number from 1 to 65535, blanks around it allowed.
bool ParseIrcPort(const std::string& text, int& port) {
    const std::string t = Trim(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) return false;
    if (value < 1 || value > 65535) return false;
    port = value;
    return true;
}

// The server entry may carry a description after the host name; only the name is dialled.
std::string HostOf(const std::string& entry) {
    const std::string t = Trim(entry);
    return t.substr(0, t.find(' '));
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           ToUpper(text.substr(0, prefix.size())) == ToUpper(prefix);
}

void AnswerPing(App& app, const std::string& line) {
    app.view.pingToken = StripCrLf(line.size() > 6 ? std::string_view(line).substr(6) : "");
    SendIrcLine(app, "PONG :" + app.view.pingToken, LineKind::Pong);
    app.appendOutput("PONG!");
}

// A numeric counts only when the server sent it: its prefix is the server's name (no "!", as a
// user's prefix has) and its command field is the numeric. A user who says "332 ..." in the
// channel is a PRIVMSG, not a topic.
bool IsNumeric(const std::string& line, const IrcLine& l, std::string_view numeric) {
    const std::size_t blank = line.find(' ');
    const std::string_view prefix = std::string_view(line).substr(0, blank);
    return l.command == numeric && prefix.find('!') == std::string_view::npos;
}

// The nick to try after `tries` nicks were refused: the nick with "_", then with 1 to 9.
std::string NextNick(const std::string& nick, int tries) {
    if (tries == 1) return nick + "_";
    return nick + std::to_string(tries - 1);
}
constexpr int kNickTries = 10;

void NickInUse(App& app) {
    IrcSession& s = app.irc;
    MainView& v = app.view;
    if (s.registered) return;
    if (++s.nickTries >= kNickTries + 1) {
        app.appendOutput("*** The nick " + v.ircName +
                         " and the ten tried after it are in use: not connected.");
        s.wanted = false;
        s.stateNote = "Nick in use";
        app.ircSocket->close();
        DropWaitingLines(app);
        ResetSendQueue(app);
        EnableOpties(app);
        return;
    }
    v.botNick = NextNick(v.ircName, s.nickTries);
    app.appendOutput("*** Nick in use, trying " + v.botNick);
    SendIrcLine(app, "NICK " + v.botNick);
}

// The server's welcome names the nick it knows us by, which every own-nick test then uses.
void Welcomed(App& app, const IrcLine& l) {
    IrcSession& s = app.irc;
    const std::string nick = l.params.substr(0, l.params.find_first_of(" \r\n"));
    if (!nick.empty()) app.view.botNick = nick;
    s.registered = true;
    s.backoffSeconds = kFirstBackoffSeconds;
    s.stateNote.clear();
}

// A parameter's first word, a leading ":" and the line end left out.
std::string FirstWord(std::string_view params) {
    if (!params.empty() && params[0] == ':') params.remove_prefix(1);
    return std::string(params.substr(0, params.find_first_of(" \r\n")));
}
bool IsBot(const App& app, const std::string& nick) {
    return ToUpper(nick) == ToUpper(app.view.botNick);
}
bool IsBotChannel(const App& app, const std::string& channel) {
    return !channel.empty() && ToUpper(channel) == ToUpper(app.view.botChannel);
}

// The topic and the names the server sends after a join; only the first of each in a read.
struct JoinReplies {
    std::string topicLine, namesLine;
};

// The tests a line with a prefix meets, in their order; several may apply to one line.
void Dispatch(App& app, const std::string& line, JoinReplies& replies) {
    MainView& v = app.view;
    const IrcLine l = SplitIrcLine(line);
    const bool ownLine = StartsWith(line, ":" + v.botNick);
    auto numeric = [&](std::string_view n) { return IsNumeric(line, l, n); };

    if (numeric("001")) Welcomed(app, l);
    if (numeric("433")) NickInUse(app);
    if (numeric("474") && StartsWithIgnoringCase(l.params, v.botNick)) {
        app.AntiBanTimer->setEnabled(true);
    }
    // A server without a message of the day ends the registration with 422 instead of 376.
    if (numeric("376") || numeric("422")) {
        StuurModeMezelf(app, "+i");
        JoinAChannel(app, v.botChannel);
    }
    if (numeric("332") && replies.topicLine.empty() && StartsWith(l.params, v.botNick)) {
        replies.topicLine = l.params;
    }
    if (numeric("353") && replies.namesLine.empty() && StartsWith(l.params, v.botNick)) {
        replies.namesLine = l.params;
    }
    if (l.command == "JOIN" && ownLine) {
        app.appendOutput("*** You have joined: " + v.botChannel + " ***");
        app.AntiBanTimer->setEnabled(false);
        v.ircLijst.clear();
    }
    // In or out of the channel the lines go to: only the bot's own JOIN, PART or KICK of it.
    if (l.command == "JOIN" && IsBot(app, l.sender) && IsBotChannel(app, FirstWord(l.params)))
        BackInChannel(app);
    if (l.command == "PART" && IsBot(app, l.sender) && IsBotChannel(app, FirstWord(l.params)))
        LeaveChannel(app);
    if (l.command == "KICK" && IsBotChannel(app, FirstWord(l.params)) &&
        IsBot(app, FirstWord(l.params.substr(std::min(l.params.size(), l.params.find(' ') + 1)))))
        LeaveChannel(app);
    if (l.command == "PRIVMSG") ShowPrivmsg(app, l.sender, l.params);
    if (l.command == "PART" || l.command == "QUIT") ShowLeave(app, l.sender, l.command);
    if (l.command == "JOIN" && !ownLine) ShowJoin(app, l.sender);
    if (l.command == "MODE") ShowMode(app, l.params);
    if (l.command == "TOPIC") ShowTopic(app, l.sender, l.params);
    if (l.command == "KICK" && Contains(l.params, v.botNick)) JoinAChannel(app, v.botChannel);
    if (l.command == "NOTICE" || l.command == "PRIVMSG") HandleBotQuery(app, l.sender, l.params);
}

void HandleLine(App& app, const std::string& line, JoinReplies& replies) {
    if (StartsWith(line, "PING")) AnswerPing(app, line);
    const std::string text = StripCrLf(line);
    if (text.empty()) return;
    if (!IsReadableIrcLine(text)) {
        app.appendOutput("*** Unreadable line from server: " + ShowableLine(text));
        return;
    }
    if (line[0] == ':') Dispatch(app, line, replies);
}

// The text of a numeric's parameters from `skip` bytes on, up to the line's end.
std::string NumericText(const std::string& params, std::size_t skip) {
    const std::size_t start = std::min(params.size(), skip);
    const std::size_t end = params.find_first_of("\r\n", start);
    return params.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The topic skips the nick, a blank, the channel as configured and " :"; the names skip the
// nick, " = ", the channel and " :".
void ShowTopicAndNames(App& app, const JoinReplies& replies) {
    MainView& v = app.view;
    if (!replies.topicLine.empty()) {
        const std::string topic =
            NumericText(replies.topicLine, v.botNick.size() + 1 + v.botChannel.size() + 2);
        app.appendOutput("* TOPIC: " + topic);
        v.IRCTopic = topic;
    }
    if (!replies.namesLine.empty()) {
        const std::string names =
            Trim(NumericText(replies.namesLine, v.botNick.size() + 3 + v.botChannel.size() + 2)) +
            " ";
        v.ircLijst.clear();
        std::string word;
        for (char c : names) {
            if (c == ' ') {
                v.ircLijst.push_back(word);
                word.clear();
            } else {
                word += c;
            }
        }
    }
}

bool TlsOn(const App& app) {
    return app.irc.tlsThisRun.value_or(app.view.IRCTls);
}
bool TlsInsecure(const App& app) {
    return app.irc.tlsInsecureThisRun.value_or(app.view.IRCTlsInsecure);
}
bool ReconnectOn(const App& app) {
    return app.irc.reconnectThisRun.value_or(app.view.IRCReconnect);
}

// Dials the server the operator chose, as a first connect and as every reconnect does.
void Dial(App& app) {
    IrcSession& s = app.irc;
    app.ircSocket->close();
    app.reconnectTimer->setEnabled(false);
    s.partialLine.clear();
    s.skippingLongLine = false;
    s.registered = false;
    s.nickTries = 0;
    s.stateNote.clear();
    LeaveChannel(app);
    ResetSendQueue(app);
    app.view.botNick = app.view.ircName;
    app.ircSocket->setTls(TlsMode{TlsOn(app), TlsInsecure(app)});
    if (TlsOn(app) && TlsInsecure(app)) {
        app.appendOutput(
            "*** Warning: TLS without a certificate check; anyone on the way can "
            "read and change what the bot says.");
    }
    app.ircSocket->connectToHost(s.host, s.port);
}

// A small spread keeps bots that lost the same server from all coming back at one moment.
std::int64_t Spread(IrcSession& s, std::int64_t ms) {
    s.spreadSeed = s.spreadSeed * 1103515245u + 12345u;
    return ms * ((s.spreadSeed >> 16) % 101) / 1000;  // 0 to 10 %
}

// The match-state label and button caption for each match state.
struct MatchStateTexts {
    const char* label;
    const char* button;
};
constexpr MatchStateTexts kMatchStates[] = {
    {"No", "Start it!"},
    {"Yes", "Stop it!"},
    {"Ready to start", "Skip this match"},
    {"No (Skipped)", "Set: 'Ready to start'"},
};

}  // namespace

std::string StripCrLf(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    return std::string(text);
}

bool IrcConnected(const App& app) {
    return app.ircSocket->state() == SocketState::Connected;
}

std::string QuitText() {
    return std::string(1, kIrcBold) + "Fragcaster - Version " + kVersion + " - " + kWebPage +
           std::string(1, kIrcBold);
}

std::string IrcStatusText(SocketState state) {
    switch (state) {
        case SocketState::Closed:
            return "Not connected";
        case SocketState::ResolvingHost:
            return "Searching hostname...";
        case SocketState::Connecting:
            return "Connecting...";
        case SocketState::Connected:
            return "Connected!";
        case SocketState::Closing:
            return "Disconnected";
        case SocketState::Error:
            return "Server or hostname not found";
        default:
            return "Unkown error: " + BlankNumber(static_cast<int>(state)) + "!";
    }
}

void StuurModeMezelf(App& app, const std::string& mode) {
    if (!IrcConnected(app)) return;
    SendIrcLine(app, "MODE " + app.view.botNick + " " + mode);
}

void JoinAChannel(App& app, const std::string& channel) {
    if (!IrcConnected(app)) return;
    SendIrcLine(app, "JOIN " + channel + " " + app.view.IRCKey);
}

void UseTls(App& app, bool on) {
    MainView& v = app.view;
    v.IRCTls = on;
    const std::string from = on ? "6667" : "6697";
    if (Trim(v.IRCPort) == from) v.IRCPort = on ? "6697" : "6667";
}

void DisableOpties(App& app) {
    MainView& v = app.view;
    v.IRCServerEnabled = v.txtstdKanaalEnabled = v.ircNameEnabled = v.Command3Enabled = false;
    v.Command1Enabled = true;
}

void EnableOpties(App& app) {
    MainView& v = app.view;
    v.IRCServerEnabled = v.txtstdKanaalEnabled = v.ircNameEnabled = v.Command3Enabled = true;
    v.Command1Enabled = false;
}

void ConnectIrc(App& app) {
    MainView& v = app.view;
    IrcSession& s = app.irc;
    app.ircSocket->close();
    int port = 0;
    if (!ParseIrcPort(v.IRCPort, port)) {
        // Nothing is dialled, so the fields stay open for a better port.
        app.appendOutput("*** Cannot connect: the port \"" + v.IRCPort +
                         "\" is not a number from 1 to 65535.");
        return;
    }
    s.host = HostOf(v.IRCServer);
    s.port = port;
    s.wanted = true;
    s.backoffSeconds = kFirstBackoffSeconds;
    s.spreadSeed = static_cast<std::uint32_t>(app.platform.nowMs()) | 1u;
    v.botChannel = v.txtstdKanaal;
    Dial(app);
    DisableOpties(app);
}

void SendQuitLine(App& app) {
    app.irc.wanted = false;
    app.reconnectTimer->setEnabled(false);
    DropWaitingLines(app);
    if (IrcConnected(app)) SendIrcLineNow(app, FitIrcLine("QUIT :" + QuitText()));
}

void QuitIrc(App& app) {
    // The QUIT still leaves when the socket closes: closing sends what was sent before it.
    SendQuitLine(app);
    // Also while still connecting: the connection must not complete after the fields unlock.
    app.ircSocket->close();
    ResetSendQueue(app);
    app.irc.stateNote.clear();
    app.view.IRCTopic.clear();
    app.appendOutput("*** DISCONNECTED! ***");
    EnableOpties(app);
}

void OnIrcConnected(App& app) {
    const MainView& v = app.view;
    ResetSendQueue(app);
    SendIrcLine(app, "NICK " + v.botNick);
    SendIrcLine(app, "USER fcst \"" + app.platform.localHostName() + "\" \"" +
                         app.ircSocket->localAddress() + "\" :Orvexa " + kVersion);
    app.Timer2->setEnabled(true);
    app.appendOutput("*** Connected to server, waiting for reply...");
}

void OnIrcLost(App& app, const std::string& why) {
    IrcSession& s = app.irc;
    LeaveChannel(app);
    ResetSendQueue(app);
    if (s.wanted && !ReconnectOn(app)) {
        s.wanted = false;  // nobody dials again: nothing is kept for a channel not coming back
        DropWaitingLines(app);
    }
    if (!s.wanted || app.reconnectTimer->enabled()) return;
    app.ircSocket->close();
    const std::int64_t base = static_cast<std::int64_t>(s.backoffSeconds) * 1000;
    const std::int64_t delay = base + Spread(s, base);
    s.backoffSeconds = std::min(s.backoffSeconds * 2, kLastBackoffSeconds);
    s.reconnectAtMs = app.platform.nowMs() + delay;
    app.reconnectTimer->setInterval(static_cast<int>(delay));
    app.reconnectTimer->setEnabled(true);
    app.appendOutput("*** Connection lost" + (why.empty() ? "" : ": " + why) +
                     ". Reconnecting in " + std::to_string((delay + 999) / 1000) + " s.");
}

void OnIrcTlsFailed(App& app, const std::string& why) {
    IrcSession& s = app.irc;
    // A certificate that fails now fails again: no reconnect, the operator has to decide.
    s.wanted = false;
    app.reconnectTimer->setEnabled(false);
    app.ircSocket->close();
    DropWaitingLines(app);
    ResetSendQueue(app);
    s.stateNote = "TLS failed: " + why;
    app.appendOutput("*** TLS failed: " + why + " -- not connected.");
    EnableOpties(app);
}

void OnReconnectTimer(App& app) {
    app.reconnectTimer->setEnabled(false);
    if (!app.irc.wanted) return;
    app.appendOutput("*** Reconnecting to " + app.irc.host + " ...");
    Dial(app);
}

void OnTimer2(App& app) {
    if (app.view.pingToken.empty()) return;
    SendIrcLine(app, "PONG :" + app.view.pingToken, LineKind::Pong);
    app.Timer2->setEnabled(false);
}

void OnAntiBanTimer(App& app) {
    JoinAChannel(app, app.view.botChannel);
}

void OnIrcData(App& app, const std::string& chunk) {
    TakeStatusScores(app);
    if (app.view.debugAU) app.appendOutputRaw(chunk);
    app.view.pingToken = StripCrLf(app.view.pingToken);

    IrcSession& s = app.irc;
    CutResult cut = CutIrcLines(s.partialLine, s.skippingLongLine, chunk);
    for (const std::string& start : cut.dropped) {
        app.appendOutput("*** Line from server longer than " + std::to_string(kLongestIrcLine) +
                         " bytes dropped: " + ShowableLine(start));
    }
    JoinReplies replies;
    for (const std::string& line : cut.lines) HandleLine(app, line, replies);
    ShowTopicAndNames(app, replies);
}

std::string IrcStateText(const App& app) {
    const IrcSession& s = app.irc;
    if (app.reconnectTimer->enabled()) {
        const std::int64_t left = std::max<std::int64_t>(0, s.reconnectAtMs - app.platform.nowMs());
        return "Reconnecting in " + std::to_string((left + 999) / 1000) + " s";
    }
    const SocketState state = app.ircSocket->state();
    if (!s.stateNote.empty() && state != SocketState::Connected &&
        state != SocketState::Connecting && state != SocketState::ResolvingHost)
        return s.stateNote;
    return IrcStatusText(state);
}

void OnTimer1(App& app) {
    MainView& v = app.view;
    if (app.ircSocket->state() == SocketState::Closing) app.ircSocket->close();
    v.IRCStat = IrcStateText(app);

    const MatchStateTexts& texts = kMatchStates[static_cast<int>(v.matchState)];
    v.qsMatchState = texts.label;
    v.Command2 = texts.button;
    v.Command2Enabled = true;
}

}  // namespace fc
