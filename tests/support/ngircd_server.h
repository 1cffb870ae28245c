// ngircd on a free loopback port, without PAM, ident or DNS, with a PING at every registration
// that clients must answer; flood penalties as on a real network, or off for quick floods.
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace fc::test {

// A port nobody listens on at the moment of asking.
int freeLoopbackPort();

struct NgircdOptions {
    bool motd = true;  // without, the registration ends with 422 instead of 376
    bool tls = false;  // a second port with TLS, its certificate made with openssl
    bool penalties = false;
};

class NgircdServer {
public:
    explicit NgircdServer(NgircdOptions options = {});
    ~NgircdServer() { stop(); }

    bool started() const { return started_; }
    int port() const { return port_; }
    int tlsPort() const { return tlsPort_; }
    std::string log();  // why it did not start, or what it printed
    void stop();
    bool restart();  // on the same ports

private:
    bool startOnce(bool newPorts);

    NgircdOptions options_;
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0, tlsPort_ = 0;
    bool started_ = false;
    std::string log_;
};

}  // namespace fc::test
