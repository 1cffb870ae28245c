#include "support/services_network.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include "support/ngircd_server.h"

namespace fc::test {
namespace {

QString program(const char* name) {
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/bin", "/sbin", "/bin"});
}

// A configuration kept in the repository, with this run's folder and ports filled in.
bool writeConfig(const QString& name, const QString& dir, int port, int link) {
    QFile in(QStringLiteral(FRAGCASTER_IRC_CONFIGS "/") + name), out(dir + "/" + name);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    QString text = QString::fromUtf8(in.readAll()).replace("@DIR@", dir);
    text.replace("@PORT@", QString::number(port)).replace("@LINKPORT@", QString::number(link));
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
    for (int i = 0; i < 3 && !started_ && installed(); ++i)
        if (!(started_ = start())) stop();
}

ServicesNetwork::~ServicesNetwork() {
    stop();
}

bool ServicesNetwork::start() {
    const QString dir = dir_.path();
    port_ = freeLoopbackPort();
    const int link = freeLoopbackPort();
    if (!writeConfig("inspircd.conf", dir, port_, link) ||
        !writeConfig("atheme.conf", dir, port_, link))
        return false;
    ircd_.setProcessChannelMode(QProcess::MergedChannels);
    services_.setProcessChannelMode(QProcess::MergedChannels);
    // Root is refused unless asked for, and test machines often run as root.
    ircd_.start(program("inspircd"),
                {"--nofork", "--runasroot", "--config=" + dir + "/inspircd.conf"});
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && ircd_.state() != QProcess::NotRunning) {
        // The services dial the server once it listens (its pid file is written then).
        if (services_.state() == QProcess::NotRunning && QFile::exists(dir + "/inspircd.pid"))
            services_.start(program("atheme-services"),
                            {"-n", "-c", dir + "/atheme.conf", "-D", dir, "-l", dir + "/atheme.log",
                             "-p", dir + "/atheme.pid"});
        // Linked and synched: SASL is offered from now on.
        if (fileHolds(dir + "/atheme.log", "finished synching with uplink")) return true;
        QThread::msleep(20);
    }
    return false;
}

void ServicesNetwork::stop() {
    for (QProcess* p : {&services_, &ircd_}) {
        if (p->state() == QProcess::NotRunning) continue;
        p->terminate();
        if (!p->waitForFinished(3000)) p->kill(), p->waitForFinished(2000);
    }
}

}  // namespace fc::test
