// The window offscreen on the fake platform: its start and end.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "core/text_util.h"
#include "program/startup.h"
#include "program/wiring.h"
#include "shell/main_window.h"
#include "support/fake_platform.h"

namespace fc::test {
namespace {

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void startUp() {
        app.endProgram = [this] { ++ends; };
        app.dispatch([this] { startProgram(app); });
    }
    static QWidget* splash() {  // while it is up
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == "Fragcaster" && w->isVisible()) return w;
        return nullptr;
    }

    FakePlatform platform;
    WiredApp app{platform};
    MainWindow window{app};
    int ends = 0;
};

// The title follows the caption; the splash restores a minimised window, goes on a click or later.
TEST_F(Window, StartShowsTheTitleAndTheSplash) {
    startUp();
    app.dispatch([&] { app.window.windowCaption = "Red 3|Blue 1|12:00"; });
    EXPECT_EQ(window.windowTitle(), "Red 3|Blue 1|12:00");
    window.setWindowState(Qt::WindowMinimized);
    platform.advance(3000);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    ASSERT_TRUE(splash() && app.window.splashVisible && app.window.trayIconAdded);
    QTest::mouseClick(splash(), Qt::LeftButton);
    EXPECT_FALSE(app.window.splashVisible || splash());
    startUp();  // unclicked, it goes by itself
    platform.advance(4500);
    EXPECT_FALSE(app.window.splashVisible);
}

TEST_F(Window, SaveNowAndCloseWhichWaitsForTheQuitTimer) {
    startUp();
    auto* tabs = window.findChild<QTabWidget*>("Tabs");
    QWidget *box = window.findChild<QWidget*>("CheckForUpdate"),
            *save = window.findChild<QWidget*>("IRCsafebutton");
    ASSERT_TRUE(tabs && box && save);
    tabs->setCurrentIndex(2);
    platform.fileLog.clear();
    QTest::mouseClick(box, Qt::LeftButton, {}, {6, box->height() / 2});  // on the box, at its left
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(textContains(platform.files["orvexa.ini"], "\r\nCheckForUpdate = 0\r\n"));
    EXPECT_FALSE(window.close() || app.window.trayIconAdded);  // the tray icon goes at once
    platform.advance(490);
    EXPECT_TRUE(window.isVisible());
    platform.advance(10);
    EXPECT_FALSE(window.isVisible() || app.window.splashVisible);  // the splash goes with it
    EXPECT_EQ(std::tuple(ends, platform.fileLog.size(), app.pollTimer->enabled()),
              std::tuple(1, 3u, false));  // no query leaves as the program ends
}

}  // namespace
}  // namespace fc::test
