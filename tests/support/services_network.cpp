#include "support/services_network.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

namespace fc::test {
namespace {

int freeLoopbackPort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

QString program(const char* name) {
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin", "/bin"});
}

// A configuration kept in the repository, with this run's folder and ports filled in.
bool writeConfig(const QString& name, const QString& to, const QString& dir, int port, int link) {
    QFile in(QStringLiteral(FRAGCASTER_IRC_CONFIGS "/") + name), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    QString text = QString::fromUtf8(in.readAll());
    text.replace("@DIR@", dir).replace("@PORT@", QString::number(port));
    text.replace("@LINKPORT@", QString::number(link));
    return out.write(text.toUtf8()) > 0;
}

bool fileHolds(const QString& path, const char* text) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.readAll().contains(text);
}

}  // namespace

bool ServicesNetwork::installed() {
    return !program("inspircd").isEmpty() && !program("atheme-services").isEmpty();
}

ServicesNetwork::ServicesNetwork() {
    for (int i = 0; i < 3 && !started_ && installed(); ++i) started_ = start();
}

bool ServicesNetwork::start() {
    const QString dir = dir_.path();
    port_ = freeLoopbackPort();
    const int link = freeLoopbackPort();
    if (port_ == 0 || link == 0 ||
        !writeConfig("inspircd.conf", dir + "/inspircd.conf", dir, port_, link) ||
        !writeConfig("atheme.conf", dir + "/atheme.conf", dir, port_, link))
        return false;
    ircd_.setProcessChannelMode(QProcess::MergedChannels);
    services_.setProcessChannelMode(QProcess::MergedChannels);
    // Root is refused unless asked for: test machines often run as root.
    ircd_.start(program("inspircd"),
                {"--nofork", "--runasroot", "--config=" + dir + "/inspircd.conf"});
    QElapsedTimer clock;
    clock.start();
    bool servicesStarted = false;
    while (clock.elapsed() < 10000 && ircd_.state() != QProcess::NotRunning) {
        if (!servicesStarted && fileHolds(dir + "/inspircd.pid", "")) {
            services_.start(program("atheme-services"),
                            {"-n", "-c", dir + "/atheme.conf", "-D", dir, "-l", dir + "/atheme.log",
                             "-p", dir + "/atheme.pid"});
            servicesStarted = true;
        }
        // Linked and synched: SASL is offered from now on.
        if (fileHolds(dir + "/atheme.log", "finished synching with uplink")) return true;
        QThread::msleep(20);
    }
    return false;
}

ServicesNetwork::~ServicesNetwork() {
    for (QProcess* p : {&services_, &ircd_}) {
        if (p->state() == QProcess::NotRunning) continue;
        p->terminate();
        if (!p->waitForFinished(3000)) p->kill(), p->waitForFinished(2000);
    }
}

std::string ServicesNetwork::log() {
    return (ircd_.readAll() + services_.readAll()).toStdString();
}

}  // namespace fc::test
