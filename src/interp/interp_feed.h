// The event feed of a Quake 3 server's Interp service: a TCP connection opened with the
// monitor, whose lines move the flag labels and become report lines in the channel.
#pragma once

#include <string>

namespace fc {

class App;

// Opens the feed to the polled server's host (the server entry's address, without its port),
// on the service's port; closes it again. Closing shows the feed as disabled.
void connectInterp(App& app);
void disconnectInterp(App& app);

// The socket's events.
void onInterpConnected(App& app);
void onInterpData(App& app, const std::string& chunk);
void onInterpClosed(App& app);

// A request to the service ("GAMESTAT", "PLAYERSTAT", "FLAGSTAT"): the bare word, no line end.
void sendInterp(App& app, const std::string& word);

// Empties the output window ("Clear").
void clearInterpOutput(App& app);

}  // namespace fc
