// The lines said in the channel while the bot is not in it: the connection lost, dialling again,
// registering, not yet joined, or banned and retrying. They wait, in order and within a bound,
// and leave through the send queue once the bot is back in its channel; a line that waited long
// says when it was said. Nothing waits when no connection is wanted.
#pragma once

#include <cstddef>
#include <deque>

#include "core/irc_session.h"

namespace fc {

class App;

// The most lines that wait for the channel; past it the least worth of them goes.
inline constexpr std::size_t kHeldBound = 200;

// Keeps a line said while the bot is away. Of periodic score reports only the newest waits.
void holdLine(App& app, QueuedLine line);
// The bot is out of its channel (kicked, parted, the connection lost or dialled anew): the
// report lines still in the send queue wait again, ahead of any said later.
void leaveChannel(App& app);
// The bot's own JOIN of its channel: what waited leaves through the send queue, in order.
void backInChannel(App& app);
// "Quit IRC", the bot stopped, closing, or the connection given up: the report lines that wait
// (for the channel or in the send queue) are dropped, their count said in the output window.
void dropWaitingLines(App& app);

// The report line the queue should give up first: the oldest periodic or Interp line, else the
// oldest other line, else the oldest begin, capture or final score. end() when none is a report.
std::deque<QueuedLine>::iterator leastWorthLine(std::deque<QueuedLine>& lines);

// The time of day of the clock as "hh:mm:ss".
std::string timeOfDay(const App& app);

}  // namespace fc
