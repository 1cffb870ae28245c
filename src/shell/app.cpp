#include "shell/app.h"

#include <algorithm>

#include "irc/bot_commands.h"
#include "irc/irc_connection.h"
#include "match/match_control.h"
#include "monitor/poller.h"
#include "monitor/reply_handler.h"
#include "settings/shutdown.h"
#include "settings/startup.h"

namespace fc {

namespace {
constexpr std::size_t kOutputLimit = 10000;
constexpr std::size_t kOutputKept = 9000;
}  // namespace

App::App(Platform& p) : platform(p) {
    quakeTimer = makeTimer(1000, false, OnPollTick);
    seconde = makeTimer(1000, true, OnSecondTick);
    battleTimer = makeTimer(1000, false, OnBattleTick);
    UTTimer = makeTimer(1000, false, OnUTTick);
    Timer4 = makeTimer(1000, true, OnCaptionTick);
    // Playback and the event feed's clock come with the recorder and the feed; until then
    // these timers only carry their enabled state and interval.
    Q2Player = makeTimer(10, false, nullptr);
    InterpTimer = makeTimer(1000, false, nullptr);

    QuakeStatus = platform.createUdpSocket();
    QuakeStatus->onDatagram = [this](const Datagram& d) {
        dispatch([&] { OnGameDatagram(*this, d); });
    };

    Timer1 = makeTimer(200, true, OnTimer1);
    Timer2 = makeTimer(1000, false, OnTimer2);
    AntiBanTimer = makeTimer(10000, false, OnAntiBanTimer);
    ignoreTimer = makeTimer(1000, true, OnIgnoreTimer);
    ircSocket = platform.createTcpSocket();
    ircSocket->onConnected = [this] { dispatch([&] { OnIrcConnected(*this); }); };
    ircSocket->onData = [this](const std::string& bytes) {
        dispatch([&] { OnIrcData(*this, bytes); });
    };

    splashTimer1 = makeTimer(4500, false, OnSplashTimer1);
    splashTimer2 = makeTimer(3000, false, OnSplashTimer2);
    quitTimer = makeTimer(500, false, OnQuitTimer);
}

std::unique_ptr<Timer> App::makeTimer(int intervalMs, bool enabled,
                                      std::function<void(App&)> handler) {
    auto timer = platform.createTimer();
    timer->setInterval(intervalMs);
    timer->setEnabled(enabled);
    if (handler) {
        timer->onTick = [this, handler] { dispatch([&] { handler(*this); }); };
    }
    return timer;
}

void App::addListener(AppListener* listener) {
    listeners_.push_back(listener);
}

void App::removeListener(AppListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void App::appendOutput(const std::string& text) {
    view.Text1 += text;
    view.Text1 += "\r\n";
    if (view.Text1.size() > kOutputLimit) view.Text1.erase(0, view.Text1.size() - kOutputKept);
    for (AppListener* l : listeners_) l->outputAppended(text);
}

void App::appendOutputRaw(const std::string& bytes) {
    view.Text1 += bytes;
    if (view.Text1.size() > kOutputLimit) view.Text1.erase(0, view.Text1.size() - kOutputKept);
    for (AppListener* l : listeners_) l->outputAppended(bytes);
}

void App::dispatch(const std::function<void()>& handler) {
    handler();
    for (AppListener* l : listeners_) l->eventHandled();
}

void App::notifyReplyHandled() {
    for (AppListener* l : listeners_) l->replyHandled();
}

void App::notifyReportSaid(const std::string& target, const std::string& text) {
    for (AppListener* l : listeners_) l->reportSaid(target, text);
}

}  // namespace fc
