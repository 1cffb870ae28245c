// The match control on the Game tab: the match state with its button, the time played and
// its correction, and the report interval.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace fc {

class App;
class App;

class MatchBox : public QGroupBox {
public:
    MatchBox(App& app, QWidget* parent = nullptr);
    void refresh(const App& app);

private:
    App& app_;
    QLabel* matchStateLabel_ = nullptr;
    QPushButton* matchButton_ = nullptr;
    QCheckBox* followClockBox_ = nullptr;
    QLineEdit* timePlayedEdit_ = nullptr;
    QLineEdit* reportIntervalEdit_ = nullptr;
};

}  // namespace fc
