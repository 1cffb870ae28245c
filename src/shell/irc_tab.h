// The IRC tab (the connection fields and buttons, the output window with its input line, the
// nick list, topic and status) and the IRC part of the Options tab.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace fc {

class App;
struct MainView;

class IrcTab : public QWidget {
public:
    explicit IrcTab(App& app, QWidget* parent = nullptr);
    void refresh(const MainView& view);

private:
    QWidget* buildConnectionFields();
    QWidget* buildConsole();
    void connectActions();

    App& app_;
    QComboBox* IRCServer_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLineEdit* IRCPort_ = nullptr;
    QLineEdit* txtstdKanaal_ = nullptr;
    QLineEdit* IRCKey_ = nullptr;
    QLineEdit* ircName_ = nullptr;
    QPushButton* Command3_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QCheckBox* ReportToIrc_ = nullptr;
    QCheckBox* debugAU_ = nullptr;
    QLabel* IRCStat_ = nullptr;
    QLabel* IRCTopic_ = nullptr;
    QPlainTextEdit* Text1_ = nullptr;
    QLineEdit* ircZegwat_ = nullptr;
    QListWidget* ircLijst_ = nullptr;
};

// The options that shape what the bot says and whom it answers.
class IrcOptionsBox : public QWidget {
public:
    explicit IrcOptionsBox(App& app, QWidget* parent = nullptr);
    void refresh(const MainView& view);

private:
    App& app_;
    QCheckBox* IRCRemoveColors_ = nullptr;
    QCheckBox* IRCRemoveFontCodes_ = nullptr;
    QCheckBox* IRConjoin_ = nullptr;
    QCheckBox* PriveServer_ = nullptr;
    QLineEdit* IRCIgnoreTime_ = nullptr;
    QLineEdit* KillAllowedFrom_ = nullptr;
    // The advanced part: the send pace, TLS and reconnecting.
    QWidget* network_ = nullptr;
    QCheckBox* IRCTls_ = nullptr;
    QCheckBox* IRCTlsInsecure_ = nullptr;
    QCheckBox* IRCReconnect_ = nullptr;
    QLineEdit* IRCBurst_ = nullptr;
    QLineEdit* IRCLineGapMs_ = nullptr;
    QLabel* ignorelistLabel_ = nullptr;
    QListWidget* ignorelist_ = nullptr;
};

}  // namespace fc
