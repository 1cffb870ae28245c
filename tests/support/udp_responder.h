// A game server on loopback for tests: answers each query datagram with the bytes a handler
// gives (nothing when the handler gives nothing).
#pragma once

#include <QUdpSocket>
#include <functional>
#include <optional>
#include <string>

namespace fc::test {

class UdpResponder {
public:
    using Handler = std::function<std::optional<std::string>(const std::string& query)>;

    // Listens on 127.0.0.1 at a free port.
    explicit UdpResponder(Handler handler);

    int port() const { return socket_.localPort(); }

private:
    Handler handler_;
    QUdpSocket socket_;
};

// Runs the event loop until `done` holds or `timeoutMs` passes; returns whether it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace fc::test
