#include "support/interp_service.h"

namespace fc::test {

InterpService::InterpService(std::string greeting, std::map<std::string, std::string> answers)
    : greeting_(std::move(greeting)), answers_(std::move(answers)) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        client_ = server_.nextPendingConnection();
        QObject::connect(client_, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = client_->readAll();
            requests_ += bytes.toStdString();
            pending_ += bytes.toStdString();
            // Words arrive whole or bundled; each known word at the front is answered.
            for (bool found = true; found;) {
                found = false;
                for (const auto& [word, lines] : answers_) {
                    if (pending_.rfind(word, 0) != 0) continue;
                    pending_.erase(0, word.size());
                    send(lines);
                    found = true;
                }
            }
        });
        send(greeting_);
    });
}

void InterpService::send(const std::string& bytes) {
    if (!client_) return;
    client_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    client_->flush();
}

void InterpService::closeFeed() {
    if (client_) client_->disconnectFromHost();
}

}  // namespace fc::test
