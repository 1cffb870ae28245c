// The plain-text settings file beside the program.
#pragma once

namespace fc {

class App;

// Rewrites the settings file from the window. The file format is not built yet: until then
// this deliberately writes nothing.
void SafeINI(App& app);

}  // namespace fc
