// Makes a control a handle that drags its window, for windows without the desktop's frame: the
// window system moves it where it can, else the window follows the mouse itself.
#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace fc {

class DragHandle : public QObject {
public:
    explicit DragHandle(QWidget* handle);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* handle_;
    bool following_ = false;
    QPoint grab_;  // where the mouse holds the window, from its top left corner
};

}  // namespace fc
