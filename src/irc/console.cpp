#include "irc/console.h"

#include <algorithm>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/bot_commands.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"

namespace fc {

namespace {

// The text after the first occurrence of `c`, or "" when there is none.
std::string After(const std::string& text, char c) {
    const std::size_t at = text.find(c);
    return at == std::string::npos ? std::string() : text.substr(at + 1);
}

}  // namespace

void ShowPrivmsg(App& app, const std::string& sender, const std::string& params) {
    app.appendOutput("<" + sender + "> " + StripCrLf(After(params, ':')));
}

void ShowLeave(App& app, const std::string& sender, const std::string& command) {
    std::vector<std::string>& nicks = app.view.ircLijst;
    const auto it = std::find(nicks.begin(), nicks.end(), sender);
    if (it != nicks.end()) nicks.erase(it);
    app.appendOutput("* LEFT: " + sender + " (" + command + ")");
}

void ShowJoin(App& app, const std::string& sender) {
    app.view.ircLijst.push_back(sender);
    app.appendOutput("* JOIN: " + sender);
    if (app.view.IRConjoin) SendOnJoinGreeting(app, sender);
}

void ShowMode(App& app, const std::string& params) {
    app.appendOutput("* MODE: " + StripCrLf(After(params, ' ')));
    app.view.ircLijst.clear();
}

void ShowTopic(App& app, const std::string& sender, const std::string& params) {
    const std::string afterBlank = After(params, ' ');
    const std::string topic = StripCrLf(afterBlank.empty() ? "" : afterBlank.substr(1));
    app.view.IRCTopic = topic;
    app.appendOutput("* TOPIC: " + topic + " (set by " + sender + ")");
}

void OnIrcInputEnter(App& app) {
    MainView& v = app.view;
    const std::string text = v.ircZegwat;
    if (StartsWith(text, "/")) {
        if (ToUpper(text.substr(1, 4)) == "NICK") {
            const std::string stars(51, '*');
            app.appendOutput(stars);
            app.appendOutput("** DO NOT CHANGE YOUR NICK WHILE IN IRC SESSION! **");
            app.appendOutput(stars);
        } else if (IrcConnected(app)) {
            SendIrcLine(app, std::string_view(text).substr(1));
        } else {
            app.appendOutput("*** Not connected: \"" + text + "\" was not sent.");
        }
    } else {
        stuurMSG(app, v.botChannel, text, ReportKind::Typed);
    }
    v.ircZegwat.clear();
}

}  // namespace fc
