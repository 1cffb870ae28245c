// The timeline outside the window: the pictures saved at each game's end, and the headless
// `--timeline` command that draws every game of a recording.
#pragma once

#include <QString>
#include <functional>

#include "program/command_line.h"
#include "program/wiring.h"

namespace fc {

// At each game's end, with SaveTimeline on, its picture is saved beside the recordings and the
// output window says where; `also` (when set) hears the game too.
void saveTimelinesAtEnd(WiredApp& app, const QString& programDir,
                        std::function<void(const Timeline&)> also = {});

// Replays the recording at high speed and draws each of its games; prints the files written
// (with --json, a timeline event per game). Returns the exit status.
int runTimelineCommand(const CommandLine& options, const QString& programDir);

// Qt draws text only under a GUI application: one without a display draws offscreen.
void drawWithoutDisplay();

}  // namespace fc
