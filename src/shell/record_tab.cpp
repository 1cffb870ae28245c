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
    "that the file does not exist because Fragcaster will not check this and will just append the "
    "info after the current file.";

QLabel* hint(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

RecordTab::RecordTab(App& app, QWidget* parent) : QWidget(parent), app_(app) {
    auto* grid = new QGridLayout(this);
    auto* frame = new QLabel(QStringLiteral("Record Live Status"), this);
    recordingBox_ = named(new QCheckBox(QStringLiteral("Record it!"), this), "RecordIt");
    recordingFolderEdit_ = named(new QLineEdit(this), "RecordItDir");
    recordingFileEdit_ = named(new QLineEdit(this), "RecordItWhere");
    auto* autoSet =
        named(new QPushButton(QStringLiteral("Auto set text now"), this), "RecordItAutoSet");
    recordedDemosList_ = named(new QListWidget(this), "RecordItList");
    auto* refreshList =
        named(new QPushButton(QStringLiteral("Refresh list"), this), "RecordItRefresh");
    auto* play = named(new QPushButton(QStringLiteral("Play selected"), this), "RecordItPlay");

    grid->addWidget(frame, 0, 0, 1, 3);
    grid->addWidget(recordingBox_, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Directory:"), this), 2, 0);
    grid->addWidget(recordingFolderEdit_, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Filename:"), this), 3, 0);
    grid->addWidget(recordingFileEdit_, 3, 1);
    grid->addWidget(autoSet, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Current recorded demos in this directory:"), this),
                    4, 0, 1, 3);
    grid->addWidget(recordedDemosList_, 5, 0, 1, 3);
    grid->addWidget(refreshList, 6, 1);
    grid->addWidget(play, 6, 2);
    grid->addWidget(hint(kRecordHint, this), 7, 0, 1, 3);
    grid->addWidget(hint(kFileHint, this), 8, 0, 1, 3);

    auto run = [this](auto handler) {
        return [this, handler] { app_.dispatch([&] { handler(); }); };
    };
    connect(recordingBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.monitor.recordingOn = on; }); });
    connect(recordingFolderEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.monitor.recordingFolder = fromDisplay(text); });
    });
    connect(recordingFileEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        app_.dispatch([&] { app_.monitor.recordingFileName = fromDisplay(text); });
    });
    connect(recordedDemosList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row != app_.monitor.recordedDemoSelected) {
            app_.dispatch([&] { app_.monitor.recordedDemoSelected = row; });
        }
    });
    connect(autoSet, &QPushButton::clicked, this, run([this] { proposeRecordingName(app_); }));
    connect(refreshList, &QPushButton::clicked, this, run([this] { refreshRecordedDemos(app_); }));
    connect(play, &QPushButton::clicked, this, run([this] { playSelected(app_); }));
}

void RecordTab::refresh(const App& app) {
    if (recordingBox_->isChecked() != app.monitor.recordingOn)
        recordingBox_->setChecked(app.monitor.recordingOn);
    syncText(recordingFolderEdit_, app.monitor.recordingFolder);
    syncText(recordingFileEdit_, app.monitor.recordingFileName);
    QStringList names;
    for (const std::string& name : app.monitor.recordedDemos) names << display(name);
    bool same = recordedDemosList_->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = recordedDemosList_->item(i)->text() == names[i];
    if (!same) {
        recordedDemosList_->clear();
        recordedDemosList_->addItems(names);
    }
    if (recordedDemosList_->currentRow() != app.monitor.recordedDemoSelected) {
        recordedDemosList_->setCurrentRow(app.monitor.recordedDemoSelected);
    }
}

PlaybackBar::PlaybackBar(App& app, QWidget* parent) : QProgressBar(parent), app_(app) {
    setObjectName(QStringLiteral("progBar"));
    setTextVisible(false);
    setToolTip(
        QStringLiteral("Hold the left mouse button here to play ten times faster, the right "
                       "one for fifty times."));
}

void PlaybackBar::refresh(const App& app) {
    setVisible(app.window.playbackBarVisible);
    if (maximum() != app.monitor.playbackLength) setMaximum(app.monitor.playbackLength);
    if (value() != app.monitor.playbackProgress)
        setValue(std::min(app.monitor.playbackProgress, app.monitor.playbackLength));
}

void PlaybackBar::mousePressEvent(QMouseEvent* event) {
    const MouseButton button = event->button() == Qt::LeftButton    ? MouseButton::Left
                               : event->button() == Qt::RightButton ? MouseButton::Right
                                                                    : MouseButton::Other;
    app_.dispatch([&] { onProgressMousePressed(app_, button); });
}

void PlaybackBar::mouseReleaseEvent(QMouseEvent*) {
    app_.dispatch([&] { onProgressMouseReleased(app_); });
}

}  // namespace fc
