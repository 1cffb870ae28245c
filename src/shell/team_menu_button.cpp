#include "shell/team_menu_button.h"

#include <QMenu>

#include "core/app.h"
#include "match/teams.h"
#include "shell/title_bar.h"

namespace fc {

namespace {

struct TeamMenuItem {
    const char* name;
    const char* caption;  // "&&" shows as one "&"
    void (*run)(App&);
    bool separatorAfter;
};

const TeamMenuItem kTeamMenu[] = {
    {"mnuDetAss", "Detect && Assign Teams", detectAndAssignTeams, false},
    {"mnuSwAss", "Switch && Assign Teams", switchAndAssignTeams, true},
    {"mnuDetect", "Detect Tags only", autoDetectTags, false},
    {"mnuAssign", "Assign Team names only", autoAssignNow, false},
    {"mnuSwitch", "Switch Team names only", switchTeamNames, false},
    {"mnuReset", "Reset teams (all Spec)", resetTeamList, false},
};

}  // namespace

TeamMenuButton::TeamMenuButton(App& app, QWidget* parent)
    : QPushButton(tr("Team Control Menu"), parent) {
    setObjectName(QStringLiteral("Command14"));
    teamMenu_ = new QMenu(tr("Options"), this);
    teamMenu_->setObjectName(QStringLiteral("mnuOptions"));
    for (const TeamMenuItem& item : kTeamMenu) {
        QAction* action = teamMenu_->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        connect(action, &QAction::triggered, this,
                [&app, run = item.run] { app.dispatch([&] { run(app); }); });
        if (item.separatorAfter) teamMenu_->addSeparator()->setObjectName("mnuStreep1");
    }
    connect(this, &QPushButton::clicked, this, [this] {
        unfocus(this);
        teamMenu_->popup(mapToGlobal(rect().bottomLeft()));
    });
}

}  // namespace fc
