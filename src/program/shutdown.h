// Leaving the program in two phases half a second apart, so that the IRC server receives the
// bot's QUIT before the connection goes: the first close request says goodbye, saves the
// settings and is refused; the quit timer then closes the window again for good.
#pragma once

namespace fc {

class App;

// Every close request of the main window (its close button, the desktop, the quit timer, or a
// signal in the headless run). True when the program ends now; false when the request is
// refused and the quit timer will ask again.
bool onCloseRequest(App& app);

void onQuitTimer(App& app);

}  // namespace fc
