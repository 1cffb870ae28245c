// Finding the window's controls by their field names, and showing the window on one tab.
#pragma once

#include <gtest/gtest.h>

#include <QTabWidget>
#include <QTest>
#include <QWidget>

namespace fc::test {

template <typename W>
W* findControl(QWidget& window, const char* name) {
    W* widget = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Shows the window on the given tab; false when it never appeared.
inline bool showOnTab(QWidget& window, int tab) {
    findControl<QTabWidget>(window, "Tabs")->setCurrentIndex(tab);
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

}  // namespace fc::test
