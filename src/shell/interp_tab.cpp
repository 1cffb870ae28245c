#include "shell/interp_tab.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>

#include "core/app.h"
#include "interp/interp_feed.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

struct LabelField {
    const char* caption;
    const char* name;
    std::string InterpState::*field;
};

const LabelField kInfo[] = {
    {"Interp support:", "InterpSupport", &InterpState::interpSupport},
    {"Version:", "InterpVersion", &InterpState::interpVersion},
    {"Author:", "InterpAuthor", &InterpState::interpAuthor},
    {"Email:", "InterpEmail", &InterpState::interpEmail},
    {"Red flag:", "StatRed", &InterpState::redFlagWhere},
    {"Blue flag:", "StatBlue", &InterpState::blueFlagWhere},
};

struct SwitchField {
    const char* caption;
    const char* name;
    bool InterpState::*field;
};

const SwitchField kSwitches[] = {
    {"Got the flag", "InterpGotFlag", &InterpState::interpGotFlag},
    {"Lost the flag", "InterpLostFlag", &InterpState::interpLostFlag},
    {"Recovered flag", "InterpRecoverFlag", &InterpState::interpRecoverFlag},
    {"Quad", "InterpQuad", &InterpState::interpQuad},
    {"Haste", "InterpHaste", &InterpState::interpHaste},
    {"Regen", "InterpRegen", &InterpState::interpRegen},
    {"Invisibility", "InterpInvis", &InterpState::interpInvis},
    {"Server status", "InterpServerMsg", &InterpState::interpServerMsg},
};

// The feed's lines end in CR LF; the edit would make a line break of each of the two.
std::string withoutCr(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        if (c != '\r') text += c;
    return text;
}

}  // namespace

InterpTab::InterpTab(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildInfo());
    top->addWidget(buildSwitches(), 1);
    layout->addLayout(top);
    layout->addWidget(new QLabel(QStringLiteral("Interp output screen:"), this));
    interpOutputView_ = named(new QPlainTextEdit(this), "InterpOutput");
    interpOutputView_->setReadOnly(true);
    interpOutputView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    interpOutputView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(interpOutputView_, 1);
    layout->addWidget(buildButtons());
}

QWidget* InterpTab::buildInfo() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (const LabelField& f : kInfo) {
        auto* label = named(new QLabel(box), f.name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(new QLabel(QString::fromLatin1(f.caption), box), row, 0);
        grid->addWidget(label, row++, 1);
        labels_.emplace_back(label, f.field);
    }
    grid->setRowStretch(row, 1);
    return box;
}

QWidget* InterpTab::buildSwitches() {
    auto* box = new QGroupBox(QStringLiteral("Report to IRC"), this);
    auto* grid = new QGridLayout(box);
    int i = 0;
    for (const SwitchField& f : kSwitches) {
        auto* check = named(new QCheckBox(QString::fromLatin1(f.caption), box), f.name);
        grid->addWidget(check, i / 2, i % 2);
        ++i;
        switches_.emplace_back(check, f.field);
    }
    auto* report = named(
        new QCheckBox(
            QStringLiteral("Use Interp for scores and matchstate if no compatible mod is found."),
            box),
        "InterpReport");
    grid->addWidget(report, (i + 1) / 2, 0, 1, 2);
    switches_.emplace_back(report, &InterpState::interpReport);
    for (auto [check, field] : switches_) {
        connect(check, &QCheckBox::clicked, this,
                [this, field](bool on) { app_.dispatch([&] { app_.interp.*field = on; }); });
    }
    return box;
}

QWidget* InterpTab::buildButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const char* caption, std::function<void()> action) {
        auto* b = named(new QPushButton(QString::fromLatin1(caption), box), name);
        b->setFocusPolicy(Qt::NoFocus);
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, action] { app_.dispatch(action); });
    };
    button("Command11", "Reconnect", [this] { connectInterp(app_); });
    button("Command12", "GAMESTAT", [this] { sendInterp(app_, "GAMESTAT"); });
    button("Command8", "PLAYERSTAT", [this] { sendInterp(app_, "PLAYERSTAT"); });
    row->addStretch(1);
    button("Command9", "Clear", [this] { clearInterpOutput(app_); });
    return box;
}

void InterpTab::refresh(const App& app) {
    for (auto [label, field] : labels_) syncText(label, app.interp.*field);
    for (auto [check, field] : switches_) {
        if (check->isChecked() == app.interp.*field) continue;
        const QSignalBlocker block(check);
        check->setChecked(app.interp.*field);
    }
    const std::string shown = withoutCr(app.interp.interpOutput);
    const QString before = interpOutputView_->toPlainText();
    syncText(interpOutputView_, shown);
    if (interpOutputView_->toPlainText() != before) {
        // The newest of the feed is what the operator watches.
        interpOutputView_->moveCursor(QTextCursor::End);
        interpOutputView_->verticalScrollBar()->setValue(
            interpOutputView_->verticalScrollBar()->maximum());
    }
}

}  // namespace fc
