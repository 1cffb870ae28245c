#include "shell/browser_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "browser/browser_actions.h"
#include "core/app.h"
#include "shell/qt_text.h"
#include "shell/widget_helpers.h"
#include "shell/widget_sync.h"

namespace fc {

namespace {

struct ButtonSpec {
    const char* name;
    const char* caption;
    void (*run)(App&);
};

// The six buttons a sweep disables, by their names.
constexpr ButtonSpec kButtons[] = {
    {"Command1", "Refresh visible", refreshVisible},
    {"Command2", "Remove selected", removeSelected},
    {"Command3", "Remove all non-visible", removeNonVisible},
    {"Command4", "Playlist / CVarlist  ->", switchDetailMode},
    {"Command5", "Select for Fragcaster", selectForWatching},
    {"Command6", "Total refresh", totalRefresh},
};

void syncBox(QCheckBox* box, bool checked) {
    if (box->isChecked() == checked) return;
    const QSignalBlocker block(box);
    box->setChecked(checked);
}

}  // namespace

BrowserWindow::BrowserWindow(App& app) : QWidget(nullptr), app_(app) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Server List"));

    serverRowsTree_ = named(new QTreeWidget(this), "qServ");
    serverRowsTree_->setColumnCount(5);
    QStringList headers;
    for (const char* column : kServerColumns) headers << QString::fromLatin1(column);
    serverRowsTree_->setHeaderLabels(headers);
    serverRowsTree_->setRootIsDecorated(false);
    serverRowsTree_->setUniformRowHeights(true);
    serverRowsTree_->setAllColumnsShowFocus(true);
    serverRowsTree_->setSelectionMode(QAbstractItemView::SingleSelection);
    serverRowsTree_->header()->setSectionsClickable(true);
    serverRowsTree_->header()->setSortIndicatorShown(true);
    for (const auto [column, width] : {std::pair{0, 200}, {1, 64}, {2, 100}, {3, 110}})
        serverRowsTree_->setColumnWidth(column, width);

    status_ = named(new QLabel(this), "status");
    status_->setTextFormat(Qt::PlainText);
    sweepProgressBar_ = named(new QProgressBar(this), "voortgang");
    filterUnansweredBox_ =
        named(new QCheckBox(QStringLiteral("Filter not responded"), this), "filternorespond");
    filterEmptyBox_ =
        named(new QCheckBox(QStringLiteral("Filter empty servers"), this), "filterempty");
    fastSweepBox_ = named(new QCheckBox(QStringLiteral("Fast sweep"), this), "FastSweep");
    detailListView_ = named(new QTreeWidget(this), "List1");
    detailListView_->setRootIsDecorated(false);
    detailListView_->setMaximumWidth(260);
    auto* close =
        named(new QPushButton(QStringLiteral("Close this window"), this), "TitelKnopSluit");

    auto* buttons = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        buttons_[i] = named(new QPushButton(QString::fromLatin1(kButtons[i].caption), this),
                            kButtons[i].name);
        buttons->addWidget(buttons_[i], i / 3, i % 3);
        connect(buttons_[i], &QPushButton::clicked, this,
                [this, i] { app_.dispatch([this, i] { kButtons[i].run(app_); }); });
    }

    auto* progress = new QHBoxLayout;
    progress->addWidget(new QLabel(QStringLiteral("Completed:"), this));
    progress->addWidget(sweepProgressBar_, 1);
    auto* filters = new QHBoxLayout;
    filters->addWidget(filterUnansweredBox_);
    filters->addWidget(filterEmptyBox_);
    filters->addWidget(fastSweepBox_);
    filters->addStretch(1);
    filters->addWidget(close);
    auto* lists = new QHBoxLayout;
    lists->addWidget(serverRowsTree_, 1);
    lists->addWidget(detailListView_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(status_);
    layout->addLayout(progress);
    layout->addLayout(filters);
    layout->addLayout(buttons);

    connect(close, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { closeThisWindow(app_); }); });
    connect(filterUnansweredBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { onFilterUnanswered(app_, on); }); });
    connect(filterEmptyBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { onFilterEmpty(app_, on); }); });
    connect(fastSweepBox_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { onFastSweepBox(app_, on); }); });
    connect(serverRowsTree_, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* item, int) {
        const int row = serverRowsTree_->indexOfTopLevelItem(item);
        app_.dispatch([&] { onServerRowClicked(app_, row); });
    });
    connect(serverRowsTree_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { app_.dispatch([&] { onServerColumnClicked(app_, column); }); });
    resize(900, 480);
}

void BrowserWindow::refresh(const BrowserView& view) {
    syncText(status_, view.status);
    // Progress only while a sweep runs: between sweeps the bar stands empty (a range of 0..0
    // would draw a busy bar).
    const int maximum = view.sweeping ? std::max(view.sweepProgressMax, 1) : 1;
    if (sweepProgressBar_->maximum() != maximum) sweepProgressBar_->setRange(0, maximum);
    const int progress = view.sweeping ? view.sweepProgress : 0;
    if (sweepProgressBar_->value() != progress) sweepProgressBar_->setValue(progress);
    sweepProgressBar_->setTextVisible(view.sweeping);
    syncBox(filterUnansweredBox_, view.filterUnanswered);
    syncBox(filterEmptyBox_, view.filterEmpty);
    syncBox(fastSweepBox_, app_.settings.fastSweepOn);
    for (QPushButton* button : buttons_) button->setEnabled(view.buttonsEnabled);
    syncRows(view);
    syncDetails(view);
    syncQuestion(view);
}

// The clicked server's players as name, score and ping, or its variables as name and value.
void BrowserWindow::syncDetails(const BrowserView& view) {
    const QStringList headers =
        view.showCvars
            ? QStringList{QStringLiteral("Variable"), QStringLiteral("Value")}
            : QStringList{QStringLiteral("Name"), QStringLiteral("Score"), QStringLiteral("Ping")};
    if (detailListView_->columnCount() != headers.size()) {
        detailListView_->setColumnCount(static_cast<int>(headers.size()));
        detailListView_->setHeaderLabels(headers);
    }
    bool changed = false;
    const int count = static_cast<int>(view.detailList.size());
    while (detailListView_->topLevelItemCount() > count)
        delete detailListView_->takeTopLevelItem(count);
    while (detailListView_->topLevelItemCount() < count)
        detailListView_->addTopLevelItem(new QTreeWidgetItem);
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string>& row = view.detailList[static_cast<std::size_t>(i)];
        QTreeWidgetItem* item = detailListView_->topLevelItem(i);
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            const QString text = display(row[static_cast<std::size_t>(c)]);
            if (item->text(c) == text) continue;
            item->setText(c, text);
            changed = true;
        }
    }
    if (!changed) return;
    for (int c = 0; c < detailListView_->columnCount() - 1; ++c)
        detailListView_->resizeColumnToContents(c);
}

// The question of a removal, over the browser without blocking: its answer comes as an event.
void BrowserWindow::syncQuestion(const BrowserView& view) {
    if (view.question.empty() || questionBox_) {
        if (view.question.empty() && questionBox_) {
            questionBox_->disconnect(this);  // no answer to a question withdrawn
            questionBox_->close();
        }
        return;
    }
    questionBox_ =
        new QMessageBox(QMessageBox::Question, QStringLiteral("Warning!"), display(view.question),
                        QMessageBox::Yes | QMessageBox::No, this);
    questionBox_->setDefaultButton(QMessageBox::No);
    questionBox_->setAttribute(Qt::WA_DeleteOnClose);
    QMessageBox* box = questionBox_;
    connect(box, &QMessageBox::finished, this, [this, box] {
        const bool yes = box->clickedButton() == box->button(QMessageBox::Yes);
        questionBox_ = nullptr;
        app_.dispatch([this, yes] { answerBrowserQuestion(app_, yes); });
    });
    box->open();
}

void BrowserWindow::syncRows(const BrowserView& view) {
    if (rowsDrawn_ != view.rowsRevision) {
        rowsDrawn_ = view.rowsRevision;
        const int count = static_cast<int>(view.serverRows.size());
        while (serverRowsTree_->topLevelItemCount() > count)
            delete serverRowsTree_->takeTopLevelItem(count);
        while (serverRowsTree_->topLevelItemCount() < count)
            serverRowsTree_->addTopLevelItem(new QTreeWidgetItem);
        for (int i = 0; i < count; ++i) {
            const ServerRow& row = view.serverRows[static_cast<std::size_t>(i)];
            QTreeWidgetItem* item = serverRowsTree_->topLevelItem(i);
            const std::string* columns[] = {&row.name, &row.players, &row.map, &row.top,
                                            &row.server};
            for (int c = 0; c < 5; ++c) {
                const QString text = display(*columns[c]);
                if (item->text(c) != text) item->setText(c, text);
            }
        }
        serverRowsTree_->header()->setSortIndicator(
            view.sortColumn, view.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    QTreeWidgetItem* selected =
        view.selected >= 0 ? serverRowsTree_->topLevelItem(view.selected) : nullptr;
    if (serverRowsTree_->currentItem() != selected) {
        const QSignalBlocker block(serverRowsTree_);
        serverRowsTree_->setCurrentItem(selected);
    }
    if (view.scrollTo >= 0) {
        // The row and the four after it, as far as there are rows.
        const int last = std::min(view.scrollTo + 4, serverRowsTree_->topLevelItemCount() - 1);
        if (QTreeWidgetItem* item = serverRowsTree_->topLevelItem(last))
            serverRowsTree_->scrollToItem(item);
        if (QTreeWidgetItem* item = serverRowsTree_->topLevelItem(view.scrollTo))
            serverRowsTree_->scrollToItem(item);
        app_.browserView.scrollTo = -1;
    }
    if (redrawsDone_ != view.redraws) {
        redrawsDone_ = view.redraws;
        serverRowsTree_->viewport()->update();
    }
}

// The desktop's close button closes the browser as "Close this window" does not: without the
// snapshot, but with the stored list and the settings saved.
void BrowserWindow::closeEvent(QCloseEvent* event) {
    if (app_.browserView.browserVisible) app_.dispatch([this] { closeBrowser(app_); });
    event->accept();
}

}  // namespace fc
