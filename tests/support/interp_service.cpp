#include "support/interp_service.h"

namespace fc::test {

InterpService::InterpService(std::string greeting) : greeting_(std::move(greeting)) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
        QTcpSocket* feed = server_.nextPendingConnection();
        QObject::connect(feed, &QTcpSocket::readyRead,
                         [this, feed] { requests_ += feed->readAll().toStdString(); });
        feed->write(greeting_.data(), static_cast<qint64>(greeting_.size()));
        feed->flush();
    });
}

}  // namespace fc::test
