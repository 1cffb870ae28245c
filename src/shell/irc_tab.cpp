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
#include <QTextCursor>
#include <QTime>
#include <QVBoxLayout>

#include "core/app.h"
#include "irc/console.h"
#include "irc/irc_connection.h"
#include "preview/irc_colours.h"
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

// Writes IRC-formatted bytes at the end of the output window as the channel shows them: colours,
// bold and underline drawn (reverse is left out), each new line led by the time it arrived.
void appendFormatted(QPlainTextEdit* edit, std::string_view bytes) {
    constexpr const char* kAtLineStart = "fcAtLineStart";
    bool atLineStart =
        !edit->property(kAtLineStart).isValid() || edit->property(kAtLineStart).toBool();
    QTextCursor cursor(edit->document());
    cursor.movePosition(QTextCursor::End);
    const QTextCharFormat plain;
    QTextCharFormat format;
    std::string run;
    const auto flush = [&] {
        if (!run.empty()) cursor.insertText(display(run), format);
        run.clear();
    };
    const auto digit = [&](std::size_t i) {
        return i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9';
    };
    // One or two digits at `i` as a colour number, `i` left on the last digit; -1 for none.
    const auto colourAt = [&](std::size_t& i) {
        if (!digit(i + 1)) return -1;
        int n = bytes[++i] - '0';
        if (digit(i + 1)) n = n * 10 + (bytes[++i] - '0');
        return n;
    };
    const auto brush = [](int n) {
        const Rgb c = kIrcColours[n % 16];
        return QBrush(QColor(c.red, c.green, c.blue));
    };
    const QString stamp = QTime::currentTime().toString(QStringLiteral("[HH:mm:ss] "));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') continue;
        if (atLineStart) {
            flush();
            cursor.insertText(stamp, plain);
            atLineStart = false;
        }
        if (c == '\x02' || c == '\x1F' || c == '\x0F' || c == '\x16' || c == '\x03') flush();
        if (c == '\x02') {
            format.setFontWeight(format.fontWeight() == QFont::Bold ? QFont::Normal : QFont::Bold);
        } else if (c == '\x1F') {
            format.setFontUnderline(!format.fontUnderline());
        } else if (c == '\x0F') {
            format = plain;
        } else if (c == '\x03') {
            const int foreground = colourAt(i);
            int background = -1;
            if (foreground >= 0 && i + 2 < bytes.size() && bytes[i + 1] == ',' && digit(i + 2)) {
                ++i;
                background = colourAt(i);
            }
            if (foreground < 0) {
                format.clearForeground();
                format.clearBackground();
            }
            if (foreground >= 0 && foreground < 16) format.setForeground(brush(foreground));
            if (background >= 0 && background < 16) format.setBackground(brush(background));
        } else if (c == '\n') {
            run += c;
            flush();
            format = plain;  // formatting ends with its line
            atLineStart = true;
        } else if (c != '\x16') {
            run += c;
        }
    }
    flush();
    edit->setProperty(kAtLineStart, atLineStart);
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
        appendFormatted(edit, std::string_view(bytes).substr(before.size()));
    } else {
        edit->clear();
        edit->setProperty("fcAtLineStart", true);
        appendFormatted(edit, bytes);
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
    auto edits = [this](QLineEdit* edit, std::string SettingsValues::*field) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            app_.dispatch([&] { app_.settings.*field = fromDisplay(text); });
        });
    };
    edits(ircServerCombo_->lineEdit(), &SettingsValues::ircServer);
    connect(ircPortEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.settings.ircPort = fromDisplay(text); });
    });
    edits(channelEdit_, &SettingsValues::channelEntry);
    edits(channelKeyEdit_, &SettingsValues::channelKey);
    edits(ircNameEdit_, &SettingsValues::ircName);
    connect(ircInputEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.irc.ircInputLine = fromDisplay(text); });
    });
    connect(ircServerCombo_, &QComboBox::textActivated, this, [this](const QString& text) {
        app_.dispatch([&] { app_.settings.ircServer = fromDisplay(text); });
    });

    connect(connectIrcButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { connectIrc(app_); }); });
    connect(quitIrcButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { quitIrc(app_); }); });
    connect(reportToIrcBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.settings.reportToIrc = on; }); });
    connect(showRawTextBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.settings.showRawText = on; }); });
    connect(ircInputEdit_, &QLineEdit::returnPressed, this, [this] {
        const std::string text = fromDisplay(ircInputEdit_->text());
        app_.dispatch([&] {
            app_.irc.ircInputLine = text;
            onIrcInputEnter(app_);
        });
    });
}

void IrcTab::refresh(const App& app) {
    syncCombo(ircServerCombo_, app.settings.ircServers, app.settings.ircServer);
    ircServerCombo_->setEnabled(app.window.ircServerEnabled);
    syncText(ircPortEdit_, app.settings.ircPort);
    portLabel_->setVisible(app.settings.advancedMode);
    ircPortEdit_->setVisible(app.settings.advancedMode);
    syncText(channelEdit_, app.settings.channelEntry);
    channelEdit_->setEnabled(app.window.channelEntryEnabled);
    syncText(channelKeyEdit_, app.settings.channelKey);
    // The port and the key were dialled and joined with: they lock with the server and channel.
    ircPortEdit_->setEnabled(app.window.ircServerEnabled);
    channelKeyEdit_->setEnabled(app.window.channelEntryEnabled);
    syncText(ircNameEdit_, app.settings.ircName);
    ircNameEdit_->setEnabled(app.window.ircNameEnabled);

    // The captions carry their keyboard shortcuts ("&Connect"), so they are set as they are.
    if (connectIrcButton_->text() != display(app.window.connectIrcButton))
        connectIrcButton_->setText(display(app.window.connectIrcButton));
    if (quitIrcButton_->text() != display(app.window.quitIrcButton))
        quitIrcButton_->setText(display(app.window.quitIrcButton));
    connectIrcButton_->setEnabled(app.window.connectIrcButtonEnabled);
    quitIrcButton_->setEnabled(app.window.quitIrcButtonEnabled);
    syncChecked(reportToIrcBox_, app.settings.reportToIrc);
    syncChecked(showRawTextBox_, app.settings.showRawText);
    showRawTextBox_->setVisible(app.settings.advancedMode);

    syncText(ircStatusLabel_, app.irc.ircStatus);
    syncText(ircTopicLabel_, app.irc.ircTopic);
    syncOutput(ircOutputView_, app.irc.ircOutput);
    syncText(ircInputEdit_, app.irc.ircInputLine);
    syncList(channelNickList_, app.irc.channelNicks);
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
    encodingBox_ = named(new QComboBox(network_), "IRCEncoding");
    encodingBox_->addItems({QStringLiteral("utf-8"), QStringLiteral("latin-1")});
    networkForm->addRow(tr("Text encoding :"), encodingBox_);
    connect(encodingBox_, &QComboBox::activated, this, [this](int) {
        app_.dispatch(
            [&] { app_.settings.ircEncoding = fromDisplay(encodingBox_->currentText()); });
    });
    // The login's fields; a secret is never shown as it is typed.
    const struct {
        const char* name;
        const char* label;
        std::string SettingsValues::*field;
        bool secret;
    } logins[] = {
        {"IRCSaslUser", "SASL account :", &SettingsValues::ircSaslUser, false},
        {"IRCSaslPassword", "SASL password :", &SettingsValues::ircSaslPassword, true},
        {"IRCLoginLine", "Login line (Q, NickServ) :", &SettingsValues::ircLoginLine, true},
        {"KillPassword", "!killyourself password :", &SettingsValues::killPassword, true}};
    for (const auto& login : logins) {
        auto* edit = named(new QLineEdit(network_), login.name);
        if (login.secret) edit->setEchoMode(QLineEdit::Password);
        networkForm->addRow(tr(login.label), edit);
        textEdits_.emplace_back(edit, login.field);
        connect(edit, &QLineEdit::textEdited, this, [this, field = login.field](const QString& t) {
            app_.dispatch([&] { app_.settings.*field = fromDisplay(t); });
        });
    }

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

    auto check = [this](QCheckBox* box, bool SettingsValues::*field) {
        connect(box, &QCheckBox::clicked, this,
                [this, field](bool on) { app_.dispatch([&] { app_.settings.*field = on; }); });
    };
    check(removeColoursBox_, &SettingsValues::ircRemoveColors);
    check(removeFontCodesBox_, &SettingsValues::ircRemoveFontCodes);
    check(greetOnJoinBox_, &SettingsValues::greetOnJoin);
    check(tlsInsecureBox_, &SettingsValues::ircTlsInsecure);
    check(reconnectBox_, &SettingsValues::ircReconnect);
    connect(tlsBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { useTls(app_, on); }); });
    connect(burstEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.settings.ircBurst = fromDisplay(text); });
    });
    connect(lineGapEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.settings.ircLineGapMs = fromDisplay(text); });
    });
    connect(privateServerBox_, &QCheckBox::clicked, this, [this](bool on) {
        app_.dispatch(
            [&] { app_.settings.privateServerChecked = app_.settings.serverIsPrivate = on; });
    });
    connect(ignoreSecondsEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.settings.ignoreSeconds = fromDisplay(text); });
    });
    connect(killAllowedFromEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.settings.killAllowedFrom = fromDisplay(text); });
    });
}

void IrcOptionsBox::refresh(const App& app) {
    syncChecked(removeColoursBox_, app.settings.ircRemoveColors);
    syncChecked(removeFontCodesBox_, app.settings.ircRemoveFontCodes);
    syncChecked(greetOnJoinBox_, app.settings.greetOnJoin);
    syncChecked(privateServerBox_, app.settings.privateServerChecked);
    syncText(ignoreSecondsEdit_, app.settings.ignoreSeconds);
    syncText(killAllowedFromEdit_, app.settings.killAllowedFrom);
    std::vector<std::string> ignored;
    for (const IgnoredNick& entry : app.irc.ignoreList)
        ignored.push_back(entry.nick + " " + std::to_string(entry.left.count()));
    syncList(ignoreListView_, ignored);
    ignoreListLabel_->setVisible(app.settings.advancedMode);
    ignoreListView_->setVisible(app.settings.advancedMode);
    syncChecked(tlsBox_, app.settings.ircTls);
    syncChecked(tlsInsecureBox_, app.settings.ircTlsInsecure);
    syncChecked(reconnectBox_, app.settings.ircReconnect);
    syncText(burstEdit_, app.settings.ircBurst);
    syncText(lineGapEdit_, app.settings.ircLineGapMs);
    for (const auto& [edit, field] : textEdits_) syncText(edit, app.settings.*field);
    const int encoding = encodingBox_->findText(display(app.settings.ircEncoding));
    if (encoding >= 0 && encoding != encodingBox_->currentIndex()) {
        const QSignalBlocker quiet(encodingBox_);
        encodingBox_->setCurrentIndex(encoding);
    }
    network_->setVisible(app.settings.advancedMode);
}

}  // namespace fc
