#include "program/shutdown.h"

#include "core/app.h"
#include "irc/irc_connection.h"
#include "settings/settings_file.h"

namespace fc {

bool onCloseRequest(App& app) {
    sendQuitLine(app);  // only when connected
    saveSettings(app);

    if (app.window.finalCloseBegun) {
        app.ircSocket->close();
        app.pollTimer->setEnabled(false);  // no query leaves while the program ends
        app.window.splashVisible = false;
        app.splashEndTimer->setEnabled(false);
        app.splashRestoreTimer->setEnabled(false);
        if (app.endProgram) app.endProgram();
        return true;
    }
    // There is no way back from here: the quit timer always leads to the final close.
    app.window.trayIconAdded = false;
    app.quitTimer->setEnabled(true);
    return false;
}

void onQuitTimer(App& app) {
    // Lines on their way to a chat room get up to ten seconds more; the timer ticks again.
    constexpr int kMostQuitWaits = 20;
    if (app.lineSink && app.lineSink->delivering() && app.window.quitWaits < kMostQuitWaits) {
        ++app.window.quitWaits;
        return;
    }
    app.quitTimer->setEnabled(false);
    app.window.finalCloseBegun = true;
    if (app.closeMainWindow) app.closeMainWindow();
}

}  // namespace fc
