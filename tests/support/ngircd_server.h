// A real IRC server for tests: ngircd in the foreground on a free loopback port, with a
// configuration written for the test (no PAM, ident or DNS look-ups, no flood penalties, and
// a PING at every registration so that clients must answer one).
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace fc::test {

class NgircdServer {
public:
    // Starts the server and waits until it takes connections; see started().
    NgircdServer();
    ~NgircdServer();
    NgircdServer(const NgircdServer&) = delete;
    NgircdServer& operator=(const NgircdServer&) = delete;

    bool started() const { return started_; }
    int port() const { return port_; }
    // What went wrong when the server did not start, or what it printed.
    std::string log();

    // Ends the server as an administrator would; its clients lose their connections.
    void stop();

private:
    bool startOnce();

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
    bool started_ = false;
    std::string log_;
};

}  // namespace fc::test
