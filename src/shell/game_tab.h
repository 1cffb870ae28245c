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
struct MainView;

class GameTab : public QWidget {
public:
    GameTab(App& app, QWidget* parent = nullptr);

    void refresh(const MainView& view);

private:
    QWidget* buildEntryRow();
    QWidget* buildStatusRow();
    QWidget* buildPlayerList();
    QWidget* buildServerFields();
    QWidget* buildTeamScores();
    void connectActions();

    App& app_;

    QComboBox* Q2Serverlist_ = nullptr;
    QPushButton* Q2Plus_ = nullptr;
    QPushButton* QuakeServerMore_ = nullptr;
    QPushButton* quakeTimerButton_ = nullptr;
    QFrame* Frame12_ = nullptr;
    QLabel* Label62_ = nullptr;
    QLabel* sModeLabel_ = nullptr;
    QLabel* typspel_ = nullptr;
    QLabel* quakeRecvBts_ = nullptr;
    QTreeWidget* spelerLijst_ = nullptr;

    QLineEdit* qsGame_ = nullptr;
    QLineEdit* qsMap_ = nullptr;
    QLineEdit* qsTimeLeft_ = nullptr;
    QLineEdit* qsStats_ = nullptr;
    QLabel* PlayersPlaying_ = nullptr;
    QLabel* PlayersMax_ = nullptr;
    QLineEdit* TimeLimitDM_ = nullptr;
    QLabel* TempLabel1_ = nullptr;

    QFrame* teamscores_ = nullptr;
    QLabel* Label9_ = nullptr;
    QLabel* Label10_ = nullptr;
    QLineEdit* txtnaamRED_ = nullptr;
    QLineEdit* txtnaamBLUE_ = nullptr;
    QLineEdit* qsRed_ = nullptr;
    QLineEdit* qsBlue_ = nullptr;
    QLabel* lblLagRed_ = nullptr;
    QLabel* lblLagBlue_ = nullptr;
    MatchBox* matchBox_ = nullptr;
};

}  // namespace fc
