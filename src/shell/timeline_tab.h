// The "Timeline" tab: the game being watched or replayed drawn as it goes (the last one ended
// until the next begins), and a button that saves the picture as PNG or SVG.
#pragma once

#include <QWidget>

#include "program/timeline_feed.h"

class QCheckBox;

namespace fc {

class TimelineTab : public QWidget {
    Q_OBJECT
public:
    TimelineTab(TimelineFeed& feed, QWidget* parent = nullptr);

    // The game drawn: the one running, else the last one ended.
    const Timeline& shown() const;

private:
    void save();

    TimelineFeed& feed_;
    QWidget* canvas_;
    QCheckBox* black_;
};

}  // namespace fc
