#include "support/irc_test_client.h"

#include "support/udp_responder.h"

namespace fc::test {

IrcTestClient::IrcTestClient() {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { read(); });
}

void IrcTestClient::read() {
    const QByteArray bytes = socket_.readAll();
    partial_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (std::size_t lf; (lf = partial_.find('\n')) != std::string::npos;) {
        std::string line = partial_.substr(0, lf);
        partial_.erase(0, lf + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("PING ", 0) == 0) send("PONG " + line.substr(5));
        lines_.push_back(std::move(line));
    }
}

bool IrcTestClient::connect(int port, const std::string& nick, int timeoutMs) {
    nick_ = nick;
    socket_.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    if (!socket_.waitForConnected(timeoutMs)) return false;
    send("NICK " + nick);
    send("USER " + nick + " 0 * :Fragcaster test client");
    // The end of the message of the day, or its absence (422), ends the welcome.
    const auto ended = [&](const std::string& line) {
        return line.find(" 376 " + nick + " ") != std::string::npos ||
               line.find(" 422 " + nick + " ") != std::string::npos;
    };
    return waitFor(ended, timeoutMs).has_value();
}

void IrcTestClient::send(const std::string& line) {
    const std::string bytes = line + "\r\n";
    socket_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    socket_.flush();
}

bool IrcTestClient::join(const std::string& channel, int timeoutMs) {
    send("JOIN " + channel);
    return waitFor(" 366 " + nick_ + " " + channel + " ", timeoutMs).has_value();
}

std::optional<std::string> IrcTestClient::waitFor(const std::string& part, int timeoutMs) {
    return waitFor([&](const std::string& line) { return line.find(part) != std::string::npos; },
                   timeoutMs);
}

std::optional<std::string> IrcTestClient::waitFor(
    const std::function<bool(const std::string&)>& wanted, int timeoutMs) {
    std::optional<std::string> found;
    waitUntil([&] { return (found = take(wanted)).has_value(); }, timeoutMs);
    return found;
}

std::optional<std::string> IrcTestClient::take(
    const std::function<bool(const std::string&)>& wanted) {
    while (taken_ < lines_.size()) {
        const std::string& line = lines_[taken_++];
        if (wanted(line)) return line;
    }
    return std::nullopt;
}

std::optional<std::string> IrcTestClient::waitBlocked(const std::string& part, int timeoutMs) {
    for (;;) {
        if (auto line =
                take([&](const std::string& l) { return l.find(part) != std::string::npos; }))
            return line;
        if (!socket_.waitForReadyRead(timeoutMs)) return std::nullopt;
    }
}

std::vector<std::string> IrcTestClient::collect(int ms) {
    waitUntil([] { return false; }, ms);
    std::vector<std::string> out(lines_.begin() + static_cast<std::ptrdiff_t>(taken_),
                                 lines_.end());
    taken_ = lines_.size();
    return out;
}

}  // namespace fc::test
