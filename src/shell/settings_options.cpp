#include "shell/settings_options.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/app.h"
#include "settings/settings_file.h"
#include "update/updater.h"

namespace fc {

SettingsOptions::SettingsOptions(App& app, QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    checkForUpdateBox_ = new QCheckBox(QStringLiteral("Check for updates at startup."), this);
    checkForUpdateBox_->setObjectName(QStringLiteral("CheckForUpdate"));
    auto* save = new QPushButton(QStringLiteral("Save now!"), this);
    save->setObjectName(QStringLiteral("IRCsafebutton"));
    save->setFocusPolicy(Qt::NoFocus);
    auto* update = new QPushButton(QStringLiteral("Check for update now."), this);
    update->setObjectName(QStringLiteral("UpdateKnop"));
    update->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(checkForUpdateBox_);
    layout->addWidget(update);
    layout->addStretch(1);
    layout->addWidget(save);

    connect(checkForUpdateBox_, &QCheckBox::clicked, this,
            [&app](bool on) { app.dispatch([&] { app.settings.checkForUpdate = on; }); });
    connect(update, &QPushButton::clicked, this,
            [&app] { app.dispatch([&] { checkForUpdateNow(app); }); });
    connect(save, &QPushButton::clicked, this,
            [&app] { app.dispatch([&] { saveSettings(app); }); });
}

void SettingsOptions::refresh(const App& app) {
    if (checkForUpdateBox_->isChecked() != app.settings.checkForUpdate) {
        const QSignalBlocker block(checkForUpdateBox_);
        checkForUpdateBox_->setChecked(app.settings.checkForUpdate);
    }
}

}  // namespace fc
