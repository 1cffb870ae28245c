#include "support/udp_responder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QThread>

namespace fc::test {

UdpResponder::UdpResponder(Handler handler, const QString& address, const QString& replyFrom)
    : handler_(std::move(handler)) {
    socket_.bind(QHostAddress(address), 0);
    if (!replyFrom.isEmpty()) {
        useOther_ = other_.bind(QHostAddress(replyFrom), 0);
    }
    QObject::connect(&socket_, &QUdpSocket::readyRead, [this] {
        while (socket_.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket_.receiveDatagram();
            const std::string query = d.data().toStdString();
            queries_.push_back(query);
            const auto answer = handler_(query);
            if (!answer) continue;
            const QByteArray bytes(answer->data(), static_cast<qsizetype>(answer->size()));
            QUdpSocket& out = useOther_ ? other_ : socket_;
            out.writeDatagram(bytes, d.senderAddress(), static_cast<quint16>(d.senderPort()));
        }
    });
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace fc::test
