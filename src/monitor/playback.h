// Playing a recording back through the reply handler, one record per 10 ms tick at most, at
// the pace it was recorded times the chosen speed.
#pragma once

namespace fc {

class App;

// Switching on with a recording in the server entry.
void startPlayback(App& app);
// The playback tick.
void onPlaybackTick(App& app);
// Ends the reading of the recording (the run's end closes it).
void closePlaybackFile(App& app);

enum class MouseButton { Left, Right, Other };
// The progress bar is the speed control: held left ten times, held right fifty times real time.
void onProgressMousePressed(App& app, MouseButton button);
void onProgressMouseReleased(App& app);

}  // namespace fc
