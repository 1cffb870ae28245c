#include "program/wiring.h"

#include <functional>

#include "browser/browser_actions.h"
#include "browser/server_list.h"
#include "interp/interp_clock.h"
#include "interp/interp_feed.h"
#include "irc/bot_commands.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "irc/send_queue.h"
#include "match/match_control.h"
#include "match/match_events.h"
#include "match/teams.h"
#include "match/ut_match.h"
#include "monitor/playback.h"
#include "monitor/poller.h"
#include "monitor/reply_handler.h"
#include "program/shutdown.h"
#include "program/startup.h"
#include "update/updater.h"

namespace fc {

namespace {

void OnTick(App& app, Timer& timer, void (*handler)(App&)) {
    timer.onTick = [&app, handler] { app.dispatch([&] { handler(app); }); };
}

}  // namespace

void Wire(App& app) {
    app.lineSink = std::make_unique<IrcLineSink>(app);

    // The monitor and the match clocks.
    OnTick(app, *app.quakeTimer, OnPollTick);
    OnTick(app, *app.quakeQueryTimer, OnQuakeQueryTimer);
    OnTick(app, *app.seconde, OnSecondTick);
    OnTick(app, *app.battleTimer, OnBattleTick);
    OnTick(app, *app.UTTimer, OnUTTick);
    OnTick(app, *app.Timer4, OnCaptionTick);
    OnTick(app, *app.Q2Player, OnPlaybackTick);
    app.QuakeStatus->onDatagram = [&app](const Datagram& d) {
        app.dispatch([&] { OnGameDatagram(app, d); });
    };

    // What the monitor hands on as it reads a reply: the match rules and the event feed.
    MonitorFollowers& follow = app.monitorFollowers;
    follow.resetTeams = ResetTeamList;
    follow.connectFeed = ConnectInterp;
    follow.disconnectFeed = DisconnectInterp;
    follow.quakePlayersRead = SortPlayerList;
    follow.unrealPlayersRead = KleurLijst;
    follow.gameRecognised = [](App& a) {
        AutoDetectTags(a);
        CheckNWissel(a);
        AutoAssignNow(a);
    };
    follow.gameChangeRules = [](App& a, const std::string&) { RunGameChangeRules(a, a.status); };
    follow.ospPhaseRules = [](App& a, const std::string&) { RunOspPhaseRules(a, a.status); };
    follow.matchEventRules = [](App& a, const std::string& reply) {
        RunMatchEventRules(a, a.status);
        StoreLastValues(a, reply);
    };
    follow.unrealReplyRead = [](App& a, const std::string& reply) {
        UnrealTeamSums(a, reply);
        UnrealMatchRules(a, reply);
    };

    // The IRC connection.
    OnTick(app, *app.Timer1, OnTimer1);
    OnTick(app, *app.Timer2, OnTimer2);
    OnTick(app, *app.AntiBanTimer, OnAntiBanTimer);
    OnTick(app, *app.ignoreTimer, OnIgnoreTimer);
    OnTick(app, *app.ircSendTimer, OnSendTimer);
    OnTick(app, *app.reconnectTimer, OnReconnectTimer);
    app.ircSocket->onConnected = [&app] { app.dispatch([&] { OnIrcConnected(app); }); };
    app.ircSocket->onData = [&app](const std::string& bytes) {
        app.dispatch([&] { OnIrcData(app, bytes); });
    };
    app.ircSocket->onClosed = [&app] { app.dispatch([&] { OnIrcLost(app, ""); }); };
    app.ircSocket->onError = [&app](const std::string& why) {
        app.dispatch([&] { OnIrcLost(app, why); });
    };
    app.ircSocket->onTlsError = [&app](const std::string& why) {
        app.dispatch([&] { OnIrcTlsFailed(app, why); });
    };

    // The Interp feed and its match clock; every socket event of the feed is also told to the
    // listeners as such.
    OnTick(app, *app.InterpTimer, OnInterpTick);
    auto interpEvent = [&app](const std::function<void()>& handler) {
        app.dispatch([&] {
            handler();
            app.notifyInterpHandled();
        });
    };
    app.InterpWinsock->onConnected = [&app, interpEvent] {
        interpEvent([&] { OnInterpConnected(app); });
    };
    app.InterpWinsock->onData = [&app, interpEvent](const std::string& bytes) {
        interpEvent([&] { OnInterpData(app, bytes); });
    };
    app.InterpWinsock->onClosed = [&app, interpEvent] {
        interpEvent([&] { OnInterpClosed(app); });
    };

    // The server browser: its sweeps, the clicked server and the master server.
    OnTick(app, *app.Form3Timer1, OnSweepTick);
    OnTick(app, *app.Form3Timer2, OnSweepTick);
    OnTick(app, *app.Form3Timer3, OnSelectTimer);
    OnTick(app, *app.Form3Timer4, OnRedrawTimer);
    OnTick(app, *app.fastSweepTimer, OnFastSweepTick);
    OnTick(app, *app.masterTimer, OnMasterTimeout);
    auto onDatagram = [&app](UdpSocket& socket, void (*handler)(App&, const Datagram&)) {
        socket.onDatagram = [&app, handler](const Datagram& d) {
            app.dispatch([&] { handler(app, d); });
        };
    };
    onDatagram(*app.qsock, OnSweepDatagram);
    onDatagram(*app.ItemSock, OnItemDatagram);
    onDatagram(*app.masterSock, OnMasterDatagram);

    // The update check.
    app.USock->onConnected = [&app] { app.dispatch([&] { OnUpdateConnected(app); }); };
    app.USock->onData = [&app](const std::string& bytes) {
        app.dispatch([&] { OnUpdateData(app, bytes); });
    };
    app.USock->onClosed = [&app] { app.dispatch([&] { OnUpdateClosed(app); }); };
    app.USock->onError = [&app](const std::string&) { app.dispatch([&] { OnUpdateFailed(app); }); };

    // Start-up and shut-down.
    OnTick(app, *app.splashTimer1, OnSplashTimer1);
    OnTick(app, *app.splashTimer2, OnSplashTimer2);
    OnTick(app, *app.quitTimer, OnQuitTimer);
}

}  // namespace fc
