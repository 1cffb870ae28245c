// The main window offscreen on the fake platform: what it draws from the view model, that the
// operator's actions reach the logic and come back drawn, and the window's start and end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <map>
#include <utility>

#include "monitor/poller.h"
#include "program/startup.h"
#include "program/wiring.h"
#include "settings/irc_server_list.h"
#include "shell/main_window.h"
#include "support/fake_platform.h"
#include "support/replies.h"
#include "support/scenario.h"
#include "support/view_fields.h"
#include "support/window_controls.h"

namespace fc::test {
namespace {

// Right-aligned to four characters with non-breaking spaces, as the player list holds them.
std::string padValue(const std::string& value) {
    return std::string(value.size() < 4 ? 4 - value.size() : 0, '\xA0') + value;
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest() { app.match.teamsKnown = true; }  // as the start-up leaves it
    void SetUp() override { ASSERT_TRUE(showOnTab(window, 1)); }

    template <typename W = QWidget>
    W* control(const char* name) {
        return findControl<W>(window, name);
    }
    // The text a control shows, whatever its kind.
    QString text(const char* name) {
        const QWidget* w = control(name);
        for (const char* property : {"plainText", "currentText"})
            if (w->property(property).isValid()) return w->property(property).toString();
        return w->property("text").toString();
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
        app.dispatch([this] { startProgram(app); });
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
    MainWindow window{app};
    int ends = 0;
};

// Operator's steps on the window and what it shows then, written in shell/cases/window.txt:
//   tab N / refresh / advance MS
//   view FIELD VALUE        puts a value into the view model (bools as true/false)
//   type NAME TEXT          typed into the control (a combo box's line), Latin-1 bytes
//   key NAME KEY            Backspace, Delete, Return or Down; caret NAME N; select NAME
//   click NAME / tick NAME  a click on the control's middle, or on its check box at the left
//   expect NAME.PROP VALUE  text, enabled, hidden, visible, checked, plain (no markup), tabs,
//                           tip, count, label (its caption in a form)
//   field FIELD VALUE       the view model holds this
//   accept N HOST           the Nth socket made was aimed at HOST and is connected
//   receive N BYTES         the Nth socket receives; sent N BYTES: it has sent these among others
//   start / saves OPS       the program starts; the file operations since the last look, each
//                           followed by ","
//   file NAME TEXT          the fake file holds this text
//   pick NAME N             the Nth entry of a drop-down is chosen; output TEXT: shown by the bot
class WindowScript : public WindowTest, public ::testing::WithParamInterface<Case> {
protected:
    QWidget* target(const std::string& name) {
        QWidget* w = control(name.c_str());
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit())
            return combo->lineEdit();
        return w;
    }
    template <typename T>
    static void expect(const T& shown, const T& expected) {
        EXPECT_EQ(shown, expected);
    }
    FakeTcpSocket& socket(const std::string& n) { return *platform.tcpSockets.at(std::stoul(n)); }
    std::string field(const std::string& name) {
        return fieldText(app, name).value_or("no field " + name);
    }
    void set(const std::string& name, const std::string& value) {
        ASSERT_TRUE(setFieldText(app, name, value)) << name;
    }
    std::string shown(const std::string& name, const std::string& prop) {
        QWidget* w = name == "window" ? &window : control(name.c_str());
        const auto yes = [](bool b) { return std::string(b ? "true" : "false"); };
        if (prop == "enabled") return yes(w->isEnabled());
        if (prop == "hidden") return yes(w->isHidden());
        if (prop == "visible") return yes(w->isVisible());
        if (prop == "checked") return yes(w->property("checked").toBool());
        if (name == "window") return window.windowTitle().toLatin1().toStdString();
        if (prop == "tip") return w->toolTip().toLatin1().toStdString();
        for (const QFormLayout* form : window.findChildren<QFormLayout*>())
            if (auto* label = qobject_cast<QLabel*>(form->labelForField(w));
                prop == "label" && label)
                return label->text().toLatin1().toStdString();
        if (prop == "count") return std::to_string(w->property("count").toInt());
        if (prop == "plain") return yes(w->property("textFormat").toInt() == Qt::PlainText);
        if (auto* list = qobject_cast<QListWidget*>(w); list && prop == "text")
            return list->count() ? list->item(0)->text().toLatin1().toStdString() : "";
        if (auto* tabs = qobject_cast<QTabWidget*>(w); tabs && prop == "tabs") {
            QStringList captions;
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->isTabVisible(i)) captions << tabs->tabText(i);
            return captions.join(',').toStdString();
        }
        return text(name.c_str()).toLatin1().toStdString();
    }
    void step(const std::string& op, const std::string& arg) {
        const std::size_t blank = arg.find(' ');
        const std::string name = arg.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : arg.substr(blank + 1);
        const std::map<std::string, Qt::Key> keys = {{"Backspace", Qt::Key_Backspace},
                                                     {"Delete", Qt::Key_Delete},
                                                     {"Return", Qt::Key_Return},
                                                     {"Down", Qt::Key_Down}};
        const std::size_t dot = name.find('.');
        if (op == "expect") return expect(shown(name.substr(0, dot), name.substr(dot + 1)), rest);
        if (op == "field") return expect(field(name), rest);
        if (op == "accept") expect(socket(name).host, rest);
        if (op == "accept") return socket(name).accept();
        if (op == "receive") return app.dispatch([&] { socket(name).receive(rest); });
        if (op == "sent") return expect(socket(name).sent.find(rest) != std::string::npos, true);
        if (op == "start") return startUp();
        if (op == "saves") {
            std::string ops;
            for (const std::string& done : std::exchange(platform.fileLog, {})) ops += done + ",";
            return expect(ops, arg);
        }
        if (op == "file") return expect(platform.files[name].find(rest) != std::string::npos, true);
        if (op == "output") return app.dispatch([&] { app.appendOutput(arg); });
        if (op == "tab") return tab(std::stoi(arg));
        if (op == "refresh") return window.refresh();
        if (op == "advance") return platform.advance(std::stoi(arg));
        if (op == "view") return app.dispatch([&] { set(name, rest); });
        QWidget* w = target(name);
        if (op == "click") return QTest::mouseClick(w, Qt::LeftButton);
        if (op == "tick") return QTest::mouseClick(w, Qt::LeftButton, {}, {6, w->height() / 2});
        if (op == "key") return QTest::keyClick(w, keys.at(rest));
        if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget()); op == "pick")
            return emit combo->textActivated(combo->itemText(std::stoi(rest)));
        auto* line = qobject_cast<QLineEdit*>(w);
        ASSERT_NE(line, nullptr) << "no step " << op << " on " << name;
        if (op == "caret") return line->setCursorPosition(std::stoi(rest));
        if (op == "select") return line->selectAll();
        ASSERT_EQ(op, "type");
        line->setFocus();
        for (QChar c : QString::fromLatin1(rest)) {  // keyClicks takes ASCII only
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(line, &press);
        }
    }
};

TEST_P(WindowScript, PlaysAsWritten) {
    for (const CaseLine& line : GetParam().lines) {
        SCOPED_TRACE(line.tag + " " + line.text);
        step(line.tag, line.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Window, WindowScript,
                         ::testing::ValuesIn(loadCases("shell/cases/window.txt")), scenarioName);

TEST_F(WindowTest, PlayerRowsCarryTheirColumnsAndTeamColours) {
    app.monitor.playerRows = {
        {"RedGuy", padValue("12"), padValue("50"), "Red", RowColour::Red},
        {"BlueGuy", padValue("100"), padValue("999"), "Blue", RowColour::Blue},
        {"Watcher", padValue("0"), padValue("0"), "Spec", RowColour::Grey},
        {"Caf\xE9", "12345", "7", "", RowColour::Black}};
    window.refresh();
    const QTreeWidgetItem* header = players()->headerItem();
    EXPECT_EQ(QStringList({header->text(1), header->text(2), header->text(3)}),
              QStringList({"Score", "Ping", "Team"}));
    EXPECT_EQ(rows(), "RedGuy|" + padValue("12") + "|" + padValue("50") + "|Red\nBlueGuy|" +
                          padValue("100") + "|" + padValue("999") + "|Blue\nWatcher|" +
                          padValue("0") + "|" + padValue("0") + "|Spec\nCaf\xE9|12345|7|\n");
    const QColor colours[] = {QColor(0xFF, 0, 0), QColor(0, 0, 0xFF), QColor(0x80, 0x80, 0x80),
                              QColor(0, 0, 0)};
    for (int row = 0; row < 4; ++row) {
        const QTreeWidgetItem* item = players()->topLevelItem(row);
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(item->foreground(column).color(), colours[row]) << row << "," << column;
        EXPECT_TRUE(item->textAlignment(1) & item->textAlignment(2) & Qt::AlignRight);
    }
    // A later reply with fewer players, and one who changed sides: no stale rows or colours.
    app.monitor.playerRows = {{"BlueGuy", "1", "80", "Red", RowColour::Red}};
    window.refresh();
    EXPECT_EQ(rows(), "BlueGuy|1|80|Red\n");
    EXPECT_EQ(players()->topLevelItem(0)->foreground(0).color(), QColor(0xFF, 0, 0));
}

TEST_F(WindowTest, RepliesAndTicksAreDrawnWithoutBeingAsked) {
    onServerEntryEdited(app, "10.0.0.5:27960");
    toggleConnection(app);
    platform.advance(1000);  // the first tick aims the socket at the server
    const std::string r = quake3Reply({{"gamename", "baseq3"}, {"mapname", "q3dm17"}},
                                      {{"12", "50", "^1Red^7Guy"}, {"3", "120", "Caf\xE9"}});
    platform.udpSockets.at(0)->deliver(r, "10.0.0.5", 27960);
    EXPECT_EQ(text("qsMap"), "q3dm17");
    EXPECT_EQ(text("quakeRecvBts"), QString(" %1 bytes.").arg(static_cast<qsizetype>(r.size())));
    EXPECT_EQ(rows().substr(0, 7), "RedGuy|");
    EXPECT_TRUE(text("QuakeInfoLabel").contains("mapname = q3dm17"));
    platform.advance(2000);  // the next poll names the family it learned
    EXPECT_EQ(text("sModeLabel"), "Q3");
}

TEST_F(WindowTest, ClicksOnRowsMoveThePlayerAndOnTheHeaderSortByScore) {
    app.monitor.playerRows = {{"Ann", padValue("9"), padValue("10"), "Red", RowColour::Red},
                              {"Bob", padValue("10"), padValue("20"), "Spec", RowColour::Grey}};
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

TEST_F(WindowTest, InterpSwitchesReachTheBot) {
    for (const char* name :
         {"InterpGotFlag", "InterpLostFlag", "InterpRecoverFlag", "InterpQuad", "InterpHaste",
          "InterpRegen", "InterpInvis", "InterpServerMsg", "InterpReport"}) {
        auto* box = control<QCheckBox>(name);
        const std::string initial = fieldText(app, name).value_or("no field");
        EXPECT_EQ(box->isChecked() ? "true" : "false", initial) << name;
        box->click();
        EXPECT_NE(fieldText(app, name), initial) << name;
    }
}

TEST_F(WindowTest, StartShowsTheSplash) {
    startUp();
    QWidget* shown = splash();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->findChild<QLabel*>("Label1")->text(), "Version 1.33");
    EXPECT_TRUE(shown->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(shown->findChild<QLabel*>("Image1")->pos(), QPoint(0, 0));  // the picture fills it
    QTest::mouseClick(shown, Qt::LeftButton);
    EXPECT_FALSE(app.window.splashVisible);
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

TEST_F(WindowTest, CloseWaitsForTheQuitTimer) {
    startUp();
    platform.fileLog.clear();
    EXPECT_FALSE(window.close());  // a close event waits for the quit timer
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(app.window.trayIconAdded);
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
    app.settings.savedServers = {"10.0.0.1:27901", "10.0.0.2:27902"};
    app.settings.serverEntry = "10.0.0.2:27902 (Two)";
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
    auto* list = findControl<QTreeWidget>(*browser, "qServ");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(1));  // the current server
    EXPECT_EQ(findControl<QPushButton>(*browser, "Command6")->text(), "Total refresh");
    QTest::mouseClick(findControl<QPushButton>(*browser, "Command3"), Qt::LeftButton);
    list->header()->sectionClicked(0);  // sorted by name already: reversed
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Two");
    app.dispatch(
        [&] { app.browserView.detailList = {"mapname = q2dm2"}; });  // the clicked row's detail
    auto* details = findControl<QListWidget>(*browser, "List1");
    ASSERT_EQ(details->count(), 1);
    EXPECT_EQ(details->item(0)->text(), "mapname = q2dm2");
    platform.fileLog.clear();
    browser->close();
    EXPECT_FALSE(app.browserView.browserVisible);
    EXPECT_EQ(platform.fileLog, std::vector<std::string>{"replace orvexa.ini"});
}

}  // namespace
}  // namespace fc::test
