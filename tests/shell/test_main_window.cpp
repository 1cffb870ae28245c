// The main window offscreen on the fake platform: what it draws from the view model, that the
// operator's actions reach the logic and come back drawn, and the window's start and end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "irc/irc_server_list.h"
#include "monitor/poller.h"
#include "settings/startup.h"
#include "shell/main_window.h"
#include "support/fake_platform.h"
#include "support/replies.h"
#include "support/window_controls.h"
#include "wiring/wiring.h"

namespace fc::test {
namespace {

// Right-aligned to four characters with non-breaking spaces, as the player list holds them.
std::string Pad(const std::string& value) {
    return std::string(value.size() < 4 ? 4 - value.size() : 0, '\xA0') + value;
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest() { view.teamsKnown = true; }  // as the start-up leaves it
    void SetUp() override { ASSERT_TRUE(ShowOnTab(window, 1)); }

    template <typename W = QWidget>
    W* control(const char* name) {
        return FindControl<W>(window, name);
    }
    // The text a control shows, whatever its kind.
    QString text(const char* name) {
        const QWidget* w = control(name);
        for (const char* property : {"plainText", "currentText"})
            if (w->property(property).isValid()) return w->property(property).toString();
        return w->property("text").toString();
    }
    void expectTexts(const std::vector<std::pair<const char*, QString>>& expected) {
        for (const auto& [name, shown] : expected) EXPECT_EQ(text(name), shown) << name;
    }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void tab(int index) { control<QTabWidget>("Tabs")->setCurrentIndex(index); }
    QLineEdit* entry() { return control<QComboBox>("Q2Serverlist")->lineEdit(); }
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
        app.dispatch([this] { StartUp(app); });
    }
    // The splash window while it is up.
    static QWidget* splash() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == "FCST Splash!" && w->isVisible()) return w;
        return nullptr;
    }

    FakePlatform platform;
    WiredApp app{platform};
    MainView& view = app.view;
    MainWindow window{app};
    int ends = 0;
};

TEST_F(WindowTest, PlayerRowsCarryTheirColumnsAndTeamColours) {
    view.spelerLijst = {{"RedGuy", Pad("12"), Pad("50"), "Red", RowColour::Red},
                        {"BlueGuy", Pad("100"), Pad("999"), "Blue", RowColour::Blue},
                        {"Watcher", Pad("0"), Pad("0"), "Spec", RowColour::Grey},
                        {"Caf\xE9", "12345", "7", "", RowColour::Black}};
    window.refresh();
    const QTreeWidgetItem* header = players()->headerItem();
    EXPECT_EQ(QStringList({header->text(1), header->text(2), header->text(3)}),
              QStringList({"Score", "Ping", "Team"}));
    EXPECT_EQ(rows(), "RedGuy|" + Pad("12") + "|" + Pad("50") + "|Red\nBlueGuy|" + Pad("100") +
                          "|" + Pad("999") + "|Blue\nWatcher|" + Pad("0") + "|" + Pad("0") +
                          "|Spec\nCaf\xE9|12345|7|\n");
    const QColor colours[] = {QColor(0xFF, 0, 0), QColor(0, 0, 0xFF), QColor(0x80, 0x80, 0x80),
                              QColor(0, 0, 0)};
    for (int row = 0; row < 4; ++row) {
        const QTreeWidgetItem* item = players()->topLevelItem(row);
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(item->foreground(column).color(), colours[row]) << row << "," << column;
        EXPECT_TRUE(item->textAlignment(1) & item->textAlignment(2) & Qt::AlignRight);
    }
    // A later reply with fewer players, and one who changed sides: no stale rows or colours.
    view.spelerLijst = {{"BlueGuy", "1", "80", "Red", RowColour::Red}};
    window.refresh();
    EXPECT_EQ(rows(), "BlueGuy|1|80|Red\n");
    EXPECT_EQ(players()->topLevelItem(0)->foreground(0).color(), QColor(0xFF, 0, 0));
}

TEST_F(WindowTest, AdvancedModeShowsTheExtraTabsAndFollowsItsCheckBox) {
    auto* tabs = control<QTabWidget>("Tabs");
    auto tabsShown = [&] {
        QStringList shown;
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->isTabVisible(i)) shown << tabs->tabText(i);
        return shown.join(',');
    };
    EXPECT_EQ(tabs->count(), 8);
    EXPECT_EQ(tabsShown(), "IRC,Game,Options,About,Help");
    auto* box = control<QCheckBox>("Advanced");
    EXPECT_EQ(box->text(), "Show advanced options / tabs");
    box->click();
    EXPECT_TRUE(view.Advanced);
    EXPECT_EQ(tabsShown(), "IRC,Game,Options,Srv. Info,Record,About,Help,Interp");
    tab(0);  // the IRC tab's advanced fields
    EXPECT_TRUE(control("IRCPort")->isVisible());
    EXPECT_TRUE(control("debugAU")->isVisible());
    view.Advanced = false;  // as the settings file would leave it
    window.refresh();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(tabsShown(), "IRC,Game,Options,About,Help");
}

TEST_F(WindowTest, EntryEnablesTheConnectionButtonWhichSwitchesMonitoring) {
    auto* button = control<QPushButton>("quakeTimerButton");
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->text(), "Connection: OFF");
    entry()->setFocus();
    QTest::keyClicks(entry(), "127.0.0.1");
    EXPECT_TRUE(button->isEnabled());
    // Typing in the middle: each redraw must leave the caret where the operator put it.
    entry()->setCursorPosition(0);
    QTest::keyClicks(entry(), "x");
    QTest::keyClick(entry(), Qt::Key_Delete);
    EXPECT_EQ(view.Q2Serverlist, "x27.0.0.1");
    entry()->selectAll();
    QTest::keyClick(entry(), Qt::Key_Backspace);
    EXPECT_FALSE(button->isEnabled());

    // An entry put there by someone else counts once the operator clicks into it.
    view.Q2Serverlist = "127.0.0.1:27960 Friday league";
    window.refresh();
    EXPECT_FALSE(button->isEnabled());
    QTest::mouseClick(entry(), Qt::LeftButton);
    EXPECT_TRUE(button->isEnabled());

    EXPECT_TRUE(control("Frame12")->isHidden());  // the live banner
    click("quakeTimerButton");
    expectTexts({{"quakeTimerButton", "Connection: ON"}, {"Label62", "*** LIVE ***"}});
    EXPECT_EQ(entry()->text(), "127.0.0.1:27960 Friday league");
    EXPECT_FALSE(control("Q2Serverlist")->isEnabled());
    EXPECT_FALSE(control("Frame12")->isHidden());
    EXPECT_TRUE(control("Q2Plus")->isEnabled());
    click("quakeTimerButton");
    EXPECT_EQ(button->text(), "Connection: OFF");
    EXPECT_TRUE(control("Q2Serverlist")->isEnabled());
    EXPECT_TRUE(control("Frame12")->isHidden());
}

TEST_F(WindowTest, SavedServersFillTheDropDownAndPickingOneIsAnEdit) {
    entry()->setFocus();
    QTest::keyClicks(entry(), "127.0.0.1:27960 Friday league");
    click("quakeTimerButton");
    EXPECT_EQ(text("Q2Plus"), "Add this server!");
    click("Q2Plus");
    auto* combo = control<QComboBox>("Q2Serverlist");
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), "127.0.0.1:27960");
    EXPECT_EQ(entry()->text(), "127.0.0.1:27960 Friday league");  // the list does not move it

    click("quakeTimerButton");
    view.qServers.push_back("127.0.0.2:27910");
    view.quakeTimerButtonEnabled = false;
    view.Q2Serverlist.clear();
    window.refresh();
    ASSERT_EQ(combo->count(), 2);
    emit combo->textActivated(combo->itemText(1));
    EXPECT_EQ(view.Q2Serverlist, "127.0.0.2:27910");
    EXPECT_TRUE(control("quakeTimerButton")->isEnabled());
}

TEST_F(WindowTest, RepliesAndTicksAreDrawnWithoutBeingAsked) {
    OnServerEntryEdited(app, "10.0.0.5:27960");
    WisselConnectie(app);
    platform.advance(1000);  // the first tick aims the socket at the server
    const std::string r = Quake3Reply({{"gamename", "baseq3"}, {"mapname", "q3dm17"}},
                                      {{"12", "50", "^1Red^7Guy"}, {"3", "120", "Caf\xE9"}});
    platform.udpSockets.at(0)->deliver(r, "10.0.0.5", 27960);
    expectTexts({{"qsMap", "q3dm17"},
                 {"quakeRecvBts", QString(" %1 bytes.").arg(static_cast<qsizetype>(r.size()))}});
    EXPECT_EQ(rows().substr(0, 7), "RedGuy|");
    EXPECT_TRUE(text("QuakeInfoLabel").contains("mapname = q3dm17"));
    platform.advance(2000);  // the next poll names the family it learned
    EXPECT_EQ(text("sModeLabel"), "Q3");
}

TEST_F(WindowTest, TeamNamesAreEditableAndServerTextIsNeverMarkup) {
    view.teamscoresVisible = true;
    view.Label9 = "<b>Red</b> & co";
    window.refresh();
    expectTexts({{"Label9", "<b>Red</b> & co"}, {"txtnaamRED", "Red team"}});
    EXPECT_EQ(control<QLabel>("Label9")->textFormat(), Qt::PlainText);
    auto* red = control<QLineEdit>("txtnaamRED");
    red->setFocus();
    red->selectAll();
    QTest::keyClicks(red, QString::fromUtf8("[\u00c9]lite"));
    EXPECT_EQ(view.txtnaamRED, "[\xC9]lite");
    view.teamscoresVisible = false;
    window.refresh();
    EXPECT_TRUE(control("teamscores")->isHidden());
}

TEST_F(WindowTest, ClicksOnRowsMoveThePlayerAndOnTheHeaderSortByScore) {
    view.spelerLijst = {{"Ann", Pad("9"), Pad("10"), "Red", RowColour::Red},
                        {"Bob", Pad("10"), Pad("20"), "Spec", RowColour::Grey}};
    window.refresh();
    const QPoint annRow = players()->visualItemRect(players()->topLevelItem(0)).center();
    QTest::mouseClick(players()->viewport(), Qt::LeftButton, {}, annRow);
    EXPECT_EQ(players()->topLevelItem(0)->text(3), "Blue");
    EXPECT_FALSE(view.listMouseDown);
    EXPECT_EQ(window.focusWidget()->objectName(), "UnSelect");
    // Moving through the list with the keyboard assigns nobody.
    players()->setFocus();
    players()->setCurrentItem(players()->topLevelItem(0));
    QTest::keyClick(players(), Qt::Key_Down);
    EXPECT_EQ(view.spelerLijst[1].team, "Spec");

    QHeaderView* header = players()->header();
    const QPoint score(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, score);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, score);
    EXPECT_EQ(players()->topLevelItem(0)->text(0), "Bob");  // descending, by number not by text
}

TEST_F(WindowTest, InterpTabDrawsTheFeedAndSendsTheOperatorsRequests) {
    view.Q2Serverlist = "10.0.0.5:27960";
    click("Command11");  // "Reconnect"
    FakeTcpSocket& feed = *platform.tcpSockets.at(1);
    EXPECT_EQ(feed.host, "10.0.0.5");
    feed.accept();
    feed.receive("Welcome to Interp 3.0\r\nSarge got the RED flag!\r\n");
    expectTexts({{"InterpVersion", "3.0"},
                 {"StatRed", "Sarge"},
                 {"InterpOutput", "Welcome to Interp 3.0\nSarge got the RED flag!\n"}});
    click("Command12");
    click("Command8");
    EXPECT_EQ(feed.sent, "GAMESTATPLAYERSTAT");
    click("Command9");
    EXPECT_EQ(text("InterpOutput"), "");

    const std::pair<const char*, bool MainView::*> switches[] = {
        {"InterpGotFlag", &MainView::InterpGotFlag},
        {"InterpLostFlag", &MainView::InterpLostFlag},
        {"InterpRecoverFlag", &MainView::InterpRecoverFlag},
        {"InterpQuad", &MainView::InterpQuad},
        {"InterpHaste", &MainView::InterpHaste},
        {"InterpRegen", &MainView::InterpRegen},
        {"InterpInvis", &MainView::InterpInvis},
        {"InterpServerMsg", &MainView::InterpServerMsg},
        {"InterpReport", &MainView::InterpReport},
    };
    for (const auto& [name, field] : switches) {
        auto* box = control<QCheckBox>(name);
        const bool initial = view.*field;
        EXPECT_EQ(box->isChecked(), initial) << name;
        box->click();
        EXPECT_EQ(view.*field, !initial) << name;
    }
}

TEST_F(WindowTest, IrcTabLocksItsFieldsShowsTheOutputAndTheInputLineSpeaks) {
    tab(0);
    auto* server = control<QComboBox>("IRCServer");
    ASSERT_EQ(server->count(), 3);
    expectTexts(
        {{"IRCServer", "irc.quakenet.org"}, {"txtstdKanaal", "#FCST"}, {"ircName", "FCST"}});
    const char* locked[] = {"IRCServer", "txtstdKanaal", "ircName", "Command3"};
    EXPECT_FALSE(control("Command1")->isEnabled());
    server->lineEdit()->selectAll();
    QTest::keyClicks(server->lineEdit(), "irc.example.net");
    click("Command3");
    FakeTcpSocket& socket = *platform.tcpSockets.at(0);
    EXPECT_EQ(socket.host, "irc.example.net");
    for (const char* name : locked) EXPECT_FALSE(control(name)->isEnabled()) << name;

    socket.accept();
    app.dispatch([&] { socket.receive(":irc.test 353 FCST = #FCST :@op FCST\r\n"); });
    EXPECT_EQ(control<QListWidget>("ircLijst")->count(), 2);
    auto* input = control<QLineEdit>("ircZegwat");
    input->setFocus();
    for (QChar c : QString::fromLatin1("\xe9t\xe9 gl hf")) {  // keyClicks takes ASCII only
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(input, &press);
    }
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_NE(socket.sent.find("PRIVMSG #FCST :\xE9t\xE9 gl hf\r\n"), std::string::npos);
    EXPECT_EQ(input->text(), "");
    app.dispatch([&] {
        app.appendOutput(
            "\x03"
            "04Red\x03 \x02scores\x02");
    });
    EXPECT_TRUE(text("Text1").contains(QString::fromLatin1("<FCST> \xE9t\xE9 gl hf\n")));
    EXPECT_TRUE(text("Text1").endsWith("Red scores\n"));  // without formatting codes

    click("Command1");
    for (const char* name : locked) EXPECT_TRUE(control(name)->isEnabled()) << name;
}

TEST_F(WindowTest, IrcOptionsReachTheBotAndTheServerListButtons) {
    tab(2);
    auto tick = [&](const char* name) {  // on the box itself: the row is wider than its text
        QWidget* box = control(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    };
    tick("PriveServer");
    EXPECT_TRUE(view.PriveServer);
    tick("IRConjoin");
    EXPECT_FALSE(view.IRConjoin);
    QTest::keyClicks(control("KillAllowedFrom"), "Admin op2");
    EXPECT_EQ(view.KillAllowedFrom, "Admin op2");
    EXPECT_FALSE(control("ignorelist")->isVisible());
    app.dispatch([&] {
        view.Advanced = true;
        view.ignorelist = {"joe 12"};
    });
    EXPECT_EQ(control<QListWidget>("ignorelist")->item(0)->text(), "joe 12");
    EXPECT_TRUE(control("ignorelist")->isVisible());

    view.IRCServer = "irc.example.org";
    click("Command6");  // "+" beside the server field
    EXPECT_EQ(view.IRCServerList.back(), "irc.example.org");
    click("Command7");
    EXPECT_EQ(view.IRCServerList.back(), "irc.oftc.net");
}

TEST_F(WindowTest, StartShowsTitleCaptionSplashAndAbout) {
    startUp();
    EXPECT_EQ(text("Titel"), "Fragcaster! - Version 1.33");
    EXPECT_TRUE(text("aboutlabel").startsWith("Fragcaster - Version 1.33\n\n"));
    EXPECT_FALSE(text("aboutlabel").contains('\r'));
    EXPECT_EQ(control("TimePlayedX")->toolTip(), "Change Time Elapsed here!");
    EXPECT_EQ(window.windowTitle(), "~ FCST ~");
    app.dispatch([this] { view.Caption = "Red 3|Blue 1|12:00"; });
    EXPECT_EQ(window.windowTitle(), "Red 3|Blue 1|12:00");

    QWidget* shown = splash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->findChild<QLabel*>("Label1")->text(), "Version 1.33");
    EXPECT_TRUE(shown->windowFlags() & Qt::WindowStaysOnTopHint);
    QTest::mouseClick(shown, Qt::LeftButton);
    EXPECT_FALSE(view.splashVisible);
    EXPECT_EQ(splash(), nullptr);
}

TEST_F(WindowTest, SplashRestoresTheWindowThenGoes) {
    startUp();
    window.setWindowState(Qt::WindowMinimized);
    platform.advance(3000);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    EXPECT_NE(splash(), nullptr);
    platform.advance(1500);
    EXPECT_EQ(splash(), nullptr);
}

TEST_F(WindowTest, SaveNowWritesTheSettingsAndCloseWaitsForTheQuitTimer) {
    startUp();
    tab(2);
    EXPECT_EQ(text("CheckForUpdate"), "Check for updates at startup.");
    control<QCheckBox>("CheckForUpdate")->click();
    EXPECT_FALSE(view.CheckForUpdate);
    platform.fileLog.clear();
    EXPECT_EQ(text("IRCsafebutton"), "Safe now!");
    control<QPushButton>("IRCsafebutton")->click();
    EXPECT_EQ(platform.fileLog, std::vector<std::string>{"replace orvexa.ini"});
    EXPECT_NE(platform.files["orvexa.ini"].find("CheckForUpdate = 0\r\n"), std::string::npos);

    platform.fileLog.clear();
    EXPECT_FALSE(window.close());  // a close event waits for the quit timer
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(view.trayIconAdded);
    EXPECT_EQ(ends, 0);
    platform.advance(500);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(splash(), nullptr);
    EXPECT_EQ(platform.fileLog,
              (std::vector<std::string>{"replace orvexa.ini", "replace orvexa.ini"}));
}

// The browser is a window of its own: its controls are found from it, never from the main
// window, which has a "Command6" of its own too.
TEST_F(WindowTest, DotsButtonOpensTheBrowserWhichSavesWhenClosed) {
    view.qServers = {"10.0.0.1:27901", "10.0.0.2:27902"};
    view.Q2Serverlist = "10.0.0.2:27902 (Two)";
    platform.files["fcst-ql.ini"] =
        "One\r\n1 / 8\r\nq2dm1\r\na\r\n10.0.0.1:27901\r\n"
        "Two\r\n0 / 8\r\nq2dm2\r\n-\r\n10.0.0.2:27902\r\n";
    click("QuakeServerMore");
    QWidget* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "Form3" && w->isVisible()) browser = w;
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->windowTitle(), "Server List");
    EXPECT_EQ(browser->parentWidget(), nullptr);
    auto* list = FindControl<QTreeWidget>(*browser, "qServ");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(1));  // the current server
    EXPECT_EQ(FindControl<QPushButton>(*browser, "Command6")->text(), "Total refresh");
    QTest::mouseClick(FindControl<QPushButton>(*browser, "Command3"), Qt::LeftButton);
    list->header()->sectionClicked(0);  // sorted by name already: reversed
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Two");
    platform.fileLog.clear();
    browser->close();
    EXPECT_FALSE(app.Form3.Form3Visible);
    EXPECT_EQ(platform.fileLog, std::vector<std::string>{"replace orvexa.ini"});
}

}  // namespace
}  // namespace fc::test
