// An Interp service on loopback for tests: accepts one feed at a free port, greets it, answers
// each request word with the lines a script gives, and keeps what the feed asked.
#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <map>
#include <string>

namespace fc::test {

class InterpService {
public:
    // `greeting` is sent as soon as a feed connects; `answers` maps a request word to its lines.
    InterpService(std::string greeting, std::map<std::string, std::string> answers);

    int port() const { return server_.serverPort(); }
    bool connected() const { return client_ != nullptr; }
    // Every request so far, simply joined: the requests have no line ends.
    const std::string& requests() const { return requests_; }
    void send(const std::string& bytes);
    void closeFeed();

private:
    QTcpServer server_;
    QTcpSocket* client_ = nullptr;
    std::string greeting_;
    std::map<std::string, std::string> answers_;
    std::string requests_;
    std::string pending_;  // request bytes not yet matched to a word
};

}  // namespace fc::test
