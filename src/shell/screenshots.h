// `--screenshots DIR`: the window plays the recording in its server entry at full speed and,
// once it has ended, saves a picture of each main tab, of the codes window and (with a stored
// server list) of the server browser into DIR, then ends the program. The README's pictures are
// made this way from the shipped demo match.
#pragma once

#include <QString>

class QWidget;

namespace fc {

class App;

// Call after start-up, before the event loop runs.
void takeScreenshotsAfterReplay(App& app, QWidget& window, const QString& dir);

}  // namespace fc
