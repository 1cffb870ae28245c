#include "monitor/reply_handler.h"

#include <utility>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/server_vars.h"
#include "core/text_util.h"
#include "monitor/game_type.h"
#include "monitor/player_list.h"
#include "monitor/poller.h"
#include "monitor/recorder.h"
#include "monitor/unreal_status.h"

namespace fc {

namespace {

// Shorter than this, a datagram is no status reply: from the queried port it is a game port's
// answer, from any other port of the server it is not listened to.
constexpr std::size_t kShortestReply = 11;

constexpr std::string_view kDisconnect =
    "\xFF\xFF\xFF\xFF"
    "disconnect";

std::string withoutMappedPrefix(const std::string& address) {
    constexpr std::string_view kMapped = "::ffff:";
    if (textStartsWith(address, kMapped) && textContains(address, ".")) {
        return address.substr(kMapped.size());
    }
    return address;
}

// The entry shows the numeric address of the server that answered.
void rewriteEntryAddress(App& app, const Datagram& d) {
    if (d.senderAddress.empty()) return;
    std::string address = app.settings.serverEntry;
    std::string comment;
    const std::size_t blank = address.find(' ');
    if (blank != std::string::npos) {
        comment = address.substr(blank);
        address = address.substr(0, blank);
    }
    const int port = d.senderPort + (app.monitor.portBumped ? 1 : 0);
    const std::string built = withoutMappedPrefix(d.senderAddress) + ":" + plainNumber(port);
    if (built != address) app.settings.serverEntry = built + comment;
}

// Everything from the family recognition on, shared by live and replayed replies.
void handleReplyText(App& app, const std::string& reply) {
    if (reply.empty() && app.gameSocket->remotePort() == 27999) return;
    if (textStartsWith(reply, kDisconnect)) return;

    // The variables are read once, aside: an Unreal Tournament piece leaves the status alone.
    ServerVariables& variables = app.memory.variables;
    if (app.monitor.gameFamily != GameFamily::UT) {
        readServerVariables(reply, variables);
        app.monitor.mapText = variableOf(variables, "mapname");
        app.monitor.statisticsText = variableOf(variables, "gamestats");
        const bool quake3 = isQuake3Reply(reply, variables);
        // The mod ("baseoa", "osp", ...) is the whole key "gamename": today's Quake 3 engines
        // also publish "com_gamename" (always "Quake3Arena") before it.
        app.monitor.gameText = variableOf(variables, quake3 ? "gamename" : "gamedir");
        app.monitor.gameFamily = quake3 ? GameFamily::Q3 : GameFamily::Q2;
        if (toUpper(variableOf(variables, "gamename")) == "UT") {
            app.monitor.gameFamily = GameFamily::UT;
            app.monitor.playerRows.push_back(
                PlayerRow{"Waiting for packets!", "", "", "", RowColour::Black});
        }
    }
    if (app.monitor.gameFamily == GameFamily::UT) {
        for (const std::string& piece : cutUnrealPieces(reply)) takeUnrealPiece(app, piece);
        return;
    }

    // Filled anew; the players' and the variables' room is kept for the next reply's.
    ServerStatus& status = app.statusToFill();
    std::swap(status.variables, variables);
    status.answered = !reply.empty();
    status.readNumber = nextReadNumber();
    status.gameType = GameType::NoGameYet;
    status.red = TeamScore{};
    status.blue = TeamScore{};
    status.timeLeft = TimeLeft();
    fillPlayerList(app, reply);
    status.family = app.monitor.gameFamily;
    app.monitor.lastReplyText = reply;
    fillServerInfo(app);
    analyseQuakeReply(app);
    app.notifyReplyHandled();
}

}  // namespace

bool sameAddress(const std::string& a, const std::string& b) {
    return !a.empty() && withoutMappedPrefix(a) == withoutMappedPrefix(b);
}

std::vector<std::string> cutUnrealPieces(const std::string& reply) {
    constexpr std::string_view kQueryId = "queryid\\";
    std::vector<std::string> pieces;
    std::string buffer;
    std::string lastPiece;
    bool identifierFollows = false;
    const std::string walked = reply + "\\";
    for (char c : walked) {
        buffer += c;
        if (identifierFollows && c == '\\') {
            pieces.push_back(buffer);
            lastPiece = buffer;
            buffer.clear();
            identifierFollows = false;
        } else if (textEndsWith(buffer, kQueryId)) {
            identifierFollows = true;
        }
    }
    if (!buffer.empty()) pieces.push_back(lastPiece + buffer);
    return pieces;
}

void onGameDatagram(App& app, const Datagram& d) {
    if (!sameAddress(d.senderAddress, app.gameSocket->remoteAddress())) return;
    if (app.window.serverEntryEnabled) return;

    const std::string& reply = d.data;
    // Anything on the server's host may send to us; only what the queried port sends, or a
    // whole reply, may switch the family or move the polled address.
    const bool fromQueriedPort = d.senderPort == app.gameSocket->remotePort();
    if (reply.size() < kShortestReply && !fromQueriedPort) return;
    if (app.monitor.gameFamily != GameFamily::UT)
        app.monitor.receivedBytesText = blankNumber(reply.size()) + " bytes.";
    if (fromQueriedPort && reply.size() < kShortestReply && reply.size() >= 2 &&
        reply[1] == '\x40') {
        plusPort(app);
    }
    rewriteEntryAddress(app, d);
    app.monitor.lastAnswerMs = app.platform.nowMs();
    if (std::exchange(app.monitor.silenceTold, false))
        app.warn("The server " + stripComment(app.settings.serverEntry) + " answers again.");
    if (app.monitor.recordingOn && app.monitor.gameFamily != GameFamily::UT)
        appendToRecording(app, reply);
    handleReplyText(app, reply);
}

void onReplayedReply(App& app, const std::string& reply) {
    if (app.window.serverEntryEnabled) return;
    ++app.monitor.playbackProgress;
    handleReplyText(app, reply);
}

}  // namespace fc
