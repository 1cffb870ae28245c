// The program's icon in the desktop's tray, where the desktop has one; without a tray the
// program simply has none. A click brings the window to the front; a double click hides it
// to the tray, or shows it again.
#pragma once

#include <QObject>

class QSystemTrayIcon;
class QWidget;

namespace fc {

class TrayIcon : public QObject {
public:
    // Shows the icon for `window` when the desktop has a tray.
    explicit TrayIcon(QWidget* window);
    ~TrayIcon() override;

    bool shown() const { return icon_ != nullptr; }

private:
    QWidget* window_;
    QSystemTrayIcon* icon_ = nullptr;
};

}  // namespace fc
