#include "shell/window_lifecycle.h"

#include <QWidget>

#include "core/app.h"
#include "program/shutdown.h"
#include "shell/program_icon.h"
#include "shell/qt_text.h"
#include "shell/splash_window.h"
#include "shell/tray_icon.h"
#include "shell/widget_sync.h"

namespace fc {

WindowLifecycle::WindowLifecycle(App& app, QWidget* window)
    : QObject(window), app_(app), window_(window) {
    window->setWindowIcon(programIcon());
    // The time-played field, built by the tabs before this, shows the logic's tip.
    timePlayedEdit_ = window->findChild<QWidget*>(QStringLiteral("TimePlayedX"));

    app_.closeMainWindow = [this] { window_->close(); };
    app_.restoreMainWindow = [this] {
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    };
}

WindowLifecycle::~WindowLifecycle() {
    app_.closeMainWindow = nullptr;
    app_.restoreMainWindow = nullptr;
    delete splash_;
}

void WindowLifecycle::refresh(const App& app) {
    if (timePlayedEdit_) {
        const QString tip = display(app.window.timePlayedToolTip);
        if (timePlayedEdit_->toolTip() != tip) timePlayedEdit_->setToolTip(tip);
    }
    syncSplash(app);
    syncTray(app);
}

void WindowLifecycle::syncSplash(const App& app) {
    if (app.window.splashVisible && !splash_) {
        splash_ = new SplashWindow(app_);
        splash_->show();
    } else if (!app.window.splashVisible && splash_) {
        // Possibly inside the splash window's own click handler: it goes once that returns.
        splash_->hide();
        splash_->deleteLater();
        splash_ = nullptr;
    }
    if (splash_) splash_->refresh();
}

void WindowLifecycle::syncTray(const App& app) {
    if (app.window.trayIconAdded && !tray_) {
        tray_ = new TrayIcon(window_);
    } else if (!app.window.trayIconAdded && tray_) {
        delete tray_;
        tray_ = nullptr;
    }
}

bool WindowLifecycle::closeRequested() {
    bool ends = false;
    app_.dispatch([&] { ends = onCloseRequest(app_); });
    return ends;
}

}  // namespace fc
