// The "Timeline" tab: the game being watched or replayed drawn as it goes (the last one ended
// until the next begins), a button that saves the picture as PNG or SVG, and the two settings
// of a game's end: its picture saved, the summary line said.
#pragma once

#include <QWidget>

#include "program/timeline_feed.h"

class QCheckBox;

namespace fc {

class TimelineTab : public QWidget {
    Q_OBJECT
public:
    TimelineTab(App& app, TimelineFeed& feed, QWidget* parent = nullptr);

    // The game drawn: the one running, else the last one ended.
    const Timeline& shown() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void save();

    TimelineFeed& feed_;
    QWidget* canvas_;
    QCheckBox* black_;
    QCheckBox* saveAtEnd_;
    QCheckBox* summary_;
    App& app_;
};

}  // namespace fc
