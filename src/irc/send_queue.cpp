#include "irc/send_queue.h"

#include <algorithm>
#include <cstdint>

#include "core/app.h"
#include "core/text_util.h"
#include "irc/held_lines.h"
#include "irc/irc_connection.h"
#include "irc/outgoing.h"
#include "irc/text_encoding.h"

namespace fc {

namespace {

// Raises the credit by one line for every gap that passed, up to the burst.
void refill(App& app) {
    IrcSendQueue& q = app.irc.queue;
    const int burst = burstLines(app);
    const int gap = lineGapMs(app);
    const std::int64_t now = app.platform.nowMs();
    if (q.credit >= burst || gap == 0) {
        q.credit = burst;
        q.creditSince = now;
        return;
    }
    const std::int64_t gaps = (now - q.creditSince) / gap;
    q.credit = static_cast<int>(std::min<std::int64_t>(burst, q.credit + gaps));
    q.creditSince = q.credit >= burst ? now : q.creditSince + gaps * gap;
}

std::deque<QueuedLine>* nextLane(IrcSendQueue& q) {
    if (!q.pong.empty()) return &q.pong;
    if (!q.main.empty()) return &q.main;
    if (!q.notices.empty()) return &q.notices;
    return nullptr;
}

void handOver(App& app, const QueuedLine& line) {
    sendOnWire(app, line.body);
    if (line.report) {
        app.settings.linesPrinted =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(app.settings.linesPrinted) + 1u);
    }
    if (!line.echo.empty()) app.appendOutput(line.echo);
}

// Sends what the credit allows, then sets the timer for the moment the next line may leave.
void drain(App& app) {
    IrcSendQueue& q = app.irc.queue;
    refill(app);
    while (q.credit > 0) {
        std::deque<QueuedLine>* lane = nextLane(q);
        if (!lane) break;
        const QueuedLine line = std::move(lane->front());
        lane->pop_front();
        if (lineGapMs(app) > 0) --q.credit;  // no gap: no pace
        handOver(app, line);
    }
    if (q.size() == 0) {
        q.overflowTold = false;
        app.ircSendTimer->setEnabled(false);
        return;
    }
    const std::int64_t wait = q.creditSince + lineGapMs(app) - app.platform.nowMs();
    app.ircSendTimer->setEnabled(false);
    app.ircSendTimer->setInterval(static_cast<int>(std::max<std::int64_t>(1, wait)));
    app.ircSendTimer->setEnabled(true);
}

void tellOverflow(App& app) {
    IrcSendQueue& q = app.irc.queue;
    if (q.overflowTold) return;
    q.overflowTold = true;
    app.appendOutput("*** Send queue full (" + std::to_string(kSendQueueBound) +
                     " lines): the oldest notices are dropped.");
}

// Keeps the queue within its bound, whatever floods it. A PONG takes the place of one still
// waiting: the server needs the answer to its latest PING only. Past the bound the oldest answer
// to a user goes first; a report line takes the place of the oldest of the connection's own
// lines, and of the least worth report line only when nothing else is left (a periodic or
// Interp line before the others, a begin, capture or final score last); any other line finds no
// room once no answer is left to drop.
bool makeRoom(App& app, const QueuedLine& incoming) {
    IrcSendQueue& q = app.irc.queue;
    if (incoming.kind == LineKind::Pong) q.pong.clear();
    if (q.size() < kSendQueueBound) return true;
    tellOverflow(app);
    if (!q.notices.empty()) {
        q.notices.pop_front();
        return true;
    }
    if (!incoming.report && incoming.kind != LineKind::Pong) return false;
    const auto own =
        std::find_if(q.main.begin(), q.main.end(), [](const QueuedLine& l) { return !l.report; });
    if (own != q.main.end()) {
        q.main.erase(own);
    } else if (const auto least = leastWorthLine(q.main); least != q.main.end()) {
        app.notifyReportFate(least->said, LineFate::Dropped, false);
        q.main.erase(least);
    }
    return true;
}

}  // namespace

int burstLines(const App& app) {
    return app.settings.ircBurst.value();
}

int lineGapMs(const App& app) {
    return static_cast<int>(app.settings.ircLineGapMs.value().count());
}

void queueIrcLine(App& app, QueuedLine line) {
    IrcSendQueue& q = app.irc.queue;
    if (!makeRoom(app, line)) return;
    switch (line.kind) {
        case LineKind::Pong:
            q.pong.push_back(std::move(line));
            break;
        case LineKind::Main:
            q.main.push_back(std::move(line));
            break;
        case LineKind::Notice:
            q.notices.push_back(std::move(line));
            break;
    }
    drain(app);
}

void sendIrcLineNow(App& app, const std::string& body) {
    app.irc.queue.clear();
    app.ircSendTimer->setEnabled(false);
    sendOnWire(app, body);
}

void sendOnWire(App& app, const std::string& body) {
    app.ircSocket->send(toWire(app, body, kIrcLineLimit - 2) + "\r\n");
}

void resetSendQueue(App& app) {
    IrcSendQueue& q = app.irc.queue;
    q.clear();
    q.credit = burstLines(app);
    q.creditSince = app.platform.nowMs();
    q.overflowTold = false;
    app.ircSendTimer->setEnabled(false);
}

void onSendTimer(App& app) {
    app.ircSendTimer->setEnabled(false);
    drain(app);
}

}  // namespace fc
