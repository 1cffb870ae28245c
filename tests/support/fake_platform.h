// A deterministic platform for tests: a virtual clock that fires timers as a test advances it,
// sockets that record what was sent and take datagrams a test delivers, files in memory.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/platform.h"

namespace fc::test {

using Lines = std::vector<std::string>;  // lines sent, said or shown, in order

class FakePlatform;

class FakeTimer : public Timer {
public:
    explicit FakeTimer(FakePlatform& platform);
    ~FakeTimer() override;
    void setInterval(int ms) override;
    int interval() const override { return interval_; }
    void setEnabled(bool on) override;
    bool enabled() const override { return enabled_; }

    std::int64_t due() const { return due_; }
    void fire();

private:
    FakePlatform& platform_;
    int interval_ = 0;
    bool enabled_ = false;
    std::int64_t due_ = 0;
};

struct SentDatagram {
    std::string host;
    int port = 0;
    std::string bytes;
    std::int64_t atMs = 0;
};

class FakeUdpSocket : public UdpSocket {
public:
    explicit FakeUdpSocket(FakePlatform& platform);
    ~FakeUdpSocket() override;
    void setRemote(const std::string& host, const std::string& address, int port) override;
    std::string remoteHost() const override { return host_; }
    int remotePort() const override { return port_; }
    std::string remoteAddress() const override { return address_; }
    bool send(const std::string& bytes) override;

    // Hands a datagram to the logic as the socket would on arrival.
    void deliver(const std::string& bytes, const std::string& from, int fromPort) {
        if (onDatagram) onDatagram(Datagram{bytes, from, fromPort});
    }

    std::vector<SentDatagram> sent;

private:
    FakePlatform& platform_;
    std::string host_, address_;
    int port_ = 0;
};

// A TCP connection whose far end is the test: it accepts, sends bytes, closes or fails the
// connection, and reads what the logic sent.
class FakeTcpSocket : public TcpSocket {
public:
    explicit FakeTcpSocket(FakePlatform& platform);
    ~FakeTcpSocket() override;
    void setTls(TlsMode mode) override { tls = mode; }
    void connectToHost(const std::string& h, int p) override {
        host = h, port = p, ++connects, state_ = SocketState::Connecting;
    }
    void send(const std::string& bytes) override { sent += bytes; }
    void close() override { ++closes, state_ = SocketState::Closed; }
    SocketState state() const override { return state_; }
    std::string localAddress() const override { return "127.0.0.1"; }

    // The far end accepts: the socket is connected and says so.
    void accept() { enter(SocketState::Connected, onConnected); }
    void receive(const std::string& bytes) { enter(state_, onData, bytes); }
    // The far end closes: the socket waits in the closing state until it is closed.
    void peerClose() { enter(SocketState::Closing, onClosed); }
    // The connection attempt fails (host not found, refused).
    void fail() { enter(SocketState::Error, onError, "connection failed"); }
    void failTls(const std::string& why) { enter(SocketState::Error, onTlsError, why); }

    // The lines sent since the last call, each without its CR LF.
    std::vector<std::string> takeLines();

    std::string host;
    int port = 0;
    TlsMode tls;
    std::string sent;
    int closes = 0, connects = 0;

private:
    template <typename Event, typename... Args>
    void enter(SocketState state, const Event& event, const Args&... args) {
        state_ = state;
        if (event) event(args...);
    }

    FakePlatform& platform_;
    SocketState state_ = SocketState::Closed;
};

// An HTTP client whose far end is the test: the bodies posted go to the platform's list.
struct FakeHttpClient : HttpClient {
    explicit FakeHttpClient(std::vector<std::string>& posts) : posts(posts) {}
    void post(const std::string&, const std::string&, const std::string& body, int) override {
        posts.push_back(body);
    }
    std::vector<std::string>& posts;
};

class FakePlatform : public Platform {
public:
    std::unique_ptr<Timer> createTimer() override { return std::make_unique<FakeTimer>(*this); }
    std::unique_ptr<UdpSocket> createUdpSocket() override {
        return std::make_unique<FakeUdpSocket>(*this);
    }
    std::unique_ptr<TcpSocket> createTcpSocket() override {
        return std::make_unique<FakeTcpSocket>(*this);
    }
    std::unique_ptr<HttpClient> createHttpClient() override {
        auto client = std::make_unique<FakeHttpClient>(httpPosts);
        http = client.get();
        return client;
    }
    // Answers from the `hosts` table after `lookupDelayMs` on the virtual clock.
    void lookUpHost(const std::string& name,
                    std::function<void(const std::string& address)> answered) override;

    std::int64_t nowMs() const override { return now_; }
    // The wall clock runs with the virtual clock from `wallClockStart`, round midnight.
    LocalTime localTime() const override;
    LocalTime wallClockStart{2026, 12, 6, 12 * 3600.0};
    void beep() override { ++beeps; }
    std::string localHostName() const override { return "testhost"; }

    bool fileExists(const std::string& path) const override;
    std::optional<std::string> readFile(const std::string& path) const override;
    bool writeFile(const std::string& path, const std::string& bytes) override;
    bool replaceFile(const std::string& path, const std::string& bytes) override;
    bool replacePrivateFile(const std::string& path, const std::string& bytes) override;
    bool appendFile(const std::string& path, const std::string& bytes) override;
    bool makeDirectory(const std::string& path) override;
    std::vector<std::string> listDirectory(const std::string& path,
                                           const std::string& suffix) const override;

    // Moves the virtual clock forward, firing every timer that falls due on the way, in order.
    void advance(std::int64_t ms);

    // What a host name resolves to; numeric addresses resolve to themselves.
    std::string resolve(const std::string& host) const;

    std::map<std::string, std::string> hosts{{"localhost", "127.0.0.1"}};
    std::map<std::string, std::string> files;
    std::vector<std::string> directories;
    // Paths that cannot be written (a full disk, a read-only folder); their files stay as they
    // are. Paths that cannot be read (no permission) although they exist.
    std::set<std::string> unwritable, unreadable;
    // Every file operation in order: "read PATH", "write PATH", "replace PATH", "append PATH",
    // "mkdir PATH"; failed ones end in " failed".
    mutable std::vector<std::string> fileLog;
    int beeps = 0;
    // Every name looked up, in order, and how long each look-up takes.
    std::vector<std::string> lookups;
    int lookupDelayMs = 0;

    std::vector<FakeTimer*> timers;
    std::vector<FakeUdpSocket*> udpSockets;
    std::vector<FakeTcpSocket*> tcpSockets;
    std::vector<std::string> httpPosts;  // the bodies posted, in order
    HttpClient* http = nullptr;          // the client made last: the test answers through it

private:
    bool store(const std::string& what, const std::string& path,
               const std::function<void(std::string&)>& change);
    std::int64_t now_ = 0;
    // Look-ups not yet answered, by the time they answer, in the order they were asked.
    std::multimap<std::int64_t, std::function<void()>> answers_;
};

}  // namespace fc::test
