#include "shell/record_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "core/app.h"
#include "monitor/playback.h"
#include "monitor/recorder.h"
#include "shell/qt_text.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

constexpr const char* kRecordHint =
    "Records all information that comes from the server. Not the actual in-game demo! You could "
    "use this for viewing the scores later, who scores at what moment and even replay the whole "
    "game to an IRC channel again.";
constexpr const char* kFileHint =
    "When recording, please make sure the filename and directory are set correct. Also be sure "
    "that the file does not exist because Orvexa will not check this and will just append the "
    "info after the current file.";

QLabel* Hint(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

RecordTab::RecordTab(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* grid = new QGridLayout(this);
    auto* frame = new QLabel(QStringLiteral("Record Live Status"), this);
    RecordIt_ = Named(new QCheckBox(QStringLiteral("Record it!"), this), "RecordIt");
    RecordItDir_ = Named(new QLineEdit(this), "RecordItDir");
    RecordItWhere_ = Named(new QLineEdit(this), "RecordItWhere");
    auto* autoSet =
        Named(new QPushButton(QStringLiteral("Auto set text now"), this), "RecordItAutoSet");
    RecordItList_ = Named(new QListWidget(this), "RecordItList");
    auto* refreshList =
        Named(new QPushButton(QStringLiteral("Refresh list"), this), "RecordItRefresh");
    auto* play = Named(new QPushButton(QStringLiteral("Play selected"), this), "RecordItPlay");

    grid->addWidget(frame, 0, 0, 1, 3);
    grid->addWidget(RecordIt_, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Directory:"), this), 2, 0);
    grid->addWidget(RecordItDir_, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Filename:"), this), 3, 0);
    grid->addWidget(RecordItWhere_, 3, 1);
    grid->addWidget(autoSet, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Current recorded demos in this directory:"), this),
                    4, 0, 1, 3);
    grid->addWidget(RecordItList_, 5, 0, 1, 3);
    grid->addWidget(refreshList, 6, 1);
    grid->addWidget(play, 6, 2);
    grid->addWidget(Hint(kRecordHint, this), 7, 0, 1, 3);
    grid->addWidget(Hint(kFileHint, this), 8, 0, 1, 3);

    auto run = [this](auto handler) {
        return [this, handler] { app_.dispatch([&] { handler(); }); };
    };
    connect(RecordIt_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.view.RecordIt = on; }); });
    connect(RecordItDir_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.RecordItDir = FromDisplay(text); });
    });
    connect(RecordItWhere_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.view.RecordItWhere = FromDisplay(text); });
    });
    connect(RecordItList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row != app_.view.RecordItListSelected) {
            app_.dispatch([&] { app_.view.RecordItListSelected = row; });
        }
    });
    connect(autoSet, &QPushButton::clicked, this, run([this] { RecordItAutoSet(app_); }));
    connect(refreshList, &QPushButton::clicked, this, run([this] { RefreshRecordItList(app_); }));
    connect(play, &QPushButton::clicked, this, run([this] { PlaySelected(app_); }));
}

void RecordTab::refresh(const MainView& view) {
    if (RecordIt_->isChecked() != view.RecordIt) RecordIt_->setChecked(view.RecordIt);
    SyncText(RecordItDir_, view.RecordItDir);
    SyncText(RecordItWhere_, view.RecordItWhere);
    QStringList names;
    for (const std::string& name : view.RecordItList) names << Display(name);
    bool same = RecordItList_->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = RecordItList_->item(i)->text() == names[i];
    if (!same) {
        RecordItList_->clear();
        RecordItList_->addItems(names);
    }
    if (RecordItList_->currentRow() != view.RecordItListSelected) {
        RecordItList_->setCurrentRow(view.RecordItListSelected);
    }
}

PlaybackBar::PlaybackBar(App& app, QWidget* parent) : QProgressBar(parent), app_(app) {
    setObjectName(QStringLiteral("progBar"));
    setTextVisible(false);
    setToolTip(
        QStringLiteral("Hold the left mouse button here to play ten times faster, the right "
                       "one for fifty times."));
}

void PlaybackBar::refresh(const MainView& view) {
    setVisible(view.progFrameVisible);
    if (maximum() != view.progMax) setMaximum(view.progMax);
    if (value() != view.progValue) setValue(std::min(view.progValue, view.progMax));
}

void PlaybackBar::mousePressEvent(QMouseEvent* event) {
    const MouseButton button = event->button() == Qt::LeftButton    ? MouseButton::Left
                               : event->button() == Qt::RightButton ? MouseButton::Right
                                                                    : MouseButton::Other;
    app_.dispatch([&] { OnProgressMousePressed(app_, button); });
}

void PlaybackBar::mouseReleaseEvent(QMouseEvent*) {
    app_.dispatch([&] { OnProgressMouseReleased(app_); });
}

}  // namespace fc
