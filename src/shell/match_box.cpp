#include "shell/match_box.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/app.h"
#include "match/match_control.h"
#include "shell/qt_text.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

MatchBox::MatchBox(App& app, QWidget* parent) : QGroupBox(tr("Match"), parent), app_(app) {
    setObjectName("matchBox");
    qsMatchState_ = new QLabel(this);
    qsMatchState_->setObjectName("qsMatchState");
    qsMatchState_->setTextFormat(Qt::PlainText);
    Command2_ = new QPushButton(this);
    Command2_->setObjectName("Command2");
    TimePlayedY_ = new QCheckBox(tr("Clock"), this);
    TimePlayedY_->setObjectName("TimePlayedY");
    TimePlayedX_ = new QLineEdit(this);
    TimePlayedX_->setObjectName("TimePlayedX");
    TimePlayedX_->setMaximumWidth(TimePlayedX_->fontMetrics().averageCharWidth() * 9);
    ReportDM_ = new QLineEdit(this);
    ReportDM_->setObjectName("ReportDM");
    ReportDM_->setMaximumWidth(ReportDM_->fontMetrics().averageCharWidth() * 9);

    auto* state = new QHBoxLayout;
    state->addWidget(qsMatchState_, 1);
    state->addWidget(Command2_);
    auto* played = new QHBoxLayout;
    played->addWidget(TimePlayedX_);
    played->addWidget(TimePlayedY_);
    played->addStretch(1);
    auto* report = new QHBoxLayout;
    report->addWidget(ReportDM_);
    report->addWidget(new QLabel(tr("sec."), this));
    report->addStretch(1);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Match:"), state);
    form->addRow(tr("Played:"), played);
    form->addRow(tr("Report every:"), report);

    connect(Command2_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { OnMatchButton(app_); }); });
    connect(TimePlayedY_, &QCheckBox::clicked, this,
            [this](bool checked) { app_.dispatch([&] { OnTimePlayedYChanged(app_, checked); }); });
    new MouseWatcher(TimePlayedX_, [this](bool pressed) {
        if (pressed) app_.dispatch([this] { OnTimePlayedXClicked(app_); });
    });
    connect(TimePlayedX_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { OnTimePlayedXEdited(app_, FromDisplay(text)); });
    });
    connect(ReportDM_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { OnReportDMEdited(app_, FromDisplay(text)); });
    });
}

void MatchBox::refresh(const MainView& view) {
    SyncText(qsMatchState_, view.qsMatchState);
    SyncText(Command2_, view.Command2);
    Command2_->setEnabled(view.Command2Enabled);
    TimePlayedX_->setVisible(view.TimePlayedXVisible);
    TimePlayedY_->setVisible(view.TimePlayedYVisible);
    TimePlayedY_->setChecked(view.TimePlayedY);
    TimePlayedX_->setReadOnly(!view.TimePlayedXEditable);
    TimePlayedX_->setFrame(view.TimePlayedXEditable);
    SyncText(TimePlayedX_, view.TimePlayedX);
    SyncText(ReportDM_, view.ReportDM);
}

}  // namespace fc
