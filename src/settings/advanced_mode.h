// Advanced mode: the tabs "Srv. Info", "Record" and "Interp" and the advanced IRC options are
// shown only while it is on. The check box "Show advanced options / tabs" switches it, and so
// does reading the setting "Advanced"; the window shows or hides those controls from it.
#pragma once

namespace fc {

class App;

void switchAdvancedOn(App& app);
void switchAdvancedOff(App& app);

}  // namespace fc
