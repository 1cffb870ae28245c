// Running without a window: for servers with no display, and for scripts that follow a match.
#pragma once

#include <QString>

#include "program/command_line.h"

namespace fc {

// Runs the program without a window until SIGINT, SIGTERM or the --duration runs out.
// Returns the exit status.
int runHeadless(const CommandLine& options, const QString& programDir);

// Writes the events a headless run shows on stdout, flushed line by line.
class App;
void attachHeadlessOutput(App& app, bool json);

}  // namespace fc
