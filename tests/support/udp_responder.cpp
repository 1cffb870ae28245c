#include "support/udp_responder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QThread>

namespace fc::test {

UdpResponder::UdpResponder(std::function<Datagrams(const std::string&)> handler)
    : handler_(std::move(handler)) {
    socket_.bind(QHostAddress::LocalHost, 0);
    QObject::connect(&socket_, &QUdpSocket::readyRead, [this] {
        while (socket_.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket_.receiveDatagram();
            queries.push_back(d.data().toStdString());
            for (const std::string& answer : handler_(queries.back()))
                socket_.writeDatagram(QByteArray::fromStdString(answer), d.senderAddress(),
                                      static_cast<quint16>(d.senderPort()));
        }
    });
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
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
