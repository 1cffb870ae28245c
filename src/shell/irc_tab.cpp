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

void syncChecked(QCheckBox* box, bool checked) {
    if (box->isChecked() == checked) return;
    const QSignalBlocker block(box);
    box->setChecked(checked);
}

void syncList(QListWidget* list, const std::vector<std::string>& items) {
    bool same = list->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == display(items[static_cast<std::size_t>(i)]);
    if (same) return;
    list->clear();
    for (const std::string& item : items) list->addItem(display(item));
}

// The output window shows text, not IRC's formatting codes: bold, underline, reverse and plain
// go, and so does a colour code with its numbers. CR goes too; LF ends the line.
QString outputDisplay(std::string_view bytes) {
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
    return display(text);
}

// Appends what is new when the window's text only grew, so a long output is not redrawn for
// every line; then shows the newest line.
void syncOutput(QPlainTextEdit* edit, const std::string& bytes) {
    constexpr const char* kShown = "fcShownBytes";
    const QByteArray now(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QByteArray before = edit->property(kShown).toByteArray();
    if (before == now) return;
    edit->setProperty(kShown, now);
    if (!before.isEmpty() && now.startsWith(before)) {
        QTextCursor end(edit->document());
        end.movePosition(QTextCursor::End);
        end.insertText(outputDisplay(std::string_view(bytes).substr(before.size())));
    } else {
        edit->setPlainText(outputDisplay(bytes));
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

    ircServerCombo_ = entryCombo("IRCServer", box);
    portLabel_ = new QLabel(tr("Port :"), box);
    ircPortEdit_ = named(new QLineEdit(box), "IRCPort");
    ircPortEdit_->setMaximumWidth(ircPortEdit_->fontMetrics().averageCharWidth() * 8);
    channelEdit_ = named(new QLineEdit(box), "txtstdKanaal");
    channelKeyEdit_ = named(new QLineEdit(box), "IRCKey");
    ircNameEdit_ = named(new QLineEdit(box), "ircName");

    connectIrcButton_ = named(new QPushButton(box), "Command3");
    quitIrcButton_ = named(new QPushButton(box), "Command1");
    reportToIrcBox_ = named(new QCheckBox(tr("Report to IRC?"), box), "ReportToIrc");
    showRawTextBox_ = named(new QCheckBox(tr("Show raw text from server"), box), "debugAU");
    ircStatusLabel_ = named(new QLabel(box), "IRCStat");
    ircStatusLabel_->setTextFormat(Qt::PlainText);

    grid->addWidget(new QLabel(tr("Connect to:"), box), 0, 0);
    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(ircServerCombo_, 1);
    serverRow->addWidget(new IrcServerButtons(app_, box));
    grid->addLayout(serverRow, 0, 1, 1, 3);
    grid->addWidget(portLabel_, 0, 4);
    grid->addWidget(ircPortEdit_, 0, 5);
    grid->addWidget(new QLabel(tr("Channel:"), box), 1, 0);
    grid->addWidget(channelEdit_, 1, 1);
    grid->addWidget(new QLabel(tr("Channel Key :"), box), 1, 2);
    grid->addWidget(channelKeyEdit_, 1, 3);
    grid->addWidget(new QLabel(tr("Name of bot:"), box), 1, 4);
    grid->addWidget(ircNameEdit_, 1, 5);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(connectIrcButton_);
    buttons->addWidget(quitIrcButton_);
    buttons->addWidget(reportToIrcBox_);
    buttons->addWidget(showRawTextBox_);
    buttons->addStretch(1);
    buttons->addWidget(ircStatusLabel_);
    grid->addLayout(buttons, 2, 0, 1, 6);
    return box;
}

QWidget* IrcTab::buildConsole() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    ircOutputView_ = named(new QPlainTextEdit(box), "Text1");
    ircOutputView_->setReadOnly(true);
    ircInputEdit_ = named(new QLineEdit(box), "ircZegwat");
    left->addWidget(ircOutputView_, 1);
    left->addWidget(ircInputEdit_);

    auto* right = new QVBoxLayout;
    ircTopicLabel_ = named(new QLabel(box), "IRCTopic");
    ircTopicLabel_->setTextFormat(Qt::PlainText);
    ircTopicLabel_->setWordWrap(true);
    channelNickList_ = named(new QListWidget(box), "ircLijst");
    channelNickList_->setMaximumWidth(channelNickList_->fontMetrics().averageCharWidth() * 22);
    right->addWidget(ircTopicLabel_);
    right->addWidget(channelNickList_, 1);

    layout->addLayout(left, 1);
    layout->addLayout(right);
    return box;
}

void IrcTab::connectActions() {
    auto edits = [this](QLineEdit* edit, std::string MainView::*field) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            app_.dispatch([&] { app_.view.*field = fromDisplay(text); });
        });
    };
    edits(ircServerCombo_->lineEdit(), &MainView::ircServer);
    edits(ircPortEdit_, &MainView::ircPort);
    edits(channelEdit_, &MainView::channelEntry);
    edits(channelKeyEdit_, &MainView::channelKey);
    edits(ircNameEdit_, &MainView::ircName);
    edits(ircInputEdit_, &MainView::ircInputLine);
    connect(ircServerCombo_, &QComboBox::textActivated, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.ircServer = fromDisplay(text); });
    });

    connect(connectIrcButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { connectIrc(app_); }); });
    connect(quitIrcButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { quitIrc(app_); }); });
    connect(reportToIrcBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.view.reportToIrc = on; }); });
    connect(showRawTextBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.view.showRawText = on; }); });
    connect(ircInputEdit_, &QLineEdit::returnPressed, this, [this] {
        const std::string text = fromDisplay(ircInputEdit_->text());
        app_.dispatch([&] {
            app_.view.ircInputLine = text;
            onIrcInputEnter(app_);
        });
    });
}

void IrcTab::refresh(const MainView& view) {
    syncCombo(ircServerCombo_, view.ircServers, view.ircServer);
    ircServerCombo_->setEnabled(view.ircServerEnabled);
    syncText(ircPortEdit_, view.ircPort);
    portLabel_->setVisible(view.advancedMode);
    ircPortEdit_->setVisible(view.advancedMode);
    syncText(channelEdit_, view.channelEntry);
    channelEdit_->setEnabled(view.channelEntryEnabled);
    syncText(channelKeyEdit_, view.channelKey);
    syncText(ircNameEdit_, view.ircName);
    ircNameEdit_->setEnabled(view.ircNameEnabled);

    // The captions carry their keyboard shortcuts ("&Connect"), so they are set as they are.
    if (connectIrcButton_->text() != display(view.connectIrcButton))
        connectIrcButton_->setText(display(view.connectIrcButton));
    if (quitIrcButton_->text() != display(view.quitIrcButton))
        quitIrcButton_->setText(display(view.quitIrcButton));
    connectIrcButton_->setEnabled(view.connectIrcButtonEnabled);
    quitIrcButton_->setEnabled(view.quitIrcButtonEnabled);
    syncChecked(reportToIrcBox_, view.reportToIrc);
    syncChecked(showRawTextBox_, view.showRawText);
    showRawTextBox_->setVisible(view.advancedMode);

    syncText(ircStatusLabel_, view.ircStatus);
    syncText(ircTopicLabel_, view.ircTopic);
    syncOutput(ircOutputView_, view.ircOutput);
    syncText(ircInputEdit_, view.ircInputLine);
    syncList(channelNickList_, view.channelNicks);
}

IrcOptionsBox::IrcOptionsBox(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName(QStringLiteral("IrcOptions"));
    removeColoursBox_ =
        named(new QCheckBox(tr("Remove all other colors sent to IRC"), this), "IRCRemoveColors");
    removeFontCodesBox_ =
        named(new QCheckBox(tr("Remove font-codes sent to IRC"), this), "IRCRemoveFontCodes");
    greetOnJoinBox_ = named(new QCheckBox(tr("Send an \"On-join\" message"), this), "IRConjoin");
    privateServerBox_ = named(new QCheckBox(tr("Server is private!"), this), "PriveServer");
    ignoreSecondsEdit_ = named(new QLineEdit(this), "IRCIgnoreTime");
    ignoreSecondsEdit_->setMaximumWidth(ignoreSecondsEdit_->fontMetrics().averageCharWidth() * 8);
    killAllowedFromEdit_ = named(new QLineEdit(this), "KillAllowedFrom");
    killAllowedFromEdit_->setToolTip(
        tr("Nicks, separated by blanks, that may stop the bot with \"/msg bot !killyourself\". "
           "Empty: nobody."));
    ignoreListLabel_ = new QLabel(tr("'get info'-ignore list"), this);
    ignoreListView_ = named(new QListWidget(this), "ignorelist");
    ignoreListView_->setMaximumHeight(ignoreListView_->fontMetrics().height() * 6);

    network_ = new QWidget(this);
    tlsBox_ = named(new QCheckBox(tr("Use TLS"), network_), "IRCTls");
    tlsInsecureBox_ =
        named(new QCheckBox(tr("Accept any certificate (a private server's own)"), network_),
              "IRCTlsInsecure");
    reconnectBox_ =
        named(new QCheckBox(tr("Reconnect when the connection is lost"), network_), "IRCReconnect");
    burstEdit_ = named(new QLineEdit(network_), "IRCBurst");
    lineGapEdit_ = named(new QLineEdit(network_), "IRCLineGapMs");
    const int digits = burstEdit_->fontMetrics().averageCharWidth() * 8;
    burstEdit_->setMaximumWidth(digits);
    lineGapEdit_->setMaximumWidth(digits);
    auto* pace = new QHBoxLayout;
    pace->addWidget(burstEdit_);
    pace->addWidget(new QLabel(tr("lines at once, then one every"), network_));
    pace->addWidget(lineGapEdit_);
    pace->addWidget(new QLabel(tr("ms"), network_));
    pace->addStretch(1);
    auto* networkForm = new QFormLayout(network_);
    networkForm->setContentsMargins(0, 0, 0, 0);
    networkForm->addRow(tlsBox_);
    networkForm->addRow(tlsInsecureBox_);
    networkForm->addRow(reconnectBox_);
    networkForm->addRow(tr("Send pace :"), pace);

    auto* ignoreTime = new QHBoxLayout;
    ignoreTime->addWidget(ignoreSecondsEdit_);
    ignoreTime->addWidget(new QLabel(tr("seconds"), this));
    ignoreTime->addStretch(1);

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(removeColoursBox_);
    form->addRow(removeFontCodesBox_);
    form->addRow(greetOnJoinBox_);
    form->addRow(privateServerBox_);
    form->addRow(tr("'get info'-ignore time :"), ignoreTime);
    form->addRow(tr("May stop the bot (nicks):"), killAllowedFromEdit_);
    form->addRow(ignoreListLabel_, ignoreListView_);
    form->addRow(network_);

    auto check = [this](QCheckBox* box, bool MainView::*field) {
        connect(box, &QCheckBox::clicked, this,
                [this, field](bool on) { app_.dispatch([&] { app_.view.*field = on; }); });
    };
    check(removeColoursBox_, &MainView::ircRemoveColors);
    check(removeFontCodesBox_, &MainView::ircRemoveFontCodes);
    check(greetOnJoinBox_, &MainView::greetOnJoin);
    check(tlsInsecureBox_, &MainView::ircTlsInsecure);
    check(reconnectBox_, &MainView::ircReconnect);
    connect(tlsBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { useTls(app_, on); }); });
    connect(burstEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.ircBurst = fromDisplay(text); });
    });
    connect(lineGapEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.ircLineGapMs = fromDisplay(text); });
    });
    connect(privateServerBox_, &QCheckBox::clicked, this, [this](bool on) {
        app_.dispatch([&] { app_.view.privateServerChecked = app_.view.serverIsPrivate = on; });
    });
    connect(ignoreSecondsEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.ignoreSeconds = fromDisplay(text); });
    });
    connect(killAllowedFromEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.killAllowedFrom = fromDisplay(text); });
    });
}

void IrcOptionsBox::refresh(const MainView& view) {
    syncChecked(removeColoursBox_, view.ircRemoveColors);
    syncChecked(removeFontCodesBox_, view.ircRemoveFontCodes);
    syncChecked(greetOnJoinBox_, view.greetOnJoin);
    syncChecked(privateServerBox_, view.privateServerChecked);
    syncText(ignoreSecondsEdit_, view.ignoreSeconds);
    syncText(killAllowedFromEdit_, view.killAllowedFrom);
    syncList(ignoreListView_, view.ignoreList);
    ignoreListLabel_->setVisible(view.advancedMode);
    ignoreListView_->setVisible(view.advancedMode);
    syncChecked(tlsBox_, view.ircTls);
    syncChecked(tlsInsecureBox_, view.ircTlsInsecure);
    syncChecked(reconnectBox_, view.ircReconnect);
    syncText(burstEdit_, view.ircBurst);
    syncText(lineGapEdit_, view.ircLineGapMs);
    network_->setVisible(view.advancedMode);
}

}  // namespace fc
