// The window offscreen on the fake platform: the operator's clicks, keys and typing reach the
// logic, what the logic holds comes back drawn, and the window's start and end.
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
        control<QTabWidget>("Tabs")->setCurrentIndex(1);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    template <typename W = QWidget>
    W* control(const char* name) {
        W* found = window.findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* entry() { return control<QComboBox>("Q2Serverlist")->lineEdit(); }
    std::string text(const char* name) { return control<QLabel>(name)->text().toStdString(); }
    bool enabled(const char* name) { return control(name)->isEnabled(); }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void tick(const char* name) {  // on a check box's box, at its left
        QTest::mouseClick(control(name), Qt::LeftButton, {}, {6, control(name)->height() / 2});
    }
    void type(const char* text) {
        entry()->setFocus();
        QTest::keyClicks(entry(), text);
    }
    void set(const std::function<void()>& change) { app.dispatch(change); }
    void startUp() {
        app.endProgram = [this] { ++ends; };
        app.dispatch([this] { startProgram(app); });
    }
    static QWidget* splash() {  // while it is up
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == "FCST Splash!" && w->isVisible()) return w;
        return nullptr;
    }

    FakePlatform platform;
    WiredApp app{platform};
    MainWindow window{app};
    int ends = 0;
};

// Its texts at all; the window's title follows the caption; the splash restores the window that
// was minimised meanwhile, and goes when clicked.
TEST_F(Window, StartShowsTheTextsAndTheSplash) {
    startUp();
    EXPECT_TRUE(textContains(text("Titel"), versionText()));
    EXPECT_FALSE(textContains(text("aboutlabel"), "\r") || text("aboutlabel").empty());
    set([&] { app.window.windowCaption = "Red 3|Blue 1|12:00"; });
    EXPECT_EQ(window.windowTitle(), "Red 3|Blue 1|12:00");
    window.setWindowState(Qt::WindowMinimized);
    platform.advance(3000);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    ASSERT_NE(splash(), nullptr);
    QTest::mouseClick(splash(), Qt::LeftButton);
    EXPECT_FALSE(app.window.splashVisible || splash());
}

// The entry enables the connection button, which switches monitoring; picking a saved server
// is an edit.
TEST_F(Window, ServerEntryConnectionButtonAndSavedServers) {
    EXPECT_FALSE(enabled("quakeTimerButton"));
    type("127.0.0.1");
    EXPECT_TRUE(enabled("quakeTimerButton"));
    // Typing in the middle: each redraw must leave the caret where the operator put it.
    entry()->setCursorPosition(0);
    type("x");
    QTest::keyClick(entry(), Qt::Key_Delete);
    EXPECT_EQ(app.settings.serverEntry, "x27.0.0.1");
    // An entry put there by someone else counts once the operator clicks into it.
    set([&] {
        app.settings.serverEntry = "127.0.0.1:27960 Friday league";
        app.window.connectionButtonEnabled = false;
    });
    QTest::mouseClick(entry(), Qt::LeftButton);
    click("quakeTimerButton");
    EXPECT_FALSE(enabled("Q2Serverlist") || app.window.serverEntryEnabled);
    click("quakeTimerButton");
    EXPECT_TRUE(enabled("Q2Serverlist"));
    set([&] { app.settings.savedServers = {"127.0.0.1:27960", "127.0.0.2:27910"}; });
    emit control<QComboBox>("Q2Serverlist")->textActivated("127.0.0.2:27910");
    EXPECT_EQ(app.settings.serverEntry, "127.0.0.2:27910");
}

// "Safe now!" saves; a close event waits for the quit timer, and saves.
TEST_F(Window, SaveNowAndCloseWhichWaitsForTheQuitTimer) {
    startUp();
    control<QTabWidget>("Tabs")->setCurrentIndex(2);
    platform.fileLog.clear();
    tick("CheckForUpdate");
    click("IRCsafebutton");
    EXPECT_TRUE(textContains(platform.files["orvexa.ini"], "\r\nCheckForUpdate = 0\r\n"));
    EXPECT_FALSE(window.close());
    platform.advance(490);
    EXPECT_TRUE(window.isVisible());
    platform.advance(10);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(platform.fileLog.size(), 3u);
}

}  // namespace
}  // namespace fc::test
