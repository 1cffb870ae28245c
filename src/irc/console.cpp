#include "irc/console.h"

#include <algorithm>
#include <string_view>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/bot_commands.h"
#include "irc/channel_nicks.h"
#include "irc/irc_connection.h"
#include "irc/irc_line.h"
#include "irc/outgoing.h"

namespace fc {

namespace {

// The text after the first occurrence of `c`, or "" when there is none.
std::string textAfter(const std::string& text, char c) {
    const std::size_t at = text.find(c);
    return at == std::string::npos ? std::string() : text.substr(at + 1);
}

}  // namespace

void showPrivmsg(App& app, const IrcLine& line) {
    std::string text = stripCrLf(line.arg(1));
    if (text.size() >= 2 && text.front() == '\x01') {
        // A client's query: named, not shown as its control bytes.
        text.erase(0, 1);
        if (text.back() == '\x01') text.pop_back();
        const std::string verb = toUpper(text.substr(0, text.find(' ')));
        if (verb == "ACTION") {
            app.appendOutput("* " + line.sender + " " + textAfter(text, ' '));
        } else {
            app.appendOutput("[CTCP " + verb + " from " + line.sender + "]");
        }
        return;
    }
    // Channel chat as "<nick> text", a message to the bot alone as "*nick* text".
    const std::string& target = line.arg(0);
    const bool toChannel =
        !target.empty() && std::string_view("#&+!").find(target[0]) != std::string_view::npos;
    const std::string shown = toChannel ? "<" + line.sender + "> " : "*" + line.sender + "* ";
    app.appendOutput(hideKillPassword(shown + text));
}

void showLeave(App& app, const std::string& sender, const std::string& command) {
    removeNick(app, sender);
    app.appendOutput("* LEFT: " + sender + " (" + command + ")");
}

void showJoin(App& app, const std::string& sender) {
    addNick(app, sender);
    app.appendOutput("* JOIN: " + sender);
    if (app.settings.greetOnJoin) sendOnJoinGreeting(app, sender);
}

void showMode(App& app, const std::string& params) {
    app.appendOutput("* MODE: " + stripCrLf(textAfter(params, ' ')));
}

void showTopic(App& app, const std::string& sender, const std::string& params) {
    const std::string afterBlank = textAfter(params, ' ');
    const std::string topic = stripCrLf(afterBlank.empty() ? "" : afterBlank.substr(1));
    app.irc.ircTopic = topic.empty() ? kNoTopic : topic;
    app.appendOutput("* TOPIC: " + topic + " (set by " + sender + ")");
}

void onIrcInputEnter(App& app) {
    const std::string text = app.irc.ircInputLine;
    if (textStartsWith(text, "/")) {
        if (toUpper(text.substr(1, 4)) == "NICK") {
            const std::string stars(51, '*');
            app.appendOutput(stars);
            app.appendOutput("** DO NOT CHANGE YOUR NICK WHILE IN IRC SESSION! **");
            app.appendOutput(stars);
        } else if (ircConnected(app)) {
            sendIrcLine(app, std::string_view(text).substr(1));
        } else {
            app.appendOutput("*** Not connected: \"" + text + "\" was not sent.");
        }
    } else {
        sayInChannel(app, app.irc.botChannel, text, ReportKind::Typed);
    }
    app.irc.ircInputLine.clear();
}

}  // namespace fc
