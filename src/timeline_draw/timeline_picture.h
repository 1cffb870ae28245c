// The timeline drawn: the presentation of a game's timeline, in a widget, a PNG or an SVG.
// It decides nothing about the match; it draws what the timeline holds.
#pragma once

#include <QPainter>
#include <QSize>
#include <QString>

#include "timeline/timeline.h"

namespace fc {

// Draws the whole picture into the rectangle (0, 0, size).
void drawTimeline(QPainter& painter, const Timeline& timeline, QSize size, bool black);

// Writes the picture, an SVG when the path ends in ".svg", else a PNG; an empty text when it
// was written, else why not.
QString saveTimelinePicture(const Timeline& timeline, const QString& path, QSize size, bool black);

}  // namespace fc
