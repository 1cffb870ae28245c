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
int freeLoopbackPort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool accepts(int port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    return socket.waitForConnected(200);
}

QByteArray ngircdConfig(int port, int tlsPort, const QString& dir, const NgircdOptions& o) {
    QString conf =
        QString(R"([Global]
  Name = irc.fragcaster.test
  Info = Fragcaster test server
  Listen = 127.0.0.1
  Ports = %1
  PidFile = %2/ngircd.pid
  %3
[Limits]
  MaxConnectionsIP = 0
  MaxNickLength = 20
  PingTimeout = 120
  %4
[Options]
  DNS = no
  Ident = no
  PAM = no
  RequireAuthPing = yes
)")
            .arg(port)
            .arg(dir)
            .arg(o.motd ? QString("MotdPhrase = \"Test server\"") : "MotdFile = " + dir + "/none")
            .arg(QString(o.penalties ? "" : "MaxPenaltyTime = 0"));
    if (o.tls) {
        conf += QString("[SSL]\n  Ports = %1\n  CertFile = %2/cert.pem\n  KeyFile = %2/key.pem\n")
                    .arg(tlsPort)
                    .arg(dir);
    }
    return conf.toUtf8();
}

}  // namespace

NgircdServer::NgircdServer(NgircdOptions options) : options_(options) {
    if (!dir_.isValid() || (options_.tls && !makeCertificate())) {
        log_ += "no temporary folder or no certificate";
        return;
    }
    for (int i = 0; i < kStartTries && !started_; ++i) started_ = startOnce(true);
}

NgircdServer::~NgircdServer() {
    stop();
}

// A self-made certificate for 127.0.0.1, as a private server would have.
bool NgircdServer::makeCertificate() {
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start("openssl", QString("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 "
                                     "-nodes -days 1 -subj /CN=127.0.0.1 -keyout %1 -out %2")
                                 .arg(dir_.filePath("key.pem"), dir_.filePath("cert.pem"))
                                 .split(' '));
    const bool ok = openssl.waitForFinished(kStartTimeoutMs) && openssl.exitCode() == 0;
    if (!ok) log_ += openssl.readAll().toStdString();
    return ok;
}

bool NgircdServer::restart() {
    stop();
    return started_ = startOnce(false);
}

bool NgircdServer::startOnce(bool newPorts) {
    if (newPorts) {
        port_ = freeLoopbackPort();
        tlsPort_ = options_.tls ? freeLoopbackPort() : 0;
    }
    const QString conf = dir_.filePath("ngircd.conf");
    QFile file(conf);
    if (port_ == 0 || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    file.write(ngircdConfig(port_, tlsPort_, dir_.path(), options_));
    file.close();

    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start("ngircd", {"-n", "-f", conf});
    QElapsedTimer clock;
    clock.start();
    while (process_.waitForStarted(kStartTimeoutMs) && clock.elapsed() < kStartTimeoutMs &&
           process_.state() == QProcess::Running) {
        if (accepts(port_) && (tlsPort_ == 0 || accepts(tlsPort_))) return true;
        QThread::msleep(20);
    }
    log_ += "ngircd did not start: " + process_.errorString().toStdString() + "\n";
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
