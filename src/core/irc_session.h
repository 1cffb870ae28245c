// What the IRC connection keeps between two events besides the window's fields: the line
// cutting, the send queue, the registration and the reconnect cycle.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/line_sink.h"

namespace fc {

// Which lane of the send queue a line waits in. A PONG goes before everything, the lines of
// the channel and of the connection itself keep their order before any answer to a user, and
// answers to users are what is given up when the queue overflows.
enum class LineKind { Pong, Main, Notice };

// A line said in the channel as it was said, so that it can wait while the bot is away from
// the channel and leave later, with the time it was said when it waited long.
struct SaidLine {
    std::string target;
    std::string message;  // as handed to the channel
    std::string text;     // with the codes the stripping options left
    ReportKind kind = ReportKind::Event;
    std::int64_t saidAtMs = 0;  // on the monotonic clock
    std::string saidAt;         // the time of day, "hh:mm:ss"
};

// What became of a line said in the channel.
enum class LineFate {
    Sent,     // into the send queue at once: the bot is in its channel
    Held,     // waits until the bot is back in its channel
    Late,     // waited, and now leaves through the send queue
    Dropped,  // given up: the bound, a newer periodic report, "Quit IRC" or closing
    Off,      // "Report to IRC?" is off: neither said nor kept
    Unsent,   // no connection is wanted (or typed while away): not said, not kept
};

struct QueuedLine {
    std::string body;  // without CR LF, made safe and cut to fit
    LineKind kind = LineKind::Main;
    bool report = false;  // a line said in the channel: counted and echoed when it leaves
    std::string echo;     // what the output window shows when it leaves; "" for nothing
    SaidLine said;        // for a report line: what was said, to wait again if the bot leaves
};

struct IrcSendQueue {
    std::deque<QueuedLine> pong, main, notices;
    int credit = 1 << 30;          // lines that may leave at once (the burst when higher)
    std::int64_t creditSince = 0;  // when the credit was last raised
    bool overflowTold = false;     // the output window was told of dropped notices
    std::size_t size() const { return pong.size() + main.size() + notices.size(); }
    void clear() {
        pong.clear();
        main.clear();
        notices.clear();
    }
};

// A nick the bot answered, and how long its questions are passed over from now.
struct IgnoredNick {
    std::string nick;
    std::chrono::seconds left{0};

    bool operator==(const IgnoredNick&) const = default;
};

// How far logging in to the network's services got on this connection.
enum class LoginState {
    None,         // nothing to log in with
    Pending,      // asked, no answer yet
    LoggedIn,     // the network knows the bot by its account
    Failed,       // refused (904, 905, 906): the bot stays out of its channel
    Unavailable,  // the server offers no SASL: the bot goes on without
};

// What the server announced (005) and agreed to (CAP) on this connection.
struct IrcServerTraits {
    std::string caseMapping = "rfc1459";
    std::string prefixModes = "qaohv", prefixSymbols = "~&@%+";  // highest rank first
    // Channel modes that take a parameter always (lists and keys) and only when set.
    std::string paramModes = "beIk", setParamModes = "l";
    bool utf8Only = false;
    std::string offeredCaps;        // what CAP LS named so far, blank-separated
    std::vector<std::string> caps;  // what the server acknowledged
    bool negotiating = false;       // CAP LS sent, CAP END not yet
};

struct IrcSession {
    std::string ircOutput;  // the output window
    // What the connection shows.
    std::string ircStatus = "Not connected";
    std::string ircTopic = "Not connected";
    std::vector<std::string> channelNicks;  // nicks in the channel, with their status marks
    std::string ircInputLine;               // the operator's input line
    std::vector<IgnoredNick> ignoreList;    // in order of arrival
    // Shared values of the connection.
    std::string botNick = "Orvexa";
    std::string botChannel;
    std::string pingToken;

    // The start of a line whose end has not arrived yet; the next read completes it.
    std::string partialLine;
    // A line grew too long and was dropped; its rest is passed over up to its end.
    bool skippingLongLine = false;
    // The team scores as numbers, taken from the score fields at every receive event: the
    // first and second number of the red and of the blue field.
    std::int16_t red1 = 0;
    std::int16_t red2 = 0;
    std::int16_t blue1 = 0;
    std::int16_t blue2 = 0;

    IrcSendQueue queue;

    // In the channel since the bot's own JOIN of it; out after a kick, a part or a lost
    // connection. Lines said while out wait in `held`, in order, until the bot is back.
    bool inChannel = false;
    std::deque<QueuedLine> held;
    bool heldOverflowTold = false;  // the output window was told that waiting lines are dropped
    int heldDropped = 0;            // dropped from `held` for its bound since the bot left
    // A line that waited longer than this carries the time it was said.
    std::int64_t stampAfterMs = 30000;

    // The connection the operator asked for: kept up by reconnecting until "Quit IRC".
    bool wanted = false;
    std::string host;
    int port = 0;
    bool registered = false;  // the server's welcome (001) arrived on this connection
    bool reached = false;     // the last dial made a connection
    int nickTries = 0;        // nicks tried after the first was in use
    int backoffSeconds = 10;  // the wait before the next reconnect
    std::int64_t reconnectAtMs = 0;
    std::uint32_t spreadSeed = 1;
    // Shown as the connection state while no connection is up ("Reconnecting in N s", a
    // failed certificate check); empty for the socket's own state.
    std::string stateNote;

    IrcServerTraits server;
    LoginState login = LoginState::None;
    std::string account;             // what the network knows the bot by, when logged in
    bool waitingForService = false;  // the login line left; the join waits for its answer
    // The network accounts of the nicks seen, by folded nick ("*" for none).
    std::map<std::string, std::string> accounts;
    // Nicks that asked to stop the bot, waiting for their WHOIS to name their account.
    std::vector<std::string> stopAwaitingAccount;
    // The names of the channel while the server's NAMES reply still comes in.
    std::vector<std::string> namesComing;

    // Set for one run by the command line, never saved; unset means the settings decide.
    std::optional<bool> tlsThisRun, tlsInsecureThisRun, reconnectThisRun;
    std::optional<std::string> saslUserThisRun, saslPasswordThisRun;
};

}  // namespace fc
