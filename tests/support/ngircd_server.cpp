#include "support/ngircd_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace fc::test {

namespace {

constexpr int kStartTries = 3;
constexpr int kStartTimeoutMs = 10000;

// A port nobody listens on right now. Another program could take it before the server does;
// a failed start is then tried again on a new port.
int FreeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
    return probe.serverPort();
}

bool Accepts(int port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    const bool ok = socket.waitForConnected(200);
    socket.abort();
    return ok;
}

QByteArray Config(int port, const QString& dir) {
    return QStringLiteral(
               "[Global]\n"
               "  Name = irc.fragcaster.test\n"
               "  Info = Fragcaster test server\n"
               "  Listen = 127.0.0.1\n"
               "  Ports = %1\n"
               "  MotdPhrase = \"Test server\"\n"
               "  PidFile = %2/ngircd.pid\n"
               "[Limits]\n"
               "  MaxConnectionsIP = 0\n"
               "  MaxNickLength = 20\n"
               "  MaxPenaltyTime = 0\n"
               "  PingTimeout = 120\n"
               "[Options]\n"
               "  DNS = no\n"
               "  Ident = no\n"
               "  PAM = no\n"
               "  RequireAuthPing = yes\n")
        .arg(port)
        .arg(dir)
        .toUtf8();
}

}  // namespace

NgircdServer::NgircdServer() {
    if (!dir_.isValid()) {
        log_ = "no temporary folder";
        return;
    }
    for (int i = 0; i < kStartTries && !started_; ++i) started_ = startOnce();
}

NgircdServer::~NgircdServer() {
    stop();
}

bool NgircdServer::startOnce() {
    port_ = FreeLoopbackPort();
    const QString conf = dir_.filePath(QStringLiteral("ngircd.conf"));
    QFile file(conf);
    if (port_ == 0 || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    file.write(Config(port_, dir_.path()));
    file.close();

    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QStringLiteral("ngircd"), {QStringLiteral("-n"), QStringLiteral("-f"), conf});
    if (!process_.waitForStarted(kStartTimeoutMs)) {
        log_ += "ngircd did not start: " + process_.errorString().toStdString() + "\n";
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kStartTimeoutMs) {
        if (process_.state() != QProcess::Running) break;
        if (Accepts(port_)) return true;
        QThread::msleep(20);
    }
    log_ += process_.readAll().toStdString();
    stop();
    return false;
}

void NgircdServer::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(2000);
    }
    log_ += process_.readAll().toStdString();
}

std::string NgircdServer::log() {
    if (process_.state() == QProcess::Running) log_ += process_.readAll().toStdString();
    return log_;
}

}  // namespace fc::test
