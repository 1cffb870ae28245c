#include "support/fake_platform.h"

#include <algorithm>
#include <utility>

namespace fc::test {
FakeTimer::FakeTimer(FakePlatform& platform) : platform_(platform) {
    platform_.timers.push_back(this);
}
FakeTimer::~FakeTimer() {
    std::erase(platform_.timers, this);
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
    std::erase(platform_.udpSockets, this);
}

void FakeUdpSocket::setRemote(const std::string& host, const std::string& address, int port) {
    host_ = host, port_ = port, address_ = address;
}

bool FakeUdpSocket::send(const std::string& bytes) {
    if (address_.empty()) return false;
    sent.push_back(SentDatagram{host_, port_, bytes, platform_.nowMs()});
    return true;
}

FakeTcpSocket::FakeTcpSocket(FakePlatform& platform) : platform_(platform) {
    platform_.tcpSockets.push_back(this);
}
FakeTcpSocket::~FakeTcpSocket() {
    std::erase(platform_.tcpSockets, this);
}

std::vector<std::string> FakeTcpSocket::takeLines() {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = sent.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(sent.substr(start, end - start));
    sent.erase(0, start);
    return lines;
}

bool FakePlatform::fileExists(const std::string& path) const {
    return files.count(path) > 0 ||
           std::find(directories.begin(), directories.end(), path) != directories.end();
}

std::optional<std::string> FakePlatform::readFile(const std::string& path) const {
    const auto it = files.find(path);
    const bool ok = it != files.end() && unreadable.count(path) == 0;
    fileLog.push_back("read " + path + (ok ? "" : " failed"));
    return ok ? std::optional(it->second) : std::nullopt;
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
bool FakePlatform::replacePrivateFile(const std::string& path, const std::string& bytes) {
    return store("replace private", path, [&](std::string& file) { file = bytes; });
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
    for (const auto& [name, bytes] : files)
        if (name.starts_with(prefix) && name.ends_with(suffix))
            names.push_back(name.substr(prefix.size()));
    return names;
}

void FakePlatform::lookUpHost(const std::string& name,
                              std::function<void(const std::string& address)> answered) {
    lookups.push_back(name);
    answers_.emplace(now_ + lookupDelayMs, [this, name, answered] { answered(resolve(name)); });
}

// Timers and look-up answers in the order they fall due; an answer first when both are due.
void FakePlatform::advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    for (;;) {
        FakeTimer* next = nullptr;
        for (FakeTimer* t : timers)
            if (t->enabled() && t->due() <= end && (!next || t->due() < next->due())) next = t;
        if (!answers_.empty() && answers_.begin()->first <= end &&
            (!next || answers_.begin()->first <= next->due())) {
            now_ = answers_.begin()->first;
            const auto answer = answers_.begin()->second;
            answers_.erase(answers_.begin());
            answer();
            continue;
        }
        if (!next) break;
        now_ = next->due();
        next->fire();
    }
    now_ = end;
}

std::string FakePlatform::resolve(const std::string& host) const {
    if (const auto it = hosts.find(host); it != hosts.end()) return it->second;
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
