#include "shell/drag_handle.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace fc {

DragHandle::DragHandle(QWidget* handle) : QObject(handle), handle_(handle) {
    handle->installEventFilter(this);
}

bool DragHandle::eventFilter(QObject* watched, QEvent* event) {
    if (watched != handle_) return false;
    QWidget* window = handle_->window();
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return false;
            QWindow* native = window->windowHandle();
            if (native && native->startSystemMove()) return true;
            following_ = true;
            grab_ = mouse->globalPosition().toPoint() - window->pos();
            return true;
        }
        case QEvent::MouseMove:
            if (!following_) return false;
            window->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - grab_);
            return true;
        case QEvent::MouseButtonRelease:
            following_ = false;
            return false;
        default:
            return false;
    }
}

}  // namespace fc
