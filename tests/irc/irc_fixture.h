// The IRC bot on the fake platform, the test playing the server. IRC codes are octal escapes:
// \001 CTCP, \002 bold, \003 colour, \017 plain, \026 reverse, \037 underline.
#pragma once

#include <gtest/gtest.h>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/console.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "program/wiring.h"
#include "support/fake_platform.h"

namespace fc::test {

class IrcTest : public ::testing::Test, public AppListener {
protected:
    IrcTest() { app.addListener(this), app.settings.ircLineGapMs = "0"; }  // unpaced by default
    void outputAppended(const std::string& text) override { output.push_back(text); }
    void reportSaid(const std::string&, const std::string& text) override { said.push_back(text); }
    void reportFate(const SaidLine&, LineFate fate, bool whenSaid) override {
        dropped += !whenSaid && fate == LineFate::Dropped;  // a drop is told after the saying
    }
    FakeTcpSocket& socket() { return *platform.tcpSockets.at(0); }
    void receive(const std::string& bytes) { socket().receive(bytes); }
    void line(const std::string& text) { receive(text + "\r\n"); }
    // A private message to the bot; the line it shows first ("*nick* text", or the CTCP
    // query named) is taken with it.
    void ask(const std::string& nick, const std::string& text) {
        line(":" + nick + "!~u@host PRIVMSG " + app.irc.botNick + " :" + text);
        const std::size_t end = text.find_first_of(" \x01", 1);
        const std::string query = toUpper(text.substr(1, end - 1));
        const std::string shown =
            text[0] != '\x01'   ? "*" + nick + "* " + text
            : query == "ACTION" ? "* " + nick + " " + text.substr(end + 1, text.size() - end - 2)
                                : "[CTCP " + query + " from " + nick + "]";
        EXPECT_EQ(std::erase(output, shown), 1u);
    }
    void type(const std::string& text) { app.irc.ircInputLine = text, onIrcInputEnter(app); }
    Lines sent() { return socket().takeLines(); }  // since the last look, as shown()
    Lines shown() { return std::exchange(output, {}); }
    // Exactly these lines were sent, shown and said in the channel since the last look.
    void expect(const Lines& sentLines, const Lines& shownLines = {}, const Lines& saidLines = {}) {
        EXPECT_EQ(std::tuple(sent(), shown(), std::exchange(said, {})),
                  std::tuple(sentLines, shownLines, saidLines));
    }
    // The server, channel and nick fields, the connect and the quit button: 1 when enabled.
    std::string locks() const {
        const auto& w = app.window;
        return {"01"[w.ircServerEnabled], "01"[w.channelEntryEnabled], "01"[w.ircNameEnabled],
                "01"[w.connectIrcButtonEnabled], "01"[w.quitIrcButtonEnabled]};
    }
    // Connected and accepted, and then also in the channel; what that sent and showed is taken.
    void connect(bool join = false) {
        connectIrc(app), socket().accept();
        if (join)
            receive(
                ":irc.test 001 FCST :Hi\r\n:irc.test 376 FCST :End\r\n"
                ":FCST!~fcst@127.0.0.1 JOIN :#FCST\r\n");
        sent(), shown();
    }
    void joinChannel() { connect(true); }

    FakePlatform platform;
    WiredApp app{platform};
    Lines output, said;
    int dropped = 0;  // report lines given up
};

const std::string kQuit =
    "QUIT :\002Fragcaster - Version 1.33 - https://fragcaster.example.net/\002";

}  // namespace fc::test
