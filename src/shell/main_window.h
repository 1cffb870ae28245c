// The desktop window, without the desktop's frame: its own title bar, the tabs and the
// playback bar. It draws the view model after every handled event and forwards the operator's
// actions to the logic; it keeps no state of its own.
#pragma once

#include <QWidget>
#include <memory>

#include "core/app.h"
#include "program/timeline_feed.h"

namespace fc {

class MainWindow : public QWidget, public AppListener {
    Q_OBJECT
public:
    explicit MainWindow(App& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The "Timeline" tab, last, drawing the games the feed follows.
    void addTimelineTab(TimelineFeed& feed);

    // Redraws every control from the view model.
    void refresh();

    void eventHandled() override { refresh(); }
    // Shown without blocking: the event loop, and with it the match report, goes on meanwhile.
    void messageShown(const std::string& title, const std::string& text) override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void syncCodesWindow(const App& app);
    void syncBrowser();

    struct Controls;
    App& app_;
    std::unique_ptr<Controls> ui_;
};

}  // namespace fc
