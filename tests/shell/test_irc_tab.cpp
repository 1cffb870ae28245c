// The IRC tab and the IRC options offscreen on the fake platform: the window draws the
// connection's fields and output, and the operator's actions reach the bot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "shell/main_window.h"
#include "support/fake_platform.h"
#include "support/window_controls.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

class IrcTabTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ShowOnTab(window, 0)); }

    template <typename W>
    W* control(const char* name) {
        return FindControl<W>(window, name);
    }
    FakeTcpSocket& socket() { return *platform.tcpSockets.at(0); }

    FakePlatform platform;
    WiredApp app{platform};
    MainWindow window{app};
};

TEST_F(IrcTabTest, ConnectLocksTheFieldsAndQuitUnlocksThem) {
    auto* server = control<QComboBox>("IRCServer");
    ASSERT_EQ(server->count(), 3);
    EXPECT_EQ(server->currentText(), QString::fromLatin1(kBuiltInIrcServers[0]));
    EXPECT_EQ(control<QLineEdit>("txtstdKanaal")->text(), "#FCST");
    EXPECT_EQ(control<QLineEdit>("ircName")->text(), "FCST");
    EXPECT_FALSE(control<QPushButton>("Command1")->isEnabled());

    server->lineEdit()->selectAll();
    QTest::keyClicks(server->lineEdit(), "irc.example.net");
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    EXPECT_EQ(socket().host, "irc.example.net");
    EXPECT_FALSE(server->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("txtstdKanaal")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("ircName")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Command3")->isEnabled());

    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_TRUE(server->isEnabled());
    EXPECT_TRUE(control<QPushButton>("Command3")->isEnabled());
}

TEST_F(IrcTabTest, OutputShowsTextWithoutFormattingCodesAndTheInputLineSpeaks) {
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    socket().accept();
    app.dispatch([&] { socket().receive(":irc.test 353 FCST = #FCST :@op FCST\r\n"); });
    EXPECT_EQ(control<QListWidget>("ircLijst")->count(), 2);

    auto* input = control<QLineEdit>("ircZegwat");
    input->setFocus();
    for (QChar c : QString::fromLatin1("\xe9t\xe9 gl hf")) {  // keyClicks takes ASCII only
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(input, &press);
    }
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_NE(socket().sent.find("PRIVMSG #FCST :\xE9t\xE9 gl hf\r\n"), std::string::npos);
    EXPECT_EQ(input->text(), "");

    app.dispatch([&] {
        app.appendOutput(
            "\x03"
            "04Red\x03 \x02scores\x02");
    });
    const QString shown = control<QPlainTextEdit>("Text1")->toPlainText();
    EXPECT_TRUE(shown.contains(QString::fromLatin1("<FCST> \xE9t\xE9 gl hf\n")));
    EXPECT_TRUE(shown.endsWith("Red scores\n"));
}

TEST_F(IrcTabTest, OptionsReachTheBotAndAdvancedModeShowsTheRest) {
    control<QTabWidget>("Tabs")->setCurrentIndex(2);
    auto tick = [](QCheckBox* box) {  // on the box itself: the row is wider than its text
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    };
    tick(control<QCheckBox>("PriveServer"));
    EXPECT_TRUE(app.view.PriveServer);
    EXPECT_TRUE(app.view.serverIsPrivate);
    tick(control<QCheckBox>("IRConjoin"));
    EXPECT_FALSE(app.view.IRConjoin);
    auto* allowed = control<QLineEdit>("KillAllowedFrom");
    QTest::keyClicks(allowed, "Admin op2");
    EXPECT_EQ(app.view.KillAllowedFrom, "Admin op2");

    EXPECT_FALSE(control<QListWidget>("ignorelist")->isVisible());
    app.dispatch([&] {
        app.view.Advanced = true;
        app.view.ignorelist = {"joe 12"};
    });
    EXPECT_TRUE(control<QListWidget>("ignorelist")->isVisible());
    EXPECT_EQ(control<QListWidget>("ignorelist")->item(0)->text(), "joe 12");
    control<QTabWidget>("Tabs")->setCurrentIndex(0);
    EXPECT_TRUE(control<QLineEdit>("IRCPort")->isVisible());
    EXPECT_TRUE(control<QCheckBox>("debugAU")->isVisible());
}

}  // namespace
}  // namespace fc::test
