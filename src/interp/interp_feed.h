// The event feed of a Quake 3 server's Interp service, opened with the monitor.
#pragma once

namespace fc {

class App;

// Opens and closes the feed alongside the monitor. The feed itself is not built yet: both are
// deliberate no-ops so that switching the monitor on and off already calls them in place.
void ConnectInterp(App& app);
void DisconnectInterp(App& app);

}  // namespace fc
