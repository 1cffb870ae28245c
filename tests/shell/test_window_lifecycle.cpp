// The window's start and end offscreen on the fake platform: the title, the splash window and
// its timers, the About text, and a close that is refused until the quit timer ends it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "settings/settings_file.h"
#include "settings/startup.h"
#include "shell/main_window.h"
#include "support/fake_platform.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

class WindowLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.endProgram = [this] { ++ends; };
        app.dispatch([this] { StartUp(app); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // The splash window while it is up.
    static QWidget* splash() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowTitle() == "FCST Splash!" && w->isVisible()) return w;
        }
        return nullptr;
    }

    FakePlatform platform;
    WiredApp app{platform};
    MainWindow window{app};
    int ends = 0;
};

TEST_F(WindowLifecycleTest, StartShowsTitleSplashAndAbout) {
    auto* title = window.findChild<QLabel*>("Titel");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Fragcaster! - Version 1.33");
    auto* about = window.findChild<QLabel*>("aboutlabel");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->text().startsWith("Fragcaster - Version 1.33\n\n"));
    EXPECT_FALSE(about->text().contains('\r'));
    auto* timePlayed = window.findChild<QWidget*>("TimePlayedX");
    ASSERT_NE(timePlayed, nullptr);
    EXPECT_EQ(timePlayed->toolTip(), "Change Time Elapsed here!");

    QWidget* shown = splash();
    ASSERT_NE(shown, nullptr);
    auto* version = shown->findChild<QLabel*>("Label1");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Version 1.33");
    EXPECT_TRUE(shown->windowFlags() & Qt::WindowStaysOnTopHint);

    QTest::mouseClick(shown, Qt::LeftButton);
    EXPECT_FALSE(app.view.splashVisible);
    EXPECT_EQ(splash(), nullptr);
}

TEST_F(WindowLifecycleTest, TitleIsTheCaptionTheLogicKeeps) {
    EXPECT_EQ(window.windowTitle(), "~ FCST ~");
    app.dispatch([this] { app.view.Caption = "Red 3|Blue 1|12:00"; });
    EXPECT_EQ(window.windowTitle(), "Red 3|Blue 1|12:00");
}

TEST_F(WindowLifecycleTest, SplashRestoresTheWindowThenGoes) {
    window.setWindowState(Qt::WindowMinimized);
    platform.advance(3000);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    EXPECT_NE(splash(), nullptr);
    platform.advance(1500);
    EXPECT_EQ(splash(), nullptr);
}

TEST_F(WindowLifecycleTest, CloseIsRefusedUntilTheQuitTimerEndsIt) {
    platform.fileLog.clear();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(app.view.trayIconAdded);
    EXPECT_EQ(ends, 0);

    platform.advance(500);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(splash(), nullptr);
    EXPECT_EQ(platform.fileLog,
              (std::vector<std::string>{"replace orvexa.ini", "replace orvexa.ini"}));
}

TEST_F(WindowLifecycleTest, OptionsSaveNowAndTheUpdateCheckBox) {
    auto* update = window.findChild<QCheckBox*>("CheckForUpdate");
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->text(), "Check for updates at startup.");
    EXPECT_TRUE(update->isChecked());
    update->click();
    EXPECT_FALSE(app.view.CheckForUpdate);

    platform.fileLog.clear();
    auto* save = window.findChild<QPushButton*>("IRCsafebutton");
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "Safe now!");
    save->click();
    EXPECT_EQ(platform.fileLog, std::vector<std::string>{"replace orvexa.ini"});
    EXPECT_NE(platform.files[kSettingsFile].find("CheckForUpdate = 0\r\n"), std::string::npos);
}

TEST_F(WindowLifecycleTest, PlusAndMinusBesideTheIrcServerField) {
    auto* plus = window.findChild<QPushButton*>("Command6");
    auto* minus = window.findChild<QPushButton*>("Command7");
    ASSERT_NE(plus, nullptr);
    ASSERT_NE(minus, nullptr);
    app.view.IRCServer = "irc.example.org";
    plus->click();
    EXPECT_EQ(app.view.IRCServerList.back(), "irc.example.org");
    minus->click();
    EXPECT_EQ(app.view.IRCServerList.back(), "irc.oftc.net");
}

}  // namespace
}  // namespace fc::test
