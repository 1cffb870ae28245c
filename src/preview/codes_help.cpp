#include "preview/codes_help.h"

#include <initializer_list>

#include "core/app.h"
#include "core/stay_on_top.h"

namespace fc {

namespace {

std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

}  // namespace

std::string CodesHelpCodeList() {
    return Lines({"Codes used in IRC Lines:", "%at% = Team name (Team A)",
                  "%bt% = Team name (Team B)", "%as% = Team score (Team A)",
                  "%bs% = Team score (Team B)", "%ae% = Point received since last poll (A)",
                  "%be% = Point received since last poll (B)", "%ap% = Average ping of team A",
                  "%bp% = Average ping of team B", "%c%  = Flag capped by (CTF only)",
                  "%tl% = Time left", "%map% = Map playing", "%sv% = Server IP",
                  "%svlang% = Server IP and Server name"});
}

std::string CodesHelpKeyList() {
    return Lines({"ALT+B = Add BOLD code", "ALT+U = Add UNDERLINE code", "ALT+K = Add COLOR code"});
}

void OpenCodesHelp(App& app) {
    MainView& v = app.view;
    if (v.Form4Visible) return;
    v.Command16Tag = v.stayOnTop ? "1" : "0";
    if (v.stayOnTop) WisselStayOnTop(app);
    v.Command16Enabled = false;
    v.Form4Visible = true;
}

void CloseCodesHelp(App& app) {
    MainView& v = app.view;
    v.Form4Visible = false;
    v.Command16Enabled = true;
    if (v.Command16Tag == "1") {
        WisselStayOnTop(app);
        v.Command16Tag = "0";
    }
}

}  // namespace fc
