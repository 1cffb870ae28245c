// The IRC bot on the fake platform: the test plays the server at the far end of the socket.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {

using Lines = std::vector<std::string>;

// IRC's control codes written as "^B" (bold), "^C" (colour), "^_" (underline), "^V" (reverse),
// "^O" (plain) and "^A" (client query), so that no code runs into the digits after it.
inline std::string Codes(std::string text) {
    const std::string tokens = "BC_VOA", codes = "\x02\x03\x1F\x16\x0F\x01";
    for (std::size_t at = 0; (at = text.find('^', at)) != std::string::npos; ++at) {
        const std::size_t which = at + 1 < text.size() ? tokens.find(text[at + 1]) : tokens.npos;
        if (which != tokens.npos) text.replace(at, 2, 1, codes[which]);
    }
    return text;
}

// What the server sends (one read per piece), and what the bot then sends and shows.
struct Exchange {
    const char* label;
    Lines received;
    Lines sent;
    Lines shown;
};

class IrcTest : public ::testing::Test, public AppListener {
protected:
    // Lines leave unpaced here; the queue's own tests set the pace.
    IrcTest() {
        app.addListener(this);
        app.view.IRCLineGapMs = "0";
    }
    void outputAppended(const std::string& text) override { output.push_back(text); }
    void reportSaid(const std::string& target, const std::string& text) override {
        reports.push_back(target + " " + text);
    }

    FakeTcpSocket& socket() { return *platform.tcpSockets.at(0); }
    void receive(const std::string& bytes) { socket().receive(bytes); }
    // The lines the bot sent, and the output lines appended, since the last look.
    Lines sent() { return socket().takeLines(); }
    Lines shown() { return std::exchange(output, {}); }
    void walk(const std::vector<Exchange>& exchanges) {
        for (const Exchange& e : exchanges) {
            SCOPED_TRACE(e.label);
            for (const std::string& piece : e.received) receive(piece);
            EXPECT_EQ(sent(), e.sent);
            EXPECT_EQ(shown(), e.shown);
        }
    }
    // Connected and accepted, then in the channel after the server's welcome; what the
    // registration sent and showed is taken.
    void connect() {
        ConnectIrc(app);
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
    MainView& view = app.view;
    Lines output, reports;
};

}  // namespace fc::test
