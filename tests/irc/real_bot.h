// A bot on real Qt sockets in a folder of its own, for the tests against a real IRC server.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/udp_responder.h"
#include "wiring/wiring.h"

namespace fc::test {

struct RealBot {
    QTemporaryDir dir;
    QtPlatform platform{dir.path()};
    WiredApp app{platform};

    // Connects to 127.0.0.1 at `port`, lines paced but quickly, greeting nobody.
    void connect(int port, bool tls = false, bool insecure = false) {
        app.view.IRCServer = "127.0.0.1";
        app.view.IRCPort = std::to_string(port);
        app.view.IRCLineGapMs = "100";
        app.view.IRConjoin = false;
        app.view.IRCTls = tls;
        app.view.IRCTlsInsecure = insecure;
        app.dispatch([&] { ConnectIrc(app); });
    }
    bool until(const std::function<bool(const MainView&)>& done, int ms = 8000) {
        return WaitUntil([&] { return done(app.view); }, ms);
    }
    bool shows(const std::string& part) {
        return until([&](const MainView& v) { return v.Text1.find(part) != std::string::npos; });
    }
    bool stateIs(const std::string& text) {
        return until([&](const MainView& v) { return v.IRCStat == text; });
    }
};

// A client that has joined `channel` on `server`.
inline bool Joined(IrcTestClient& client, const NgircdServer& server, const std::string& nick,
                   const std::string& channel = "#FCST") {
    return client.connect(server.port(), nick) && client.join(channel);
}

}  // namespace fc::test
