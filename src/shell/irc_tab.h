// The IRC tab (the connection fields and buttons, the output window with its input line, the
// nick list, topic and status) and the IRC part of the Options tab.
#pragma once

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "core/settings_values.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace fc {

class App;
class App;

class IrcTab : public QWidget {
public:
    explicit IrcTab(App& app, QWidget* parent = nullptr);
    void refresh(const App& app);

private:
    QWidget* buildConnectionFields();
    QWidget* buildConsole();
    void connectActions();

    App& app_;
    QComboBox* ircServerCombo_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLineEdit* ircPortEdit_ = nullptr;
    QLineEdit* channelEdit_ = nullptr;
    QLineEdit* channelKeyEdit_ = nullptr;
    QLineEdit* ircNameEdit_ = nullptr;
    QPushButton* connectIrcButton_ = nullptr;
    QPushButton* quitIrcButton_ = nullptr;
    QCheckBox* reportToIrcBox_ = nullptr;
    QCheckBox* showRawTextBox_ = nullptr;
    QLabel* ircStatusLabel_ = nullptr;
    QLabel* ircTopicLabel_ = nullptr;
    QPlainTextEdit* ircOutputView_ = nullptr;
    QLineEdit* ircInputEdit_ = nullptr;
    QListWidget* channelNickList_ = nullptr;
};

// The options that shape what the bot says and whom it answers.
class IrcOptionsBox : public QWidget {
public:
    explicit IrcOptionsBox(App& app, QWidget* parent = nullptr);
    void refresh(const App& app);

private:
    App& app_;
    QCheckBox* removeColoursBox_ = nullptr;
    QCheckBox* removeFontCodesBox_ = nullptr;
    QCheckBox* greetOnJoinBox_ = nullptr;
    QCheckBox* privateServerBox_ = nullptr;
    QLineEdit* ignoreSecondsEdit_ = nullptr;
    QLineEdit* killAllowedFromEdit_ = nullptr;
    // The advanced part: the send pace, TLS and reconnecting.
    QWidget* network_ = nullptr;
    QCheckBox* tlsBox_ = nullptr;
    QCheckBox* tlsInsecureBox_ = nullptr;
    QCheckBox* reconnectBox_ = nullptr;
    QLineEdit* burstEdit_ = nullptr;
    QLineEdit* lineGapEdit_ = nullptr;
    // The encoding and the login; the secrets are typed unseen.
    QComboBox* encodingBox_ = nullptr;
    std::vector<std::pair<QLineEdit*, std::string SettingsValues::*>> textEdits_;
    QLabel* ignoreListLabel_ = nullptr;
    QListWidget* ignoreListView_ = nullptr;
};

}  // namespace fc
