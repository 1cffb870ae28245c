#include "shell/browser_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

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
    {"Command1", "Refresh visible", RefreshVisible},
    {"Command2", "Remove selected", RemoveSelected},
    {"Command3", "Remove all non-visible", RemoveNonVisible},
    {"Command4", "Playlist / CVarlist  ->", SwitchDetailMode},
    {"Command5", "Select for Orvexa", SelectForOrvexa},
    {"Command6", "Total refresh", TotalRefresh},
};

void SyncBox(QCheckBox* box, bool checked) {
    if (box->isChecked() == checked) return;
    const QSignalBlocker block(box);
    box->setChecked(checked);
}

}  // namespace

BrowserWindow::BrowserWindow(App& app) : QWidget(nullptr), app_(app) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Server List"));

    qServ_ = Named(new QTreeWidget(this), "qServ");
    qServ_->setColumnCount(5);
    QStringList headers;
    for (const char* column : kServerColumns) headers << QString::fromLatin1(column);
    qServ_->setHeaderLabels(headers);
    qServ_->setRootIsDecorated(false);
    qServ_->setUniformRowHeights(true);
    qServ_->setAllColumnsShowFocus(true);
    qServ_->setSelectionMode(QAbstractItemView::SingleSelection);
    qServ_->header()->setSectionsClickable(true);
    qServ_->header()->setSortIndicatorShown(true);
    qServ_->setColumnWidth(0, 220);

    status_ = Named(new QLabel(this), "status");
    status_->setTextFormat(Qt::PlainText);
    voortgang_ = Named(new QProgressBar(this), "voortgang");
    filternorespond_ =
        Named(new QCheckBox(QStringLiteral("Filter not responded"), this), "filternorespond");
    filterempty_ =
        Named(new QCheckBox(QStringLiteral("Filter empty servers"), this), "filterempty");
    fastSweep_ = Named(new QCheckBox(QStringLiteral("Fast sweep"), this), "FastSweep");
    List1_ = Named(new QListWidget(this), "List1");
    List1_->setMaximumWidth(260);
    auto* close =
        Named(new QPushButton(QStringLiteral("Close this window"), this), "TitelKnopSluit");

    auto* buttons = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        buttons_[i] = Named(new QPushButton(QString::fromLatin1(kButtons[i].caption), this),
                            kButtons[i].name);
        buttons->addWidget(buttons_[i], i / 3, i % 3);
        connect(buttons_[i], &QPushButton::clicked, this,
                [this, i] { app_.dispatch([this, i] { kButtons[i].run(app_); }); });
    }

    auto* progress = new QHBoxLayout;
    progress->addWidget(new QLabel(QStringLiteral("Completed:"), this));
    progress->addWidget(voortgang_, 1);
    auto* filters = new QHBoxLayout;
    filters->addWidget(filternorespond_);
    filters->addWidget(filterempty_);
    filters->addWidget(fastSweep_);
    filters->addStretch(1);
    filters->addWidget(close);
    auto* lists = new QHBoxLayout;
    lists->addWidget(qServ_, 1);
    lists->addWidget(List1_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(status_);
    layout->addLayout(progress);
    layout->addLayout(filters);
    layout->addLayout(buttons);

    connect(close, &QPushButton::clicked, this,
            [this] { app_.dispatch([this] { CloseThisWindow(app_); }); });
    connect(filternorespond_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { OnFilterNoRespond(app_, on); }); });
    connect(filterempty_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { OnFilterEmpty(app_, on); }); });
    connect(fastSweep_, &QCheckBox::clicked, this,
            [this](bool on) { app_.dispatch([&] { OnFastSweepBox(app_, on); }); });
    connect(qServ_, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* item, int) {
        const int row = qServ_->indexOfTopLevelItem(item);
        app_.dispatch([&] { OnServerRowClicked(app_, row); });
    });
    connect(qServ_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { app_.dispatch([&] { OnServerColumnClicked(app_, column); }); });
    resize(820, 460);
}

void BrowserWindow::refresh(const BrowserView& view) {
    SyncText(status_, view.status);
    if (voortgang_->maximum() != view.voortgangMax) voortgang_->setRange(0, view.voortgangMax);
    if (voortgang_->value() != view.voortgang) voortgang_->setValue(view.voortgang);
    SyncBox(filternorespond_, view.filternorespond);
    SyncBox(filterempty_, view.filterempty);
    SyncBox(fastSweep_, app_.view.FastSweep);
    for (QPushButton* button : buttons_) button->setEnabled(view.buttonsEnabled);
    if (qServ_->isHidden() == view.qServVisible) qServ_->setVisible(view.qServVisible);
    // A sweep hides the list: its rows are drawn once it shows again.
    if (view.qServVisible) syncRows(view);

    QStringList details;
    for (const std::string& line : view.List1) details << Display(line);
    QStringList shown;
    for (int i = 0; i < List1_->count(); ++i) shown << List1_->item(i)->text();
    if (shown != details) {
        List1_->clear();
        List1_->addItems(details);
    }
}

void BrowserWindow::syncRows(const BrowserView& view) {
    if (rowsDrawn_ != view.rowsRevision) {
        rowsDrawn_ = view.rowsRevision;
        const int count = static_cast<int>(view.qServ.size());
        while (qServ_->topLevelItemCount() > count) delete qServ_->takeTopLevelItem(count);
        while (qServ_->topLevelItemCount() < count) qServ_->addTopLevelItem(new QTreeWidgetItem);
        for (int i = 0; i < count; ++i) {
            const ServerRow& row = view.qServ[static_cast<std::size_t>(i)];
            QTreeWidgetItem* item = qServ_->topLevelItem(i);
            const std::string* columns[] = {&row.name, &row.players, &row.map, &row.top,
                                            &row.server};
            for (int c = 0; c < 5; ++c) {
                const QString text = Display(*columns[c]);
                if (item->text(c) != text) item->setText(c, text);
            }
        }
        qServ_->header()->setSortIndicator(
            view.sortColumn, view.sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    QTreeWidgetItem* selected = view.selected >= 0 ? qServ_->topLevelItem(view.selected) : nullptr;
    if (qServ_->currentItem() != selected) {
        const QSignalBlocker block(qServ_);
        qServ_->setCurrentItem(selected);
    }
    if (view.scrollTo >= 0) {
        // The row and the four after it, as far as there are rows.
        const int last = std::min(view.scrollTo + 4, qServ_->topLevelItemCount() - 1);
        if (QTreeWidgetItem* item = qServ_->topLevelItem(last)) qServ_->scrollToItem(item);
        if (QTreeWidgetItem* item = qServ_->topLevelItem(view.scrollTo)) qServ_->scrollToItem(item);
        app_.Form3.scrollTo = -1;
    }
    if (redrawsDone_ != view.redraws) {
        redrawsDone_ = view.redraws;
        qServ_->viewport()->update();
    }
}

// The desktop's close button closes the browser as "Close this window" does not: without the
// snapshot, but with the stored list and the settings saved.
void BrowserWindow::closeEvent(QCloseEvent* event) {
    if (app_.Form3.Form3Visible) app_.dispatch([this] { CloseBrowser(app_); });
    event->accept();
}

}  // namespace fc
