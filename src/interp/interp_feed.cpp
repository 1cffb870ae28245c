#include "interp/interp_feed.h"

#include "core/app.h"
#include "core/server_entry.h"
#include "interp/interp_lines.h"

namespace fc {

namespace {

constexpr std::size_t kOutputLimit = 10000;
// A service that never ends its line would otherwise grow the carried text without end.
constexpr std::size_t kLineLimit = 16384;

void appendInterpOutput(App& app, const std::string& text) {
    app.interp.interpOutput += text;
    if (app.interp.interpOutput.size() > kOutputLimit)
        app.interp.interpOutput.erase(0, app.interp.interpOutput.size() - kOutputLimit);
}

// The raw feed as the window shows it: every LF written as CR LF, nothing added.
void showChunk(App& app, const std::string& chunk) {
    std::string shown;
    shown.reserve(chunk.size() + chunk.size() / 16);
    for (char c : chunk) {
        if (c == '\n') shown += '\r';
        shown += c;
    }
    appendInterpOutput(app, shown);
}

// The host of the server entry: the text up to its first blank, then before its first ":".
std::string interpHost(const std::string& entry) {
    std::string host = entry.substr(0, entry.find(' '));
    return host.substr(0, host.find(':'));
}

}  // namespace

void connectInterp(App& app) {
    app.interpSocket->close();
    // Closing raises no event; until the new connection is made the feed is not there.
    app.interp.interpSupport = "Disabled!";
    // A recording has no service beside it.
    if (isRecordingEntry(app.settings.serverEntry)) return;
    const std::string host = interpHost(app.settings.serverEntry);
    if (host.empty()) return;
    app.interpSocket->connectToHost(host, app.interp.interpPort);
}

void disconnectInterp(App& app) {
    app.interpSocket->close();
    app.interp.interpSupport = "Disabled!";
}

void onInterpConnected(App& app) {
    app.interp.interpSupport = "ENABLED!";
    app.window.teamScoresVisible = true;
}

void onInterpClosed(App& app) {
    // The service went away: shown, and no reconnect until the operator or the monitor asks.
    app.interpSocket->close();
    app.interp.interpSupport = "Disabled!";
}

void onInterpData(App& app, const std::string& chunk) {
    showChunk(app, chunk);
    std::string line = std::move(app.interp.interpBuffer);
    app.interp.interpBuffer.clear();
    for (char c : chunk) {
        if (c == '\n') {
            if (!app.interp.interpDropping) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                handleInterpLine(app, line);
            }
            app.interp.interpDropping = false;
            line.clear();
        } else if (!app.interp.interpDropping) {
            line += c;
            if (line.size() > kLineLimit) {
                appendInterpOutput(app, "*** A line longer than 16384 bytes was dropped. ***\r\n");
                app.interp.interpDropping = true;
                line.clear();
            }
        }
    }
    app.interp.interpBuffer = std::move(line);
}

void sendInterp(App& app, const std::string& word) {
    if (app.interpSocket->state() == SocketState::Connected) app.interpSocket->send(word);
}

void clearInterpOutput(App& app) {
    app.interp.interpOutput.clear();
}

}  // namespace fc
