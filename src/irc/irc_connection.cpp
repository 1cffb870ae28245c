#include "irc/irc_connection.h"

#include <charconv>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/bot_commands.h"
#include "irc/console.h"
#include "irc/irc_line.h"
#include "irc/outgoing.h"

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
    SendIrcLine(app, "PONG :" + app.view.pingToken);
    app.appendOutput("PONG!");
}

// The tests a line with a prefix meets, in their order; several may apply to one line.
void Dispatch(App& app, const std::string& line) {
    MainView& v = app.view;
    const IrcLine l = SplitIrcLine(line);
    const bool ownLine = StartsWith(line, ":" + v.botNick);

    if (l.command == "474" && StartsWithIgnoringCase(l.params, v.botNick)) {
        app.AntiBanTimer->setEnabled(true);
    }
    if (l.command == "376") {
        StuurModeMezelf(app, "+i");
        JoinAChannel(app, v.botChannel);
    }
    if (l.command == "JOIN" && ownLine) {
        app.appendOutput("*** You have joined: " + v.botChannel + " ***");
        app.AntiBanTimer->setEnabled(false);
        v.ircLijst.clear();
    }
    if (l.command == "PRIVMSG") ShowPrivmsg(app, l.sender, l.params);
    if (l.command == "PART" || l.command == "QUIT") ShowLeave(app, l.sender, l.command);
    if (l.command == "JOIN" && !ownLine) ShowJoin(app, l.sender);
    if (l.command == "MODE") ShowMode(app, l.params);
    if (l.command == "TOPIC") ShowTopic(app, l.sender, l.params);
    if (l.command == "KICK" && Contains(l.params, v.botNick)) JoinAChannel(app, v.botChannel);
    if (l.command == "NOTICE" || l.command == "PRIVMSG") HandleBotQuery(app, l.sender, l.params);
}

void HandleLine(App& app, const std::string& line) {
    if (StartsWith(line, "PING")) AnswerPing(app, line);
    const std::string text = StripCrLf(line);
    if (text.empty()) return;
    if (!IsReadableIrcLine(text)) {
        app.appendOutput("*** Unreadable line from server: " + ShowableLine(text));
        return;
    }
    if (line[0] == ':') Dispatch(app, line);
}

// The text of a numeric reply found in the block: from `skip` bytes after where `marker`
// starts, up to the line's end.
bool FindNumericText(const std::string& block, const std::string& marker, std::size_t skip,
                     std::string& text) {
    const std::size_t at = block.find(marker);
    if (at == std::string::npos) return false;
    const std::size_t start = std::min(block.size(), at + skip);
    const std::size_t end = block.find_first_of("\r\n", start);
    text = block.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

// The topic and the names the server sends after a join, read from the lines of this read.
void ScanTopicAndNames(App& app, const std::string& block) {
    MainView& v = app.view;
    std::string topic;
    if (FindNumericText(block, "332 " + v.botNick,
                        4 + v.botNick.size() + 1 + v.botChannel.size() + 2, topic)) {
        app.appendOutput("* TOPIC: " + topic);
        v.IRCTopic = topic;
    }
    std::string names;
    if (FindNumericText(block, "353 " + v.botNick,
                        4 + v.botNick.size() + 3 + v.botChannel.size() + 2, names)) {
        names = Trim(names) + " ";
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
    app.ircSocket->close();
    int port = 0;
    if (!ParseIrcPort(v.IRCPort, port)) {
        // Nothing is dialled, so the fields stay open for a better port.
        app.appendOutput("*** Cannot connect: the port \"" + v.IRCPort +
                         "\" is not a number from 1 to 65535.");
        return;
    }
    app.irc.partialLine.clear();
    app.irc.skippingLongLine = false;
    app.ircSocket->connectToHost(HostOf(v.IRCServer), port);
    v.botChannel = v.txtstdKanaal;
    v.botNick = v.ircName;
    DisableOpties(app);
}

void SendQuitLine(App& app) {
    if (IrcConnected(app)) SendIrcLine(app, "QUIT :" + QuitText());
}

void QuitIrc(App& app) {
    if (IrcConnected(app)) {
        SendQuitLine(app);
        app.platform.processPendingEvents();
        app.ircSocket->close();
    }
    app.view.IRCTopic.clear();
    app.appendOutput("*** DISCONNECTED! ***");
    EnableOpties(app);
}

void OnIrcConnected(App& app) {
    const MainView& v = app.view;
    SendIrcLine(app, "NICK " + v.botNick);
    SendIrcLine(app, "USER fcst \"" + app.platform.localHostName() + "\" \"" +
                         app.ircSocket->localAddress() + "\" :Orvexa " + kVersion);
    app.Timer2->setEnabled(true);
    app.appendOutput("*** Connected to server, waiting for reply...");
}

void OnTimer2(App& app) {
    if (app.view.pingToken.empty()) return;
    SendIrcLine(app, "PONG :" + app.view.pingToken);
    app.Timer2->setEnabled(false);
}

void OnAntiBanTimer(App& app) {
    JoinAChannel(app, app.view.botChannel);
}

void OnIrcData(App& app, const std::string& chunk) {
    TakeScoreNumbers(app);
    if (app.view.debugAU) app.appendOutputRaw(chunk);
    app.view.pingToken = StripCrLf(app.view.pingToken);

    IrcSession& s = app.irc;
    CutResult cut = CutIrcLines(s.partialLine, s.skippingLongLine, chunk);
    for (const std::string& start : cut.dropped) {
        app.appendOutput("*** Line from server longer than " + std::to_string(kLongestIrcLine) +
                         " bytes dropped: " + ShowableLine(start));
    }
    if (cut.lines.empty()) return;
    std::string block;
    for (const std::string& line : cut.lines) {
        HandleLine(app, line);
        block += line;
    }
    ScanTopicAndNames(app, block);
}

void OnTimer1(App& app) {
    MainView& v = app.view;
    if (app.ircSocket->state() == SocketState::Closing) app.ircSocket->close();
    v.IRCStat = IrcStatusText(app.ircSocket->state());

    const MatchStateTexts& texts = kMatchStates[static_cast<int>(v.matchState)];
    v.qsMatchState = texts.label;
    v.Command2 = texts.button;
    v.Command2Enabled = true;
}

}  // namespace fc
