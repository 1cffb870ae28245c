#include "shell/timeline_tab.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/app.h"
#include "timeline_draw/timeline_picture.h"

namespace fc {

namespace {

class Canvas : public QWidget {
public:
    Canvas(const TimelineTab& tab, const QCheckBox& black, QWidget* parent)
        : QWidget(parent), tab_(tab), black_(black) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        drawTimeline(painter, tab_.shown(), size(), black_.isChecked());
    }

private:
    const TimelineTab& tab_;
    const QCheckBox& black_;
};

}  // namespace

TimelineTab::TimelineTab(App& app, TimelineFeed& feed, QWidget* parent)
    : QWidget(parent), feed_(feed), app_(app) {
    saveAtEnd_ =
        new QCheckBox(QStringLiteral("Save each game's picture beside the recordings"), this);
    saveAtEnd_->setObjectName(QStringLiteral("SaveTimeline"));
    summary_ = new QCheckBox(QStringLiteral("Say a summary after the final score"), this);
    summary_->setObjectName(QStringLiteral("ReportSummary"));
    connect(saveAtEnd_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.settings.saveTimeline = on; }); });
    connect(summary_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { app_.settings.reportSummary = on; }); });
    black_ = new QCheckBox(QStringLiteral("Black"), this);
    black_->setObjectName(QStringLiteral("TimelineBlack"));
    canvas_ = new Canvas(*this, *black_, this);
    canvas_->setMinimumSize(300, 150);
    auto* save = new QPushButton(QStringLiteral("Save picture..."), this);
    save->setObjectName(QStringLiteral("TimelineSave"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(black_);
    buttons->addWidget(saveAtEnd_);
    buttons->addWidget(summary_);
    buttons->addStretch(1);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addLayout(buttons);
    connect(black_, &QCheckBox::toggled, canvas_, qOverload<>(&QWidget::update));
    connect(save, &QPushButton::clicked, this, &TimelineTab::save);
    feed_.changed = [this] {
        if (isVisible()) canvas_->update();
    };
}

// The settings are read after the window is made: the boxes show them when the tab shows.
void TimelineTab::showEvent(QShowEvent* event) {
    saveAtEnd_->setChecked(app_.settings.saveTimeline);
    summary_->setChecked(app_.settings.reportSummary);
    QWidget::showEvent(event);
}

// The game that ended stays up until the next one scores: the operator still has the final
// to look at, or to save, while the server warms the next map up.
const Timeline& TimelineTab::shown() const {
    const Timeline& now = feed_.recorder.current();
    const auto moved = [](const ScoreSeries& line) { return line.points.size() > 1; };
    const bool scored =
        !now.captures.empty() || std::any_of(now.series.begin(), now.series.end(), moved);
    if (feed_.finished.empty() || (feed_.recorder.running() && scored)) return now;
    return feed_.finished.back();
}

// The dialog does not block: the match goes on while the operator picks a file.
void TimelineTab::save() {
    auto* dialog = new QFileDialog(this, QStringLiteral("Save the timeline"), QString(),
                                   QStringLiteral("PNG picture (*.png);;SVG picture (*.svg)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this, dialog](QString path) {
        if (QFileInfo(path).suffix().isEmpty())
            path += dialog->selectedNameFilter().contains(QStringLiteral("svg")) ? ".svg" : ".png";
        const QString error =
            saveTimelinePicture(shown(), path, QSize(1200, 600), black_->isChecked());
        if (error.isEmpty()) return;
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Timeline"), error,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    dialog->open();
}

}  // namespace fc
