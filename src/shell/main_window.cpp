#include "shell/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSizeGrip>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/advanced_mode.h"
#include "shell/browser_window.h"
#include "shell/codes_window.h"
#include "shell/game_tab.h"
#include "shell/info_tabs.h"
#include "shell/interp_tab.h"
#include "shell/irc_tab.h"
#include "shell/qt_text.h"
#include "shell/record_tab.h"
#include "shell/settings_options.h"
#include "shell/template_editor.h"
#include "shell/timeline_tab.h"
#include "shell/title_bar.h"
#include "shell/webhook_options.h"
#include "shell/widget_sync.h"
#include "shell/window_lifecycle.h"

namespace fc {

namespace {

// Tab positions; the logic and the operator's help refer to the tabs in this order.
enum Tab : int {
    kIrcTab = 0,
    kGameTab = 1,
    kOptionsTab = 2,
    kServerInfoTab = 3,
    kRecordTab = 4,
    kAboutTab = 5,
    kHelpTab = 6,
    kInterpTab = 7,
    kTimelineTab = 8,
};

// Tabs shown only in advanced mode.
constexpr Tab kAdvancedTabs[] = {kServerInfoTab, kRecordTab, kInterpTab};

}  // namespace

struct MainWindow::Controls {
    QTabWidget* tabWidget = nullptr;
    GameTab* game = nullptr;
    IrcTab* irc = nullptr;
    InterpTab* interp = nullptr;
    IrcOptionsBox* ircOptions = nullptr;
    QCheckBox* advancedMode = nullptr;
    QPlainTextEdit* serverInfoText = nullptr;
    WindowLifecycle* lifecycle = nullptr;
    SettingsOptions* settingsOptions = nullptr;
    WebhookOptions* webhookOptions = nullptr;
    RecordTab* record = nullptr;
    PlaybackBar* playbackBar = nullptr;
    TitleBar* titleBar = nullptr;
    TemplateEditor* templateEditor = nullptr;
    CodesWindow* codes = nullptr;      // made the first time it is asked for
    BrowserWindow* browser = nullptr;  // while the server browser is open
};

MainWindow::MainWindow(App& app, QWidget* parent)
    : QWidget(parent), app_(app), ui_(std::make_unique<Controls>()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(display(app.window.windowCaption));
    // The window draws its own title bar; the task bar still lists it, so it can always be
    // brought back from a minimise.
    setWindowFlag(Qt::FramelessWindowHint);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("Tabs"));
    ui_->tabWidget = tabs;

    ui_->game = new GameTab(app_, tabs);
    ui_->game->setObjectName(QStringLiteral("GameTab"));

    auto* options = new QWidget(tabs);
    options->setObjectName(QStringLiteral("OptionsTab"));
    auto* optionsColumns = new QHBoxLayout(options);
    auto* optionsLayout = new QVBoxLayout;
    ui_->advancedMode = new QCheckBox(QStringLiteral("Show advanced options / tabs"), options);
    ui_->advancedMode->setObjectName(QStringLiteral("Advanced"));
    optionsLayout->addWidget(ui_->advancedMode);
    ui_->ircOptions = new IrcOptionsBox(app_, options);
    optionsLayout->addWidget(ui_->ircOptions);
    ui_->settingsOptions = new SettingsOptions(app_, options);
    optionsLayout->addWidget(ui_->settingsOptions);
    ui_->webhookOptions = new WebhookOptions(app_, options);
    optionsLayout->addWidget(ui_->webhookOptions);
    optionsLayout->addStretch(1);
    optionsColumns->addLayout(optionsLayout, 1);
    ui_->templateEditor = new TemplateEditor(app_, options);
    optionsColumns->addWidget(ui_->templateEditor, 1, Qt::AlignTop);

    ui_->serverInfoText = new QPlainTextEdit(tabs);
    ui_->serverInfoText->setObjectName(QStringLiteral("QuakeInfoLabel"));
    ui_->serverInfoText->setReadOnly(true);
    ui_->serverInfoText->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui_->serverInfoText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    ui_->irc = new IrcTab(app_, tabs);
    ui_->irc->setObjectName(QStringLiteral("IrcTab"));
    tabs->insertTab(kIrcTab, ui_->irc, QStringLiteral("IRC"));
    tabs->insertTab(kGameTab, ui_->game, QStringLiteral("Game"));
    tabs->insertTab(kOptionsTab, options, QStringLiteral("Options"));
    tabs->insertTab(kServerInfoTab, ui_->serverInfoText, QStringLiteral("Srv. Info"));
    ui_->record = new RecordTab(app_, tabs);
    ui_->record->setObjectName(QStringLiteral("RecordTab"));
    tabs->insertTab(kRecordTab, ui_->record, QStringLiteral("Record"));
    tabs->insertTab(kAboutTab, buildAboutPage(tabs), QStringLiteral("About"));
    tabs->insertTab(kHelpTab, buildHelpPage(tabs), QStringLiteral("Help"));
    ui_->interp = new InterpTab(app_, tabs);
    ui_->interp->setObjectName(QStringLiteral("InterpTab"));
    tabs->insertTab(kInterpTab, ui_->interp, QStringLiteral("Interp"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 4);
    ui_->titleBar = new TitleBar(app_, this);
    layout->addWidget(ui_->titleBar);
    layout->addWidget(tabs);
    ui_->playbackBar = new PlaybackBar(app_, this);
    // Without a frame the window manager gives no edge to drag: the corner grip resizes it.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ui_->playbackBar, 1);
    bottom->addWidget(new QSizeGrip(this), 0, Qt::AlignBottom | Qt::AlignRight);
    layout->addLayout(bottom);
    ui_->lifecycle = new WindowLifecycle(app_, this);
    connect(tabs, &QTabWidget::currentChanged, this, [this] { unfocus(this); });

    connect(ui_->advancedMode, &QCheckBox::clicked, this, [this](bool checked) {
        app_.dispatch(
            [this, checked] { checked ? switchAdvancedOn(app_) : switchAdvancedOff(app_); });
    });

    resize(900, 540);
    app_.addListener(this);
    refresh();
}

MainWindow::~MainWindow() {
    app_.removeListener(this);
    delete ui_->browser;
}

void MainWindow::refresh() {
    for (Tab tab : kAdvancedTabs) {
        if (ui_->tabWidget->isTabVisible(tab) != app_.settings.advancedMode)
            ui_->tabWidget->setTabVisible(tab, app_.settings.advancedMode);
    }
    if (ui_->advancedMode->isChecked() != app_.settings.advancedMode) {
        const QSignalBlocker block(ui_->advancedMode);
        ui_->advancedMode->setChecked(app_.settings.advancedMode);
    }

    ui_->titleBar->refresh(app_);
    ui_->templateEditor->refresh(app_);
    syncCodesWindow(app_);
    ui_->game->refresh(app_);
    ui_->irc->refresh(app_);
    ui_->interp->refresh(app_);
    ui_->ircOptions->refresh(app_);
    syncText(ui_->serverInfoText, app_.monitor.serverInfoText);
    ui_->lifecycle->refresh(app_);
    syncBrowser();
    if (app_.window.focusMainWindow) {
        app_.window.focusMainWindow = false;
        activateWindow();
    }
    ui_->settingsOptions->refresh(app_);
    ui_->webhookOptions->refresh(app_);
    ui_->record->refresh(app_);
    ui_->playbackBar->refresh(app_);
    if (app_.window.showGameTab) {
        // "Play selected" turns to the Game tab once.
        app_.window.showGameTab = false;
        ui_->tabWidget->setCurrentIndex(kGameTab);
    }

    // The caption the logic keeps: its mark while shown, the score while minimised.
    const QString title = display(app_.window.windowCaption);
    if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::syncCodesWindow(const App& app) {
    if (app.preview.codesHelpVisible && !ui_->codes) ui_->codes = new CodesWindow(app_, this);
    if (!ui_->codes || ui_->codes->isVisible() == app.preview.codesHelpVisible) return;
    ui_->codes->setVisible(app.preview.codesHelpVisible);
    if (app.preview.codesHelpVisible) {
        ui_->codes->raise();
        ui_->codes->activateWindow();
    }
}

// The browser is a window of its own, made when it opens and gone when it closes.
void MainWindow::syncBrowser() {
    const BrowserView& browser = app_.browserView;
    if (browser.browserVisible && !ui_->browser) {
        ui_->browser = new BrowserWindow(app_);
        ui_->browser->refresh(browser);
        ui_->browser->show();
        return;
    }
    if (!ui_->browser) return;
    if (browser.browserVisible) {
        ui_->browser->refresh(browser);
        return;
    }
    // Possibly inside the browser's own close or click handler: it goes once that returns.
    ui_->browser->hide();
    ui_->browser->deleteLater();
    ui_->browser = nullptr;
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    const bool minimised = isMinimized();
    if (minimised != app_.window.windowMinimised) {
        app_.dispatch([&] { app_.window.windowMinimised = minimised; });
    }
}

// Every close request runs the shut-down; the first one is refused while it says goodbye.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (ui_->lifecycle->closeRequested()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::messageShown(const std::string& title, const std::string& text) {
    auto* box =
        new QMessageBox(QMessageBox::NoIcon, display(title), display(text), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::addTimelineTab(TimelineFeed& feed) {
    auto* timeline = new TimelineTab(app_, feed, ui_->tabWidget);
    timeline->setObjectName(QStringLiteral("TimelineTab"));
    ui_->tabWidget->insertTab(kTimelineTab, timeline, QStringLiteral("Timeline"));
}

}  // namespace fc
