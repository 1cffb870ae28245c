#include "interp/interp_feed.h"

#include "core/app.h"
#include "core/server_entry.h"
#include "interp/interp_lines.h"

namespace fc {

namespace {

constexpr std::size_t kOutputLimit = 10000;
// A service that never ends its line would otherwise grow the carried text without end.
constexpr std::size_t kLineLimit = 16384;

void AppendOutput(MainView& v, const std::string& text) {
    v.InterpOutput += text;
    if (v.InterpOutput.size() > kOutputLimit)
        v.InterpOutput.erase(0, v.InterpOutput.size() - kOutputLimit);
}

// The raw feed as the window shows it: every LF written as CR LF, nothing added.
void ShowChunk(MainView& v, const std::string& chunk) {
    std::string shown;
    shown.reserve(chunk.size() + chunk.size() / 16);
    for (char c : chunk) {
        if (c == '\n') shown += '\r';
        shown += c;
    }
    AppendOutput(v, shown);
}

// The host of the server entry: the text up to its first blank, then before its first ":".
std::string InterpHost(const std::string& entry) {
    std::string host = entry.substr(0, entry.find(' '));
    return host.substr(0, host.find(':'));
}

}  // namespace

void ConnectInterp(App& app) {
    app.InterpWinsock->close();
    // Closing raises no event; until the new connection is made the feed is not there.
    app.view.InterpSupport = "Disabled!";
    // A recording has no service beside it.
    if (IsRecordingEntry(app.view.Q2Serverlist)) return;
    const std::string host = InterpHost(app.view.Q2Serverlist);
    if (host.empty()) return;
    app.InterpWinsock->connectToHost(host, app.view.interpPort);
}

void DisconnectInterp(App& app) {
    app.InterpWinsock->close();
    app.view.InterpSupport = "Disabled!";
}

void OnInterpConnected(App& app) {
    app.view.InterpSupport = "ENABLED!";
    app.view.teamscoresVisible = true;
}

void OnInterpClosed(App& app) {
    // The service went away: shown, and no reconnect until the operator or the monitor asks.
    app.InterpWinsock->close();
    app.view.InterpSupport = "Disabled!";
}

void OnInterpData(App& app, const std::string& chunk) {
    MainView& v = app.view;
    ShowChunk(v, chunk);
    std::string line = std::move(v.interpBuffer);
    v.interpBuffer.clear();
    for (char c : chunk) {
        if (c == '\n') {
            if (!v.interpDropping) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                HandleInterpLine(app, line);
            }
            v.interpDropping = false;
            line.clear();
        } else if (!v.interpDropping) {
            line += c;
            if (line.size() > kLineLimit) {
                AppendOutput(v, "*** A line longer than 16384 bytes was dropped. ***\r\n");
                v.interpDropping = true;
                line.clear();
            }
        }
    }
    v.interpBuffer = std::move(line);
}

void SendInterp(App& app, const std::string& word) {
    if (app.InterpWinsock->state() == SocketState::Connected) app.InterpWinsock->send(word);
}

void ClearInterpOutput(App& app) {
    app.view.InterpOutput.clear();
}

}  // namespace fc
