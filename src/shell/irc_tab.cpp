#include "shell/irc_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/app.h"
#include "irc/console.h"
#include "irc/irc_connection.h"
#include "shell/irc_server_buttons.h"
#include "shell/qt_text.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

void SyncChecked(QCheckBox* box, bool checked) {
    if (box->isChecked() == checked) return;
    const QSignalBlocker block(box);
    box->setChecked(checked);
}

void SyncList(QListWidget* list, const std::vector<std::string>& items) {
    bool same = list->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == Display(items[static_cast<std::size_t>(i)]);
    if (same) return;
    list->clear();
    for (const std::string& item : items) list->addItem(Display(item));
}

// The output window shows text, not IRC's formatting codes: bold, underline, reverse and plain
// go, and so does a colour code with its numbers. CR goes too; LF ends the line.
QString OutputDisplay(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    auto digit = [&](std::size_t i) {
        return i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9';
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\x03') {
            for (int n = 0; n < 2 && digit(i + 1); ++n) ++i;
            if (i + 2 < bytes.size() && bytes[i + 1] == ',' && digit(i + 2)) {
                i += 2;
                if (digit(i + 1)) ++i;
            }
        } else if (c != '\x02' && c != '\x1F' && c != '\x16' && c != '\x0F' && c != '\r') {
            text += c;
        }
    }
    return Display(text);
}

// Appends what is new when the window's text only grew, so a long output is not redrawn for
// every line; then shows the newest line.
void SyncOutput(QPlainTextEdit* edit, const std::string& bytes) {
    constexpr const char* kShown = "fcShownBytes";
    const QByteArray now(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QByteArray before = edit->property(kShown).toByteArray();
    if (before == now) return;
    edit->setProperty(kShown, now);
    if (!before.isEmpty() && now.startsWith(before)) {
        QTextCursor end(edit->document());
        end.movePosition(QTextCursor::End);
        end.insertText(OutputDisplay(std::string_view(bytes).substr(before.size())));
    } else {
        edit->setPlainText(OutputDisplay(bytes));
    }
    edit->moveCursor(QTextCursor::End);
    edit->verticalScrollBar()->setValue(edit->verticalScrollBar()->maximum());
}

}  // namespace

IrcTab::IrcTab(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildConnectionFields());
    layout->addWidget(buildConsole(), 1);
    connectActions();
}

QWidget* IrcTab::buildConnectionFields() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    IRCServer_ = EntryCombo("IRCServer", box);
    portLabel_ = new QLabel(tr("Port :"), box);
    IRCPort_ = Named(new QLineEdit(box), "IRCPort");
    IRCPort_->setMaximumWidth(IRCPort_->fontMetrics().averageCharWidth() * 8);
    txtstdKanaal_ = Named(new QLineEdit(box), "txtstdKanaal");
    IRCKey_ = Named(new QLineEdit(box), "IRCKey");
    ircName_ = Named(new QLineEdit(box), "ircName");

    Command3_ = Named(new QPushButton(box), "Command3");
    Command1_ = Named(new QPushButton(box), "Command1");
    ReportToIrc_ = Named(new QCheckBox(tr("Report to IRC?"), box), "ReportToIrc");
    debugAU_ = Named(new QCheckBox(tr("Show raw text from server"), box), "debugAU");
    IRCStat_ = Named(new QLabel(box), "IRCStat");
    IRCStat_->setTextFormat(Qt::PlainText);

    grid->addWidget(new QLabel(tr("Connect to:"), box), 0, 0);
    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(IRCServer_, 1);
    serverRow->addWidget(new IrcServerButtons(app_, box));
    grid->addLayout(serverRow, 0, 1, 1, 3);
    grid->addWidget(portLabel_, 0, 4);
    grid->addWidget(IRCPort_, 0, 5);
    grid->addWidget(new QLabel(tr("Channel:"), box), 1, 0);
    grid->addWidget(txtstdKanaal_, 1, 1);
    grid->addWidget(new QLabel(tr("Channel Key :"), box), 1, 2);
    grid->addWidget(IRCKey_, 1, 3);
    grid->addWidget(new QLabel(tr("Name of bot:"), box), 1, 4);
    grid->addWidget(ircName_, 1, 5);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3_);
    buttons->addWidget(Command1_);
    buttons->addWidget(ReportToIrc_);
    buttons->addWidget(debugAU_);
    buttons->addStretch(1);
    buttons->addWidget(IRCStat_);
    grid->addLayout(buttons, 2, 0, 1, 6);
    return box;
}

QWidget* IrcTab::buildConsole() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    Text1_ = Named(new QPlainTextEdit(box), "Text1");
    Text1_->setReadOnly(true);
    ircZegwat_ = Named(new QLineEdit(box), "ircZegwat");
    left->addWidget(Text1_, 1);
    left->addWidget(ircZegwat_);

    auto* right = new QVBoxLayout;
    IRCTopic_ = Named(new QLabel(box), "IRCTopic");
    IRCTopic_->setTextFormat(Qt::PlainText);
    IRCTopic_->setWordWrap(true);
    ircLijst_ = Named(new QListWidget(box), "ircLijst");
    ircLijst_->setMaximumWidth(ircLijst_->fontMetrics().averageCharWidth() * 22);
    right->addWidget(IRCTopic_);
    right->addWidget(ircLijst_, 1);

    layout->addLayout(left, 1);
    layout->addLayout(right);
    return box;
}

void IrcTab::connectActions() {
    auto edits = [this](QLineEdit* edit, std::string MainView::*field) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            app_.dispatch([&] { app_.view.*field = FromDisplay(text); });
        });
    };
    edits(IRCServer_->lineEdit(), &MainView::IRCServer);
    edits(IRCPort_, &MainView::IRCPort);
    edits(txtstdKanaal_, &MainView::txtstdKanaal);
    edits(IRCKey_, &MainView::IRCKey);
    edits(ircName_, &MainView::ircName);
    edits(ircZegwat_, &MainView::ircZegwat);
    connect(IRCServer_, &QComboBox::textActivated, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.IRCServer = FromDisplay(text); });
    });

    connect(Command3_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { ConnectIrc(app_); }); });
    connect(Command1_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { QuitIrc(app_); }); });
    connect(ReportToIrc_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.view.ReportToIrc = on; }); });
    connect(debugAU_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.view.debugAU = on; }); });
    connect(ircZegwat_, &QLineEdit::returnPressed, this, [this] {
        const std::string text = FromDisplay(ircZegwat_->text());
        app_.dispatch([&] {
            app_.view.ircZegwat = text;
            OnIrcInputEnter(app_);
        });
    });
}

void IrcTab::refresh(const MainView& view) {
    SyncCombo(IRCServer_, view.IRCServerList, view.IRCServer);
    IRCServer_->setEnabled(view.IRCServerEnabled);
    SyncText(IRCPort_, view.IRCPort);
    portLabel_->setVisible(view.Advanced);
    IRCPort_->setVisible(view.Advanced);
    SyncText(txtstdKanaal_, view.txtstdKanaal);
    txtstdKanaal_->setEnabled(view.txtstdKanaalEnabled);
    SyncText(IRCKey_, view.IRCKey);
    SyncText(ircName_, view.ircName);
    ircName_->setEnabled(view.ircNameEnabled);

    // The captions carry their keyboard shortcuts ("&Connect"), so they are set as they are.
    if (Command3_->text() != Display(view.Command3)) Command3_->setText(Display(view.Command3));
    if (Command1_->text() != Display(view.Command1)) Command1_->setText(Display(view.Command1));
    Command3_->setEnabled(view.Command3Enabled);
    Command1_->setEnabled(view.Command1Enabled);
    SyncChecked(ReportToIrc_, view.ReportToIrc);
    SyncChecked(debugAU_, view.debugAU);
    debugAU_->setVisible(view.Advanced);

    SyncText(IRCStat_, view.IRCStat);
    SyncText(IRCTopic_, view.IRCTopic);
    SyncOutput(Text1_, view.Text1);
    SyncText(ircZegwat_, view.ircZegwat);
    SyncList(ircLijst_, view.ircLijst);
}

IrcOptionsBox::IrcOptionsBox(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("IrcOptions"));
    IRCRemoveColors_ =
        Named(new QCheckBox(tr("Remove all other colors sent to IRC"), this), "IRCRemoveColors");
    IRCRemoveFontCodes_ =
        Named(new QCheckBox(tr("Remove font-codes sent to IRC"), this), "IRCRemoveFontCodes");
    IRConjoin_ = Named(new QCheckBox(tr("Send an \"On-join\" message"), this), "IRConjoin");
    PriveServer_ = Named(new QCheckBox(tr("Server is private!"), this), "PriveServer");
    IRCIgnoreTime_ = Named(new QLineEdit(this), "IRCIgnoreTime");
    IRCIgnoreTime_->setMaximumWidth(IRCIgnoreTime_->fontMetrics().averageCharWidth() * 8);
    KillAllowedFrom_ = Named(new QLineEdit(this), "KillAllowedFrom");
    KillAllowedFrom_->setToolTip(
        tr("Nicks, separated by blanks, that may stop the bot with \"/msg bot !killyourself\". "
           "Empty: nobody."));
    ignorelistLabel_ = new QLabel(tr("'get info'-ignore list"), this);
    ignorelist_ = Named(new QListWidget(this), "ignorelist");
    ignorelist_->setMaximumHeight(ignorelist_->fontMetrics().height() * 6);

    network_ = new QWidget(this);
    IRCTls_ = Named(new QCheckBox(tr("Use TLS"), network_), "IRCTls");
    IRCTlsInsecure_ =
        Named(new QCheckBox(tr("Accept any certificate (a private server's own)"), network_),
              "IRCTlsInsecure");
    IRCReconnect_ =
        Named(new QCheckBox(tr("Reconnect when the connection is lost"), network_), "IRCReconnect");
    IRCBurst_ = Named(new QLineEdit(network_), "IRCBurst");
    IRCLineGapMs_ = Named(new QLineEdit(network_), "IRCLineGapMs");
    const int digits = IRCBurst_->fontMetrics().averageCharWidth() * 8;
    IRCBurst_->setMaximumWidth(digits);
    IRCLineGapMs_->setMaximumWidth(digits);
    auto* pace = new QHBoxLayout;
    pace->addWidget(IRCBurst_);
    pace->addWidget(new QLabel(tr("lines at once, then one every"), network_));
    pace->addWidget(IRCLineGapMs_);
    pace->addWidget(new QLabel(tr("ms"), network_));
    pace->addStretch(1);
    auto* networkForm = new QFormLayout(network_);
    networkForm->setContentsMargins(0, 0, 0, 0);
    networkForm->addRow(IRCTls_);
    networkForm->addRow(IRCTlsInsecure_);
    networkForm->addRow(IRCReconnect_);
    networkForm->addRow(tr("Send pace :"), pace);

    auto* ignoreTime = new QHBoxLayout;
    ignoreTime->addWidget(IRCIgnoreTime_);
    ignoreTime->addWidget(new QLabel(tr("seconds"), this));
    ignoreTime->addStretch(1);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(IRCRemoveColors_);
    form->addRow(IRCRemoveFontCodes_);
    form->addRow(IRConjoin_);
    form->addRow(PriveServer_);
    form->addRow(tr("'get info'-ignore time :"), ignoreTime);
    form->addRow(tr("May stop the bot (nicks):"), KillAllowedFrom_);
    form->addRow(ignorelistLabel_, ignorelist_);
    form->addRow(network_);

    auto check = [this](QCheckBox* box, bool MainView::*field) {
        connect(box, &QCheckBox::clicked, this,
                [this, field](bool on) { app_.dispatch([&] { app_.view.*field = on; }); });
    };
    check(IRCRemoveColors_, &MainView::IRCRemoveColors);
    check(IRCRemoveFontCodes_, &MainView::IRCRemoveFontCodes);
    check(IRConjoin_, &MainView::IRConjoin);
    check(IRCTlsInsecure_, &MainView::IRCTlsInsecure);
    check(IRCReconnect_, &MainView::IRCReconnect);
    connect(IRCTls_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { UseTls(app_, on); }); });
    connect(IRCBurst_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.IRCBurst = FromDisplay(text); });
    });
    connect(IRCLineGapMs_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.IRCLineGapMs = FromDisplay(text); });
    });
    connect(PriveServer_, &QCheckBox::clicked, this, [this](bool on) {
        app_.dispatch([&] { app_.view.PriveServer = app_.view.serverIsPrivate = on; });
    });
    connect(IRCIgnoreTime_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.IRCIgnoreTime = FromDisplay(text); });
    });
    connect(KillAllowedFrom_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.KillAllowedFrom = FromDisplay(text); });
    });
}

void IrcOptionsBox::refresh(const MainView& view) {
    SyncChecked(IRCRemoveColors_, view.IRCRemoveColors);
    SyncChecked(IRCRemoveFontCodes_, view.IRCRemoveFontCodes);
    SyncChecked(IRConjoin_, view.IRConjoin);
    SyncChecked(PriveServer_, view.PriveServer);
    SyncText(IRCIgnoreTime_, view.IRCIgnoreTime);
    SyncText(KillAllowedFrom_, view.KillAllowedFrom);
    SyncList(ignorelist_, view.ignorelist);
    ignorelistLabel_->setVisible(view.Advanced);
    ignorelist_->setVisible(view.Advanced);
    SyncChecked(IRCTls_, view.IRCTls);
    SyncChecked(IRCTlsInsecure_, view.IRCTlsInsecure);
    SyncChecked(IRCReconnect_, view.IRCReconnect);
    SyncText(IRCBurst_, view.IRCBurst);
    SyncText(IRCLineGapMs_, view.IRCLineGapMs);
    network_->setVisible(view.Advanced);
}

}  // namespace fc
