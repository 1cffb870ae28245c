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
#include "program/shown_status.h"
#include "shell/qt_text.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

MatchBox::MatchBox(App& app, QWidget* parent) : QGroupBox(tr("Match"), parent), app_(app) {
    setObjectName("matchBox");
    matchStateLabel_ = new QLabel(this);
    matchStateLabel_->setObjectName("qsMatchState");
    matchStateLabel_->setTextFormat(Qt::PlainText);
    matchButton_ = new QPushButton(this);
    matchButton_->setObjectName("Command2");
    followClockBox_ = new QCheckBox(tr("Clock"), this);
    followClockBox_->setObjectName("TimePlayedY");
    timePlayedEdit_ = new QLineEdit(this);
    timePlayedEdit_->setObjectName("TimePlayedX");
    timePlayedEdit_->setMaximumWidth(timePlayedEdit_->fontMetrics().averageCharWidth() * 9);
    reportIntervalEdit_ = new QLineEdit(this);
    reportIntervalEdit_->setObjectName("ReportDM");
    reportIntervalEdit_->setMaximumWidth(reportIntervalEdit_->fontMetrics().averageCharWidth() * 9);

    auto* state = new QHBoxLayout;
    state->addWidget(matchStateLabel_, 1);
    state->addWidget(matchButton_);
    auto* played = new QHBoxLayout;
    played->addWidget(timePlayedEdit_);
    played->addWidget(followClockBox_);
    played->addStretch(1);
    auto* report = new QHBoxLayout;
    report->addWidget(reportIntervalEdit_);
    report->addWidget(new QLabel(tr("sec."), this));
    report->addStretch(1);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Match:"), state);
    form->addRow(tr("Played:"), played);
    form->addRow(tr("Report every:"), report);

    connect(matchButton_, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { onMatchButton(app_); }); });
    connect(followClockBox_, &QCheckBox::clicked, this,
            [this](bool checked) { app_.dispatch([&] { onFollowClockChanged(app_, checked); }); });
    new MouseWatcher(timePlayedEdit_, [this](bool pressed) {
        if (pressed) app_.dispatch([this] { onTimePlayedClicked(app_); });
    });
    connect(timePlayedEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { onTimePlayedEdited(app_, fromDisplay(text)); });
    });
    connect(reportIntervalEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { onReportIntervalEdited(app_, fromDisplay(text)); });
    });
    connect(reportIntervalEdit_, &QLineEdit::editingFinished, this,
            [this] { app_.dispatch([this] { onReportIntervalLeft(app_); }); });
}

void MatchBox::refresh(const App& app) {
    const MatchCaptions captions = matchCaptions(app.match.matchState);
    syncText(matchStateLabel_, captions.state);
    syncText(matchButton_, captions.button);
    timePlayedEdit_->setVisible(app.window.timePlayedVisible);
    followClockBox_->setVisible(app.window.followClockVisible);
    followClockBox_->setChecked(app.match.timePlayedFollowsClock);
    timePlayedEdit_->setReadOnly(!app.match.timePlayedEditable);
    timePlayedEdit_->setFrame(app.match.timePlayedEditable);
    syncText(timePlayedEdit_, app.match.timePlayed);
    syncText(reportIntervalEdit_, app.settings.reportIntervalSeconds);
}

}  // namespace fc
