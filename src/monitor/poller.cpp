#include "monitor/poller.h"

#include <charconv>
#include <climits>

#include "core/app.h"
#include "core/server_entry.h"
#include "core/text_util.h"
#include "interp/interp_feed.h"
#include "match/teams.h"
#include "monitor/playback.h"
#include "monitor/ut_packets.h"
#include "settings/settings_file.h"

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

void AimSocket(App& app, const QueryTarget& target, int port) {
    app.QuakeStatus->setRemote(target.host, port);
}

void ClearLastValues(App& app) {
    app.view.lastValues.clear();
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
    v.capsRed = v.capsBlue = v.capsRedQ3 = v.capsBlueQ3 = 0;
    v.TimeLimitDM = "20";
    ResetTeamList(app);
    v.teamsKnown = true;
    v.qsTimeLeft = "[no match]";
    app.battleTimer->setInterval(1000);
    app.battleTimer->setEnabled(false);
    v.quakeTimerButton = "Connection: ON";
    v.spelerLijst.clear();
    v.spelerLijst.push_back(PlayerRow{"Looking for server.....", "", "", "", RowColour::Black});
    ConnectInterp(app);
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

void SwitchOff(App& app) {
    StopChecking(app);
    DisconnectInterp(app);
    app.view.Q2PlusEnabled = false;
    ClearLastValues(app);
}

}  // namespace

void updateQuakeStatus(App& app) {
    const QueryTarget target = SplitEntry(app.view.Q2Serverlist, "27910");
    int port = app.QuakeStatus->remotePort();
    ParsePort(target.portText, port);
    AimSocket(app, target, port);
    app.QuakeStatus->send(kQuake2Query);
    app.QuakeStatus->send(kQuake3Query);
}

void updateUnrealStatus(App& app) {
    const QueryTarget target = SplitEntry(app.view.Q2Serverlist, "7778");
    const double number = LeadingNumber(target.portText);
    int port = app.QuakeStatus->remotePort();
    if (number >= 0 && number <= 65535) port = static_cast<int>(number);
    AimSocket(app, target, port);
    app.QuakeStatus->send(kUnrealQuery);
    // Every query sent may be answered once, by its own pieces only.
    NewUnrealQuery(app.view);
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
    v.beginSaid = false;
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
        // A reply that is already waiting is handled before the Quake queries go out.
        updateUnrealStatus(app);
        app.platform.processPendingEvents();
        updateQuakeStatus(app);
    } else if (v.gameFamily == GameFamily::Q2 || v.gameFamily == GameFamily::Q3) {
        updateQuakeStatus(app);
        app.quakeTimer->setInterval(1000);
    } else if (v.gameFamily == GameFamily::UT) {
        updateUnrealStatus(app);
        app.quakeTimer->setInterval(2000);
    }
    v.sModeLabel = FamilyText(v.gameFamily);
    v.typspel = "(" + std::string(GameTypeCode(v.gameType)) + ")";
}

void OnSecondTick(App& app) {
    if (app.battleTimer->enabled()) ++app.view.secondsPlayed;
}

void OnServerEntryEdited(App& app, const std::string& text) {
    app.view.Q2Serverlist = text;
    app.view.quakeTimerButtonEnabled = !text.empty();
}

void AddServerToList(App& app) {
    MainView& v = app.view;
    const std::string address = StripComment(v.Q2Serverlist);
    if (address.empty()) {
        app.platform.beep();
        return;
    }
    for (const std::string& saved : v.qServers) {
        if (Trim(saved) == address) {
            app.platform.beep();
            return;
        }
    }
    v.qServers.push_back(address);
    SafeINI(app);
}

}  // namespace fc
