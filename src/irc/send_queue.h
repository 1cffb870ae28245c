// The one queue every line to the IRC server waits in. Real networks disconnect a client that
// sends faster than they allow, so a few lines leave at once and the rest one per gap. A PONG
// goes first, the channel's lines and the connection's own before answers to users, and only
// answers to users are given up when the queue grows past its bound.
#pragma once

#include <cstddef>
#include <string>

#include "core/irc_session.h"

namespace fc {

class App;

// The most lines that wait; past it the oldest answers to users are dropped.
inline constexpr std::size_t kSendQueueBound = 200;

// Queues a line (made safe and cut to fit) and lets it leave at once when the pace allows.
void queueIrcLine(App& app, QueuedLine line);
// Sends a line at once, past the queue, and drops whatever waits (the QUIT line).
void sendIrcLineNow(App& app, const std::string& body);
// Writes a line to the socket, encoded as the network wants it and cut to the limit.
void sendOnWire(App& app, const std::string& body);
// Empties the queue and gives the full burst back: a new connection starts fresh.
void resetSendQueue(App& app);
// The send timer: lets as many lines leave as the pace allows.
void onSendTimer(App& app);

// The pace as set: lines at once (at least 1) and the gap in milliseconds (at least 0).
int burstLines(const App& app);
int lineGapMs(const App& app);

}  // namespace fc
