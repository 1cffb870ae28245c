#include "support/irc_test_client.h"

#include "support/udp_responder.h"

namespace fc::test {

IrcTestClient::IrcTestClient() {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
        partial_ += socket_.readAll().toStdString();
        for (std::size_t lf; (lf = partial_.find('\n')) != std::string::npos;) {
            std::string line = partial_.substr(0, lf);
            partial_.erase(0, lf + 1);
            if (line.ends_with('\r')) line.pop_back();
            if (line.starts_with("PING ")) send("PONG " + line.substr(5));
            lines_.push_back(std::move(line));
        }
    });
}

bool IrcTestClient::connect(int port, const std::string& nick, int timeoutMs) {
    socket_.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    if (!socket_.waitForConnected(timeoutMs)) return false;
    send("NICK " + nick);
    send("USER " + nick + " 0 * :Fragcaster test client");
    return waitFor(" 001 " + nick + " ", timeoutMs).has_value();
}

void IrcTestClient::send(const std::string& line) {
    socket_.write(QByteArray::fromStdString(line + "\r\n"));
    socket_.flush();
}

bool IrcTestClient::join(const std::string& channel, int timeoutMs) {
    send("JOIN " + channel);
    return waitFor(" 366 ", timeoutMs).has_value();
}

std::optional<std::string> IrcTestClient::waitFor(const std::string& part, int timeoutMs) {
    std::optional<std::string> found;
    waitUntil([&] { return (found = take(part)).has_value(); }, timeoutMs);
    return found;
}

std::optional<std::string> IrcTestClient::take(const std::string& part) {
    while (taken_ < lines_.size())
        if (const std::string& line = lines_[taken_++]; line.find(part) != std::string::npos)
            return line;
    return std::nullopt;
}

std::optional<std::string> IrcTestClient::waitBlocked(const std::string& part, int timeoutMs) {
    for (;;) {
        if (auto line = take(part)) return line;
        if (!socket_.waitForReadyRead(timeoutMs)) return std::nullopt;
    }
}

}  // namespace fc::test
