// A server browser on the fake platform: the sockets it uses, a few stored servers, answers
// from them, and the rows as one text.
#pragma once

#include <gtest/gtest.h>

#include "browser/browser_actions.h"
#include "browser/server_list.h"
#include "core/app.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {

// A Quake 2 answer with `players` lines scoring 1, 2, ...
inline std::string Answer(const std::string& name, int players) {
    std::string reply =
        "\xFF\xFF\xFF\xFFprint\n\\hostname\\" + name + "\\mapname\\q2dm1\\maxclients\\8\n";
    for (int i = 1; i <= players; ++i)
        reply += std::to_string(i) + " 9 \"p" + std::to_string(i) + "\"\n";
    return reply;
}

class BrowserTest : public ::testing::Test {
protected:
    BrowserTest() { app.view.MasterServer = "127.0.0.1:27950"; }

    FakeUdpSocket& qsock() { return *platform.udpSockets.at(1); }
    FakeUdpSocket& item() { return *platform.udpSockets.at(2); }
    FakeUdpSocket& master() { return *platform.udpSockets.at(3); }
    BrowserView& b() { return app.Form3; }

    // Opens the browser on servers 10.0.0.1:27901 .. 10.0.0.n:2790n.
    void open(int servers) {
        for (int i = 1; i <= servers; ++i) app.view.qServers.push_back(address(i));
        OpenBrowser(app);
    }
    static std::string address(int i) {
        return "10.0.0." + std::to_string(i) + ":2790" + std::to_string(i);
    }
    void answer(int i, const std::string& bytes) {
        qsock().deliver(bytes, "10.0.0." + std::to_string(i), 27900 + i);
    }
    // Sweeps at the paced rate; `during` runs once every server was asked.
    void sweep(const std::function<void()>& during = {}) {
        TotalRefresh(app);
        platform.advance(100 * static_cast<int>(b().browserServers.size()));
        if (during) during();
        platform.advance(100);
    }
    // "name|players|map|top|server" of every row, one per line.
    std::string rows() const {
        std::string out;
        for (const ServerRow& r : app.Form3.qServ)
            out += r.name + "|" + r.players + "|" + r.map + "|" + r.top + "|" + r.server + "\n";
        return out;
    }

    FakePlatform platform;
    WiredApp app{platform};
};

}  // namespace fc::test
