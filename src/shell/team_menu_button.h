// "Team Control Menu": opens the team menu under itself, whose items detect, switch and assign
// the teams of the main window's player list.
#pragma once

#include <QPushButton>

class QMenu;

namespace fc {

class App;

class TeamMenuButton : public QPushButton {
public:
    TeamMenuButton(App& app, QWidget* parent);

private:
    QMenu* teamMenu_ = nullptr;
};

}  // namespace fc
