// The main window offscreen on the fake platform: what it draws from the view model, and that
// the operator's actions reach the logic and come back drawn.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "shell/main_window.h"
#include "support/monitor_fixture.h"
#include "support/replies.h"
#include "support/window_controls.h"

namespace fc::test {
namespace {

// Right-aligned to four characters with non-breaking spaces, as the player list holds them.
std::string Pad(const std::string& value) {
    return std::string(value.size() < 4 ? 4 - value.size() : 0, '\xA0') + value;
}

class MainWindowTest : public MonitorTest {
protected:
    void SetUp() override { ASSERT_TRUE(ShowOnTab(window, 1)); }

    template <typename W>
    W* control(const char* name) {
        return FindControl<W>(window, name);
    }

    QLineEdit* entry() { return control<QComboBox>("Q2Serverlist")->lineEdit(); }
    QPushButton* connectionButton() { return control<QPushButton>("quakeTimerButton"); }

    void typeIntoEntry(const QString& text) {
        entry()->setFocus();
        QTest::keyClicks(entry(), text);
    }

    MainWindow window{app};
};

TEST_F(MainWindowTest, PlayerRowsCarryTheirColumnsAndTeamColours) {
    view().spelerLijst = {
        {"RedGuy", Pad("12"), Pad("50"), "Red", RowColour::Red},
        {"BlueGuy", Pad("100"), Pad("999"), "Blue", RowColour::Blue},
        {"Watcher", Pad("0"), Pad("0"), kTeamSpectators, RowColour::Grey},
        {"Caf\xE9", "12345", "7", "", RowColour::Black},
    };
    window.refresh();

    auto* list = control<QTreeWidget>("spelerLijst");
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->headerItem()->text(1), "Score");
    EXPECT_EQ(list->headerItem()->text(2), "Ping");
    EXPECT_EQ(list->headerItem()->text(3), "Team");
    ASSERT_EQ(list->topLevelItemCount(), 4);

    const QColor expected[] = {QColor(0xFF, 0, 0), QColor(0, 0, 0xFF), QColor(0x80, 0x80, 0x80),
                               QColor(0, 0, 0)};
    for (int row = 0; row < 4; ++row) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        for (int column = 0; column < 4; ++column) {
            EXPECT_EQ(item->foreground(column).color(), expected[row]) << row << "," << column;
        }
        EXPECT_TRUE(item->textAlignment(1) & Qt::AlignRight);
        EXPECT_TRUE(item->textAlignment(2) & Qt::AlignRight);
    }
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString(QChar(0xA0)) + QChar(0xA0) + "12");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "Blue");
    EXPECT_EQ(list->topLevelItem(3)->text(0), QString::fromUtf8("Caf\u00e9"));  // Latin-1 byte

    // A later reply with fewer players, and one who changed sides: no stale rows or colours.
    view().spelerLijst = {{"BlueGuy", Pad("101"), Pad("80"), "Red", RowColour::Red}};
    window.refresh();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString(QChar(0xA0)) + "101");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "Red");
    EXPECT_EQ(list->topLevelItem(0)->foreground(0).color(), QColor(0xFF, 0, 0));
}

TEST_F(MainWindowTest, AdvancedModeShowsTheExtraTabsAndFollowsItsCheckBox) {
    auto* tabs = control<QTabWidget>("Tabs");
    const QStringList captions = {"IRC",    "Game",  "Options", "Srv. Info",
                                  "Record", "About", "Help",    "Interp"};
    ASSERT_EQ(tabs->count(), captions.size());
    for (int i = 0; i < tabs->count(); ++i) EXPECT_EQ(tabs->tabText(i), captions[i]);

    auto advancedTabsShown = [&](bool shown) {
        for (int i = 0; i < tabs->count(); ++i) {
            const bool advanced = i == 3 || i == 4 || i == 7;
            EXPECT_EQ(tabs->isTabVisible(i), advanced ? shown : true) << captions[i].toStdString();
        }
    };
    advancedTabsShown(false);

    auto* box = control<QCheckBox>("Advanced");
    EXPECT_EQ(box->text(), "Show advanced options / tabs");
    box->click();
    EXPECT_TRUE(view().Advanced);
    advancedTabsShown(true);

    view().Advanced = false;  // as the settings file would leave it
    window.refresh();
    EXPECT_FALSE(box->isChecked());
    advancedTabsShown(false);
}

TEST_F(MainWindowTest, EntryEnablesTheConnectionButtonWhichSwitchesMonitoring) {
    EXPECT_FALSE(connectionButton()->isEnabled());
    EXPECT_EQ(connectionButton()->text(), "Connection: OFF");

    typeIntoEntry("127.0.0.1");
    EXPECT_EQ(view().Q2Serverlist, "127.0.0.1");
    EXPECT_TRUE(connectionButton()->isEnabled());

    // Typing in the middle: each redraw must leave the caret where the operator put it.
    entry()->setCursorPosition(0);
    QTest::keyClicks(entry(), "x");
    EXPECT_EQ(view().Q2Serverlist, "x127.0.0.1");
    QTest::keyClick(entry(), Qt::Key_Backspace);
    EXPECT_EQ(view().Q2Serverlist, "127.0.0.1");

    entry()->selectAll();
    QTest::keyClick(entry(), Qt::Key_Backspace);
    EXPECT_EQ(view().Q2Serverlist, "");
    EXPECT_FALSE(connectionButton()->isEnabled());

    // An entry put there by someone else counts once the operator clicks into it.
    view().Q2Serverlist = "127.0.0.1:27960 Friday league";
    window.refresh();
    EXPECT_FALSE(connectionButton()->isEnabled());
    QTest::mouseClick(entry(), Qt::LeftButton);
    EXPECT_TRUE(connectionButton()->isEnabled());

    auto* banner = control<QFrame>("Frame12");
    EXPECT_TRUE(banner->isHidden());
    QTest::mouseClick(connectionButton(), Qt::LeftButton);
    EXPECT_EQ(connectionButton()->text(), "Connection: ON");
    EXPECT_FALSE(control<QComboBox>("Q2Serverlist")->isEnabled());
    EXPECT_EQ(entry()->text(), "127.0.0.1:27960 Friday league");
    EXPECT_FALSE(banner->isHidden());
    EXPECT_EQ(control<QLabel>("Label62")->text(), "*** LIVE ***");
    EXPECT_TRUE(control<QPushButton>("Q2Plus")->isEnabled());
    EXPECT_EQ(control<QLineEdit>("qsGame")->text(), "[no server]");

    QTest::mouseClick(connectionButton(), Qt::LeftButton);
    EXPECT_EQ(connectionButton()->text(), "Connection: OFF");
    EXPECT_TRUE(control<QComboBox>("Q2Serverlist")->isEnabled());
    EXPECT_TRUE(banner->isHidden());
}

TEST_F(MainWindowTest, SavedServersFillTheDropDownAndPickingOneIsAnEdit) {
    typeIntoEntry("127.0.0.1:27960 Friday league");
    connectionButton()->click();
    auto* add = control<QPushButton>("Q2Plus");
    EXPECT_EQ(add->text(), "Add this server!");
    add->click();
    add->click();  // the same address again is refused
    EXPECT_EQ(platform.beeps, 1);

    auto* combo = control<QComboBox>("Q2Serverlist");
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), "127.0.0.1:27960");
    EXPECT_EQ(entry()->text(), "127.0.0.1:27960 Friday league");  // the list does not move it

    connectionButton()->click();
    view().qServers.push_back("127.0.0.2:27910");
    view().quakeTimerButtonEnabled = false;
    view().Q2Serverlist.clear();
    window.refresh();
    ASSERT_EQ(combo->count(), 2);
    emit combo->textActivated(combo->itemText(1));
    EXPECT_EQ(view().Q2Serverlist, "127.0.0.2:27910");
    EXPECT_TRUE(connectionButton()->isEnabled());
}

TEST_F(MainWindowTest, RepliesAndTicksAreDrawnWithoutBeingAsked) {
    switchOn("10.0.0.5:27960");
    firstTick();
    const std::string r =
        Quake3Reply({{"version", "Q3 1.32b linux"}, {"gamename", "baseq3"}, {"mapname", "q3dm17"}},
                    {{"12", "50", "^1Red^7Guy"}, {"3", "120", "Caf\xE9"}});
    reply(r, "10.0.0.5", 27960);

    EXPECT_EQ(control<QLineEdit>("qsMap")->text(), "q3dm17");
    EXPECT_EQ(control<QLineEdit>("qsGame")->text(), "baseq3");
    EXPECT_EQ(control<QLabel>("quakeRecvBts")->text(),
              QString(" %1 bytes.").arg(static_cast<qsizetype>(r.size())));
    auto* list = control<QTreeWidget>("spelerLijst");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "RedGuy");
    EXPECT_EQ(list->topLevelItem(1)->text(0), QString::fromUtf8("Caf\u00e9"));
    const QString info = control<QPlainTextEdit>("QuakeInfoLabel")->toPlainText();
    EXPECT_TRUE(info.contains("mapname = q3dm17")) << info.toStdString();

    platform.advance(2000);  // the next poll names the family it learned
    EXPECT_EQ(control<QLabel>("sModeLabel")->text(), "Q3");
}

TEST_F(MainWindowTest, TeamNamesAreEditableAndServerTextIsNeverMarkup) {
    view().teamscoresVisible = true;
    view().Label9 = "<b>Red</b> & co";
    view().qsRed = "3/41";
    window.refresh();
    EXPECT_EQ(control<QLabel>("Label9")->text(), "<b>Red</b> & co");
    EXPECT_EQ(control<QLabel>("Label9")->textFormat(), Qt::PlainText);
    EXPECT_EQ(control<QLineEdit>("qsRed")->text(), "3/41");

    auto* red = control<QLineEdit>("txtnaamRED");
    EXPECT_EQ(red->text(), "Red team");
    red->setFocus();
    red->selectAll();
    QTest::keyClicks(red, QString::fromUtf8("[\u00c9]lite"));
    EXPECT_EQ(view().txtnaamRED, "[\xC9]lite");
    EXPECT_EQ(view().txtnaamBLUE, "Blue team");

    view().teamscoresVisible = false;
    window.refresh();
    EXPECT_TRUE(control<QFrame>("teamscores")->isHidden());
}

TEST_F(MainWindowTest, MouseClicksOnRowsMoveThePlayerBetweenTeams) {
    view().spelerLijst = {{"Ann", Pad("1"), Pad("10"), "Red", RowColour::Red},
                          {"Bob", Pad("2"), Pad("20"), kTeamSpectators, RowColour::Grey}};
    view().redMembers = "\"Ann\"";
    window.refresh();
    auto* list = control<QTreeWidget>("spelerLijst");
    const QPoint annRow = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, annRow);
    EXPECT_EQ(view().spelerLijst[0].team, "Blue");
    EXPECT_EQ(view().blueMembers, "\"Ann\"");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "Blue");
    EXPECT_FALSE(view().listMouseDown);

    // Moving through the list with the keyboard assigns nobody.
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(view().spelerLijst[1].team, kTeamSpectators);
}

TEST_F(MainWindowTest, HeaderClickSortsTheRowsByScore) {
    view().spelerLijst = {{"Ann", Pad("9"), Pad("10"), "", RowColour::Black},
                          {"Bob", Pad("10"), Pad("20"), "", RowColour::Black}};
    window.refresh();
    auto* list = control<QTreeWidget>("spelerLijst");
    QHeaderView* header = list->header();
    const QPoint score(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, score);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, score);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Bob");  // descending, by number not by text
}

TEST_F(MainWindowTest, InterpTabDrawsTheFeedAndSendsTheOperatorsRequests) {
    view().Q2Serverlist = "10.0.0.5:27960";
    control<QPushButton>("Command11")->click();  // "Reconnect"
    FakeTcpSocket& feed = *platform.tcpSockets.at(1);
    EXPECT_EQ(feed.host, "10.0.0.5");
    feed.accept();
    feed.receive("Welcome to Interp 3.0\r\nSarge got the RED flag!\r\n");
    EXPECT_EQ(control<QLabel>("InterpSupport")->text(), "ENABLED!");
    EXPECT_EQ(control<QLabel>("InterpVersion")->text(), "3.0");
    EXPECT_EQ(control<QLabel>("StatRed")->text(), "Sarge");
    EXPECT_EQ(control<QLabel>("StatBlue")->text(), "[unkown]");
    EXPECT_EQ(control<QPlainTextEdit>("InterpOutput")->toPlainText(),
              "Welcome to Interp 3.0\nSarge got the RED flag!\n");

    control<QPushButton>("Command12")->click();
    control<QPushButton>("Command8")->click();
    EXPECT_EQ(feed.sent, "GAMESTATPLAYERSTAT");
    control<QPushButton>("Command9")->click();
    EXPECT_EQ(control<QPlainTextEdit>("InterpOutput")->toPlainText(), "");

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
        const bool initial = view().*field;
        EXPECT_EQ(box->isChecked(), initial) << name;
        box->click();
        EXPECT_EQ(view().*field, !initial) << name;
    }
}

}  // namespace
}  // namespace fc::test
