#include "core/app.h"

#include <algorithm>

namespace fc {

namespace {
constexpr std::size_t kOutputLimit = 10000;
constexpr std::size_t kOutputKept = 9000;

// The output window keeps its newest text: past the limit the oldest goes, down to what is kept.
void addToOutput(std::string& output, const std::string& bytes) {
    output += bytes;
    if (output.size() > kOutputLimit) output.erase(0, output.size() - kOutputKept);
}
}  // namespace

App::App(Platform& p) : platform(p) {
    pollTimer = makeTimer(1000, false);
    quakeQueryTimer = makeTimer(0, false);
    playedSecondsTimer = makeTimer(1000, true);
    battleTimer = makeTimer(1000, false);
    unrealMatchTimer = makeTimer(1000, false);
    captionTimer = makeTimer(1000, true);
    playbackTimer = makeTimer(10, false);
    interpClockTimer = makeTimer(1000, false);
    gameSocket = platform.createUdpSocket();
    hostNames.tell = [this](const std::string& line) { warn(line); };

    ircStatusTimer = makeTimer(200, true);
    pongTimer = makeTimer(1000, false);
    antiBanTimer = makeTimer(10000, false);
    ignoreTimer = makeTimer(1000, true);
    ircSendTimer = makeTimer(2000, false);
    reconnectTimer = makeTimer(10000, false);
    loginTimer = makeTimer(5000, false);
    ircSocket = platform.createTcpSocket();
    interpSocket = platform.createTcpSocket();  // after the IRC socket: tests find it second

    splashEndTimer = makeTimer(4500, false);
    splashRestoreTimer = makeTimer(3000, false);
    quitTimer = makeTimer(500, false);

    sweepTimer = makeTimer(100, false);
    quickSweepTimer = makeTimer(100, false);
    handOverTimer = makeTimer(250, false);
    browserRedrawTimer = makeTimer(50, false);
    fastSweepTimer = makeTimer(100, false);
    masterTimer = makeTimer(3000, false);
    sweepSocket = platform.createUdpSocket();
    detailSocket = platform.createUdpSocket();
    masterSocket = platform.createUdpSocket();
    updateSocket =
        platform.createTcpSocket();  // after the IRC and Interp sockets: tests find it third
}

App::~App() = default;

std::unique_ptr<Timer> App::makeTimer(int intervalMs, bool enabled) {
    auto timer = platform.createTimer();
    timer->setInterval(intervalMs);
    timer->setEnabled(enabled);
    return timer;
}

void App::addListener(AppListener* listener) {
    listeners_.push_back(listener);
}

void App::removeListener(AppListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void App::appendOutput(const std::string& text) {
    addToOutput(irc.ircOutput, text + "\r\n");
    for (AppListener* l : listeners_) l->outputAppended(text);
}

void App::appendOutputRaw(const std::string& bytes) {
    addToOutput(irc.ircOutput, bytes);
    for (AppListener* l : listeners_) l->outputAppended(bytes);
}

void App::warn(const std::string& text) {
    appendOutput(text);
    for (AppListener* l : listeners_) l->warningGiven(text);
}

void App::dispatch(const std::function<void()>& handler) {
    handler();
    for (AppListener* l : listeners_) l->eventHandled();
}

void sayInChannel(App& app, const std::string& target, const std::string& message,
                  ReportKind kind) {
    if (app.lineSink) app.lineSink->sayInChannel(target, message, kind);
}

void App::notifyReplyHandled() {
    for (AppListener* l : listeners_) l->replyHandled();
}

void App::notifyInterpHandled() {
    for (AppListener* l : listeners_) l->interpHandled();
}

void App::notifyReportSaid(const std::string& target, const std::string& text) {
    for (AppListener* l : listeners_) l->reportSaid(target, text);
}

void App::notifyReportFate(const SaidLine& line, LineFate fate, bool whenSaid) {
    for (AppListener* l : listeners_) l->reportFate(line, fate, whenSaid);
}

void App::showMessage(const std::string& title, const std::string& text) {
    for (AppListener* l : listeners_) l->messageShown(title, text);
}

void App::notifyBrowserRow(const ServerRow& row) {
    for (AppListener* l : listeners_) l->browserRowChanged(row);
}

ServerStatus& App::statusToFill() {
    if (statusIsPrevious_) {
        std::swap(status, previousStatus);
        statusIsPrevious_ = false;
    }
    return status;
}

void App::forgetPreviousStatus() {
    previousStatus = ServerStatus{};
    statusIsPrevious_ = false;
}

void App::notifyBrowserStatus(const std::string& text) {
    for (AppListener* l : listeners_) l->browserStatusChanged(text);
}

void App::notifyWebhook(const WebhookNews& news) {
    for (AppListener* l : listeners_) l->webhookReported(news);
}

}  // namespace fc
