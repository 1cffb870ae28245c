#include "support/ngircd_server.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace fc::test {
// Another program could take the port first: a failed start is tried again on a new port.
int freeLoopbackPort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

namespace {

bool accepts(int port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    return port == 0 || socket.waitForConnected(200);
}

}  // namespace

NgircdServer::NgircdServer(NgircdOptions options) : options_(options) {
    // A self-made certificate for 127.0.0.1, as a private server would have.
    const QString req = QString(
                            "req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
                            "-days 1 -subj /CN=127.0.0.1 -keyout %1 -out %2")
                            .arg(dir_.filePath("key.pem"), dir_.filePath("cert.pem"));
    if (options_.tls && QProcess::execute("openssl", req.split(' ')) != 0) {
        log_ += "no certificate made by openssl\n";
        return;
    }
    for (int i = 0; i < 3 && !started_; ++i) started_ = startOnce(true);
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
    const QString dir = dir_.path(), conf = dir_.filePath("ngircd.conf");
    QFile file(conf);
    if (port_ == 0 || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QString text =
        "[Global]\nName = irc.fragcaster.test\nInfo = Fragcaster test server\n"
        "Listen = 127.0.0.1\nPorts = %1\nPidFile = %2/ngircd.pid\n%3\n[Limits]\n"
        "MaxConnectionsIP = 0\nMaxNickLength = 20\nPingTimeout = 120\n%4\n[Options]\n"
        "DNS = no\nIdent = no\nPAM = no\nRequireAuthPing = yes\n";
    text = text.arg(QString::number(port_), dir,
                    options_.motd ? "MotdPhrase = \"Test server\"" : "MotdFile = " + dir + "/none",
                    options_.penalties ? "" : "MaxPenaltyTime = 0");
    if (options_.tls)
        text += QString("[SSL]\nPorts = %1\nCertFile = %2/cert.pem\nKeyFile = %2/key.pem\n")
                    .arg(QString::number(tlsPort_), dir);
    file.write(text.toUtf8()), file.close();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start("ngircd", {"-n", "-f", conf});
    QElapsedTimer clock;
    clock.start();
    while (process_.waitForStarted(10000) && clock.elapsed() < 10000 &&
           process_.state() == QProcess::Running) {
        if (accepts(port_) && accepts(tlsPort_)) return true;
        QThread::msleep(20);
    }
    log_ += "ngircd did not start: " + process_.errorString().toStdString() + "\n";
    stop();
    return false;
}

void NgircdServer::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill(), process_.waitForFinished(2000);
    log_ += process_.readAll().toStdString();
}

std::string NgircdServer::log() {
    if (process_.state() == QProcess::Running) log_ += process_.readAll().toStdString();
    return log_;
}

}  // namespace fc::test
