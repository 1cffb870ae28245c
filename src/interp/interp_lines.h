// What one line of the Interp feed means: flag whereabouts, power-ups, the server's status,
// and the score and clock lines the feed's match clock takes.
#pragma once

#include <string>

namespace fc {

class App;

// Runs the line through every test in turn; each test acts on its own, so one line may match
// more than one. The line comes without its LF (and without a CR before it).
void handleInterpLine(App& app, const std::string& line);

}  // namespace fc
