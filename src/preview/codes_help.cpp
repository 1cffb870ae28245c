#include "preview/codes_help.h"

#include <initializer_list>

#include "core/app.h"
#include "core/stay_on_top.h"

namespace fc {

namespace {

std::string joinLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

}  // namespace

std::string codesHelpCodeList() {
    return joinLines({"Codes used in IRC Lines:", "%at% = Team name (Team A)",
                      "%bt% = Team name (Team B)", "%as% = Team score (Team A)",
                      "%bs% = Team score (Team B)", "%ae% = Point received since last poll (A)",
                      "%be% = Point received since last poll (B)", "%ap% = Average ping of team A",
                      "%bp% = Average ping of team B", "%c%  = Flag capped by (CTF only)",
                      "%tl% = Time left", "%map% = Map playing", "%sv% = Server IP",
                      "%svlang% = Server IP and Server name"});
}

std::string codesHelpKeyList() {
    return joinLines(
        {"ALT+B = Add BOLD code", "ALT+U = Add UNDERLINE code", "ALT+K = Add COLOR code"});
}

void openCodesHelp(App& app) {
    if (app.preview.codesHelpVisible) return;
    app.preview.codesHelpLoweredWindow = app.window.stayOnTop;
    if (app.window.stayOnTop) toggleStayOnTop(app);
    app.preview.codesButtonEnabled = false;
    app.preview.codesHelpVisible = true;
}

void closeCodesHelp(App& app) {
    app.preview.codesHelpVisible = false;
    app.preview.codesButtonEnabled = true;
    if (app.preview.codesHelpLoweredWindow) {
        toggleStayOnTop(app);
        app.preview.codesHelpLoweredWindow = false;
    }
}

}  // namespace fc
