// The codes help window: the template codes and editing keys it lists, and its opening and
// closing, which hand the main window's stay-on-top over to it and back.
#pragma once

#include <string>

namespace fc {

class App;

// The code list and the key list, each line ended by CR LF.
std::string codesHelpCodeList();
std::string codesHelpKeyList();

// "Codes": takes the main window off the top (remembered on the button), disables the button
// and shows the help window.
void openCodesHelp(App& app);
// "Close this window": hides the help window, enables "Codes" again and puts the main window
// back on top when opening took it off.
void closeCodesHelp(App& app);

}  // namespace fc
