// The window shell offscreen on the fake platform: the title bar, stay-on-top, the template
// editor and its previews, the codes window, the team menu, closing, and the tray.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "preview/template_editor.h"
#include "program/startup.h"
#include "program/wiring.h"
#include "shell/main_window.h"
#include "shell/program_icon.h"
#include "shell/title_bar.h"
#include "support/fake_platform.h"
#include "support/window_controls.h"

namespace fc::test {
namespace {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.endProgram = [this] { ++ends; };
        app.dispatch([this] { startProgram(app); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    template <typename W>
    W* control(const char* name) {
        return findControl<W>(window, name);
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    // The stay-on-top button shows the picture of that state, and the window has the hint.
    void expectOnTop(bool on) {
        EXPECT_EQ(app.window.stayOnTop, on);
        EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
        const QImage shown =
            control<QToolButton>("TitelKnopStayOnTop")->icon().pixmap(16).toImage();
        EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32),
                  stayOnTopPicture(on).toImage().convertToFormat(QImage::Format_ARGB32));
    }

    FakePlatform platform;
    WiredApp app{platform};
    MainWindow window{app};
    int ends = 0;
};

TEST_F(ShellTest, TitleBarButtonsAndStayOnTopTwice) {
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto x = [&](const char* name) { return control<QWidget>(name)->mapTo(&window, QPoint()).x(); };
    EXPECT_GT(x("TitelKnopSluit"), x("TitelKnopMinimize"));
    EXPECT_GT(x("TitelKnopMinimize"), x("TitelKnopStayOnTop"));
    if (!stayOnTopSupported()) GTEST_SKIP() << "this window system has no stay-on-top";
    click("TitelKnopStayOnTop");
    expectOnTop(true);
    click("TitelKnopStayOnTop");
    expectOnTop(false);
}

// The title bar's close hides everything at once; the program ends on the quit timer.
TEST_F(ShellTest, CloseHidesThenClosesTheBrowserAndTheSplash) {
    QWidget browser;
    browser.setObjectName("Form3");
    browser.show();
    click("TitelKnopSluit");
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(browser.isVisible());
    EXPECT_FALSE(app.window.splashVisible);
    EXPECT_EQ(ends, 0);
    platform.advance(500);
    EXPECT_EQ(ends, 1);
}

TEST_F(ShellTest, TemplateKeysAndTheColoursThePreviewShows) {
    click("Advanced");
    control<QTabWidget>("Tabs")->setCurrentIndex(2);
    auto* field = control<QLineEdit>("IRCLineDM");
    ASSERT_TRUE(field->isVisible());
    app.dispatch([&] { onTemplateEdited(app, TemplateField::Dm, "ab"); });
    field->setCursorPosition(1);
    QTest::keyClick(field, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(app.settings.dmTemplate, "a\002b");
    EXPECT_EQ(field->cursorPosition(), 2);
    QTest::keyClick(field, Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(app.settings.dmTemplate, "a\002b");

    app.dispatch([&] { onTemplateEdited(app, TemplateField::Dm, "\00304R\00312B\003x"); });
    auto* preview = control<QTextEdit>("rtfDM");
    auto colourAt = [&](int i) {
        QTextCursor cursor(preview->document());
        cursor.setPosition(i + 1);
        return cursor.charFormat().foreground().color();
    };
    EXPECT_EQ(preview->toPlainText(), "RBx");
    preview->selectAll();  // a redraw of the same document keeps what the operator selected
    window.refresh();
    EXPECT_TRUE(preview->textCursor().hasSelection());
    EXPECT_EQ(colourAt(0), QColor(255, 0, 0));
    EXPECT_EQ(colourAt(1), QColor(0, 0, 255));
    EXPECT_EQ(colourAt(2), QColor(0, 0, 0));
    click("Command10");  // "Black"
    EXPECT_EQ(colourAt(2), QColor(255, 255, 255));
    EXPECT_EQ(preview->palette().color(QPalette::Base), QColor(0, 0, 0));
    click("Advanced");
    EXPECT_FALSE(control<QWidget>("IRCOptionsLines")->isVisible());
}

TEST_F(ShellTest, CodesWindowTakesStayOnTopAndSitsOverTheWindow) {
    const bool onTop = stayOnTopSupported();
    if (onTop) click("TitelKnopStayOnTop");
    click("Command16");
    auto* codes = control<QWidget>("Form4");
    ASSERT_TRUE(codes->isVisible());
    EXPECT_TRUE(codes->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(app.window.stayOnTop);
    EXPECT_FALSE(control<QPushButton>("Command16")->isEnabled());
    EXPECT_EQ(codes->findChild<QLabel*>("Label1")->text().split('\n').at(9),
              "%c%  = Flag capped by (CTF only)");

    window.move(100, 60);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(codes, &activate);
    ASSERT_EQ(window.logicalDpiY(), 96);  // a sixth of an inch is 16 pixels
    EXPECT_EQ(codes->pos(),
              QPoint(100 + (window.width() - codes->frameGeometry().width()) / 2, 76));

    codes->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(codes->isVisible());
    EXPECT_EQ(app.window.stayOnTop, onTop);
    EXPECT_TRUE(control<QPushButton>("Command16")->isEnabled());
}

TEST_F(ShellTest, TeamMenuShowsItsCaptionsAndActsOnTheNames) {
    auto* menu = control<QMenu>("mnuOptions");
    QStringList shown;
    for (QAction* action : menu->actions()) shown << action->iconText();
    EXPECT_EQ(shown, QStringList({"Detect & Assign Teams", "Switch & Assign Teams", "",
                                  "Detect Tags only", "Assign Team names only",
                                  "Switch Team names only", "Reset teams (all Spec)"}));
    menu->findChild<QAction*>("mnuSwitch")->trigger();
    EXPECT_EQ(control<QLineEdit>("txtnaamRED")->text(), "Blue team");
}

TEST_F(ShellTest, TrayClicks) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "no system tray on this display";
    auto* tray = window.findChild<QSystemTrayIcon*>();
    ASSERT_NE(tray, nullptr);
    emit tray->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(app.window.stayOnTop);
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(window.isVisible());
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
}

TEST(HeadlessPreview, PrintsTheLineAndTheDocumentAsJson) {
    QProcess program;
    program.start(FRAGCASTER_BINARY, {"--preview", "\x02%c%", "--kind", "ctf", "--background",
                                      "black", "--json", "--no-colors"});
    ASSERT_TRUE(program.waitForFinished(10000));
    const QString out = QString::fromLatin1(program.readAllStandardOutput());
    EXPECT_TRUE(
        out.startsWith("{\"event\":\"preview\",\"line\":\"\\u0002Grimhawk\",\"rtf\":\"{\\\\rtf1"));
    EXPECT_TRUE(out.endsWith("\\\\cf1 \\\\b Grimhawk\\\\par }\"}\n"));
}

}  // namespace
}  // namespace fc::test
