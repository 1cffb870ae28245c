// A plain IRC client for tests: answers PINGs, sends raw lines, reads lines in the event loop.
#pragma once

#include <QTcpSocket>
#include <optional>
#include <string>
#include <vector>

namespace fc::test {

class IrcTestClient {
public:
    IrcTestClient();
    bool connect(int port, const std::string& nick, int timeoutMs = 5000);  // true once welcomed
    void send(const std::string& line);                                     // CR LF is added
    bool join(const std::string& channel, int timeoutMs = 5000);            // true once confirmed
    // Waits for the next line (after those already taken) that holds `part`, and takes every
    // line up to it. Empty when none came in time.
    std::optional<std::string> waitFor(const std::string& part, int timeoutMs = 5000);
    // As waitFor, blocked on this socket alone (no event loop): the IRC latency benchmark's wait.
    std::optional<std::string> waitBlocked(const std::string& part, int timeoutMs);

private:
    std::optional<std::string> take(const std::string& part);

    QTcpSocket socket_;
    std::string partial_;
    std::vector<std::string> lines_;  // without line ends
    std::size_t taken_ = 0;
};

}  // namespace fc::test
