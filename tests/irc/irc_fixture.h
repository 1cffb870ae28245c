// The IRC bot on the fake platform: the test plays the server at the far end of the socket.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {

class OutputRecorder : public AppListener {
public:
    void outputAppended(const std::string& text) override { lines.push_back(text); }
    void reportSaid(const std::string& target, const std::string& text) override {
        reports.push_back(target + " " + text);
    }
    std::vector<std::string> lines;
    std::vector<std::string> reports;
};

class IrcTest : public ::testing::Test {
protected:
    // Lines leave unpaced here; the queue's own tests set the pace.
    IrcTest() {
        app.addListener(&output);
        app.view.IRCLineGapMs = "0";
    }

    FakeTcpSocket& socket() { return *platform.tcpSockets.at(0); }
    MainView& view() { return app.view; }

    // What the server sent; each call hands over one read's bytes.
    void receive(const std::string& bytes) { socket().receive(bytes); }
    // The lines the bot sent since the last look.
    std::vector<std::string> sent() { return socket().takeLines(); }
    // The output lines appended since the last look.
    std::vector<std::string> shown() { return std::exchange(output.lines, {}); }

    // Connect, accepted by the server; registration lines and messages are taken.
    void connect() {
        ConnectIrc(app);
        socket().accept();
        sent();
        shown();
    }
    // ... and the server has ended its welcome and seen the bot join the channel.
    void joinChannel() {
        connect();
        receive(":irc.test 376 FCST :End of MOTD command\r\n");
        receive(":FCST!~fcst@127.0.0.1 JOIN :#FCST\r\n");
        sent();
        shown();
    }

    FakePlatform platform;
    WiredApp app{platform};
    OutputRecorder output;
};

using Lines = std::vector<std::string>;

}  // namespace fc::test
