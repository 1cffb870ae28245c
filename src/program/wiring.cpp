#include "program/wiring.h"

#include <functional>

#include "browser/browser_actions.h"
#include "browser/server_list.h"
#include "interp/interp_clock.h"
#include "interp/interp_feed.h"
#include "irc/bot_commands.h"
#include "irc/irc_connection.h"
#include "irc/login.h"
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
#include "webhook/webhook_sink.h"

namespace fc {

namespace {

void wireTick(App& app, Timer& timer, void (*handler)(App&)) {
    timer.onTick = [&app, handler] { app.dispatch([&] { handler(app); }); };
}

}  // namespace

void wire(App& app) {
    app.lineSink = std::make_unique<WebhookLineSink>(app, std::make_unique<IrcLineSink>(app));

    // The monitor and the match clocks.
    wireTick(app, *app.pollTimer, onPollTick);
    wireTick(app, *app.quakeQueryTimer, onQuakeQueryTimer);
    // In a replay the match clocks follow the recording's time instead (recordedSecond).
    wireTick(app, *app.playedSecondsTimer, [](App& a) {
        if (!a.playback.open) onSecondTick(a);
    });
    wireTick(app, *app.battleTimer, [](App& a) {
        if (!a.playback.open) onBattleTick(a);
    });
    wireTick(app, *app.unrealMatchTimer, [](App& a) {
        if (!a.playback.open) onUnrealTick(a);
    });
    wireTick(app, *app.captionTimer, onCaptionTick);
    wireTick(app, *app.playbackTimer, onPlaybackTick);
    app.gameSocket->onDatagram = [&app](const Datagram& d) {
        app.dispatch([&] { onGameDatagram(app, d); });
    };

    // What the monitor hands on as it reads a reply: the match rules and the event feed.
    MonitorFollowers& follow = app.monitorFollowers;
    follow.resetTeams = resetTeamList;
    follow.connectFeed = connectInterp;
    follow.disconnectFeed = disconnectInterp;
    follow.quakePlayersRead = sortPlayerList;
    follow.unrealPlayersRead = colourPlayerRows;
    follow.recordedSecond = [](App& a) {
        onSecondTick(a);
        if (a.battleTimer->enabled()) onBattleTick(a);
        if (a.unrealMatchTimer->enabled()) onUnrealTick(a);
    };
    follow.gameRecognised = [](App& a) {
        autoDetectTags(a);
        checkTeamsSwapped(a);
        autoAssignNow(a);
    };
    follow.gameChangeRules = [](App& a) { runGameChangeRules(a, a.status); };
    follow.ospPhaseRules = [](App& a) { runOspPhaseRules(a, a.status); };
    follow.matchEventRules = [](App& a) {
        runMatchEventRules(a, a.status);
        storeLastValues(a);
    };
    follow.unrealReplyRead = [](App& a, const std::string& reply) {
        unrealTeamSums(a, reply);
        unrealMatchRules(a, reply);
    };

    // The IRC connection.
    wireTick(app, *app.ircStatusTimer, onIrcStatusTick);
    wireTick(app, *app.pongTimer, onPongTimer);
    wireTick(app, *app.antiBanTimer, onAntiBanTimer);
    wireTick(app, *app.ignoreTimer, onIgnoreTimer);
    wireTick(app, *app.ircSendTimer, onSendTimer);
    wireTick(app, *app.reconnectTimer, onReconnectTimer);
    wireTick(app, *app.loginTimer, onLoginTimer);
    app.ircSocket->onConnected = [&app] { app.dispatch([&] { onIrcConnected(app); }); };
    app.ircSocket->onData = [&app](const std::string& bytes) {
        app.dispatch([&] { onIrcData(app, bytes); });
    };
    app.ircSocket->onClosed = [&app] { app.dispatch([&] { onIrcLost(app, ""); }); };
    app.ircSocket->onError = [&app](const std::string& why) {
        app.dispatch([&] { onIrcLost(app, why); });
    };
    app.ircSocket->onTlsError = [&app](const std::string& why) {
        app.dispatch([&] { onIrcTlsFailed(app, why); });
    };

    // The Interp feed and its match clock; every socket event of the feed is also told to the
    // listeners as such.
    wireTick(app, *app.interpClockTimer, onInterpTick);
    auto interpEvent = [&app](const std::function<void()>& handler) {
        app.dispatch([&] {
            handler();
            app.notifyInterpHandled();
        });
    };
    app.interpSocket->onConnected = [&app, interpEvent] {
        interpEvent([&] { onInterpConnected(app); });
    };
    app.interpSocket->onData = [&app, interpEvent](const std::string& bytes) {
        interpEvent([&] { onInterpData(app, bytes); });
    };
    app.interpSocket->onClosed = [&app, interpEvent] { interpEvent([&] { onInterpClosed(app); }); };

    // The server browser: its sweeps, the clicked server and the master server.
    wireTick(app, *app.sweepTimer, onSweepTick);
    wireTick(app, *app.quickSweepTimer, onSweepTick);
    wireTick(app, *app.handOverTimer, onSelectTimer);
    wireTick(app, *app.browserRedrawTimer, onRedrawTimer);
    wireTick(app, *app.fastSweepTimer, onFastSweepTick);
    wireTick(app, *app.masterTimer, onMasterTimeout);
    auto onDatagram = [&app](UdpSocket& socket, void (*handler)(App&, const Datagram&)) {
        socket.onDatagram = [&app, handler](const Datagram& d) {
            app.dispatch([&] { handler(app, d); });
        };
    };
    onDatagram(*app.sweepSocket, onSweepDatagram);
    onDatagram(*app.detailSocket, onItemDatagram);
    onDatagram(*app.masterSocket, onMasterDatagram);

    // The update check.
    app.updateSocket->onConnected = [&app] { app.dispatch([&] { onUpdateConnected(app); }); };
    app.updateSocket->onData = [&app](const std::string& bytes) {
        app.dispatch([&] { onUpdateData(app, bytes); });
    };
    app.updateSocket->onClosed = [&app] { app.dispatch([&] { onUpdateClosed(app); }); };
    app.updateSocket->onError = [&app](const std::string&) {
        app.dispatch([&] { onUpdateFailed(app); });
    };

    // Start-up and shut-down.
    wireTick(app, *app.splashEndTimer, onSplashEndTimer);
    wireTick(app, *app.splashRestoreTimer, onSplashRestoreTimer);
    wireTick(app, *app.quitTimer, onQuitTimer);
}

}  // namespace fc
