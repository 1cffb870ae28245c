// How long a report line takes from sayInChannel until another client in the channel has it, on
// loopback through a real IRC server (ngircd). Prints the spread over many lines with an empty
// send queue, then over a few lines said while 22 "!players" notices wait in the queue at the
// default pace (4 at once, then one per 2 s).
#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/app.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "program/wiring.h"
#include "shell/qt_platform.h"
#include "support/irc_test_client.h"
#include "support/ngircd_server.h"
#include "support/udp_responder.h"

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
    app.settings.greetOnJoin = false;
    // With an empty queue the pace never holds a line back: a short gap, and the lines come
    // further apart than it.
    app.settings.ircLineGapMs = "20";
    app.settings.ircServer = "127.0.0.1";
    app.settings.ircPort = std::to_string(server.port());
    app.dispatch([&] { fc::connectIrc(app); });
    if (!watcher.waitFor(":FCST!~fcst@127.0.0.1 JOIN :#FCST", 10000)) {
        std::fprintf(stderr, "the bot did not join\n");
        return 1;
    }

    using Clock = std::chrono::steady_clock;
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        // Between lines the bot's event loop runs, as it does between two replies.
        fc::test::waitUntil([] { return false; }, 25);
        const std::string text =
            "\x02"
            "=RC=\x02 captures the flag! Line " +
            std::to_string(i);
        const auto start = Clock::now();
        app.dispatch([&] { fc::sayInChannel(app, app.irc.botChannel, text); });
        if (!watcher.waitBlocked(text, 5000)) {
            std::fprintf(stderr, "line %d never arrived\n", i);
            return 1;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
    std::printf("A line said to another client in the channel, %d lines on loopback via ngircd:\n",
                lines);
    std::printf("  min %.3f ms  median %.3f ms  p99 %.3f ms  max %.3f ms  (goal: under 50 ms)\n",
                ms.front(), at(0.5), at(0.99), ms.back());
    const bool emptyQueueOk = ms.back() < 50.0;

    // 64 players make 22 notices; at the default pace 18 of them wait when the report is said.
    app.settings.ircLineGapMs = "2000";
    app.monitor.playerRows.assign(64,
                                  fc::PlayerRow{"player", "1", "50", "Red", fc::RowColour::Red});
    std::vector<double> queued;
    for (int round = 0; round < 5; ++round) {
        app.irc.ignoreList.clear();
        watcher.send("PRIVMSG FCST :!players");
        const std::size_t before = app.irc.queue.notices.size();
        fc::test::waitUntil([&] { return app.irc.queue.notices.size() >= before + 18; }, 5000);
        const std::size_t waiting = app.irc.queue.size();
        const std::string text =
            "=RC= captures the flag behind the notices, round " + std::to_string(round);
        const auto start = Clock::now();
        app.dispatch([&] { fc::sayInChannel(app, app.irc.botChannel, text); });
        if (!watcher.waitFor(text, 10000)) {
            std::fprintf(stderr, "the report line behind the notices never arrived\n");
            return 1;
        }
        queued.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        std::printf("  with %zu lines queued ahead: %.1f ms\n", waiting, queued.back());
    }
    std::sort(queued.begin(), queued.end());
    std::printf(
        "report line said behind queued notices, 5 rounds: median %.1f ms  max %.1f ms "
        "(the notices alone take %d s)\n",
        queued[queued.size() / 2], queued.back(), 44);
    return emptyQueueOk ? 0 : 2;
}
