// A network as the bot meets on the internet: InspIRCd 3 with Atheme's services (NickServ,
// SASL) linked to it, both on free loopback ports, without host look-ups, stopped at the end.
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace fc::test {

class ServicesNetwork {
public:
    ServicesNetwork();
    ~ServicesNetwork();
    static bool installed();  // both programs are there to be run
    bool started() const { return started_; }
    int port() const { return port_; }
    std::string log() { return (ircd_.readAll() + services_.readAll()).toStdString(); }

private:
    bool start();
    void stop();
    QTemporaryDir dir_;
    QProcess ircd_, services_;
    int port_ = 0;
    bool started_ = false;
};

}  // namespace fc::test
