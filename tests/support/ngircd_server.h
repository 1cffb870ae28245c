// A real IRC server for tests: ngircd in the foreground on a free loopback port, with a
// configuration written for the test (no PAM, ident or DNS look-ups, and a PING at every
// registration so that clients must answer one). ngircd's flood penalties are on as on a real
// network, or off for tests that flood the server on purpose and have to stay quick.
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace fc::test {

struct NgircdOptions {
    bool motd = true;  // without, the registration ends with 422 instead of 376
    bool tls = false;  // a second port with TLS, its certificate made with openssl
    bool penalties = false;
};

class NgircdServer {
public:
    // Starts the server and waits until it takes connections; see started().
    explicit NgircdServer(NgircdOptions options = {});
    ~NgircdServer();
    NgircdServer(const NgircdServer&) = delete;
    NgircdServer& operator=(const NgircdServer&) = delete;

    bool started() const { return started_; }
    int port() const { return port_; }
    int tlsPort() const { return tlsPort_; }
    // What went wrong when the server did not start, or what it printed.
    std::string log();

    // Ends the server as an administrator would; its clients lose their connections.
    void stop();
    // Starts it again on the same ports, as after a restart.
    bool restart();

private:
    bool startOnce(bool newPorts);
    bool makeCertificate();

    NgircdOptions options_;
    int tlsPort_ = 0;
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    bool started_ = false;
    std::string log_;
};

}  // namespace fc::test
