#include "timeline_draw/timeline_picture.h"

#include <QFile>
#include <QImage>
#include <QSvgGenerator>
#include <algorithm>

namespace fc {

namespace {

QString text(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString clock(long long seconds) {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QColor colourOf(const ScoreSeries& series, int index, bool black) {
    if (series.side == SeriesSide::Red) return black ? QColor(255, 90, 90) : QColor(200, 30, 30);
    if (series.side == SeriesSide::Blue) return black ? QColor(110, 150, 255) : QColor(30, 70, 200);
    static const QColor players[] = {QColor(0, 160, 0), QColor(220, 130, 0), QColor(150, 60, 200),
                                     QColor(0, 150, 170), QColor(200, 60, 140)};
    return players[index % 5];
}

}  // namespace

void drawTimeline(QPainter& painter, const Timeline& timeline, QSize size, bool black) {
    const QColor ink = black ? Qt::white : Qt::black;
    const QColor faint = black ? QColor(90, 90, 90) : QColor(200, 200, 200);
    painter.fillRect(QRect(QPoint(0, 0), size), black ? Qt::black : Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const int unit = std::max(9, size.height() / 36);  // the text's height; all else follows it
    QFont font = painter.font();
    font.setPixelSize(unit);
    painter.setFont(font);
    const std::vector<ScoreSeries> series = shownSeries(timeline);

    // The heading: map, server, begin and final score; then the lines' names in their colours.
    const TimelineStart& s = timeline.start;
    QString head = text(s.map) + QStringLiteral("   Server: ") + text(s.server) +
                   QStringLiteral("   Begin: ") + text(s.began);
    if (timeline.ended) head += QStringLiteral("   Final: ") + text(timeline.finalScore);
    painter.setPen(ink);
    painter.drawText(QRect(unit / 2, unit / 4, size.width() - unit, unit * 3 / 2),
                     Qt::AlignLeft | Qt::AlignVCenter, head);
    int x = unit / 2;
    for (std::size_t i = 0; i < series.size(); ++i) {
        painter.setPen(colourOf(series[i], static_cast<int>(i), black));
        const QString name = text(series[i].name) + QStringLiteral(" (%1)").arg(series[i].last());
        painter.drawText(QPoint(x, unit * 3), name);
        x += painter.fontMetrics().horizontalAdvance(name) + unit * 2;
    }

    // The plot: game time along the bottom, the score up the side.
    const QRect plot(unit * 3, unit * 4, size.width() - unit * 4, size.height() - unit * 6);
    const long long span = std::max<long long>(timeline.end, 60);
    long long top = 1;
    for (const ScoreSeries& line : series)
        for (const TimePoint& p : line.points) top = std::max(top, p.score);
    auto at = [&](long long seconds, long long score) {
        return QPointF(plot.left() + plot.width() * double(seconds) / double(span),
                       plot.bottom() - plot.height() * double(score) / double(top));
    };
    for (const PauseBand& band : timeline.pauses) {
        painter.fillRect(QRectF(at(band.from, top), at(band.to, 0)), faint);
        painter.setPen(ink);
        painter.drawText(at(band.from, top) + QPointF(2, unit), QStringLiteral("pause"));
    }
    painter.setPen(QPen(ink, 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    long long step = 15;  // about eight marks along the bottom, at round times
    for (const long long round : {30, 60, 120, 300, 600, 1800})
        if (span / step > 8) step = round;
    for (long long t = 0; t <= span; t += step) {
        const QPointF p = at(t, 0);
        painter.drawLine(p, p + QPointF(0, unit / 3));
        painter.drawText(QRectF(p.x() - unit * 2, p.y() + unit / 3, unit * 4, unit * 1.3),
                         Qt::AlignCenter, clock(t));
    }
    const long long scoreStep = std::max<long long>(1, top / 5);
    for (long long v = 0; v <= top; v += scoreStep) {
        const QPointF p = at(0, v);
        painter.drawText(QRectF(0, p.y() - unit, plot.left() - unit / 3, unit * 2),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }

    // Each line holds its score until the next point, to the game's end.
    for (std::size_t i = 0; i < series.size(); ++i) {
        QPolygonF steps;
        for (const TimePoint& p : series[i].points) {
            if (!steps.isEmpty()) steps << QPointF(at(p.seconds, 0).x(), steps.back().y());
            steps << at(p.seconds, p.score);
        }
        if (!steps.isEmpty()) steps << QPointF(at(timeline.end, 0).x(), steps.back().y());
        painter.setPen(
            QPen(colourOf(series[i], static_cast<int>(i), black), std::max(2, unit / 5)));
        painter.drawPolyline(steps);
    }

    // The captures, each on its team's line, named by the capper.
    QFont small = font;
    small.setPixelSize(std::max(8, unit * 4 / 5));
    painter.setFont(small);
    for (const CaptureMark& mark : timeline.captures) {
        const QPointF p = at(mark.seconds, mark.score);
        const int index = mark.team == "Blue" ? 1 : 0;
        painter.setPen(ink);
        painter.setBrush(index < int(series.size()) ? colourOf(series[index], index, black) : ink);
        painter.drawEllipse(p, unit / 2.5, unit / 2.5);
        painter.drawText(p + QPointF(unit / 2.0, -unit / 2.0),
                         text(mark.capper) + QStringLiteral(" ") + clock(mark.seconds));
    }
    painter.setBrush(Qt::NoBrush);
}

QString saveTimelinePicture(const Timeline& timeline, const QString& path, QSize size, bool black) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Fragcaster timeline"));
        QPainter painter;
        if (!painter.begin(&svg)) return QStringLiteral("cannot write ") + path;
        drawTimeline(painter, timeline, size, black);
        painter.end();
        return QFile::exists(path) ? QString() : QStringLiteral("cannot write ") + path;
    }
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    drawTimeline(painter, timeline, size, black);
    painter.end();
    return image.save(path, "PNG") ? QString() : QStringLiteral("cannot write ") + path;
}

}  // namespace fc
