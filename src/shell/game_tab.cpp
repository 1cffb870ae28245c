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
#include "settings/game_server_list.h"
#include "shell/match_box.h"
#include "shell/qt_text.h"
#include "shell/team_menu_button.h"
#include "shell/title_bar.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

QLineEdit* ReadOnlyField(const char* name, QWidget* parent) {
    auto* field = Named(new QLineEdit(parent), name);
    field->setReadOnly(true);
    return field;
}

QLabel* ValueLabel(const char* name, QWidget* parent) {
    auto* label = Named(new QLabel(parent), name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void Emphasise(QWidget* widget, double scale, const QColor& colour = QColor()) {
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
void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);

}  // namespace

GameTab::GameTab(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* main = new QHBoxLayout;
    main->addWidget(buildPlayerList(), 3);
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
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    Q2Serverlist_ = EntryCombo("Q2Serverlist", row);
    Q2Serverlist_->setMinimumContentsLength(24);

    auto* caption = new QLabel(tr("&Server:"), row);
    caption->setBuddy(Q2Serverlist_);
    Q2Plus_ = Named(new QPushButton(QStringLiteral("Add this server!"), row), "Q2Plus");
    // Opens the server browser.
    QuakeServerMore_ = Named(new QPushButton(QStringLiteral("..."), row), "QuakeServerMore");
    QuakeServerMore_->setMaximumWidth(
        QFontMetrics(QuakeServerMore_->font()).horizontalAdvance(QStringLiteral("....")) + 12);

    layout->addWidget(caption);
    layout->addWidget(Q2Serverlist_, 1);
    layout->addWidget(QuakeServerMore_);
    layout->addWidget(Q2Plus_);
    return row;
}

QWidget* GameTab::buildStatusRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    quakeTimerButton_ = Named(new QPushButton(row), "quakeTimerButton");
    // Wide enough for either caption, so switching does not move the row.
    const QFontMetrics metrics(quakeTimerButton_->font());
    quakeTimerButton_->setMinimumWidth(
        metrics.horizontalAdvance(QStringLiteral("Connection: OFF")) +
        4 * metrics.averageCharWidth());

    Frame12_ = Named(new QFrame(row), "Frame12");
    Frame12_->setFrameShape(QFrame::Box);
    KeepPlaceWhenHidden(Frame12_);
    auto* frameLayout = new QHBoxLayout(Frame12_);
    frameLayout->setContentsMargins(6, 1, 6, 1);
    Label62_ = ValueLabel("Label62", Frame12_);
    Emphasise(Label62_, 1.0, kRed);
    frameLayout->addWidget(Label62_);

    sModeLabel_ = ValueLabel("sModeLabel", row);
    typspel_ = ValueLabel("typspel", row);
    quakeRecvBts_ = ValueLabel("quakeRecvBts", row);
    quakeRecvBts_->setMinimumWidth(
        QFontMetrics(quakeRecvBts_->font()).horizontalAdvance(QStringLiteral(" 00000 bytes.")));
    quakeRecvBts_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    layout->addWidget(quakeTimerButton_);
    layout->addWidget(Frame12_);
    layout->addStretch(1);
    layout->addWidget(sModeLabel_);
    layout->addWidget(typspel_);
    layout->addSpacing(12);
    layout->addWidget(quakeRecvBts_);
    return row;
}

QWidget* GameTab::buildPlayerList() {
    spelerLijst_ = Named(new QTreeWidget(this), "spelerLijst");
    spelerLijst_->setColumnCount(4);
    spelerLijst_->setHeaderLabels({tr("Name"), tr("Score"), tr("Ping"), tr("Team")});
    spelerLijst_->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    spelerLijst_->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    spelerLijst_->setRootIsDecorated(false);
    spelerLijst_->setUniformRowHeights(true);
    spelerLijst_->setAllColumnsShowFocus(true);
    spelerLijst_->setSelectionMode(QAbstractItemView::SingleSelection);

    QHeaderView* header = spelerLijst_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const int narrow =
        QFontMetrics(spelerLijst_->font()).horizontalAdvance(QStringLiteral("Score")) +
        3 * QFontMetrics(spelerLijst_->font()).averageCharWidth();
    for (int column = 1; column < 4; ++column) {
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, narrow);
    }

    // The row colours are fixed (red, blue, grey, black), so the list keeps a light ground
    // whatever the desktop's colour scheme.
    QPalette palette = spelerLijst_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF4, 0xF4, 0xF4));
    palette.setColor(QPalette::Text, Qt::black);
    spelerLijst_->setPalette(palette);
    spelerLijst_->setAlternatingRowColors(true);
    spelerLijst_->setMinimumWidth(260);
    return spelerLijst_;
}

QWidget* GameTab::buildServerFields() {
    auto* box = new QWidget(this);
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);

    qsGame_ = ReadOnlyField("qsGame", box);
    qsMap_ = ReadOnlyField("qsMap", box);
    qsTimeLeft_ = ReadOnlyField("qsTimeLeft", box);
    Emphasise(qsTimeLeft_, 1.2);
    qsStats_ = ReadOnlyField("qsStats", box);

    auto* players = new QHBoxLayout;
    PlayersPlaying_ = ValueLabel("PlayersPlaying", box);
    PlayersMax_ = ValueLabel("PlayersMax", box);
    players->addWidget(PlayersPlaying_);
    players->addWidget(new QLabel(QStringLiteral("/"), box));
    players->addWidget(PlayersMax_);
    players->addStretch(1);

    auto* limit = new QHBoxLayout;
    TimeLimitDM_ = ReadOnlyField("TimeLimitDM", box);
    TimeLimitDM_->setMaximumWidth(QFontMetrics(TimeLimitDM_->font()).averageCharWidth() * 8);
    limit->addWidget(TimeLimitDM_);
    limit->addWidget(new QLabel(tr("min."), box));
    limit->addStretch(1);

    TempLabel1_ = ValueLabel("TempLabel1", box);

    form->addRow(tr("Game:"), qsGame_);
    form->addRow(tr("Map:"), qsMap_);
    form->addRow(tr("Time left:"), qsTimeLeft_);
    form->addRow(tr("Statistics:"), qsStats_);
    form->addRow(tr("Players:"), players);
    form->addRow(tr("Time limit:"), limit);
    form->addRow(tr("Teams known:"), TempLabel1_);
    return box;
}

QWidget* GameTab::buildTeamScores() {
    teamscores_ = Named(new QFrame(this), "teamscores");
    teamscores_->setFrameShape(QFrame::StyledPanel);
    KeepPlaceWhenHidden(teamscores_);
    auto* grid = new QGridLayout(teamscores_);

    Label9_ = ValueLabel("Label9", teamscores_);
    Label10_ = ValueLabel("Label10", teamscores_);
    Emphasise(Label9_, 1.0, kRed);
    Emphasise(Label10_, 1.0, kBlue);
    txtnaamRED_ = Named(new QLineEdit(teamscores_), "txtnaamRED");
    txtnaamBLUE_ = Named(new QLineEdit(teamscores_), "txtnaamBLUE");
    qsRed_ = ReadOnlyField("qsRed", teamscores_);
    qsBlue_ = ReadOnlyField("qsBlue", teamscores_);
    Emphasise(qsRed_, 1.4, kRed);
    Emphasise(qsBlue_, 1.4, kBlue);
    lblLagRed_ = ValueLabel("lblLagRed", teamscores_);
    lblLagBlue_ = ValueLabel("lblLagBlue", teamscores_);

    for (QLabel* label : {Label9_, Label10_, lblLagRed_, lblLagBlue_}) {
        label->setAlignment(Qt::AlignCenter);
    }
    qsRed_->setAlignment(Qt::AlignCenter);
    qsBlue_->setAlignment(Qt::AlignCenter);

    grid->addWidget(Label9_, 0, 1);
    grid->addWidget(Label10_, 0, 2);
    grid->addWidget(new QLabel(tr("Name:"), teamscores_), 1, 0);
    grid->addWidget(txtnaamRED_, 1, 1);
    grid->addWidget(txtnaamBLUE_, 1, 2);
    grid->addWidget(new QLabel(tr("Score:"), teamscores_), 2, 0);
    grid->addWidget(qsRed_, 2, 1);
    grid->addWidget(qsBlue_, 2, 2);
    grid->addWidget(new QLabel(tr("Ping:"), teamscores_), 3, 0);
    grid->addWidget(lblLagRed_, 3, 1);
    grid->addWidget(lblLagBlue_, 3, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return teamscores_;
}

void GameTab::connectActions() {
    QLineEdit* entry = Q2Serverlist_->lineEdit();
    connect(entry, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { OnServerEntryEdited(app_, FromDisplay(text)); });
    });
    // Picking a saved server is an edit of the entry as much as typing one.
    connect(Q2Serverlist_, &QComboBox::textActivated, this, [this](const QString& text) {
        app_.dispatch([&] { OnServerEntryEdited(app_, FromDisplay(text)); });
    });
    new MouseWatcher(entry, [this, entry](bool pressed) {
        if (!pressed) return;
        const std::string text = FromDisplay(entry->text());
        app_.dispatch([&] { OnServerEntryEdited(app_, text); });
    });

    connect(quakeTimerButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { WisselConnectie(app_); }); });
    connect(QuakeServerMore_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { OpenBrowser(app_); }); });
    connect(Q2Plus_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { AddServerToList(app_); }); });

    connect(txtnaamRED_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { OnTeamNameEdited(app_, true, FromDisplay(text)); });
    });
    connect(txtnaamBLUE_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { OnTeamNameEdited(app_, false, FromDisplay(text)); });
    });

    // A row changes team only by the mouse: the press is seen before the row reports it.
    new MouseWatcher(spelerLijst_->viewport(),
                     [this](bool down) { app_.dispatch([&] { OnPlayerListMouse(app_, down); }); });
    connect(spelerLijst_, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* item, int) {
        const int row = spelerLijst_->indexOfTopLevelItem(item);
        app_.dispatch([&] { OnPlayerRowClicked(app_, row); });
        // The list keeps no focus, so the next key press goes where the operator expects.
        UnFocus(this);
    });
    spelerLijst_->header()->setSectionsClickable(true);
    connect(spelerLijst_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        app_.dispatch([&] { OnPlayerListColumnClicked(app_, column); });
    });
}

void GameTab::refresh(const MainView& view) {
    SyncCombo(Q2Serverlist_, view.qServers, view.Q2Serverlist);
    Q2Serverlist_->setEnabled(view.Q2ServerlistEnabled);
    SyncText(quakeTimerButton_, view.quakeTimerButton);
    quakeTimerButton_->setEnabled(view.quakeTimerButtonEnabled);
    Q2Plus_->setEnabled(view.Q2PlusEnabled);

    SyncText(Label62_, view.Label62);
    Frame12_->setVisible(view.Frame12Visible);
    SyncText(sModeLabel_, view.sModeLabel);
    SyncText(typspel_, view.typspel);
    SyncText(quakeRecvBts_, view.quakeRecvBts);
    SyncPlayerList(spelerLijst_, view.spelerLijst);

    SyncText(qsGame_, view.qsGame);
    SyncText(qsMap_, view.qsMap);
    SyncText(qsTimeLeft_, view.qsTimeLeft);
    SyncText(qsStats_, view.qsStats);
    SyncText(PlayersPlaying_, view.PlayersPlaying);
    SyncText(PlayersMax_, view.PlayersMax);
    SyncText(TimeLimitDM_, view.TimeLimitDM);
    SyncText(TempLabel1_, view.TempLabel1 ? "True" : "False");

    teamscores_->setVisible(view.teamscoresVisible);
    SyncText(Label9_, view.Label9);
    SyncText(Label10_, view.Label10);
    SyncText(txtnaamRED_, view.txtnaamRED);
    SyncText(txtnaamBLUE_, view.txtnaamBLUE);
    SyncText(qsRed_, view.qsRed);
    SyncText(qsBlue_, view.qsBlue);
    SyncText(lblLagRed_, view.lblLagRed);
    SyncText(lblLagBlue_, view.lblLagBlue);
    matchBox_->refresh(view);
}

}  // namespace fc
