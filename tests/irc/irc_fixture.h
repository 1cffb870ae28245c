// The IRC bot on the fake platform: the test plays the server at the far end of the socket.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

namespace fc::test {

using Lines = std::vector<std::string>;

class IrcTest : public ::testing::Test, public AppListener {
protected:
    // Lines leave unpaced here unless a test sets the pace.
    IrcTest() {
        app.addListener(this);
        app.settings.ircLineGapMs = "0";
    }
    void outputAppended(const std::string& text) override { output.push_back(text); }
    void reportFate(const SaidLine&, LineFate fate, bool) override {
        dropped += fate == LineFate::Dropped;
    }

    FakeTcpSocket& socket() { return *platform.tcpSockets.at(0); }
    void receive(const std::string& bytes) { socket().receive(bytes); }
    // The lines the bot sent, and the output lines appended, since the last look.
    Lines sent() { return socket().takeLines(); }
    Lines shown() { return std::exchange(output, {}); }
    // Connected and accepted, and then also in the channel; what that sent and showed is taken.
    void connect() {
        connectIrc(app);
        socket().accept();
        sent(), shown();
    }
    void joinChannel() {
        connect();
        receive(":irc.test 376 FCST :End of MOTD command\r\n:FCST!~fcst@127.0.0.1 JOIN :#FCST\r\n");
        sent(), shown();
    }

    FakePlatform platform;
    WiredApp app{platform};
    Lines output;
    int dropped = 0;  // report lines given up
};

}  // namespace fc::test
