// How long a report line takes from stuurMSG until another client in the channel has it, on
// loopback through a real IRC server (ngircd). Prints the spread over many lines.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/udp_responder.h"
#include "wiring/wiring.h"

int main(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    const int lines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;

    fc::test::NgircdServer server;
    if (!server.started()) {
        std::fprintf(stderr, "ngircd did not start: %s\n", server.log().c_str());
        return 1;
    }
    fc::test::IrcTestClient watcher;
    if (!watcher.connect(server.port(), "watcher") || !watcher.join("#FCST")) {
        std::fprintf(stderr, "the watching client could not join\n");
        return 1;
    }
    QTemporaryDir dir;
    fc::QtPlatform platform(dir.path());
    fc::WiredApp app(platform);
    app.view.IRConjoin = false;
    app.view.IRCServer = "127.0.0.1";
    app.view.IRCPort = std::to_string(server.port());
    app.dispatch([&] { fc::ConnectIrc(app); });
    if (!watcher.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", 10000)) {
        std::fprintf(stderr, "the bot did not join\n");
        return 1;
    }

    using Clock = std::chrono::steady_clock;
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        // Between lines the bot's event loop runs, as it does between two replies.
        fc::test::WaitUntil([] { return false; }, 2);
        const std::string text =
            "\x02"
            "=RC=\x02 captures the flag! Line " +
            std::to_string(i);
        const auto start = Clock::now();
        app.dispatch([&] { fc::stuurMSG(app, app.view.botChannel, text); });
        if (!watcher.waitBlocked(text, 5000)) {
            std::fprintf(stderr, "line %d never arrived\n", i);
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
    std::printf("stuurMSG to another client in the channel, %d lines on loopback via ngircd:\n",
                lines);
    std::printf("  min %.3f ms  median %.3f ms  p99 %.3f ms  max %.3f ms  (goal: under 50 ms)\n",
                ms.front(), at(0.5), at(0.99), ms.back());
    return ms.back() < 50.0 ? 0 : 2;
}
