// The Record tab: recording the live replies to a file and choosing a recording to play; and
// the playback bar that is also the speed control.
#pragma once

#include <QProgressBar>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace fc {

class App;
class App;

class RecordTab : public QWidget {
public:
    RecordTab(App& app, QWidget* parent);
    void refresh(const App& app);

private:
    App& app_;
    QCheckBox* recordingBox_;
    QLineEdit* recordingFolderEdit_;
    QLineEdit* recordingFileEdit_;
    QListWidget* recordedDemosList_;
};

// Held left: ten times real time; held right: fifty times; released: real time.
class PlaybackBar : public QProgressBar {
public:
    PlaybackBar(App& app, QWidget* parent);
    void refresh(const App& app);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    App& app_;
};

}  // namespace fc
