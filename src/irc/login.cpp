#include "irc/login.h"

#include <algorithm>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/channel_nicks.h"
#include "irc/irc_connection.h"
#include "irc/irc_line.h"
#include "irc/outgoing.h"

namespace fc {

namespace {

// What the bot asks for where offered: the login, and what tells it who is who.
constexpr const char* kWantedCaps[] = {"sasl",           "account-tag",  "extended-join",
                                       "account-notify", "multi-prefix", "server-time"};

// SASL credentials travel in pieces of at most 400 bytes; a last piece of exactly 400 is
// followed by "+".
constexpr std::size_t kAuthenticateChunk = 400;

bool saslWanted(const App& app) {
    return !saslUser(app).empty();
}

void endCapabilities(App& app) {
    if (!app.irc.server.negotiating) return;
    app.irc.server.negotiating = false;
    sendIrcLine(app, "CAP END");
}

// "sasl=PLAIN,EXTERNAL" offers PLAIN; a bare "sasl" names no mechanisms and may be tried.
bool offersPlain(std::string_view offer) {
    const std::size_t equals = offer.find('=');
    if (equals == std::string_view::npos) return true;
    const std::string mechanisms = "," + std::string(offer.substr(equals + 1)) + ",";
    return mechanisms.find(",PLAIN,") != std::string::npos;
}

void unavailable(App& app, const std::string& why) {
    if (!saslWanted(app) || app.irc.login != LoginState::Pending) return;
    app.irc.login = LoginState::Unavailable;
    app.appendOutput("*** " + why + ": the bot goes on without logging in.");
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t blank = std::min(text.find(' ', at), text.size());
        if (blank > at) out.emplace_back(text.substr(at, blank - at));
        at = blank + 1;
    }
    return out;
}

std::string capName(std::string_view offer) {
    return std::string(offer.substr(0, offer.find('=')));
}

// The capabilities the bot wants of those offered, and whether SASL PLAIN is among them.
bool requestCapabilities(App& app, const std::string& offered) {
    std::string request;
    for (const std::string& offer : words(offered)) {
        const std::string name = capName(offer);
        const bool wanted = std::ranges::find(kWantedCaps, name) != std::end(kWantedCaps);
        if (!wanted || hasCap(app, name)) continue;
        if (name == "sasl" && (!saslWanted(app) || !offersPlain(offer))) continue;
        request += (request.empty() ? "" : " ") + name;
    }
    if (!request.empty()) sendIrcLine(app, "CAP REQ :" + request);
    return !request.empty();
}

void join(App& app) {
    app.irc.waitingForService = false;
    app.loginTimer->setEnabled(false);
    joinAChannel(app, app.irc.botChannel);
}

}  // namespace

std::string saslUser(const App& app) {
    return app.irc.saslUserThisRun.value_or(app.settings.ircSaslUser);
}

std::string saslPassword(const App& app) {
    return app.irc.saslPasswordThisRun.value_or(app.settings.ircSaslPassword);
}

bool hasCap(const App& app, std::string_view cap) {
    return std::ranges::find(app.irc.server.caps, cap) != app.irc.server.caps.end();
}

void startCapabilities(App& app) {
    app.irc.login = saslWanted(app) ? LoginState::Pending : LoginState::None;
    // Capabilities serve the login and telling who may stop the bot; without either the bot
    // registers as plain IRC has it.
    if (!saslWanted(app) && trimBlanks(app.settings.killAllowedFrom).empty()) return;
    app.irc.server.negotiating = true;
    sendIrcLine(app, "CAP LS 302");
}

void onCap(App& app, const IrcLine& line) {
    IrcServerTraits& t = app.irc.server;
    const std::string sub = toUpper(line.arg(1));
    // A list that goes on in the next line carries "*" before its text.
    const bool more = line.arg(2) == "*";
    const std::string& list = more ? line.arg(3) : line.arg(2);
    if (sub == "LS") {
        t.offeredCaps += " " + list;
        if (more || !t.negotiating) return;
        const bool sasl = std::ranges::any_of(words(t.offeredCaps), [](const std::string& offer) {
            return capName(offer) == "sasl" && offersPlain(offer);
        });
        if (!sasl) unavailable(app, "The server offers no SASL PLAIN login");
        // Without a request nothing is acknowledged: the negotiation is over.
        if (!requestCapabilities(app, t.offeredCaps)) endCapabilities(app);
    } else if (sub == "ACK") {
        for (const std::string& cap : words(list)) {
            if (cap.starts_with('-'))
                std::erase(t.caps, cap.substr(1));
            else if (!hasCap(app, cap))
                t.caps.push_back(cap);
        }
        if (hasCap(app, "sasl") && app.irc.login == LoginState::Pending) {
            sendIrcLine(app, "AUTHENTICATE PLAIN");
        } else {
            unavailable(app, "The server did not grant the SASL login");
            endCapabilities(app);
        }
    } else if (sub == "NAK") {
        unavailable(app, "The server refused the SASL login's capabilities");
        endCapabilities(app);
    } else if (sub == "NEW") {
        // Services that link late offer SASL late: the login is asked for then.
        t.offeredCaps += " " + list;
        if (saslWanted(app) && app.irc.login != LoginState::LoggedIn) {
            if (app.irc.login == LoginState::Unavailable) app.irc.login = LoginState::Pending;
            requestCapabilities(app, list);
        }
    } else if (sub == "DEL") {
        for (const std::string& cap : words(list)) std::erase(t.caps, cap);
    }
}

void onAuthenticate(App& app, const IrcLine& line) {
    if (line.arg(0) != "+" || app.irc.login != LoginState::Pending) return;
    const std::string user = saslUser(app);
    const std::string encoded = base64(user + '\0' + user + '\0' + saslPassword(app));
    for (std::size_t at = 0; at < encoded.size(); at += kAuthenticateChunk)
        sendIrcLine(app, "AUTHENTICATE " + encoded.substr(at, kAuthenticateChunk));
    if (encoded.size() % kAuthenticateChunk == 0) sendIrcLine(app, "AUTHENTICATE +");
}

void onLoginNumeric(App& app, const IrcLine& line) {
    IrcSession& s = app.irc;
    const std::string& n = line.command;
    if (n == "900") {
        // "900 bot nick!user@host account :You are now logged in as account"
        s.account = line.arg(2);
        app.appendOutput("*** Logged in as " + s.account + ".");
        if (s.waitingForService) join(app);
    } else if (n == "903" || n == "907") {
        s.login = LoginState::LoggedIn;
        endCapabilities(app);
    } else if ((n == "902" || n == "904" || n == "905" || n == "906") &&
               s.login == LoginState::Pending) {
        s.login = LoginState::Failed;
        const std::string why = line.args.empty() ? "" : " " + line.args.back();
        app.appendOutput("*** SASL login as " + saslUser(app) + " failed (" + n + why +
                         "): the bot does not join " + s.botChannel +
                         ". Correct IRCSaslUser and IRCSaslPassword and connect again, or empty "
                         "them to go on without logging in.");
        endCapabilities(app);
    }
}

void capabilitiesOver(App& app) {
    if (!app.irc.server.negotiating) return;
    app.irc.server.negotiating = false;
    unavailable(app, "The server does not negotiate capabilities");
}

void registrationDone(App& app) {
    setOwnMode(app, "+i");
    if (app.irc.login == LoginState::Failed) return;
    const std::string& loginLine = app.settings.ircLoginLine;
    if (loginLine.empty() || !ircConnected(app)) return join(app);
    sendIrcLine(app, loginLine);
    app.irc.waitingForService = true;
    app.loginTimer->setEnabled(false);
    app.loginTimer->setEnabled(true);
}

void onServiceNotice(App& app, const IrcLine& line) {
    if (!app.irc.waitingForService || !line.fromUser) return;
    // "PRIVMSG Q@CServe.quakenet.org :AUTH ..." is answered by Q.
    const IrcLine sent = splitIrcLine(app.settings.ircLoginLine);
    const std::string& target = sent.arg(0);
    if (sameName(app, target.substr(0, target.find('@')), line.sender)) join(app);
}

void onLoginTimer(App& app) {
    app.loginTimer->setEnabled(false);
    if (!app.irc.waitingForService) return;
    app.appendOutput("*** No answer to the login line within 5 s: joining anyway.");
    join(app);
}

std::string loginStateText(const App& app) {
    switch (app.irc.login) {
        case LoginState::None:
            return "none";
        case LoginState::Pending:
            return "pending";
        case LoginState::LoggedIn:
            return "ok";
        case LoginState::Failed:
            return "failed";
        case LoginState::Unavailable:
            return "unavailable";
    }
    return "none";
}

std::string base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t n = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) n |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(n >> 18) & 63];
        out += kDigits[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
    }
    return out;
}

}  // namespace fc
