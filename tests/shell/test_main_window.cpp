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
#include "shell/program_icon.h"
#include "shell/title_bar.h"
#include "support/fake_platform.h"
#include "support/replies.h"
#include "support/window_controls.h"

namespace fc::test {
namespace {

using Names = std::vector<std::string>;

class Window : public ::testing::Test {
protected:
    Window() { app.match.teamsKnown = true; }  // as the start-up leaves it
    void SetUp() override { ASSERT_TRUE(showOnTab(window, 1)); }

    template <typename W = QWidget>
    W* control(const char* name, QWidget* in = nullptr) {
        return findControl<W>(in ? *in : window, name);
    }
    // A line edit, or the line of a combo box.
    QLineEdit* line(const char* name) {
        auto* combo = qobject_cast<QComboBox*>(control(name));
        return combo ? combo->lineEdit() : control<QLineEdit>(name);
    }
    // The text a control shows, whatever its kind, as Latin-1 bytes.
    std::string text(const char* name) {
        const QWidget* w = control(name);
        for (const char* property : {"plainText", "currentText", "text"})
            if (w->property(property).isValid())
                return w->property(property).toString().toLatin1().toStdString();
        return "";
    }
    // "1" for each of the controls that is enabled, "0" for one that is not.
    std::string enabled(std::initializer_list<const char*> names) {
        std::string states;
        for (const char* name : names) states += control(name)->isEnabled() ? "1" : "0";
        return states;
    }
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
    std::string tabs() {
        auto* tabs = control<QTabWidget>("Tabs");
        std::string shown;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->isTabVisible(i)) shown += tabs->tabText(i).toStdString() + ",";
        return shown;
    }
    void set(const std::function<void()>& change) { app.dispatch(change); }
    QTreeWidget* players() { return control<QTreeWidget>("spelerLijst"); }
    // The rows as "name|score|ping|team" lines, the cells' text as Latin-1 bytes.
    std::string rows() {
        std::string texts;
        for (int i = 0; i < players()->topLevelItemCount(); ++i)
            for (int column = 0; column < 4; ++column)
                texts += players()->topLevelItem(i)->text(column).toLatin1().toStdString() +
                         (column < 3 ? "|" : "\n");
        return texts;
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

// Its texts at all: the title, and the about text without CR; the window's title follows the
// caption; the splash is up above all, restores the window that was minimised meanwhile, and
// goes when clicked.
TEST_F(Window, StartShowsTheTextsAndTheSplash) {
    startUp();
    EXPECT_EQ(text("Titel"), "Fragcaster! - Version 1.33");
    EXPECT_FALSE(textContains(text("aboutlabel"), "\r") || text("aboutlabel").empty());
    set([&] { app.window.windowCaption = "Red 3|Blue 1|12:00"; });
    EXPECT_EQ(window.windowTitle(), "Red 3|Blue 1|12:00");
    window.setWindowState(Qt::WindowMinimized);
    platform.advance(3000);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    ASSERT_NE(splash(), nullptr);
    EXPECT_TRUE(splash()->windowFlags() & Qt::WindowStaysOnTopHint);
    QTest::mouseClick(splash(), Qt::LeftButton);
    EXPECT_FALSE(app.window.splashVisible);
    EXPECT_EQ(splash(), nullptr);
}

TEST_F(Window, AdvancedModeShowsTheExtraTabsAndFollowsItsCheckBox) {
    EXPECT_EQ(tabs(), "IRC,Game,Options,About,Help,");
    tick("Advanced");
    EXPECT_TRUE(app.settings.advancedMode);
    EXPECT_EQ(tabs(), "IRC,Game,Options,Srv. Info,Record,About,Help,Interp,");
    tab(0);  // the IRC tab's advanced fields
    EXPECT_TRUE(control("IRCPort")->isVisible() && control("debugAU")->isVisible());
    set([&] { app.settings.advancedMode = false; });  // as the settings file would leave it
    EXPECT_FALSE(control<QCheckBox>("Advanced")->isChecked());
    EXPECT_EQ(tabs(), "IRC,Game,Options,About,Help,");
}

// The entry enables the connection button, which switches monitoring; the saved servers fill
// the drop-down, and picking one is an edit.
TEST_F(Window, ServerEntryConnectionButtonAndSavedServers) {
    EXPECT_EQ(enabled({"quakeTimerButton"}) + text("quakeTimerButton"), "0Connection: OFF");
    type("Q2Serverlist", "127.0.0.1");
    EXPECT_EQ(app.settings.serverEntry, "127.0.0.1");
    EXPECT_EQ(enabled({"quakeTimerButton"}), "1");
    // Typing in the middle: each redraw must leave the caret where the operator put it.
    line("Q2Serverlist")->setCursorPosition(0);
    type("Q2Serverlist", "x");
    QTest::keyClick(line("Q2Serverlist"), Qt::Key_Delete);
    EXPECT_EQ(app.settings.serverEntry, "x27.0.0.1");
    line("Q2Serverlist")->selectAll();
    QTest::keyClick(line("Q2Serverlist"), Qt::Key_Backspace);
    EXPECT_EQ(app.settings.serverEntry + enabled({"quakeTimerButton"}), "0");
    // An entry put there by someone else counts once the operator clicks into it.
    set([&] { app.settings.serverEntry = "127.0.0.1:27960 Friday league"; });
    EXPECT_EQ(enabled({"quakeTimerButton"}), "0");
    QTest::mouseClick(line("Q2Serverlist"), Qt::LeftButton);
    EXPECT_EQ(enabled({"quakeTimerButton"}), "1");
    EXPECT_TRUE(control("Frame12")->isHidden());
    click("quakeTimerButton");
    EXPECT_EQ(text("quakeTimerButton") + text("Label62"), "Connection: ON*** LIVE ***");
    EXPECT_FALSE(control("Frame12")->isHidden());
    EXPECT_EQ(enabled({"Q2Serverlist", "Q2Plus"}), "01");
    click("Q2Plus");
    EXPECT_EQ(control<QComboBox>("Q2Serverlist")->count(), 1);
    EXPECT_EQ(text("Q2Serverlist"), "127.0.0.1:27960 Friday league");  // the list leaves it
    click("quakeTimerButton");
    EXPECT_EQ(enabled({"Q2Serverlist"}) + text("quakeTimerButton"), "1Connection: OFF");
    EXPECT_TRUE(control("Frame12")->isHidden());
    set([&] {
        app.settings.savedServers = {"127.0.0.1:27960", "127.0.0.2:27910"};
        app.window.connectionButtonEnabled = false;
        app.settings.serverEntry = "";
    });
    auto* servers = control<QComboBox>("Q2Serverlist");
    EXPECT_EQ(servers->count(), 2);
    emit servers->textActivated(servers->itemText(1));
    EXPECT_EQ(app.settings.serverEntry + enabled({"quakeTimerButton"}), "127.0.0.2:279101");
}

// Team names are editable; a server's text is never read as markup.
TEST_F(Window, TeamNamesAndTheirCaptions) {
    set([&] {
        app.window.teamScoresVisible = true;
        app.match.redTeamCaption = "<b>Red</b> & co";
    });
    EXPECT_EQ(text("Label9"), "<b>Red</b> & co");
    EXPECT_EQ(control<QLabel>("Label9")->textFormat(), Qt::PlainText);
    line("txtnaamRED")->selectAll();
    type("txtnaamRED", "[\xC9]lite");
    EXPECT_EQ(app.match.redTeamName, "[\xC9]lite");
    control<QMenu>("mnuOptions")->findChild<QAction*>("mnuSwitch")->trigger();
    EXPECT_EQ(text("txtnaamRED") + text("txtnaamBLUE"), "Blue team[\xC9]lite");
    set([&] { app.window.teamScoresVisible = false; });
    EXPECT_TRUE(control("teamscores")->isHidden());
}

TEST_F(Window, IrcOptionsReachTheBotAndTheServerListButtons) {
    tab(2);
    tick("PriveServer");
    tick("IRConjoin");
    type("KillAllowedFrom", "Admin op2");
    EXPECT_TRUE(app.settings.privateServerChecked && !app.settings.greetOnJoin);
    EXPECT_EQ(app.settings.killAllowedFrom, "Admin op2");
    EXPECT_FALSE(control("ignorelist")->isVisible());
    set([&] {
        app.settings.advancedMode = true;
        app.irc.ignoreList = {{"joe", std::chrono::seconds(12)}};
        app.settings.ircServer = "irc.example.org";
    });
    EXPECT_TRUE(control("ignorelist")->isVisible());
    EXPECT_EQ(control<QListWidget>("ignorelist")->item(0)->text(), "joe 12");
    click("Command6");  // "+" beside the server field, then "-"
    EXPECT_EQ(app.settings.ircServers,
              (Names{"irc.quakenet.org", "irc.libera.chat", "irc.oftc.net", "irc.example.org"}));
    click("Command7");
    EXPECT_EQ(app.settings.ircServers,
              (Names{"irc.quakenet.org", "irc.libera.chat", "irc.oftc.net"}));
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
    EXPECT_EQ(control<QComboBox>("IRCServer")->count(), 3);
    EXPECT_EQ(text("IRCServer") + text("txtstdKanaal") + text("ircName"),
              "irc.quakenet.org#FCSTFCST");
    EXPECT_EQ(enabled({"IRCServer", "txtstdKanaal", "ircName", "Command3", "Command1"}), "11110");
    line("IRCServer")->selectAll();
    type("IRCServer", "irc.example.net");
    click("Command3");
    FakeTcpSocket& irc = *platform.tcpSockets.at(0);
    EXPECT_EQ(irc.host, "irc.example.net");
    irc.accept();
    EXPECT_EQ(enabled({"IRCServer", "txtstdKanaal", "ircName", "Command3"}), "0000");
    set([&] { irc.receive(":irc.test 353 FCST = #FCST :@op FCST\r\n"); });
    EXPECT_EQ(control<QListWidget>("ircLijst")->count(), 2);
    type("ircZegwat", "\xE9t\xE9 gl hf");
    QTest::keyClick(line("ircZegwat"), Qt::Key_Return);
    EXPECT_TRUE(textContains(irc.sent, "PRIVMSG #FCST :\xE9t\xE9 gl hf\r\n"));
    EXPECT_EQ(text("ircZegwat"), "");
    set([&] { app.appendOutput("\00304Red\003 \002scores\002"); });  // shown without codes
    EXPECT_EQ(
        text("Text1"),
        "*** Connected to server, waiting for reply...\n<FCST> \xE9t\xE9 gl hf\nRed scores\n");
    click("Command1");
    EXPECT_EQ(enabled({"IRCServer", "txtstdKanaal", "ircName", "Command3"}), "1111");
}

// The rows' columns in the team's colour, the numbers right-aligned; a later reply with fewer
// players, and one who changed sides, leaves no stale rows or colours.
TEST_F(Window, PlayerRowsCarryTheirColumnsAndTeamColours) {
    app.monitor.playerRows = {{"RedGuy", "\240\24012", "50", "Red", RowColour::Red},
                              {"BlueGuy", "100", "999", "Blue", RowColour::Blue},
                              {"Watcher", "0", "0", "Spec", RowColour::Grey},
                              {"Caf\xE9", "12345", "7", "", RowColour::Black}};
    window.refresh();
    EXPECT_EQ(
        rows(),
        "RedGuy|\240\24012|50|Red\nBlueGuy|100|999|Blue\nWatcher|0|0|Spec\nCaf\xE9|12345|7|\n");
    const QColor colours[] = {Qt::red, Qt::blue, QColor(0x80, 0x80, 0x80), Qt::black};
    for (int row = 0; row < 4; ++row) {
        const QTreeWidgetItem* item = players()->topLevelItem(row);
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(item->foreground(column).color(), colours[row]) << row << "," << column;
        EXPECT_TRUE(item->textAlignment(1) & item->textAlignment(2) & Qt::AlignRight);
    }
    app.monitor.playerRows = {{"BlueGuy", "1", "80", "Red", RowColour::Red}};
    window.refresh();
    EXPECT_EQ(rows(), "BlueGuy|1|80|Red\n");
    EXPECT_EQ(players()->topLevelItem(0)->foreground(0).color(), QColor(Qt::red));
}

TEST_F(Window, RepliesAndTicksAreDrawnWithoutBeingAsked) {
    onServerEntryEdited(app, "10.0.0.5:27960");
    toggleConnection(app);
    platform.advance(1000);  // the first tick aims the socket at the server
    const std::string r = quake3Reply({{"gamename", "baseq3"}, {"mapname", "q3dm17"}},
                                      {{"12", "50", "^1Red^7Guy"}, {"3", "120", "Caf\xE9"}});
    platform.udpSockets.at(0)->deliver(r, "10.0.0.5", 27960);
    EXPECT_EQ(text("qsMap") + text("quakeRecvBts"),
              "q3dm17 " + std::to_string(r.size()) + " bytes.");
    EXPECT_EQ(rows().substr(0, 7), "RedGuy|");
    EXPECT_TRUE(textContains(text("QuakeInfoLabel"), "mapname = q3dm17"));
    platform.advance(2000);  // the next poll names the family it learned
    EXPECT_EQ(text("sModeLabel"), "Q3");
}

// A click on a row moves the player to the other side; one on the header sorts by score.
TEST_F(Window, ClicksOnRowsMoveThePlayerAndOnTheHeaderSortByScore) {
    app.monitor.playerRows = {{"Ann", "9", "10", "Red", RowColour::Red},
                              {"Bob", "10", "20", "Spec", RowColour::Grey}};
    window.refresh();
    const QPoint annRow = players()->visualItemRect(players()->topLevelItem(0)).center();
    QTest::mousePress(players()->viewport(), Qt::LeftButton, {}, annRow);
    EXPECT_TRUE(app.window.listMouseDown);
    QTest::mouseRelease(players()->viewport(), Qt::LeftButton, {}, annRow);
    EXPECT_EQ(players()->topLevelItem(0)->text(3), "Blue");
    EXPECT_FALSE(app.window.listMouseDown);
    EXPECT_EQ(window.focusWidget()->objectName(), "UnSelect");
    // Moving through the list with the keyboard assigns nobody.
    players()->setFocus();
    players()->setCurrentItem(players()->topLevelItem(0));
    QTest::keyClick(players(), Qt::Key_Down);
    EXPECT_EQ(app.monitor.playerRows[1].team, "Spec");
    QTest::mouseMove(players()->viewport(), annRow);  // a pass over the list holds no button
    EXPECT_FALSE(app.window.listMouseDown);
    QHeaderView* header = players()->header();
    const QPoint score(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, score);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, score);
    EXPECT_EQ(players()->topLevelItem(0)->text(0), "Bob");  // descending, by number not by text
}

// "Safe now!" saves and a tick does not; a close event waits for the quit timer, and saves.
TEST_F(Window, SaveNowAndCloseWhichWaitsForTheQuitTimer) {
    startUp();
    tab(2);
    platform.fileLog.clear();
    EXPECT_TRUE(control<QCheckBox>("CheckForUpdate")->isChecked());
    tick("CheckForUpdate");
    EXPECT_FALSE(app.settings.checkForUpdate);
    click("IRCsafebutton");
    EXPECT_EQ(platform.fileLog, Names{"replace orvexa.ini"});
    EXPECT_TRUE(textContains(platform.files["orvexa.ini"], "\r\nCheckForUpdate = 0\r\n"));
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(app.window.trayIconAdded);
    platform.advance(490);
    EXPECT_EQ(ends, 0);
    platform.advance(10);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(platform.fileLog.size(), 3u);
    EXPECT_EQ(splash(), nullptr);
}

TEST_F(Window, TitleBarCloseHidesEverythingAtOnce) {
    startUp();
    QWidget browser;
    browser.setObjectName("Form3");
    browser.show();
    click("TitelKnopSluit");
    EXPECT_FALSE(window.isVisible() || browser.isVisible() || app.window.splashVisible);
    EXPECT_EQ(ends, 0);
    platform.advance(500);
    EXPECT_EQ(ends, 1);
}

// The stay-on-top button shows the picture of its state, and the window has the hint; the
// codes window takes the window off the top while it is up and sits over it.
TEST_F(Window, StayOnTopAndTheCodesWindow) {
    const bool onTop = stayOnTopSupported();
    for (const bool on : {true, false}) {
        if (!onTop) break;
        click("TitelKnopStayOnTop");
        EXPECT_EQ(app.window.stayOnTop, on);
        EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
        const QIcon shown = control<QToolButton>("TitelKnopStayOnTop")->icon();
        EXPECT_EQ(shown.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32),
                  stayOnTopPicture(on).toImage().convertToFormat(QImage::Format_ARGB32));
    }
    if (onTop) click("TitelKnopStayOnTop");
    click("Command16");
    QWidget* codes = control("Form4");
    ASSERT_TRUE(codes->isVisible());
    EXPECT_TRUE(codes->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(app.window.stayOnTop);
    EXPECT_EQ(enabled({"Command16"}), "0");
    window.move(100, 60);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(codes, &activate);
    ASSERT_EQ(window.logicalDpiY(), 96);  // a sixth of an inch is 16 pixels
    EXPECT_EQ(codes->pos(),
              QPoint(100 + (window.width() - codes->frameGeometry().width()) / 2, 76));
    control<QPushButton>("Command1", codes)->click();
    EXPECT_FALSE(codes->isVisible());
    EXPECT_EQ(app.window.stayOnTop, onTop);
    EXPECT_EQ(enabled({"Command16"}), "1");
}

// Alt+B puts the bold code at the caret; the preview draws the colours, on black after "Black".
TEST_F(Window, TemplateKeysAndTheColoursThePreviewShows) {
    tick("Advanced");
    tab(2);
    ASSERT_TRUE(line("IRCLineDM")->isVisible());
    set([&] { onTemplateEdited(app, TemplateField::Dm, "ab"); });
    line("IRCLineDM")->setCursorPosition(1);
    QTest::keyClick(line("IRCLineDM"), Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(app.settings.dmTemplate, "a\002b");
    EXPECT_EQ(line("IRCLineDM")->cursorPosition(), 2);
    QTest::keyClick(line("IRCLineDM"), Qt::Key_B, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(app.settings.dmTemplate, "a\002b");
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
    EXPECT_EQ(preview->palette().color(QPalette::Base), QColor(Qt::black));
    tick("Advanced");
    EXPECT_FALSE(control("IRCOptionsLines")->isVisible());
}

TEST_F(Window, TrayClicks) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "no system tray on this display";
    startUp();
    auto* tray = window.findChild<QSystemTrayIcon*>();
    ASSERT_NE(tray, nullptr);
    emit tray->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(app.window.stayOnTop);
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(window.isVisible());
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible() && !window.isMinimized());
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
    EXPECT_EQ(list->currentItem(), list->topLevelItem(1));  // the current server
    EXPECT_EQ(control<QPushButton>("Command6", browser)->text(), "Total refresh");
    QTest::mouseClick(control("Command3", browser), Qt::LeftButton);
    list->header()->sectionClicked(0);  // sorted by name already: reversed
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Two");
    set([&] { app.browserView.detailList = {"mapname = q2dm2"}; });  // the clicked row's detail
    auto* details = control<QListWidget>("List1", browser);
    ASSERT_EQ(details->count(), 1);
    EXPECT_EQ(details->item(0)->text(), "mapname = q2dm2");
    platform.fileLog.clear();
    browser->close();
    EXPECT_FALSE(app.browserView.browserVisible);
    EXPECT_EQ(platform.fileLog, Names{"replace orvexa.ini"});
}

}  // namespace
}  // namespace fc::test
