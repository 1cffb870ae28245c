#include "wiring/wiring.h"

#include <functional>

#include "irc/bot_commands.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "match/match_control.h"
#include "monitor/playback.h"
#include "monitor/poller.h"
#include "monitor/reply_handler.h"
#include "settings/shutdown.h"
#include "settings/startup.h"

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
    OnTick(app, *app.seconde, OnSecondTick);
    OnTick(app, *app.battleTimer, OnBattleTick);
    OnTick(app, *app.UTTimer, OnUTTick);
    OnTick(app, *app.Timer4, OnCaptionTick);
    OnTick(app, *app.Q2Player, OnPlaybackTick);
    app.QuakeStatus->onDatagram = [&app](const Datagram& d) {
        app.dispatch([&] { OnGameDatagram(app, d); });
    };

    // The IRC connection.
    OnTick(app, *app.Timer1, OnTimer1);
    OnTick(app, *app.Timer2, OnTimer2);
    OnTick(app, *app.AntiBanTimer, OnAntiBanTimer);
    OnTick(app, *app.ignoreTimer, OnIgnoreTimer);
    app.ircSocket->onConnected = [&app] { app.dispatch([&] { OnIrcConnected(app); }); };
    app.ircSocket->onData = [&app](const std::string& bytes) {
        app.dispatch([&] { OnIrcData(app, bytes); });
    };

    // Start-up and shut-down.
    OnTick(app, *app.splashTimer1, OnSplashTimer1);
    OnTick(app, *app.splashTimer2, OnSplashTimer2);
    OnTick(app, *app.quitTimer, OnQuitTimer);
}

}  // namespace fc
