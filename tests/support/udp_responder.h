// A game server on loopback for tests: keeps each query datagram and answers it with the
// datagrams a handler gives (none when it gives none).
#pragma once

#include <QUdpSocket>
#include <functional>
#include <string>
#include <vector>

namespace fc::test {

using Datagrams = std::vector<std::string>;

class UdpResponder {
public:
    explicit UdpResponder(std::function<Datagrams(const std::string& query)> handler);
    int port() const { return socket_.localPort(); }
    std::string entry() const { return "127.0.0.1:" + std::to_string(port()); }
    Datagrams queries;  // as they came

private:
    std::function<Datagrams(const std::string&)> handler_;
    QUdpSocket socket_;
};

// Runs the event loop until `done` holds or `timeoutMs` passes; returns whether it held.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

}  // namespace fc::test
