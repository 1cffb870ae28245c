// SIGINT, SIGTERM and SIGHUP end the program as its own close does: the handler runs in the
// event loop, never inside the signal.
#pragma once

#include <functional>

class QObject;

namespace fc {

// Calls `stop` from the event loop for each of those signals; `parent` owns the watcher.
void onStopSignals(QObject* parent, std::function<void()> stop);

}  // namespace fc
