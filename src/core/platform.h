// The small interface through which the logic reaches the outside world: timers, UDP and
// TCP sockets, the clock, files and the event loop. The Qt layer implements it for the
// program; tests use a deterministic fake with a virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fc {

// A periodic callback on the event-loop thread. Disabled timers keep their interval.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;

    std::function<void()> onTick;
};

struct Datagram {
    std::string data;           // the raw bytes, one character per byte
    std::string senderAddress;  // numeric, IPv4 dotted or IPv6 text; "" when unknown
    int senderPort = 0;
};

// A connectionless socket talking to one remote host at a time.
class UdpSocket {
public:
    virtual ~UdpSocket() = default;
    // Sets where send() goes: `host` as the operator wrote it (remoteHost() gives it back) and
    // `address` its numeric form, as a look-up of the host found it (Platform::lookUpHost).
    // Nothing is looked up here; remoteAddress() holds the address, or "" when it is no numeric
    // address (send() then sends nothing).
    virtual void setRemote(const std::string& host, const std::string& address, int port) = 0;
    virtual std::string remoteHost() const = 0;
    virtual int remotePort() const = 0;
    virtual std::string remoteAddress() const = 0;
    virtual bool send(const std::string& bytes) = 0;

    std::function<void(const Datagram&)> onDatagram;
};

// The ten connection states as the IRC console shows them.
enum class SocketState : int {
    Closed = 0,
    Open = 1,
    Listening = 2,
    ConnectionPending = 3,
    ResolvingHost = 4,
    HostResolved = 5,
    Connecting = 6,
    Connected = 7,
    Closing = 8,
    Error = 9,
};

// How a TCP connection is encrypted: plain, TLS with the certificate checked against the
// system's store, or TLS accepting any certificate (a private server's self-made one).
struct TlsMode {
    bool on = false;
    bool insecure = false;
};

// A TCP client connection (IRC, the event feed, the update check).
class TcpSocket {
public:
    virtual ~TcpSocket() = default;
    // Takes effect at the next connect. With TLS on, the connected event comes after the
    // handshake, and the state reads connecting until then.
    virtual void setTls(TlsMode mode) = 0;
    virtual void connectToHost(const std::string& host, int port) = 0;
    virtual void send(const std::string& bytes) = 0;
    // What was sent before still leaves (a QUIT must reach the server); then the connection
    // ends. Closing is the logic's own doing and raises no closed or error event.
    virtual void close() = 0;
    virtual SocketState state() const = 0;
    virtual std::string localAddress() const = 0;

    std::function<void()> onConnected;
    std::function<void(const std::string&)> onData;  // the bytes that arrived since the last call
    std::function<void()> onClosed;
    std::function<void(const std::string&)> onError;
    // The certificate check or the TLS handshake failed; the connection is given up.
    std::function<void(const std::string&)> onTlsError;
};

// What an HTTP request got back. Status 0: no answer came (the host did not answer, the request
// timed out, the certificate check or the TLS handshake failed); `error` says which.
struct HttpAnswer {
    using Headers = std::vector<std::pair<std::string, std::string>>;
    int status = 0;
    std::string error;
    Headers headers;  // names in lower case
    std::string body;
};

// Posts to web addresses (http or https, the certificate checked against the system's store),
// one request at a time: the logic waits for the answer before it posts again.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // The answer comes later through onAnswer, never within this call; after `timeoutMs`
    // without one the request is given up and answers with status 0.
    virtual void post(const std::string& url, const std::string& contentType,
                      const std::string& body, int timeoutMs) = 0;

    std::function<void(const HttpAnswer&)> onAnswer;
};

// The local date and the time of day.
struct LocalTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    double secondsSinceMidnight = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual std::unique_ptr<Timer> createTimer() = 0;
    virtual std::unique_ptr<UdpSocket> createUdpSocket() = 0;
    virtual std::unique_ptr<TcpSocket> createTcpSocket() = 0;
    virtual std::unique_ptr<HttpClient> createHttpClient() = 0;
    // Looks a host name up without waiting for the answer: `answered` runs later on the
    // event-loop thread, never within this call, with the numeric address (IPv4 where the name
    // has one), or "" when the name cannot be found. A numeric address answers with itself.
    virtual void lookUpHost(const std::string& name,
                            std::function<void(const std::string& address)> answered) = 0;

    // Milliseconds on a monotonic clock; only differences mean anything.
    virtual std::int64_t nowMs() const = 0;
    // The wall clock's local date and time of day (recordings stamp their replies with it).
    virtual LocalTime localTime() const;
    virtual void beep() = 0;
    virtual std::string localHostName() const = 0;

    // Files, by path relative to the program directory or absolute. Text is bytes.
    // True for a file or a folder of that name.
    virtual bool fileExists(const std::string& path) const = 0;
    virtual std::optional<std::string> readFile(const std::string& path) const = 0;
    virtual bool writeFile(const std::string& path, const std::string& bytes) = 0;
    // Writes a whole file so that it is never seen half written: the bytes go to a new file
    // beside it, which then takes the old one's place. On failure the old file stays as it was.
    virtual bool replaceFile(const std::string& path, const std::string& bytes) = 0;
    // As replaceFile, for a file that holds secrets: readable and writable by its owner only,
    // from its first byte on.
    virtual bool replacePrivateFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool appendFile(const std::string& path, const std::string& bytes) = 0;
    virtual bool makeDirectory(const std::string& path) = 0;
    virtual std::vector<std::string> listDirectory(const std::string& path,
                                                   const std::string& suffix) const = 0;
};

}  // namespace fc
