#include "monitor/poller.h"

#include <charconv>
#include <climits>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "monitor/playback.h"
#include "monitor/ut_packets.h"

namespace fc {

namespace {

// A port text as a whole number; a text that is not one (or no valid port) fails, and the
// socket then keeps the port it had.
bool ParsePort(const std::string& text, int& port) {
    const std::string t = Trim(text);
    long long value = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || value < 0 || value > 65535) return false;
    port = static_cast<int>(value);
    return true;
}

// Aims the socket at the entry's server; false while the server's name is being looked up or
// cannot be found. The queries then wait for the answer: once the name is found, the tick's
// queries go out at once; a name not found is looked up again at the next tick.
bool AimSocket(App& app, const QueryTarget& target, int port) {
    const std::string address =
        app.hostNames.addressOf(target.host, "monitor", [&app](const std::string& found) {
            app.dispatch([&app, found] {
                if (!found.empty() && app.quakeTimer->enabled()) OnPollTick(app);
            });
        });
    if (address.empty()) return false;
    app.QuakeStatus->setRemote(target.host, address, port);
    return true;
}

void ClearLastValues(App& app) {
    app.view.lastValues.clear();
    app.previousStatus = ServerStatus{};
}

void SwitchOn(App& app) {
    MainView& v = app.view;
    v.portBumped = false;
    app.quakeTimer->setInterval(1000);
    // A recording's path is left as typed: the default port is meant for server addresses.
    const bool recording =
        IsRecordingEntry(v.Q2Serverlist) || app.platform.fileExists(v.Q2Serverlist);
    if (!Contains(v.Q2Serverlist, ":") && !recording) v.Q2Serverlist += ":27910";
    v.lastValues.clear();
    app.previousStatus = ServerStatus{};
    v.game.capsRed = v.game.capsBlue = v.game.capsRedQ3 = v.game.capsBlueQ3 = 0;
    v.TimeLimitDM = "20";
    Follow(app.monitorFollowers.resetTeams, app);
    v.teamsKnown = true;
    v.qsTimeLeft = "[no match]";
    app.battleTimer->setInterval(1000);
    app.battleTimer->setEnabled(false);
    v.quakeTimerButton = "Connection: ON";
    v.spelerLijst.clear();
    v.spelerLijst.push_back(PlayerRow{"Looking for server.....", "", "", "", RowColour::Black});
    Follow(app.monitorFollowers.connectFeed, app);
    v.Q2ServerlistEnabled = false;
    v.matchState = MatchState::None;
    v.gameFamily = GameFamily::Unknown;
    if (recording) {
        StartPlayback(app);
        return;
    }
    v.Q2PlusEnabled = true;
    v.Label62 = "*** LIVE ***";
    v.Frame12Visible = true;
    app.quakeTimer->setEnabled(true);
    v.qsGame = "[no server]";
    v.qsMap = "";
    v.qsTimeLeft = "[no match]";
    v.teamscoresVisible = false;
    ClearLastValues(app);
}

// The family the mode label shows and the game type beside it.
void ShowFamily(MainView& v) {
    v.sModeLabel = FamilyText(v.gameFamily);
    v.typspel = "(" + std::string(GameTypeCode(v.gameType)) + ")";
}

void SwitchOff(App& app) {
    StopChecking(app);
    Follow(app.monitorFollowers.disconnectFeed, app);
    app.view.Q2PlusEnabled = false;
    ClearLastValues(app);
}

}  // namespace

void updateQuakeStatus(App& app) {
    const QueryTarget target = SplitEntry(app.view.Q2Serverlist, "27910");
    int port = app.QuakeStatus->remotePort();
    ParsePort(target.portText, port);
    if (!AimSocket(app, target, port)) return;
    app.QuakeStatus->send(kQuake2Query);
    app.QuakeStatus->send(kQuake3Query);
}

void updateUnrealStatus(App& app) {
    const QueryTarget target = SplitEntry(app.view.Q2Serverlist, "7778");
    const double number = LeadingNumber(target.portText);
    int port = app.QuakeStatus->remotePort();
    if (number >= 0 && number <= 65535) port = static_cast<int>(number);
    if (AimSocket(app, target, port)) {
        app.QuakeStatus->send(kUnrealQuery);
        // Every query sent may be answered once, by its own pieces only.
        NewUnrealQuery(app.view);
    }
    app.quakeTimer->setInterval(2000);
}

void PlusPort(App& app) {
    MainView& v = app.view;
    std::string entry = v.Q2Serverlist;
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
    const long long port = AddWithin(LeadingWhole(portText), 1);
    std::string rewritten = host + ":" + PlainNumber(port) + " " + comment;
    while (!rewritten.empty() && rewritten.back() == ' ') rewritten.pop_back();
    v.Q2Serverlist = rewritten;
    v.portBumped = true;
    v.gameFamily = GameFamily::UT;
}

void WisselConnectie(App& app) {
    if (app.view.Q2ServerlistEnabled) {
        SwitchOn(app);
    } else {
        SwitchOff(app);
    }
}

void StopChecking(App& app) {
    MainView& v = app.view;
    v.Frame12Visible = false;
    app.InterpTimer->setEnabled(false);
    v.qsTimeLeftWide = true;
    v.TimePlayedYVisible = false;
    v.TimePlayedXVisible = false;
    app.quakeTimer->setEnabled(false);
    v.quakeTimerButton = "Connection: OFF";
    app.battleTimer->setEnabled(false);
    v.game.beginSaid = false;
    v.Q2ServerlistEnabled = true;
    app.Q2Player->setEnabled(false);
    ClosePlaybackFile(app);
    v.RecordIt = false;
    v.progFrameVisible = false;
    v.gameType = GameType::NotMonitoring;
    app.UTTimer->setEnabled(false);
}

void OnPollTick(App& app) {
    MainView& v = app.view;
    if (v.gameFamily == GameFamily::Unknown) {
        // The Unreal Tournament query leaves the tick at two seconds until the family is known.
        // A reply that is already waiting is handled before the Quake queries go out: they wait
        // for the query timer, which fires once the events already waiting have run.
        updateUnrealStatus(app);
        // A name still being looked up sends nothing now: its answer runs the tick again.
        const QueryTarget target = SplitEntry(v.Q2Serverlist, "27910");
        if (app.hostNames.isKnown(target.host)) app.quakeQueryTimer->setEnabled(true);
        return;
    } else if (v.gameFamily == GameFamily::Q2 || v.gameFamily == GameFamily::Q3) {
        updateQuakeStatus(app);
        app.quakeTimer->setInterval(1000);
    } else if (v.gameFamily == GameFamily::UT) {
        updateUnrealStatus(app);
        app.quakeTimer->setInterval(2000);
    }
    ShowFamily(v);
}

void OnQuakeQueryTimer(App& app) {
    app.quakeQueryTimer->setEnabled(false);  // once for each tick that armed it
    updateQuakeStatus(app);
    ShowFamily(app.view);
}

void OnSecondTick(App& app) {
    if (app.battleTimer->enabled()) ++app.view.game.secondsPlayed;
}

void OnServerEntryEdited(App& app, const std::string& text) {
    app.view.Q2Serverlist = text;
    app.view.quakeTimerButtonEnabled = !text.empty();
}

}  // namespace fc
