// A game server on loopback for tests: answers each query datagram with the bytes a handler
// gives (nothing when the handler gives nothing).
#pragma once

#include <QHostAddress>
#include <QUdpSocket>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fc::test {

class UdpResponder {
public:
    using Handler = std::function<std::optional<std::string>(const std::string& query)>;

    // Listens on `address` at a free port. Replies go out from `replyFrom` when it is given
    // (a second socket, as another host would send them), else from the listening socket.
    explicit UdpResponder(Handler handler, const QString& address = "127.0.0.1",
                          const QString& replyFrom = {});

    int port() const { return socket_.localPort(); }
    const std::vector<std::string>& queries() const { return queries_; }

private:
    Handler handler_;
    QUdpSocket socket_;
    QUdpSocket other_;
    bool useOther_ = false;
    std::vector<std::string> queries_;
};

// Runs the event loop until `done` holds or `timeoutMs` passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace fc::test
