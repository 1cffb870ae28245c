#include "shell/widget_helpers.h"

#include <QEvent>

namespace fc {

QComboBox* entryCombo(const char* name, QWidget* parent) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return combo;
}

MouseWatcher::MouseWatcher(QObject* watched, std::function<void(bool)> onButton)
    : QObject(watched), onButton_(std::move(onButton)) {
    watched->installEventFilter(this);
}

bool MouseWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) onButton_(true);
    if (event->type() == QEvent::MouseButtonRelease) onButton_(false);
    return QObject::eventFilter(watched, event);
}

}  // namespace fc
