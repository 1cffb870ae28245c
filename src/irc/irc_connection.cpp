#include "irc/irc_connection.h"

#include <algorithm>
#include <cstdint>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/bot_commands.h"
#include "irc/channel_nicks.h"
#include "irc/console.h"
#include "irc/held_lines.h"
#include "irc/irc_line.h"
#include "irc/login.h"
#include "irc/outgoing.h"
#include "irc/send_queue.h"
#include "irc/text_encoding.h"

namespace fc {

namespace {

// A port as typed: a whole number from 1 to 65535, blanks around it allowed.
// The server entry may carry a description after the host name; only the name is dialled.
std::string hostOf(const std::string& entry) {
    const std::string t = trimBlanks(entry);
    return t.substr(0, t.find(' '));
}

void answerPing(App& app, const IrcLine& l) {
    // The answer carries exactly what the PING did, whoever sent it.
    app.irc.pingToken = l.arg(0);
    // Seen in the raw view only: a line every few minutes tells the operator nothing.
    sendIrcLine(app, "PONG :" + app.irc.pingToken, LineKind::Pong);
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
    if (!l.arg(0).empty()) app.irc.botNick = l.arg(0);
    s.registered = true;
    s.backoffSeconds = kFirstBackoffSeconds;
    s.stateNote.clear();
    capabilitiesOver(app);
}

void showTopicLine(App& app, const std::string& topic) {
    app.irc.ircTopic = topic.empty() ? kNoTopic : topic;
    app.appendOutput("* TOPIC: " + topic);
}

// What the server tells of itself, of the login and of the channel.
void serverLine(App& app, const IrcLine& l) {
    const std::string& n = l.command;
    if (n == "001") welcomed(app, l);
    if (n == "005") takeServerTraits(app, l);
    if (n == "433") nickInUse(app);
    if (n == "474" && isBot(app, l.arg(0))) app.antiBanTimer->setEnabled(true);
    // A server without a message of the day ends the registration with 422 instead of 376.
    if (n == "376" || n == "422") registrationDone(app);
    if (n == "331" && isBotChannel(app, l.arg(1))) app.irc.ircTopic = kNoTopic;
    if (n == "332" && isBotChannel(app, l.arg(1))) showTopicLine(app, l.arg(2));
    if (n == "353") takeNames(app, l);
    if (n == "366") namesEnd(app, l);
    if (n == "330") accountOfWhois(app, l.arg(1), l.arg(2));
    if (n == "318") whoisEnd(app, l.arg(1));
    if (n.size() == 3 && n[0] == '9') onLoginNumeric(app, l);
}

// The bot's own JOIN of its channel: in it again, the names and the topic to come.
void ownJoin(App& app) {
    app.appendOutput("*** You have joined: " + app.irc.botChannel + " ***");
    app.antiBanTimer->setEnabled(false);
    app.irc.channelNicks.clear();
    app.irc.ircTopic = kNoTopic;
    backInChannel(app);
}

// The lines a user's prefix sends: the channel's events, messages and queries.
void userLine(App& app, const IrcLine& l) {
    const std::string& c = l.command;
    const bool own = isBot(app, l.sender);
    const bool ourChannel = isBotChannel(app, l.arg(0));
    // Whatever a user's line carries tells who the user is logged in as.
    if (const auto account = l.tag("account")) noteAccount(app, l.sender, *account);
    if (c == "ACCOUNT") noteAccount(app, l.sender, l.arg(0));
    if (c == "JOIN" && ourChannel && hasCap(app, "extended-join"))
        noteAccount(app, l.sender, l.arg(1));
    if (c == "JOIN" && own && ourChannel) ownJoin(app);
    if (c == "JOIN" && !own && ourChannel) showJoin(app, l.sender);
    if (c == "PART" && own && ourChannel) leaveChannel(app);
    if ((c == "PART" && !own && ourChannel) || c == "QUIT") showLeave(app, l.sender, c);
    if (c == "KICK" && ourChannel && isBot(app, l.arg(1))) {
        leaveChannel(app);
        joinAChannel(app, app.irc.botChannel);
    } else if (c == "KICK" && ourChannel) {
        removeNick(app, l.arg(1));
    }
    // An account goes with its user to a new nick and leaves with a QUIT, so that what is known
    // does not grow without end.
    std::map<std::string, std::string>& accounts = app.irc.accounts;
    if (const auto known = accounts.find(foldCase(l.sender, app.irc.server.caseMapping));
        (c == "QUIT" || c == "NICK") && known != accounts.end()) {
        const std::string account = known->second;
        accounts.erase(known);
        if (c == "NICK") noteAccount(app, l.arg(0), account);
    }
    if (c == "NICK") {
        renameNick(app, l.sender, l.arg(0));
        if (own) app.irc.botNick = l.arg(0);
    }
    if (c == "MODE") showMode(app, l.params), applyChannelModes(app, l);
    if (c == "TOPIC") showTopic(app, l.sender, l.params);
    if (c == "PRIVMSG") showPrivmsg(app, l), handleBotQuery(app, l);
    if (c == "NOTICE") onServiceNotice(app, l);
}

void dispatchIrcLine(App& app, const IrcLine& l) {
    if (l.command == "PING") answerPing(app, l);
    if (l.command == "CAP") onCap(app, l);
    if (l.command == "AUTHENTICATE") onAuthenticate(app, l);
    // A numeric counts only when the server sent it: a user who says "332 ..." is no topic.
    if (!l.fromUser) serverLine(app, l);
    if (l.fromUser) userLine(app, l);
}

void handleLine(App& app, const std::string& line) {
    const std::string text = stripCrLf(line);
    if (text.empty()) return;
    if (!isReadableIrcLine(text)) {
        app.appendOutput("*** Unreadable line from server: " + showableLine(text));
        return;
    }
    dispatchIrcLine(app, splitIrcLine(fromWire(line)));
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
    s.server = {};
    s.account.clear();
    s.accounts.clear();
    s.stopAwaitingAccount.clear();
    s.namesComing.clear();
    s.waitingForService = false;
    s.ircTopic = kNotConnected;
    app.loginTimer->setEnabled(false);
    leaveChannel(app);
    resetSendQueue(app);
    app.irc.botNick = app.settings.ircName;
    s.reached = false;
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
            return "Unknown error: " + blankNumber(static_cast<int>(state)) + "!";
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

std::string nickFault(std::string_view nick) {
    if (nick.empty()) return "the bot has no nick; type one in the name field.";
    // A letter or one of []\`_^{|} first; then those, digits and "-" (RFC 2812).
    const auto special = [](char c) {
        return std::string_view("[]\\`_^{|}").find(c) != std::string_view::npos;
    };
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    bool ok = letter(nick[0]) || special(nick[0]);
    for (char c : nick.substr(1))
        ok = ok && (letter(c) || special(c) || (c >= '0' && c <= '9') || c == '-');
    if (ok) return "";
    return "the nick \"" + std::string(nick) +
           "\" is no IRC nick: a letter or one of [ ] \\ ` _ ^ { | } first, then those, digits or "
           "-.";
}

void connectIrc(App& app) {
    IrcSession& s = app.irc;
    app.ircSocket->close();
    const std::string badNick = nickFault(app.settings.ircName);
    if (!badNick.empty()) {
        app.appendOutput("*** Cannot connect: " + badNick);
        return;
    }
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
    app.irc.ircTopic = kNotConnected;
    app.irc.channelNicks.clear();
    app.appendOutput("*** DISCONNECTED! ***");
    unlockConnectionFields(app);
}

void onIrcConnected(App& app) {
    app.irc.reached = true;
    resetSendQueue(app);
    startCapabilities(app);
    sendIrcLine(app, "NICK " + app.irc.botNick);
    sendIrcLine(app, "USER fcst \"" + app.platform.localHostName() + "\" \"" +
                         app.ircSocket->localAddress() + "\" :Fragcaster " + kVersion);
    app.pongTimer->setEnabled(true);
    app.appendOutput("*** Connected to server, waiting for reply...");
}

void onIrcLost(App& app, const std::string& why) {
    IrcSession& s = app.irc;
    leaveChannel(app);
    resetSendQueue(app);
    s.ircTopic = kNotConnected;
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
    app.appendOutput((s.reached ? "*** Connection lost" : "*** Could not connect") +
                     (why.empty() ? "" : ": " + why) + ". Reconnecting in " +
                     std::to_string((delay + 999) / 1000) + " s.");
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

    IrcSession& s = app.irc;
    CutResult cut = cutIrcLines(s.partialLine, s.skippingLongLine, chunk);
    for (const std::string& start : cut.dropped) {
        app.appendOutput("*** Line from server longer than " + std::to_string(kLongestIrcLine) +
                         " bytes dropped: " + showableLine(start));
    }
    for (const std::string& line : cut.lines) {
        // Whole lines, so that what follows "!killyourself" is hidden even when it arrived in
        // two reads.
        if (app.settings.showRawText) app.appendOutputRaw(hideKillPassword(fromWire(line)));
        handleLine(app, line);
    }
}

std::string ircStateText(const App& app) {
    const IrcSession& s = app.irc;
    if (app.reconnectTimer->enabled()) {
        const std::int64_t left = std::max<std::int64_t>(0, s.reconnectAtMs - app.platform.nowMs());
        return "Reconnecting in " + std::to_string((left + 999) / 1000) + " s";
    }
    const SocketState state = app.ircSocket->state();
    if (state == SocketState::Connected && s.login == LoginState::Failed)
        return "Connected, SASL login failed";
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
