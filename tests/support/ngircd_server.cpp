#include "support/ngircd_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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

QByteArray Config(int port, int tlsPort, const QString& dir, const NgircdOptions& o) {
    QString conf = QStringLiteral(
                       "[Global]\n"
                       "  Name = irc.fragcaster.test\n"
                       "  Info = Fragcaster test server\n"
                       "  Listen = 127.0.0.1\n"
                       "  Ports = %1\n"
                       "  PidFile = %2/ngircd.pid\n"
                       "  %3\n"
                       "[Limits]\n"
                       "  MaxConnectionsIP = 0\n"
                       "  MaxNickLength = 20\n"
                       "  PingTimeout = 120\n"
                       "  %4\n"
                       "[Options]\n"
                       "  DNS = no\n"
                       "  Ident = no\n"
                       "  PAM = no\n"
                       "  RequireAuthPing = yes\n")
                       .arg(port)
                       .arg(dir)
                       .arg(o.motd ? QStringLiteral("MotdPhrase = \"Test server\"")
                                   : QStringLiteral("MotdFile = %1/none.motd").arg(dir))
                       .arg(o.penalties ? QString() : QStringLiteral("MaxPenaltyTime = 0"));
    if (o.tls) {
        conf += QStringLiteral(
                    "[SSL]\n"
                    "  Ports = %1\n"
                    "  CertFile = %2/cert.pem\n"
                    "  KeyFile = %2/key.pem\n")
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

// A self-made certificate for 127.0.0.1, as a private server would have.
bool NgircdServer::makeCertificate() {
    QProcess openssl;
    openssl.setProcessChannelMode(QProcess::MergedChannels);
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-keyout"),
                   dir_.filePath(QStringLiteral("key.pem")), QStringLiteral("-out"),
                   dir_.filePath(QStringLiteral("cert.pem"))});
    const bool ok = openssl.waitForFinished(kStartTimeoutMs) && openssl.exitCode() == 0;
    if (!ok) log_ += openssl.readAll().toStdString();
    return ok;
}

bool NgircdServer::restart() {
    stop();
    started_ = startOnce(false);
    return started_;
}

NgircdServer::~NgircdServer() {
    stop();
}

bool NgircdServer::startOnce(bool newPorts) {
    if (newPorts) {
        port_ = FreeLoopbackPort();
        tlsPort_ = options_.tls ? FreeLoopbackPort() : 0;
    }
    const QString conf = dir_.filePath(QStringLiteral("ngircd.conf"));
    QFile file(conf);
    if (port_ == 0 || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    file.write(Config(port_, tlsPort_, dir_.path(), options_));
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
        if (Accepts(port_) && (tlsPort_ == 0 || Accepts(tlsPort_))) return true;
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
