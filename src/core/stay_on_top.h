// Whether the main window stays above all other windows. The title bar's button switches it,
// and the codes help window takes the window off the top while it is open.
#pragma once

namespace fc {

class App;

// Toggles `stayOnTop`; the window follows it, with the button's second picture while on top.
void toggleStayOnTop(App& app);

}  // namespace fc
