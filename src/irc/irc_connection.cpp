#include "irc/irc_connection.h"

#include <algorithm>
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
// The server entry may carry a description after the host name; only the name is dialled.
std::string hostOf(const std::string& entry) {
    const std::string t = trimBlanks(entry);
    return t.substr(0, t.find(' '));
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           toUpper(text.substr(0, prefix.size())) == toUpper(prefix);
}

void answerPing(App& app, const std::string& line) {
    app.irc.pingToken = stripCrLf(line.size() > 6 ? std::string_view(line).substr(6) : "");
    sendIrcLine(app, "PONG :" + app.irc.pingToken, LineKind::Pong);
    app.appendOutput("PONG!");
}

// A numeric counts only when the server sent it: its prefix is the server's name (no "!", as a
// user's prefix has) and its command field is the numeric. A user who says "332 ..." in the
// channel is a PRIVMSG, not a topic.
bool isNumeric(const std::string& line, const IrcLine& l, std::string_view numeric) {
    const std::size_t blank = line.find(' ');
    const std::string_view prefix = std::string_view(line).substr(0, blank);
    return l.command == numeric && prefix.find('!') == std::string_view::npos;
}

// The nick to try after `tries` nicks were refused: the nick with "_", then with 1 to 9.
std::string nextNick(const std::string& nick, int tries) {
    if (tries == 1) return nick + "_";
    return nick + std::to_string(tries - 1);
}
constexpr int kNickTries = 10;

void nickInUse(App& app) {
    IrcSession& s = app.irc;
    if (s.registered) return;
    if (++s.nickTries >= kNickTries + 1) {
        app.appendOutput("*** The nick " + app.settings.ircName +
                         " and the ten tried after it are in use: not connected.");
        s.wanted = false;
        s.stateNote = "Nick in use";
        app.ircSocket->close();
        dropWaitingLines(app);
        resetSendQueue(app);
        unlockConnectionFields(app);
        return;
    }
    app.irc.botNick = nextNick(app.settings.ircName, s.nickTries);
    app.appendOutput("*** Nick in use, trying " + app.irc.botNick);
    sendIrcLine(app, "NICK " + app.irc.botNick);
}

// The server's welcome names the nick it knows us by, which every own-nick test then uses.
void welcomed(App& app, const IrcLine& l) {
    IrcSession& s = app.irc;
    const std::string nick = l.params.substr(0, l.params.find_first_of(" \r\n"));
    if (!nick.empty()) app.irc.botNick = nick;
    s.registered = true;
    s.backoffSeconds = kFirstBackoffSeconds;
    s.stateNote.clear();
}

// A parameter's first word, a leading ":" and the line end left out.
std::string firstWord(std::string_view params) {
    if (!params.empty() && params[0] == ':') params.remove_prefix(1);
    return std::string(params.substr(0, params.find_first_of(" \r\n")));
}
bool isBot(const App& app, const std::string& nick) {
    return toUpper(nick) == toUpper(app.irc.botNick);
}
bool isBotChannel(const App& app, const std::string& channel) {
    return !channel.empty() && toUpper(channel) == toUpper(app.irc.botChannel);
}

// The topic and the names the server sends after a join; only the first of each in a read.
struct JoinReplies {
    std::string topicLine, namesLine;
};

// The tests a line with a prefix meets, in their order; several may apply to one line.
void dispatchIrcLine(App& app, const std::string& line, JoinReplies& replies) {
    const IrcLine l = splitIrcLine(line);
    // The bot's own line by its whole nick: "FCST2" joining is somebody else.
    const bool ownLine = isBot(app, l.sender);
    auto numeric = [&](std::string_view n) { return isNumeric(line, l, n); };

    if (numeric("001")) welcomed(app, l);
    if (numeric("433")) nickInUse(app);
    if (numeric("474") && startsWithIgnoringCase(l.params, app.irc.botNick)) {
        app.antiBanTimer->setEnabled(true);
    }
    // A server without a message of the day ends the registration with 422 instead of 376.
    if (numeric("376") || numeric("422")) {
        setOwnMode(app, "+i");
        joinAChannel(app, app.irc.botChannel);
    }
    if (numeric("332") && replies.topicLine.empty() && textStartsWith(l.params, app.irc.botNick)) {
        replies.topicLine = l.params;
    }
    if (numeric("353") && replies.namesLine.empty() && textStartsWith(l.params, app.irc.botNick)) {
        replies.namesLine = l.params;
    }
    if (l.command == "JOIN" && ownLine) {
        app.appendOutput("*** You have joined: " + app.irc.botChannel + " ***");
        app.antiBanTimer->setEnabled(false);
        app.irc.channelNicks.clear();
    }
    // In or out of the channel the lines go to: only the bot's own JOIN, PART or KICK of it.
    if (l.command == "JOIN" && isBot(app, l.sender) && isBotChannel(app, firstWord(l.params)))
        backInChannel(app);
    if (l.command == "PART" && isBot(app, l.sender) && isBotChannel(app, firstWord(l.params)))
        leaveChannel(app);
    if (l.command == "KICK" && isBotChannel(app, firstWord(l.params)) &&
        isBot(app, firstWord(l.params.substr(std::min(l.params.size(), l.params.find(' ') + 1)))))
        leaveChannel(app);
    if (l.command == "PRIVMSG") showPrivmsg(app, l.sender, l.params);
    if (l.command == "PART" || l.command == "QUIT") showLeave(app, l.sender, l.command);
    if (l.command == "JOIN" && !ownLine) showJoin(app, l.sender);
    if (l.command == "MODE") showMode(app, l.params);
    if (l.command == "TOPIC") showTopic(app, l.sender, l.params);
    if (l.command == "KICK" && textContains(l.params, app.irc.botNick))
        joinAChannel(app, app.irc.botChannel);
    if (l.command == "NOTICE" || l.command == "PRIVMSG") handleBotQuery(app, l.sender, l.params);
}

void handleLine(App& app, const std::string& line, JoinReplies& replies) {
    if (textStartsWith(line, "PING")) answerPing(app, line);
    const std::string text = stripCrLf(line);
    if (text.empty()) return;
    if (!isReadableIrcLine(text)) {
        app.appendOutput("*** Unreadable line from server: " + showableLine(text));
        return;
    }
    if (line[0] == ':') dispatchIrcLine(app, line, replies);
}

// The text of a numeric's parameters from `skip` bytes on, up to the line's end.
std::string numericText(const std::string& params, std::size_t skip) {
    const std::size_t start = std::min(params.size(), skip);
    const std::size_t end = params.find_first_of("\r\n", start);
    return params.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The topic skips the nick, a blank, the channel as configured and " :"; the names skip the
// nick, " = ", the channel and " :".
void showTopicAndNames(App& app, const JoinReplies& replies) {
    if (!replies.topicLine.empty()) {
        const std::string topic = numericText(
            replies.topicLine, app.irc.botNick.size() + 1 + app.irc.botChannel.size() + 2);
        app.appendOutput("* TOPIC: " + topic);
        app.irc.ircTopic = topic;
    }
    if (!replies.namesLine.empty()) {
        const std::string names =
            trimBlanks(numericText(replies.namesLine,
                                   app.irc.botNick.size() + 3 + app.irc.botChannel.size() + 2)) +
            " ";
        app.irc.channelNicks.clear();
        std::string word;
        for (char c : names) {
            if (c == ' ') {
                app.irc.channelNicks.push_back(word);
                word.clear();
            } else {
                word += c;
            }
        }
    }
}

bool tlsWanted(const App& app) {
    return app.irc.tlsThisRun.value_or(app.settings.ircTls);
}
bool tlsInsecureWanted(const App& app) {
    return app.irc.tlsInsecureThisRun.value_or(app.settings.ircTlsInsecure);
}
bool reconnectOn(const App& app) {
    return app.irc.reconnectThisRun.value_or(app.settings.ircReconnect);
}

// Dials the server the operator chose, as a first connect and as every reconnect does.
void dial(App& app) {
    IrcSession& s = app.irc;
    app.ircSocket->close();
    app.reconnectTimer->setEnabled(false);
    s.partialLine.clear();
    s.skippingLongLine = false;
    s.registered = false;
    s.nickTries = 0;
    s.stateNote.clear();
    leaveChannel(app);
    resetSendQueue(app);
    app.irc.botNick = app.settings.ircName;
    app.ircSocket->setTls(TlsMode{tlsWanted(app), tlsInsecureWanted(app)});
    if (tlsWanted(app) && tlsInsecureWanted(app)) {
        app.appendOutput(
            "*** Warning: TLS without a certificate check; anyone on the way can "
            "read and change what the bot says.");
    }
    app.ircSocket->connectToHost(s.host, s.port);
}

// A small spread keeps bots that lost the same server from all coming back at one moment.
std::int64_t spread(IrcSession& s, std::int64_t ms) {
    s.spreadSeed = s.spreadSeed * 1103515245u + 12345u;
    return ms * ((s.spreadSeed >> 16) % 101) / 1000;  // 0 to 10 %
}

}  // namespace

std::string stripCrLf(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    return std::string(text);
}

bool ircConnected(const App& app) {
    return app.ircSocket->state() == SocketState::Connected;
}

std::string quitText() {
    return std::string(1, kIrcBold) + "Fragcaster - Version " + kVersion + " - " + kWebPage +
           std::string(1, kIrcBold);
}

std::string ircStatusText(SocketState state) {
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
            return "Unkown error: " + blankNumber(static_cast<int>(state)) + "!";
    }
}

void setOwnMode(App& app, const std::string& mode) {
    if (!ircConnected(app)) return;
    sendIrcLine(app, "MODE " + app.irc.botNick + " " + mode);
}

void joinAChannel(App& app, const std::string& channel) {
    if (!ircConnected(app)) return;
    sendIrcLine(app, "JOIN " + channel + " " + app.settings.channelKey);
}

void useTls(App& app, bool on) {
    app.settings.ircTls = on;
    // A port the operator chose stays; the usual plain and TLS ports follow the box.
    const int from = on ? 6667 : 6697;
    if (app.settings.ircPort.value() == from) app.settings.ircPort = on ? "6697" : "6667";
}

void lockConnectionFields(App& app) {
    app.window.ircServerEnabled = app.window.channelEntryEnabled = app.window.ircNameEnabled =
        app.window.connectIrcButtonEnabled = false;
    app.window.quitIrcButtonEnabled = true;
}

void unlockConnectionFields(App& app) {
    app.window.ircServerEnabled = app.window.channelEntryEnabled = app.window.ircNameEnabled =
        app.window.connectIrcButtonEnabled = true;
    app.window.quitIrcButtonEnabled = false;
}

void connectIrc(App& app) {
    IrcSession& s = app.irc;
    app.ircSocket->close();
    const std::optional<int> port = app.settings.ircPort.value();
    if (!port) {
        // Nothing is dialled, so the fields stay open for a better port.
        app.appendOutput("*** Cannot connect: the port \"" + app.settings.ircPort.text() +
                         "\" is not a number from 1 to 65535.");
        return;
    }
    s.host = hostOf(app.settings.ircServer);
    s.port = *port;
    s.wanted = true;
    s.backoffSeconds = kFirstBackoffSeconds;
    s.spreadSeed = static_cast<std::uint32_t>(app.platform.nowMs()) | 1u;
    app.irc.botChannel = app.settings.channelEntry;
    dial(app);
    lockConnectionFields(app);
}

void sendQuitLine(App& app) {
    app.irc.wanted = false;
    app.reconnectTimer->setEnabled(false);
    dropWaitingLines(app);
    if (ircConnected(app)) sendIrcLineNow(app, fitIrcLine("QUIT :" + quitText()));
}

void quitIrc(App& app) {
    // The QUIT still leaves when the socket closes: closing sends what was sent before it.
    sendQuitLine(app);
    // Also while still connecting: the connection must not complete after the fields unlock.
    app.ircSocket->close();
    resetSendQueue(app);
    app.irc.stateNote.clear();
    app.irc.ircTopic.clear();
    app.appendOutput("*** DISCONNECTED! ***");
    unlockConnectionFields(app);
}

void onIrcConnected(App& app) {
    resetSendQueue(app);
    sendIrcLine(app, "NICK " + app.irc.botNick);
    sendIrcLine(app, "USER fcst \"" + app.platform.localHostName() + "\" \"" +
                         app.ircSocket->localAddress() + "\" :Orvexa " + kVersion);
    app.pongTimer->setEnabled(true);
    app.appendOutput("*** Connected to server, waiting for reply...");
}

void onIrcLost(App& app, const std::string& why) {
    IrcSession& s = app.irc;
    leaveChannel(app);
    resetSendQueue(app);
    if (s.wanted && !reconnectOn(app)) {
        s.wanted = false;  // nobody dials again: nothing is kept for a channel not coming back
        dropWaitingLines(app);
    }
    if (!s.wanted || app.reconnectTimer->enabled()) return;
    app.ircSocket->close();
    const std::int64_t base = static_cast<std::int64_t>(s.backoffSeconds) * 1000;
    const std::int64_t delay = base + spread(s, base);
    s.backoffSeconds = std::min(s.backoffSeconds * 2, kLastBackoffSeconds);
    s.reconnectAtMs = app.platform.nowMs() + delay;
    app.reconnectTimer->setInterval(static_cast<int>(delay));
    app.reconnectTimer->setEnabled(true);
    app.appendOutput("*** Connection lost" + (why.empty() ? "" : ": " + why) +
                     ". Reconnecting in " + std::to_string((delay + 999) / 1000) + " s.");
}

void onIrcTlsFailed(App& app, const std::string& why) {
    IrcSession& s = app.irc;
    // A certificate that fails now fails again: no reconnect, the operator has to decide.
    s.wanted = false;
    app.reconnectTimer->setEnabled(false);
    app.ircSocket->close();
    dropWaitingLines(app);
    resetSendQueue(app);
    s.stateNote = "TLS failed: " + why;
    app.appendOutput("*** TLS failed: " + why + " -- not connected.");
    unlockConnectionFields(app);
}

void onReconnectTimer(App& app) {
    app.reconnectTimer->setEnabled(false);
    if (!app.irc.wanted) return;
    app.appendOutput("*** Reconnecting to " + app.irc.host + " ...");
    dial(app);
}

void onPongTimer(App& app) {
    if (app.irc.pingToken.empty()) return;
    sendIrcLine(app, "PONG :" + app.irc.pingToken, LineKind::Pong);
    app.pongTimer->setEnabled(false);
}

void onAntiBanTimer(App& app) {
    joinAChannel(app, app.irc.botChannel);
}

void onIrcData(App& app, const std::string& chunk) {
    takeStatusScores(app);
    if (app.settings.showRawText) app.appendOutputRaw(chunk);
    app.irc.pingToken = stripCrLf(app.irc.pingToken);

    IrcSession& s = app.irc;
    CutResult cut = cutIrcLines(s.partialLine, s.skippingLongLine, chunk);
    for (const std::string& start : cut.dropped) {
        app.appendOutput("*** Line from server longer than " + std::to_string(kLongestIrcLine) +
                         " bytes dropped: " + showableLine(start));
    }
    JoinReplies replies;
    for (const std::string& line : cut.lines) handleLine(app, line, replies);
    showTopicAndNames(app, replies);
}

std::string ircStateText(const App& app) {
    const IrcSession& s = app.irc;
    if (app.reconnectTimer->enabled()) {
        const std::int64_t left = std::max<std::int64_t>(0, s.reconnectAtMs - app.platform.nowMs());
        return "Reconnecting in " + std::to_string((left + 999) / 1000) + " s";
    }
    const SocketState state = app.ircSocket->state();
    if (!s.stateNote.empty() && state != SocketState::Connected &&
        state != SocketState::Connecting && state != SocketState::ResolvingHost)
        return s.stateNote;
    return ircStatusText(state);
}

void onIrcStatusTick(App& app) {
    if (app.ircSocket->state() == SocketState::Closing) app.ircSocket->close();
    app.irc.ircStatus = ircStateText(app);
}

}  // namespace fc
