// The Game tab: the server entry and the connection button, the player list, what the last
// reply showed, and the team scores.
#pragma once

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace fc {

class App;
class MatchBox;
class App;

class GameTab : public QWidget {
public:
    GameTab(App& app, QWidget* parent = nullptr);

    void refresh(const App& app);

private:
    QWidget* buildEntryRow();
    QWidget* buildStatusRow();
    QWidget* buildPlayerList();
    QWidget* buildServerFields();
    QWidget* buildTeamScores();
    void connectActions();

    App& app_;

    QComboBox* serverEntryCombo_ = nullptr;
    QLabel* entryFaultLabel_ = nullptr;
    QPushButton* addServerButton_ = nullptr;
    QPushButton* openBrowserButton_ = nullptr;
    QPushButton* connectionButton_ = nullptr;
    QFrame* liveBannerFrame_ = nullptr;
    QLabel* liveBannerLabel_ = nullptr;
    QLabel* gameTypeLabel_ = nullptr;
    QLabel* receivedBytesLabel_ = nullptr;
    QTreeWidget* playerList_ = nullptr;

    QLineEdit* gameEdit_ = nullptr;
    QLineEdit* mapEdit_ = nullptr;
    QLineEdit* timeLeftEdit_ = nullptr;
    QLineEdit* statisticsEdit_ = nullptr;
    QLabel* playersPlayingLabel_ = nullptr;
    QLabel* playersMaxLabel_ = nullptr;
    QLineEdit* timeLimitEdit_ = nullptr;
    QLabel* teamsKnownLabel_ = nullptr;
    QLabel* teamsHintLabel_ = nullptr;

    QFrame* teamScoresFrame_ = nullptr;
    QLabel* redTeamCaptionLabel_ = nullptr;
    QLabel* blueTeamCaptionLabel_ = nullptr;
    QLineEdit* redTeamNameEdit_ = nullptr;
    QLineEdit* blueTeamNameEdit_ = nullptr;
    QLineEdit* redScoreEdit_ = nullptr;
    QLineEdit* blueScoreEdit_ = nullptr;
    QLabel* redPingLabel_ = nullptr;
    QLabel* bluePingLabel_ = nullptr;
    MatchBox* matchBox_ = nullptr;
};

}  // namespace fc
