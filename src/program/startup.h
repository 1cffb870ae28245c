// Bringing the program up: the order of start-up, the splash window that accompanies it, and
// the texts start-up puts in place.
#pragma once

#include <string>

namespace fc {

class App;

inline constexpr const char* kTrayTip = "Fragcaster (for Quake 2/3)";
inline constexpr const char* kSplashCaption = "Fragcaster";

// The program's version text.
std::string versionText();

// Makes sure the recordings' folder "demos" exists in the program directory.
void checkDemoDir(App& app);

// Runs once when the main window is created: the window's first values, the settings, the
// splash window, the tray icon, the recordings' folder and the start count.
// It opens no connection.
void startProgram(App& app);

// The splash window: its first timer (4.5 s) or a click on its picture ends it and, when the
// operator wants it, starts the update check; its second timer (3 s) restores the main window.
void onSplashEndTimer(App& app);
void onSplashRestoreTimer(App& app);
void onSplashClicked(App& app);
// Closing the program while the splash is up: it goes without starting the update check.
void closeSplash(App& app);

// The recorded match shipped with the program, in its recordings folder.
inline constexpr const char* kShippedDemo = "ctf_oa_ctf4ish_x4.rec";

// Puts the recording at `path` into the server entry when no server was saved and it exists.
void offerShippedDemo(App& app, const std::string& path);

}  // namespace fc
