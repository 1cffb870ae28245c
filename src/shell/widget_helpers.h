// Small pieces the window's tabs share: naming controls, the editable entry combo boxes, and
// watching the mouse on a control without taking its events.
#pragma once

#include <QComboBox>
#include <QObject>
#include <QString>
#include <functional>

namespace fc {

// Gives a control the name of its field in the view model, so it can be found by that name.
template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// An editable combo box whose list belongs to the logic: Enter does not add to it, and
// completion does not change the text behind the operator's back.
QComboBox* entryCombo(const char* name, QWidget* parent);

// Calls back on mouse presses (true) and releases (false) in the watched control, leaving the
// events to it.
class MouseWatcher : public QObject {
public:
    MouseWatcher(QObject* watched, std::function<void(bool pressed)> onButton);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(bool)> onButton_;
};

}  // namespace fc
