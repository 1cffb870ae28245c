// The server browser "Form3" ("Server List"): the rows with their five columns, the status
// line and the progress bar, the filters, the six buttons and "Close this window", and the
// detail list of the clicked server. A window of its own, without a parent, so that its
// controls are found from it and not mixed with the main window's; the main window owns it.
#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QMessageBox;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace fc {

class App;
struct BrowserView;

class BrowserWindow : public QWidget {
public:
    explicit BrowserWindow(App& app);

    void refresh(const BrowserView& view);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void syncRows(const BrowserView& view);
    void syncQuestion(const BrowserView& view);
    void syncDetails(const BrowserView& view);

    App& app_;
    QTreeWidget* serverRowsTree_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* sweepProgressBar_ = nullptr;
    QCheckBox* filterUnansweredBox_ = nullptr;
    QCheckBox* filterEmptyBox_ = nullptr;
    QCheckBox* fastSweepBox_ = nullptr;
    QPushButton* buttons_[6] = {};
    QTreeWidget* detailListView_ = nullptr;
    int rowsDrawn_ = -1;  // the rows' revision the list shows
    int redrawsDone_ = 0;
    QPointer<QMessageBox> questionBox_;  // while a removal waits for its answer
};

}  // namespace fc
