#include "core/app.h"

#include <algorithm>

namespace fc {

namespace {
constexpr std::size_t kOutputLimit = 10000;
constexpr std::size_t kOutputKept = 9000;
}  // namespace

App::App(Platform& p) : platform(p) {
    quakeTimer = makeTimer(1000, false);
    quakeQueryTimer = makeTimer(0, false);
    seconde = makeTimer(1000, true);
    battleTimer = makeTimer(1000, false);
    UTTimer = makeTimer(1000, false);
    Timer4 = makeTimer(1000, true);
    Q2Player = makeTimer(10, false);
    InterpTimer = makeTimer(1000, false);
    QuakeStatus = platform.createUdpSocket();
    hostNames.tell = [this](const std::string& line) { warn(line); };

    Timer1 = makeTimer(200, true);
    Timer2 = makeTimer(1000, false);
    AntiBanTimer = makeTimer(10000, false);
    ignoreTimer = makeTimer(1000, true);
    ircSendTimer = makeTimer(2000, false);
    reconnectTimer = makeTimer(10000, false);
    ircSocket = platform.createTcpSocket();
    InterpWinsock = platform.createTcpSocket();  // after the IRC socket: tests find it second

    splashTimer1 = makeTimer(4500, false);
    splashTimer2 = makeTimer(3000, false);
    quitTimer = makeTimer(500, false);

    Form3Timer1 = makeTimer(100, false);
    Form3Timer2 = makeTimer(100, false);
    Form3Timer3 = makeTimer(250, false);
    Form3Timer4 = makeTimer(50, false);
    fastSweepTimer = makeTimer(100, false);
    masterTimer = makeTimer(3000, false);
    qsock = platform.createUdpSocket();
    ItemSock = platform.createUdpSocket();
    masterSock = platform.createUdpSocket();
    USock = platform.createTcpSocket();  // after the IRC and Interp sockets: tests find it third
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

void App::warn(const std::string& text) {
    appendOutput(text);
    for (AppListener* l : listeners_) l->warningGiven(text);
}

void App::dispatch(const std::function<void()>& handler) {
    handler();
    for (AppListener* l : listeners_) l->eventHandled();
}

void stuurMSG(App& app, const std::string& target, const std::string& message, ReportKind kind) {
    if (app.lineSink) app.lineSink->stuurMSG(target, message, kind);
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

void App::notifyBrowserStatus(const std::string& text) {
    for (AppListener* l : listeners_) l->browserStatusChanged(text);
}

}  // namespace fc
