// The main window's beginning and end: its icon, the splash window, the tray icon, the About
// text, and the close request that runs the shut-down.
#pragma once

#include <QObject>

class QWidget;

namespace fc {

class App;
class SplashWindow;
class TrayIcon;
class App;

class WindowLifecycle : public QObject {
public:
    // Lets the logic close and restore `window`.
    WindowLifecycle(App& app, QWidget* window);
    ~WindowLifecycle() override;

    void refresh(const App& app);

    // A close request of the window: false while the shut-down's first phase refuses it.
    bool closeRequested();

private:
    void syncSplash(const App& app);
    void syncTray(const App& app);

    App& app_;
    QWidget* window_;
    QWidget* timePlayedEdit_ = nullptr;
    SplashWindow* splash_ = nullptr;
    TrayIcon* tray_ = nullptr;
};

}  // namespace fc
