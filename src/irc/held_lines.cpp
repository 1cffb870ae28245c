#include "irc/held_lines.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>

#include "core/app.h"
#include "irc/outgoing.h"
#include "irc/send_queue.h"

namespace fc {

namespace {

// Lower is given up sooner.
int worth(const QueuedLine& line) {
    switch (line.said.kind) {
        case ReportKind::Periodic:
        case ReportKind::Interp:
            return 0;
        case ReportKind::Event:
        case ReportKind::Typed:
            return 1;
        case ReportKind::Essential:
            return 2;
    }
    return 1;
}

void tellLineFate(App& app, const QueuedLine& line, LineFate fate) {
    app.notifyReportFate(line.said, fate, false);
}

void tellHeldOverflow(App& app) {
    IrcSession& s = app.irc;
    if (s.heldOverflowTold) return;
    s.heldOverflowTold = true;
    app.appendOutput("*** More than " + std::to_string(kHeldBound) +
                     " lines wait for the channel: the oldest score reports and Interp lines "
                     "are dropped.");
}

void keepBound(App& app) {
    IrcSession& s = app.irc;
    while (s.held.size() > kHeldBound) {
        const auto victim = leastWorthLine(s.held);
        tellHeldOverflow(app);
        ++s.heldDropped;
        tellLineFate(app, *victim, LineFate::Dropped);
        s.held.erase(victim);
    }
}

std::string plural(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

std::deque<QueuedLine>::iterator leastWorthLine(std::deque<QueuedLine>& lines) {
    auto least = lines.end();
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (it->report && (least == lines.end() || worth(*it) < worth(*least))) least = it;
    }
    return least;
}

std::string timeOfDay(const App& app) {
    const int seconds = static_cast<int>(app.platform.localTime().secondsSinceMidnight) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

void holdLine(App& app, QueuedLine line) {
    IrcSession& s = app.irc;
    if (line.said.kind == ReportKind::Periodic) {
        for (auto it = s.held.begin(); it != s.held.end();) {
            if (it->said.kind != ReportKind::Periodic) {
                ++it;
                continue;
            }
            tellLineFate(app, *it, LineFate::Dropped);
            it = s.held.erase(it);
        }
    }
    s.held.push_back(std::move(line));
    keepBound(app);
}

void leaveChannel(App& app) {
    IrcSession& s = app.irc;
    s.inChannel = false;
    s.channelNicks.clear();
    std::deque<QueuedLine>& main = s.queue.main;
    std::deque<QueuedLine> back;
    for (auto it = main.begin(); it != main.end();) {
        if (!it->report) {
            ++it;
            continue;
        }
        tellLineFate(app, *it, LineFate::Held);
        back.push_back(std::move(*it));
        it = main.erase(it);
    }
    s.held.insert(s.held.begin(), std::make_move_iterator(back.begin()),
                  std::make_move_iterator(back.end()));
    keepBound(app);
}

void backInChannel(App& app) {
    IrcSession& s = app.irc;
    s.inChannel = true;
    const int dropped = std::exchange(s.heldDropped, 0);
    s.heldOverflowTold = false;
    if (s.held.empty()) return;
    if (!app.settings.reportToIrc) return dropWaitingLines(app);
    const std::deque<QueuedLine> lines = std::exchange(s.held, {});
    app.appendOutput("*** Back in " + app.irc.botChannel + ": sending " +
                     plural(lines.size(), "line") + " said while away" +
                     (dropped ? " (" + std::to_string(dropped) + " dropped)" : "") + ".");
    const std::int64_t now = app.platform.nowMs();
    for (const QueuedLine& line : lines) {
        const SaidLine& said = line.said;
        const bool stamped = now - said.saidAtMs > s.stampAfterMs;
        tellLineFate(app, line, LineFate::Late);
        queueIrcLine(app, channelLine(app, said,
                                      stamped ? "[" + said.saidAt + "] " + said.text : said.text));
    }
}

void dropWaitingLines(App& app) {
    IrcSession& s = app.irc;
    std::deque<QueuedLine>& main = s.queue.main;
    std::size_t count = 0;
    for (auto it = main.begin(); it != main.end();) {
        if (!it->report) {
            ++it;
            continue;
        }
        tellLineFate(app, *it, LineFate::Dropped);
        it = main.erase(it);
        ++count;
    }
    for (const QueuedLine& line : s.held) tellLineFate(app, line, LineFate::Dropped);
    count += s.held.size();
    s.held.clear();
    s.heldDropped = 0;
    s.heldOverflowTold = false;
    if (count > 0)
        app.appendOutput("*** Dropped " + plural(count, "report line") + " not yet said.");
}

}  // namespace fc
