#include "irc/session.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

#include "interp/interp_feed.h"
#include "irc/console.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "irc/send_queue.h"
#include "program/wiring.h"
#include "support/fake_platform.h"
#include "support/view_fields.h"

namespace fc::test {
namespace {

using Lines = std::vector<std::string>;

class Session : public AppListener {
public:
    Session() {
        app.addListener(this);
        app.settings.ircLineGapMs = "0";  // lines leave unpaced unless a case sets the pace
    }
    void outputAppended(const std::string& text) override { shown_.push_back(text); }
    void reportSaid(const std::string&, const std::string& text) override { said_.push_back(text); }

    void play(const Case& c) {
        for (const CaseLine& line : c.lines) {
            if (line.tag == "sent" || line.tag == "shown" || line.tag == "said" ||
                line.tag == "asked") {
                want_[line.tag].push_back(line.text);
                continue;
            }
            check();
            SCOPED_TRACE(line.tag + " " + line.text);
            step(line.tag, line.text);
            where_ = line.tag + " " + line.text;
        }
        check();
    }

private:
    FakeTcpSocket& irc() { return *platform.tcpSockets.at(0); }
    FakeTcpSocket& interp() { return *platform.tcpSockets.at(1); }
    Lines sent() { return platform.tcpSockets.empty() ? Lines{} : irc().takeLines(); }
    Lines asked() {
        if (platform.tcpSockets.size() < 2) return {};
        const std::string bytes = std::exchange(interp().sent, "");
        return bytes.empty() ? Lines{} : Lines{bytes};
    }
    void pass() { sent(), asked(), shown_.clear(), said_.clear(); }
    void check() {
        SCOPED_TRACE("after " + where_);
        EXPECT_EQ(sent(), want_["sent"]);
        Lines& shown = want_["shown"];
        if (!echo_.empty()) shown.insert(shown.begin(), std::exchange(echo_, ""));
        EXPECT_EQ(std::exchange(shown_, {}), shown);
        EXPECT_EQ(std::exchange(said_, {}), want_["said"]);
        EXPECT_EQ(asked(), want_["asked"]);
        want_.clear();
    }

    void step(const std::string& tag, const std::string& text) {
        const std::size_t blank = text.find(' ');
        const std::string head = text.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : text.substr(blank + 1);
        if (tag == "set") return set(head, rest);
        if (tag == "expect") {
            EXPECT_EQ(get(head), rest) << head;
            return;
        }
        if (tag == "player") {
            Lines c = splitList(text, '|');
            c.resize(5);
            return app.monitor.playerRows.push_back(
                {c[0], c[1], c[2], c[3],
                 static_cast<RowColour>(c[4].empty() ? 0 : std::stoi(c[4]))});
        }
        if (tag == "players")
            return app.monitor.playerRows.assign(std::stoul(text),
                                                 PlayerRow{"p", "1", "5", "Red", RowColour::Red});
        if (tag == "connect") return connectIrc(app);
        if (tag == "accept") return irc().accept();
        if (tag == "registered" || tag == "join") {
            connectIrc(app);
            irc().accept();
            if (tag == "join")
                irc().receive(":irc.test 376 " + app.irc.botNick +
                              " :End of MOTD command\r\n:" + app.irc.botNick +
                              "!~fcst@127.0.0.1 JOIN :" + app.irc.botChannel + "\r\n");
            return pass();
        }
        if (tag == "recv") return irc().receive(text);
        if (tag == "line") return irc().receive(text + "\r\n");
        if (tag == "ask") echo_ = "<" + head + "> " + rest;
        if (tag == "ask")
            return irc().receive(":" + head + "!~u@host PRIVMSG FCST :" + rest + "\r\n");
        if (tag == "say") return sayInChannel(app, head, rest);
        if (tag == "type") {
            app.irc.ircInputLine = text;
            return onIrcInputEnter(app);
        }
        if (tag == "wait") return platform.advance(std::stoi(text));
        if (tag == "feed") return interp().receive(text);
        ASSERT_EQ(tag, "do");
        if (head == "quit") return quitIrc(app);
        if (head == "join-channel") return joinAChannel(app, rest);
        if (head == "close") return irc().peerClose();
        if (head == "fail") return irc().fail();
        if (head == "failtls") return irc().failTls(rest);
        if (head == "interp") return connectInterp(app);
        if (head == "remote") {
            const std::size_t colon = rest.find(':');
            return app.gameSocket->setRemote(rest.substr(0, colon), rest.substr(0, colon),
                                             std::stoi(rest.substr(colon + 1)));
        }
        if (head == "interp-accept") return interp().accept();
        if (head == "interp-close") return interp().peerClose();
        if (head == "interp-off") return disconnectInterp(app);
        if (head == "interp-clear") return clearInterpOutput(app);
        if (head == "timer")
            return timer(rest.substr(0, rest.find(' '))).setEnabled(rest.ends_with(" on"));
        FAIL() << "unknown step " << tag << " " << text;
    }

    Timer& timer(const std::string& name) {
        if (name == "Timer2") return *app.pongTimer;
        if (name == "AntiBanTimer") return *app.antiBanTimer;
        if (name == "InterpTimer") return *app.interpClockTimer;
        throw std::runtime_error("unknown timer " + name);
    }

    void set(const std::string& name, const std::string& value) {
        EXPECT_TRUE(setFieldText(app, name, value)) << name;
        // A score set by hand is a score the server told: the status holds it too.
        if (name == "qsRed") app.status.red = readTeamScore(value);
        if (name == "qsBlue") app.status.blue = readTeamScore(value);
    }

    std::string get(const std::string& name) {
        if (name == "locks")  // server, channel and nick fields, connect and quit buttons
            return std::string() + "01"[app.window.ircServerEnabled] +
                   "01"[app.window.channelEntryEnabled] + "01"[app.window.ircNameEnabled] +
                   "01"[app.window.connectIrcButtonEnabled] + "01"[app.window.quitIrcButtonEnabled];
        if (name == "socket") return std::to_string(static_cast<int>(irc().state()));
        if (name == "interp-socket") return std::to_string(static_cast<int>(interp().state()));
        if (name == "dialled") return irc().host + ":" + std::to_string(irc().port);
        if (name == "interp-dialled") return interp().host + ":" + std::to_string(interp().port);
        if (name == "connects") return std::to_string(irc().connects);
        if (name == "tls") return std::string() + "01"[irc().tls.on] + "01"[irc().tls.insecure];
        if (name == "pace")
            return std::to_string(burstLines(app)) + " " + std::to_string(lineGapMs(app));
        if (name == "queue") return std::to_string(app.irc.queue.size());
        if (name.ends_with("Timer") || name == "Timer2")
            return timer(name).enabled() ? "on" : "off";
        return fieldText(app, name).value_or("?unknown field");
    }

    FakePlatform platform;
    WiredApp app{platform};
    Lines shown_, said_;
    std::map<std::string, Lines> want_;
    std::string where_ = "the start";
    std::string echo_;  // a private message is shown as chat before what it caused
};

}  // namespace

void playSession(const Case& session) {
    Session().play(session);
}

}  // namespace fc::test
