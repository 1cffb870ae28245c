#include "monitor/poller.h"

#include <charconv>
#include <climits>
#include <optional>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "monitor/playback.h"
#include "monitor/ut_packets.h"

namespace fc {

namespace {

// A port text as a whole number; none for a text that is not one, or no valid port (the
// socket then keeps the port it had).
std::optional<int> readPort(const std::string& text) {
    const std::string t = trimBlanks(text);
    long long value = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || value < 0 || value > 65535) return std::nullopt;
    return static_cast<int>(value);
}

// Aims the socket at the entry's server; false while the server's name is being looked up or
// cannot be found. The queries then wait for the answer: once the name is found, the tick's
// queries go out at once; a name not found is looked up again at the next tick.
bool aimSocket(App& app, const QueryTarget& target, int port) {
    const std::string address =
        app.hostNames.addressOf(target.host, "monitor", [&app](const std::string& found) {
            app.dispatch([&app, found] {
                if (!found.empty() && app.pollTimer->enabled()) onPollTick(app);
            });
        });
    if (address.empty()) return false;
    app.gameSocket->setRemote(target.host, address, port);
    return true;
}

void clearLastValues(App& app) {
    app.monitor.lastValues.clear();
    app.forgetPreviousStatus();
}

void switchMonitoringOn(App& app) {
    app.monitor.portBumped = false;
    app.monitor.serverRecordedIn.clear();
    app.pollTimer->setInterval(1000);
    // A recording's path is left as typed: the default port is meant for server addresses.
    const bool recording = isRecordingEntry(app.settings.serverEntry) ||
                           app.platform.fileExists(app.settings.serverEntry);
    app.window.serverEntryFault = recording ? "" : serverEntryFault(app.settings.serverEntry);
    if (!app.window.serverEntryFault.empty()) {
        app.window.serverEntryFault = "Not a server: " + app.window.serverEntryFault;
        return;  // nothing of the server watched before is touched
    }
    if (!textContains(app.settings.serverEntry, ":") && !recording)
        app.settings.serverEntry += ":27910";
    app.monitor.lastValues.clear();
    app.forgetPreviousStatus();
    app.match.game.capsRed = app.match.game.capsBlue = app.match.game.capsRedQ3 =
        app.match.game.capsBlueQ3 = 0;
    app.settings.timeLimitMinutes = "20";
    callFollower(app.monitorFollowers.resetTeams, app);
    app.match.teamsKnown = true;
    app.monitor.timeLeft = TimeLeft();
    app.battleTimer->setInterval(1000);
    app.battleTimer->setEnabled(false);
    app.window.connectionButton = "Connection: ON";
    app.monitor.playerRows.clear();
    app.monitor.playerRows.push_back(
        PlayerRow{"Looking for server.....", "", "", "", RowColour::Black});
    callFollower(app.monitorFollowers.connectFeed, app);
    app.window.serverEntryEnabled = false;
    app.match.matchState = MatchState::None;
    app.monitor.gameFamily = GameFamily::Unknown;
    if (recording) {
        startPlayback(app);
        return;
    }
    app.window.addServerEnabled = true;
    app.monitor.lastAnswerMs = app.platform.nowMs();
    app.monitor.silenceTold = false;
    app.match.liveBanner = "*** LIVE ***";
    app.window.liveBannerVisible = true;
    app.pollTimer->setEnabled(true);
    app.monitor.gameText = "[no server]";
    app.monitor.mapText = "";
    app.monitor.timeLeft = TimeLeft();
    app.window.teamScoresVisible = false;
    clearLastValues(app);
}

void switchMonitoringOff(App& app) {
    stopChecking(app);
    callFollower(app.monitorFollowers.disconnectFeed, app);
    app.window.addServerEnabled = false;
    clearLastValues(app);
}

}  // namespace

void updateQuakeStatus(App& app) {
    const QueryTarget target = splitEntry(app.settings.serverEntry, "27910");
    const int port = readPort(target.portText).value_or(app.gameSocket->remotePort());
    if (!aimSocket(app, target, port)) return;
    app.gameSocket->send(kQuake2Query);
    app.gameSocket->send(kQuake3Query);
}

void updateUnrealStatus(App& app) {
    const QueryTarget target = splitEntry(app.settings.serverEntry, "7778");
    const double number = leadingNumber(target.portText);
    int port = app.gameSocket->remotePort();
    if (number >= 0 && number <= 65535) port = static_cast<int>(number);
    if (aimSocket(app, target, port)) {
        app.gameSocket->send(kUnrealQuery);
        // Every query sent may be answered once, by its own pieces only.
        newUnrealQuery(app);
    }
    app.pollTimer->setInterval(2000);
}

void plusPort(App& app) {
    std::string entry = app.settings.serverEntry;
    std::string comment;
    const std::size_t blank = entry.find(' ');
    if (blank != std::string::npos) {
        comment = entry.substr(blank + 1);
        entry = entry.substr(0, blank);
    }
    std::string host = entry;
    std::string portText = "27910";
    const std::size_t colon = entry.find(':');
    if (colon != std::string::npos) {
        host = entry.substr(0, colon);
        portText = entry.substr(colon + 1);
    }
    const long long port = addWithin(leadingWhole(portText), 1);
    std::string rewritten = host + ":" + plainNumber(port) + " " + comment;
    while (!rewritten.empty() && rewritten.back() == ' ') rewritten.pop_back();
    app.settings.serverEntry = rewritten;
    app.monitor.portBumped = true;
    app.monitor.gameFamily = GameFamily::UT;
}

void toggleConnection(App& app) {
    if (app.window.serverEntryEnabled) {
        switchMonitoringOn(app);
    } else {
        switchMonitoringOff(app);
    }
}

void stopChecking(App& app) {
    app.window.liveBannerVisible = false;
    app.interpClockTimer->setEnabled(false);
    app.window.timeLeftWide = true;
    app.window.followClockVisible = false;
    app.window.timePlayedVisible = false;
    app.pollTimer->setEnabled(false);
    app.window.connectionButton = "Connection: OFF";
    app.battleTimer->setEnabled(false);
    // What is watched after switching on again is a game of its own: nothing of this one (a
    // begin said, the clock, captures counted) carries over.
    app.match.game = GameMemory{};
    app.window.serverEntryEnabled = true;
    app.playbackTimer->setEnabled(false);
    closePlaybackFile(app);
    app.monitor.recordingOn = false;
    app.window.playbackBarVisible = false;
    app.monitor.gameType = GameType::NotMonitoring;
    app.unrealMatchTimer->setEnabled(false);
}

// A server that has not answered for this long is said to be silent, once, and again when it
// answers.
constexpr std::int64_t kSilenceMs = 10000;

void onPollTick(App& app) {
    if (!app.monitor.silenceTold && app.platform.nowMs() - app.monitor.lastAnswerMs >= kSilenceMs) {
        app.monitor.silenceTold = true;
        app.warn("The server " + stripComment(app.settings.serverEntry) +
                 " has not answered for 10 seconds.");
    }
    if (app.monitor.gameFamily == GameFamily::Unknown) {
        // The Unreal Tournament query leaves the tick at two seconds until the family is known.
        // A reply that is already waiting is handled before the Quake queries go out: they wait
        // for the query timer, which fires once the events already waiting have run.
        updateUnrealStatus(app);
        // A name still being looked up sends nothing now: its answer runs the tick again.
        const QueryTarget target = splitEntry(app.settings.serverEntry, "27910");
        if (app.hostNames.isKnown(target.host)) app.quakeQueryTimer->setEnabled(true);
        return;
    } else if (app.monitor.gameFamily == GameFamily::Q2 ||
               app.monitor.gameFamily == GameFamily::Q3) {
        updateQuakeStatus(app);
        app.pollTimer->setInterval(1000);
    } else if (app.monitor.gameFamily == GameFamily::UT) {
        updateUnrealStatus(app);
        app.pollTimer->setInterval(2000);
    }
}

void onQuakeQueryTimer(App& app) {
    app.quakeQueryTimer->setEnabled(false);  // once for each tick that armed it
    updateQuakeStatus(app);
}

void onSecondTick(App& app) {
    if (app.battleTimer->enabled()) ++app.match.game.played;
}

void onServerEntryEdited(App& app, const std::string& text) {
    if (text != app.settings.serverEntry && app.window.serverEntryEnabled) {
        // Another server: what the last one showed goes with it.
        app.monitor.playerRows.clear();
        app.monitor.playersPlaying.clear();
        app.monitor.playersMax.clear();
        app.monitor.mapText.clear();
        app.monitor.gameText.clear();
        app.monitor.redScoreText = app.monitor.blueScoreText = "0/0";
        app.monitor.timeLeft = TimeLeft();
        app.window.liveBannerVisible = false;
    }
    app.window.serverEntryFault.clear();
    app.settings.serverEntry = text;
    app.window.connectionButtonEnabled = !text.empty();
}

}  // namespace fc
