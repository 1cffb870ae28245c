// An Interp service on loopback for tests: accepts one feed at a free port, greets it, and
// keeps what the feed asked.
#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <string>

namespace fc::test {

class InterpService {
public:
    // `greeting` is sent as soon as a feed connects.
    explicit InterpService(std::string greeting);

    int port() const { return server_.serverPort(); }
    // Every request so far, simply joined: the requests have no line ends.
    const std::string& requests() const { return requests_; }

private:
    QTcpServer server_;
    std::string greeting_;
    std::string requests_;
};

}  // namespace fc::test
