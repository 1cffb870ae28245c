#include "shell/tray_icon.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QWidget>

#include "program/startup.h"
#include "shell/program_icon.h"

namespace fc {

namespace {

// Up front without changing whether the window stays on top.
void bringToFront(QWidget* window) {
    window->raise();
    if (!window->isMinimized()) window->activateWindow();
}

void toggleHidden(QWidget* window) {
    if (window->isVisible()) {
        window->showMinimized();
        window->hide();  // only the tray icon is left
    } else {
        window->showNormal();
        window->activateWindow();
    }
}

}  // namespace

TrayIcon::TrayIcon(QWidget* window) : QObject(window), window_(window) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    icon_ = new QSystemTrayIcon(programIcon(), this);
    icon_->setToolTip(QString::fromLatin1(kTrayTip));
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) bringToFront(window_);
                if (reason == QSystemTrayIcon::DoubleClick) toggleHidden(window_);
            });
    icon_->show();
}

TrayIcon::~TrayIcon() {
    if (icon_) icon_->hide();
}

}  // namespace fc
