// The window offscreen on the fake platform: the operator's clicks, keys and typing reach the
// logic, what the logic holds comes back drawn, and the window's start and end.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "core/text_util.h"
#include "monitor/poller.h"
#include "preview/template_editor.h"
#include "program/startup.h"
#include "program/wiring.h"
#include "shell/main_window.h"
#include "support/fake_platform.h"
#include "support/replies.h"

namespace fc::test {
namespace {

class Window : public ::testing::Test {
protected:
    Window() { app.match.teamsKnown = true; }  // as the start-up leaves it
    void SetUp() override {
        tab(1);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    template <typename W = QWidget>
    W* control(const char* name, QWidget* in = nullptr) {
        W* found = (in ? in : &window)->findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* line(const char* name) {  // a line edit, or the line of a combo box
        auto* combo = qobject_cast<QComboBox*>(control(name));
        return combo ? combo->lineEdit() : control<QLineEdit>(name);
    }
    std::string text(const char* name) {  // whatever the control's kind, as Latin-1 bytes
        for (const char* property : {"plainText", "currentText", "text"})
            if (control(name)->property(property).isValid())
                return control(name)->property(property).toString().toLatin1().toStdString();
        return "";
    }
    bool enabled(const char* name) { return control(name)->isEnabled(); }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void tick(const char* name) {  // on a check box's box, at its left
        QTest::mouseClick(control(name), Qt::LeftButton, {}, {6, control(name)->height() / 2});
    }
    void type(const char* name, const std::string& latin1) {
        line(name)->setFocus();
        for (QChar c : QString::fromLatin1(latin1)) {  // keyClicks takes ASCII only
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(line(name), &press);
        }
    }
    void tab(int index) { control<QTabWidget>("Tabs")->setCurrentIndex(index); }
    void set(const std::function<void()>& change) { app.dispatch(change); }
    QTreeWidget* players() { return control<QTreeWidget>("spelerLijst"); }
    std::string cell(int row, int column) {
        return players()->topLevelItem(row)->text(column).toLatin1().toStdString();
    }
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

// The entry enables the connection button, which switches monitoring; the saved servers fill
// the drop-down, and picking one is an edit.
TEST_F(Window, ServerEntryConnectionButtonAndSavedServers) {
    EXPECT_FALSE(enabled("quakeTimerButton"));
    type("Q2Serverlist", "127.0.0.1");
    EXPECT_TRUE(enabled("quakeTimerButton"));
    // Typing in the middle: each redraw must leave the caret where the operator put it.
    line("Q2Serverlist")->setCursorPosition(0);
    type("Q2Serverlist", "x");
    QTest::keyClick(line("Q2Serverlist"), Qt::Key_Delete);
    EXPECT_EQ(app.settings.serverEntry, "x27.0.0.1");
    // An entry put there by someone else counts once the operator clicks into it.
    set([&] {
        app.settings.serverEntry = "127.0.0.1:27960 Friday league";
        app.window.connectionButtonEnabled = false;
    });
    QTest::mouseClick(line("Q2Serverlist"), Qt::LeftButton);
    click("quakeTimerButton");
    EXPECT_FALSE(enabled("Q2Serverlist") || app.window.serverEntryEnabled);
    click("Q2Plus");
    EXPECT_EQ(control<QComboBox>("Q2Serverlist")->count(), 1);
    EXPECT_EQ(text("Q2Serverlist"), "127.0.0.1:27960 Friday league");  // the list leaves it
    click("quakeTimerButton");
    EXPECT_TRUE(enabled("Q2Serverlist"));
    set([&] { app.settings.savedServers = {"127.0.0.1:27960", "127.0.0.2:27910"}; });
    auto* servers = control<QComboBox>("Q2Serverlist");
    emit servers->textActivated(servers->itemText(1));
    EXPECT_EQ(app.settings.serverEntry, "127.0.0.2:27910");
}

// Each of the Interp tab's switches is drawn from the bot's and sets it; the feed is drawn and
// the buttons ask it.
TEST_F(Window, InterpTabSwitchesTheFeedAndSendsTheOperatorsRequests) {
    const std::pair<const char*, bool InterpState::*> switches[] = {
        {"InterpGotFlag", &InterpState::interpGotFlag},
        {"InterpLostFlag", &InterpState::interpLostFlag},
        {"InterpRecoverFlag", &InterpState::interpRecoverFlag},
        {"InterpQuad", &InterpState::interpQuad},
        {"InterpHaste", &InterpState::interpHaste},
        {"InterpRegen", &InterpState::interpRegen},
        {"InterpInvis", &InterpState::interpInvis},
        {"InterpServerMsg", &InterpState::interpServerMsg},
        {"InterpReport", &InterpState::interpReport}};
    for (const auto& [name, on] : switches) {
        const bool initial = app.interp.*on;
        EXPECT_EQ(control<QCheckBox>(name)->isChecked(), initial) << name;
        control<QCheckBox>(name)->click();
        EXPECT_NE(app.interp.*on, initial) << name;
    }
    set([&] { app.settings.serverEntry = "10.0.0.5:27960"; });
    click("Command11");  // "Reconnect"
    FakeTcpSocket& feed = *platform.tcpSockets.at(1);
    EXPECT_EQ(feed.host, "10.0.0.5");
    feed.accept();
    set([&] { feed.receive("Welcome to Interp 3.0\r\nSarge got the RED flag!\r\n"); });
    EXPECT_EQ(text("InterpVersion") + " " + text("StatRed"), "3.0 Sarge");
    EXPECT_EQ(text("InterpOutput"), "Welcome to Interp 3.0\nSarge got the RED flag!\n");
    click("Command12");
    click("Command8");
    EXPECT_TRUE(textContains(feed.sent, "GAMESTATPLAYERSTAT"));
    click("Command9");
    EXPECT_EQ(text("InterpOutput"), "");
}

// The IRC tab locks its fields while connected, shows the output and its input line speaks.
TEST_F(Window, IrcTabLocksItsFieldsShowsTheOutputAndTheInputLineSpeaks) {
    tab(0);
    line("IRCServer")->selectAll();
    type("IRCServer", "irc.example.net");
    click("Command3");
    FakeTcpSocket& irc = *platform.tcpSockets.at(0);
    EXPECT_EQ(irc.host, "irc.example.net");
    irc.accept();
    EXPECT_FALSE(enabled("IRCServer") || enabled("txtstdKanaal") || enabled("Command3"));
    type("ircZegwat", "\xE9t\xE9 gl hf");
    QTest::keyClick(line("ircZegwat"), Qt::Key_Return);
    EXPECT_TRUE(textContains(irc.sent, "PRIVMSG #FCST :\xE9t\xE9 gl hf\r\n"));
    EXPECT_EQ(text("ircZegwat"), "");
    set([&] { app.appendOutput("\00304Red\003 \002scores\002"); });  // shown without codes
    EXPECT_TRUE(textContains(text("Text1"), "\n<FCST> \xE9t\xE9 gl hf\nRed scores\n"));
    click("Command1");
    EXPECT_TRUE(enabled("IRCServer") && enabled("txtstdKanaal") && enabled("Command3"));
}

// A reply is drawn without being asked; the rows' columns in the team's colour, and a later
// reply with fewer players, one who changed sides, leaves no stale rows or colours. A server's
// text is never read as markup.
TEST_F(Window, RepliesAndPlayerRowsAreDrawnInTheirTeamsColours) {
    onServerEntryEdited(app, "10.0.0.5:27960");
    toggleConnection(app);
    platform.advance(1000);  // the first tick aims the socket at the server
    platform.udpSockets.at(0)->deliver(quake3Reply({{"mapname", "q3dm17"}}, {{"12", "50", "A"}}),
                                       "10.0.0.5", 27960);
    EXPECT_EQ(text("qsMap") + cell(0, 0), "q3dm17A");
    app.monitor.playerRows = {{"RedGuy", "\240\24012", "50", "Red", RowColour::Red},
                              {"BlueGuy", "100", "999", "Blue", RowColour::Blue},
                              {"Watcher", "0", "0", "Spec", RowColour::Grey}};
    window.refresh();
    const QColor colours[] = {Qt::red, Qt::blue, QColor(0x80, 0x80, 0x80)};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(players()->topLevelItem(row)->foreground(column).color(), colours[row]);
    }
    EXPECT_EQ(cell(0, 1) + cell(1, 3), "\240\24012Blue");
    app.monitor.playerRows = {{"BlueGuy", "1", "80", "Red", RowColour::Red}};
    window.refresh();
    EXPECT_EQ(players()->topLevelItemCount(), 1);
    EXPECT_EQ(players()->topLevelItem(0)->foreground(0).color(), QColor(Qt::red));
    set([&] {
        app.window.teamScoresVisible = true;
        app.match.redTeamCaption = "<b>Red</b> & co";
    });
    EXPECT_EQ(control<QLabel>("Label9")->textFormat(), Qt::PlainText);
}

// A click on a row moves the player to the other side; moving with the keyboard does not.
TEST_F(Window, ClickOnARowMovesThePlayer) {
    app.monitor.playerRows = {{"Ann", "9", "10", "Red", RowColour::Red},
                              {"Bob", "10", "20", "Spec", RowColour::Grey}};
    window.refresh();
    const QPoint annRow = players()->visualItemRect(players()->topLevelItem(0)).center();
    QTest::mouseClick(players()->viewport(), Qt::LeftButton, {}, annRow);
    EXPECT_EQ(cell(0, 3), "Blue");
    players()->setFocus();
    players()->setCurrentItem(players()->topLevelItem(0));
    QTest::keyClick(players(), Qt::Key_Down);
    EXPECT_EQ(app.monitor.playerRows[1].team, "Spec");
}

// "Safe now!" saves; a close event waits for the quit timer, and saves.
TEST_F(Window, SaveNowAndCloseWhichWaitsForTheQuitTimer) {
    startUp();
    tab(2);
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

// Alt+B puts the bold code at the caret; the preview draws the colours, on black after "Black".
TEST_F(Window, TemplateKeysAndTheColoursThePreviewShows) {
    tick("Advanced");
    tab(2);
    set([&] { onTemplateEdited(app, TemplateField::Dm, "ab"); });
    line("IRCLineDM")->setCursorPosition(1);
    QTest::keyClick(line("IRCLineDM"), Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(app.settings.dmTemplate, "a\002b");
    EXPECT_EQ(line("IRCLineDM")->cursorPosition(), 2);
    set([&] { onTemplateEdited(app, TemplateField::Dm, "\00304R\00312B\003x"); });
    auto* preview = control<QTextEdit>("rtfDM");
    const auto colours = [&] {
        QString names;
        for (int i = 1; i <= 3; ++i) {
            QTextCursor cursor(preview->document());
            cursor.setPosition(i);
            names += cursor.charFormat().foreground().color().name();
        }
        return names.toStdString();
    };
    EXPECT_EQ(preview->toPlainText(), "RBx");
    preview->selectAll();  // a redraw of the same document keeps what the operator selected
    window.refresh();
    EXPECT_TRUE(preview->textCursor().hasSelection());
    EXPECT_EQ(colours(), "#ff0000#0000ff#000000");
    click("Command10");  // "Black"
    EXPECT_EQ(colours(), "#ff0000#0000ff#ffffff");
}

// The browser is a window of its own: its controls are found from it, never from the main
// window, which has a "Command6" of its own too.
TEST_F(Window, DotsButtonOpensTheBrowserWhichSavesWhenClosed) {
    app.settings.savedServers = {"10.0.0.1:27901", "10.0.0.2:27902"};
    app.settings.serverEntry = "10.0.0.2:27902 (Two)";
    platform.files["fcst-ql.ini"] =
        "One\r\n1 / 8\r\nq2dm1\r\na\r\n10.0.0.1:27901\r\nTwo\r\n0 / 8\r\nq2dm2\r\n-\r\n"
        "10.0.0.2:27902\r\n";
    click("QuakeServerMore");
    QWidget* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Form3" && w->isVisible()) browser = w;
    ASSERT_TRUE(browser && !browser->parentWidget());
    auto* list = control<QTreeWidget>("qServ", browser);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(1));           // the current server
    set([&] { app.browserView.detailList = {"mapname = q2dm2"}; });  // the clicked row's detail
    EXPECT_EQ(control<QListWidget>("List1", browser)->item(0)->text(), "mapname = q2dm2");
    platform.fileLog.clear();
    browser->close();
    EXPECT_FALSE(app.browserView.browserVisible);
    EXPECT_EQ(platform.fileLog, std::vector<std::string>{"replace orvexa.ini"});
}

}  // namespace
}  // namespace fc::test
