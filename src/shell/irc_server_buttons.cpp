#include "shell/irc_server_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "core/app.h"
#include "settings/irc_server_list.h"

namespace fc {

IrcServerButtons::IrcServerButtons(App& app, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto button = [&](const char* name, const char* caption, const char* tip,
                      void (*action)(App&)) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromLatin1(tip));
        b->setFocusPolicy(Qt::NoFocus);  // no button keeps the focus after a click
        b->setFixedWidth(b->fontMetrics().averageCharWidth() * 4);
        connect(b, &QPushButton::clicked, this,
                [&app, action] { app.dispatch([&] { action(app); }); });
        layout->addWidget(b);
    };
    button("Command6", "+", "Keep this server in the list", addIrcServerToList);
    button("Command7", "-", "Take this server out of the list", removeIrcServerFromList);
}

}  // namespace fc
