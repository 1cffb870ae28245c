#include "shell/team_menu_button.h"

#include <QMenu>

#include "core/app.h"
#include "match/team_menu.h"
#include "shell/title_bar.h"

namespace fc {

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
