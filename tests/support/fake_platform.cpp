#include "support/fake_platform.h"

#include <algorithm>
#include <limits>

namespace fc::test {

FakeTimer::FakeTimer(FakePlatform& platform) : platform_(platform) {
    platform_.timers.push_back(this);
}

FakeTimer::~FakeTimer() {
    auto& t = platform_.timers;
    t.erase(std::remove(t.begin(), t.end(), this), t.end());
}

// As with a real timer, a new interval restarts a running timer from now.
void FakeTimer::setInterval(int ms) {
    interval_ = ms;
    if (enabled_) due_ = platform_.nowMs() + interval_;
}

void FakeTimer::setEnabled(bool on) {
    if (on && !enabled_) due_ = platform_.nowMs() + interval_;
    enabled_ = on;
}

void FakeTimer::fire() {
    due_ += std::max(interval_, 1);
    if (onTick) onTick();
}

FakeUdpSocket::FakeUdpSocket(FakePlatform& platform) : platform_(platform) {
    platform_.udpSockets.push_back(this);
}

FakeUdpSocket::~FakeUdpSocket() {
    auto& s = platform_.udpSockets;
    s.erase(std::remove(s.begin(), s.end(), this), s.end());
}

void FakeUdpSocket::setRemote(const std::string& host, int port) {
    host_ = host;
    port_ = port;
    address_ = platform_.resolve(host);
}

bool FakeUdpSocket::send(const std::string& bytes) {
    if (address_.empty()) return false;
    sent.push_back(SentDatagram{host_, port_, bytes, platform_.nowMs()});
    return true;
}

void FakeUdpSocket::deliver(const std::string& bytes, const std::string& from, int fromPort) {
    if (onDatagram) onDatagram(Datagram{bytes, from, fromPort});
}

FakeTcpSocket::FakeTcpSocket(FakePlatform& platform) : platform_(platform) {
    platform_.tcpSockets.push_back(this);
}

FakeTcpSocket::~FakeTcpSocket() {
    auto& s = platform_.tcpSockets;
    s.erase(std::remove(s.begin(), s.end(), this), s.end());
}

void FakeTcpSocket::connectToHost(const std::string& h, int p) {
    host = h;
    port = p;
    ++connects;
    state_ = SocketState::Connecting;
}

void FakeTcpSocket::close() {
    ++closes;
    state_ = SocketState::Closed;
}

void FakeTcpSocket::accept() {
    state_ = SocketState::Connected;
    if (onConnected) onConnected();
}

void FakeTcpSocket::receive(const std::string& bytes) {
    if (onData) onData(bytes);
}

void FakeTcpSocket::peerClose() {
    state_ = SocketState::Closing;
    if (onClosed) onClosed();
}

void FakeTcpSocket::fail() {
    state_ = SocketState::Error;
    if (onError) onError("connection failed");
}

void FakeTcpSocket::failTls(const std::string& why) {
    state_ = SocketState::Error;
    if (onTlsError) onTlsError(why);
}

std::vector<std::string> FakeTcpSocket::takeLines() {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = sent.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(sent.substr(start, end - start));
    sent.erase(0, start);
    return lines;
}

std::unique_ptr<Timer> FakePlatform::createTimer() {
    return std::make_unique<FakeTimer>(*this);
}

std::unique_ptr<UdpSocket> FakePlatform::createUdpSocket() {
    return std::make_unique<FakeUdpSocket>(*this);
}

std::unique_ptr<TcpSocket> FakePlatform::createTcpSocket() {
    return std::make_unique<FakeTcpSocket>(*this);
}

void FakePlatform::processPendingEvents() {
    ++yields;
    auto events = std::move(pendingEvents);
    pendingEvents.clear();
    for (auto& e : events) e();
}

bool FakePlatform::fileExists(const std::string& path) const {
    return files.count(path) > 0 ||
           std::find(directories.begin(), directories.end(), path) != directories.end();
}

std::optional<std::string> FakePlatform::readFile(const std::string& path) const {
    const auto it = files.find(path);
    const bool ok = it != files.end() && unreadable.count(path) == 0;
    fileLog.push_back("read " + path + (ok ? "" : " failed"));
    if (!ok) return std::nullopt;
    return it->second;
}

bool FakePlatform::store(const std::string& what, const std::string& path,
                         const std::function<void(std::string&)>& change) {
    const bool ok = unwritable.count(path) == 0;
    fileLog.push_back(what + " " + path + (ok ? "" : " failed"));
    if (ok) change(files[path]);
    return ok;
}

bool FakePlatform::writeFile(const std::string& path, const std::string& bytes) {
    return store("write", path, [&](std::string& file) { file = bytes; });
}

bool FakePlatform::replaceFile(const std::string& path, const std::string& bytes) {
    return store("replace", path, [&](std::string& file) { file = bytes; });
}

bool FakePlatform::appendFile(const std::string& path, const std::string& bytes) {
    return store("append", path, [&](std::string& file) { file += bytes; });
}

bool FakePlatform::makeDirectory(const std::string& path) {
    fileLog.push_back("mkdir " + path);
    if (!fileExists(path)) directories.push_back(path);
    return true;
}

std::vector<std::string> FakePlatform::listDirectory(const std::string& path,
                                                     const std::string& suffix) const {
    std::vector<std::string> names;
    const std::string prefix = path.empty() || path.back() != '/' ? path + "/" : path;
    for (const auto& [name, bytes] : files) {
        if (name.rfind(prefix, 0) == 0 && name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            names.push_back(name.substr(prefix.size()));
        }
    }
    return names;
}

void FakePlatform::advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        FakeTimer* next = nullptr;
        for (FakeTimer* t : timers) {
            if (t->enabled() && t->due() <= end && (!next || t->due() < next->due())) next = t;
        }
        if (!next) break;
        now_ = next->due();
        next->fire();
    }
    now_ = end;
}

std::string FakePlatform::resolve(const std::string& host) const {
    const auto it = hosts.find(host);
    if (it != hosts.end()) return it->second;
    const bool numeric =
        !host.empty() && host.find_first_not_of("0123456789.:abcdefABCDEF") == std::string::npos;
    return numeric ? host : "";
}

LocalTime FakePlatform::localTime() const {
    LocalTime t = wallClockStart;
    const double seconds = t.secondsSinceMidnight + static_cast<double>(now_) / 1000.0;
    t.secondsSinceMidnight = seconds - 86400.0 * static_cast<long long>(seconds / 86400.0);
    return t;
}

}  // namespace fc::test
