#include "program/shutdown.h"

#include "core/app.h"
#include "irc/irc_connection.h"
#include "settings/settings_file.h"

namespace fc {

bool OnCloseRequest(App& app) {
    MainView& v = app.view;
    SendQuitLine(app);  // only when connected
    SafeINI(app);

    if (v.shutdownPhase == "1") {
        app.ircSocket->close();
        app.quakeTimer->setEnabled(false);  // no query leaves while the program ends
        v.splashVisible = false;
        app.splashTimer1->setEnabled(false);
        app.splashTimer2->setEnabled(false);
        if (app.endProgram) app.endProgram();
        return true;
    }
    // There is no way back from here: the quit timer always leads to the final close.
    v.trayIconAdded = false;
    app.quitTimer->setEnabled(true);
    return false;
}

void OnQuitTimer(App& app) {
    app.quitTimer->setEnabled(false);
    app.view.shutdownPhase = "1";
    if (app.closeMainWindow) app.closeMainWindow();
}

}  // namespace fc
