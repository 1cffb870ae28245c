#include "shell/game_tab.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

#include "browser/browser_actions.h"
#include "core/app.h"
#include "match/teams.h"
#include "monitor/poller.h"
#include "program/shown_status.h"
#include "settings/game_server_list.h"
#include "shell/match_box.h"
#include "shell/qt_text.h"
#include "shell/team_menu_button.h"
#include "shell/title_bar.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

QLineEdit* readOnlyField(const char* name, QWidget* parent) {
    auto* field = named(new QLineEdit(parent), name);
    field->setReadOnly(true);
    return field;
}

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void emphasise(QWidget* widget, double scale, const QColor& colour = QColor()) {
    QFont font = widget->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    widget->setFont(font);
    if (colour.isValid()) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, colour);
        palette.setColor(QPalette::Text, colour);
        widget->setPalette(palette);
    }
}

// Keeps the place of a widget that comes and goes, so the rest of the tab does not jump.
void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);

}  // namespace

GameTab::GameTab(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* main = new QHBoxLayout;
    auto* players = new QVBoxLayout;
    players->addWidget(buildPlayerList(), 1);
    // Under the list it takes room from the list's rows, so the window keeps its size.
    teamsHintLabel_ = valueLabel("teamsHint", this);
    teamsHintLabel_->setWordWrap(true);
    teamsHintLabel_->setVisible(false);
    players->addWidget(teamsHintLabel_);
    main->addLayout(players, 3);
    auto* side = new QVBoxLayout;
    side->addWidget(buildServerFields());
    side->addWidget(buildTeamScores());
    matchBox_ = new MatchBox(app_, this);
    side->addWidget(matchBox_);
    side->addWidget(new TeamMenuButton(app_, this), 0, Qt::AlignLeft);
    side->addStretch(1);
    main->addLayout(side, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildEntryRow());
    layout->addWidget(buildStatusRow());
    layout->addLayout(main, 1);

    connectActions();
}

QWidget* GameTab::buildEntryRow() {
    auto* box = new QWidget(this);
    auto* lines = new QVBoxLayout(box);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(1);
    auto* row = new QWidget(box);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    // Why the entry was refused, under it; hidden while there is nothing to say.
    entryFaultLabel_ = named(new QLabel(box), "serverEntryFault");
    entryFaultLabel_->setStyleSheet(QStringLiteral("color: #c00000;"));
    entryFaultLabel_->setWordWrap(true);
    entryFaultLabel_->hide();
    lines->addWidget(row);
    lines->addWidget(entryFaultLabel_);

    serverEntryCombo_ = entryCombo("Q2Serverlist", row);
    serverEntryCombo_->setMinimumContentsLength(24);

    auto* caption = new QLabel(tr("&Server:"), row);
    caption->setBuddy(serverEntryCombo_);
    addServerButton_ = named(new QPushButton(QStringLiteral("Add this server!"), row), "Q2Plus");
    // Opens the server browser.
    openBrowserButton_ = named(new QPushButton(QStringLiteral("..."), row), "QuakeServerMore");
    openBrowserButton_->setMaximumWidth(
        QFontMetrics(openBrowserButton_->font()).horizontalAdvance(QStringLiteral("....")) + 12);

    layout->addWidget(caption);
    layout->addWidget(serverEntryCombo_, 1);
    layout->addWidget(openBrowserButton_);
    layout->addWidget(addServerButton_);
    return box;
}

QWidget* GameTab::buildStatusRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    connectionButton_ = named(new QPushButton(row), "quakeTimerButton");
    // Wide enough for either caption, so switching does not move the row.
    const QFontMetrics metrics(connectionButton_->font());
    connectionButton_->setMinimumWidth(
        metrics.horizontalAdvance(QStringLiteral("Connection: OFF")) +
        4 * metrics.averageCharWidth());

    liveBannerFrame_ = named(new QFrame(row), "Frame12");
    liveBannerFrame_->setFrameShape(QFrame::Box);
    keepPlaceWhenHidden(liveBannerFrame_);
    auto* frameLayout = new QHBoxLayout(liveBannerFrame_);
    frameLayout->setContentsMargins(6, 1, 6, 1);
    liveBannerLabel_ = valueLabel("Label62", liveBannerFrame_);
    emphasise(liveBannerLabel_, 1.0, kRed);
    frameLayout->addWidget(liveBannerLabel_);

    gameTypeLabel_ = valueLabel("typspel", row);
    receivedBytesLabel_ = valueLabel("quakeRecvBts", row);
    receivedBytesLabel_->setMinimumWidth(QFontMetrics(receivedBytesLabel_->font())
                                             .horizontalAdvance(QStringLiteral(" 00000 bytes.")));
    receivedBytesLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    layout->addWidget(connectionButton_);
    layout->addWidget(liveBannerFrame_);
    layout->addStretch(1);
    layout->addWidget(gameTypeLabel_);
    layout->addSpacing(12);
    layout->addWidget(receivedBytesLabel_);
    return row;
}

QWidget* GameTab::buildPlayerList() {
    playerList_ = named(new QTreeWidget(this), "spelerLijst");
    playerList_->setColumnCount(4);
    playerList_->setHeaderLabels({tr("Name"), tr("Score"), tr("Ping"), tr("Team")});
    playerList_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    playerList_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    playerList_->setRootIsDecorated(false);
    playerList_->setUniformRowHeights(true);
    playerList_->setAllColumnsShowFocus(true);
    playerList_->setSelectionMode(QAbstractItemView::SingleSelection);

    QHeaderView* header = playerList_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const int narrow =
        QFontMetrics(playerList_->font()).horizontalAdvance(QStringLiteral("Score")) +
        3 * QFontMetrics(playerList_->font()).averageCharWidth();
    for (int column = 1; column < 4; ++column) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, narrow);
    }

    // The row colours are fixed (red, blue, grey, black), so the list keeps a light ground
    // whatever the desktop's colour scheme.
    QPalette palette = playerList_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF4, 0xF4, 0xF4));
    palette.setColor(QPalette::Text, Qt::black);
    playerList_->setPalette(palette);
    playerList_->setAlternatingRowColors(true);
    playerList_->setMinimumWidth(260);
    return playerList_;
}

QWidget* GameTab::buildServerFields() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);

    gameEdit_ = readOnlyField("qsGame", box);
    mapEdit_ = readOnlyField("qsMap", box);
    timeLeftEdit_ = readOnlyField("qsTimeLeft", box);
    emphasise(timeLeftEdit_, 1.2);
    statisticsEdit_ = readOnlyField("qsStats", box);

    auto* players = new QHBoxLayout;
    playersPlayingLabel_ = valueLabel("PlayersPlaying", box);
    playersMaxLabel_ = valueLabel("PlayersMax", box);
    players->addWidget(playersPlayingLabel_);
    players->addWidget(new QLabel(QStringLiteral("/"), box));
    players->addWidget(playersMaxLabel_);
    players->addStretch(1);

    auto* limit = new QHBoxLayout;
    timeLimitEdit_ = readOnlyField("TimeLimitDM", box);
    timeLimitEdit_->setMaximumWidth(QFontMetrics(timeLimitEdit_->font()).averageCharWidth() * 8);
    limit->addWidget(timeLimitEdit_);
    limit->addWidget(new QLabel(tr("min."), box));
    limit->addStretch(1);

    teamsKnownLabel_ = valueLabel("TempLabel1", box);

    form->addRow(tr("Game:"), gameEdit_);
    form->addRow(tr("Map:"), mapEdit_);
    form->addRow(tr("Time left:"), timeLeftEdit_);
    form->addRow(tr("Statistics:"), statisticsEdit_);
    form->addRow(tr("Players:"), players);
    form->addRow(tr("Time limit:"), limit);
    form->addRow(tr("Teams known:"), teamsKnownLabel_);
    return box;
}

QWidget* GameTab::buildTeamScores() {
    teamScoresFrame_ = named(new QFrame(this), "teamscores");
    teamScoresFrame_->setFrameShape(QFrame::StyledPanel);
    keepPlaceWhenHidden(teamScoresFrame_);
    auto* grid = new QGridLayout(teamScoresFrame_);

    redTeamCaptionLabel_ = valueLabel("Label9", teamScoresFrame_);
    blueTeamCaptionLabel_ = valueLabel("Label10", teamScoresFrame_);
    emphasise(redTeamCaptionLabel_, 1.0, kRed);
    emphasise(blueTeamCaptionLabel_, 1.0, kBlue);
    redTeamNameEdit_ = named(new QLineEdit(teamScoresFrame_), "txtnaamRED");
    blueTeamNameEdit_ = named(new QLineEdit(teamScoresFrame_), "txtnaamBLUE");
    redScoreEdit_ = readOnlyField("qsRed", teamScoresFrame_);
    blueScoreEdit_ = readOnlyField("qsBlue", teamScoresFrame_);
    emphasise(redScoreEdit_, 1.4, kRed);
    emphasise(blueScoreEdit_, 1.4, kBlue);
    redPingLabel_ = valueLabel("lblLagRed", teamScoresFrame_);
    bluePingLabel_ = valueLabel("lblLagBlue", teamScoresFrame_);

    for (QLabel* label :
         {redTeamCaptionLabel_, blueTeamCaptionLabel_, redPingLabel_, bluePingLabel_}) {
        label->setAlignment(Qt::AlignCenter);
    }
    redScoreEdit_->setAlignment(Qt::AlignCenter);
    blueScoreEdit_->setAlignment(Qt::AlignCenter);

    grid->addWidget(redTeamCaptionLabel_, 0, 1);
    grid->addWidget(blueTeamCaptionLabel_, 0, 2);
    grid->addWidget(new QLabel(tr("Name:"), teamScoresFrame_), 1, 0);
    grid->addWidget(redTeamNameEdit_, 1, 1);
    grid->addWidget(blueTeamNameEdit_, 1, 2);
    grid->addWidget(new QLabel(tr("Score:"), teamScoresFrame_), 2, 0);
    grid->addWidget(redScoreEdit_, 2, 1);
    grid->addWidget(blueScoreEdit_, 2, 2);
    grid->addWidget(new QLabel(tr("Ping:"), teamScoresFrame_), 3, 0);
    grid->addWidget(redPingLabel_, 3, 1);
    grid->addWidget(bluePingLabel_, 3, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return teamScoresFrame_;
}

void GameTab::connectActions() {
    QLineEdit* entry = serverEntryCombo_->lineEdit();
    connect(entry, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { onServerEntryEdited(app_, fromDisplay(text)); });
    });
    // Picking a saved server is an edit of the entry as much as typing one.
    connect(serverEntryCombo_, &QComboBox::textActivated, this, [this](const QString& text) {
        app_.dispatch([&] { onServerEntryEdited(app_, fromDisplay(text)); });
    });
    new MouseWatcher(entry, [this, entry](bool pressed) {
        if (!pressed) return;
        const std::string text = fromDisplay(entry->text());
        app_.dispatch([&] { onServerEntryEdited(app_, text); });
    });

    connect(connectionButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { toggleConnection(app_); }); });
    connect(openBrowserButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { openBrowser(app_); }); });
    connect(addServerButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { addServerToList(app_); }); });

    connect(redTeamNameEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { onTeamNameEdited(app_, true, fromDisplay(text)); });
    });
    connect(blueTeamNameEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { onTeamNameEdited(app_, false, fromDisplay(text)); });
    });

    // A row changes team only by the mouse: the press is seen before the row reports it.
    new MouseWatcher(playerList_->viewport(),
                     [this](bool down) { app_.dispatch([&] { onPlayerListMouse(app_, down); }); });
    connect(playerList_, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* item, int) {
        const int row = playerList_->indexOfTopLevelItem(item);
        app_.dispatch([&] { onPlayerRowClicked(app_, row); });
        // The list keeps no focus, so the next key press goes where the operator expects.
        unfocus(this);
    });
    playerList_->header()->setSectionsClickable(true);
    connect(playerList_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        app_.dispatch([&] { onPlayerListColumnClicked(app_, column); });
    });
}

void GameTab::refresh(const App& app) {
    const ShownStatus shown = showStatus(app);
    syncCombo(serverEntryCombo_, app.settings.savedServers, app.settings.serverEntry);
    serverEntryCombo_->setEnabled(app.window.serverEntryEnabled);
    syncText(entryFaultLabel_, app.window.serverEntryFault);
    entryFaultLabel_->setVisible(!app.window.serverEntryFault.empty());
    syncText(connectionButton_, app.window.connectionButton);
    connectionButton_->setEnabled(app.window.connectionButtonEnabled);
    addServerButton_->setEnabled(app.window.addServerEnabled);

    syncText(liveBannerLabel_, app.match.liveBanner);
    liveBannerFrame_->setVisible(app.window.liveBannerVisible);
    syncText(gameTypeLabel_, shown.gameName);
    syncText(receivedBytesLabel_, shown.receivedBytes);
    syncPlayerList(playerList_, *shown.players);

    syncText(gameEdit_, shown.game);
    syncText(mapEdit_, shown.map);
    syncText(timeLeftEdit_, shown.timeLeft);
    syncText(statisticsEdit_, app.monitor.statisticsText);
    syncText(playersPlayingLabel_, shown.playersPlaying);
    syncText(playersMaxLabel_, shown.playersMax);
    syncText(timeLimitEdit_, app.settings.timeLimitMinutes);
    syncText(teamsKnownLabel_, app.window.teamsKnownShown ? "True" : "False");
    syncText(teamsHintLabel_, shown.teamsHint);
    teamsHintLabel_->setVisible(!shown.teamsHint.empty());

    teamScoresFrame_->setVisible(app.window.teamScoresVisible);
    syncText(redTeamCaptionLabel_, app.match.redTeamCaption);
    syncText(blueTeamCaptionLabel_, app.match.blueTeamCaption);
    syncText(redTeamNameEdit_, shown.redTeamName);
    syncText(blueTeamNameEdit_, shown.blueTeamName);
    syncText(redScoreEdit_, shown.redScore);
    syncText(blueScoreEdit_, shown.blueScore);
    syncText(redPingLabel_, shown.pingRed);
    syncText(bluePingLabel_, shown.pingBlue);
    matchBox_->refresh(app);
}

}  // namespace fc
