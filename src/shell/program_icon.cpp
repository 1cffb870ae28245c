#include "shell/program_icon.h"

#include <QPainter>
#include <QPainterPath>

#include "shell/splash_window.h"

namespace fc {

QIcon programIcon() {
    QIcon icon(QStringLiteral(":/fragcaster.svg"));
    if (icon.pixmap(32, 32).isNull()) icon = QIcon(programPicture(32, 32));
    return icon;
}

QPixmap stayOnTopPicture(bool onTop) {
    constexpr int kSize = 16;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kSize / 2.0, kSize / 2.0);
    if (!onTop) p.rotate(-45);
    // Head, body and needle of a drawing pin, drawn standing.
    QPainterPath pin;
    pin.addRoundedRect(-4, -7, 8, 3, 1, 1);
    pin.addRect(-2, -4, 4, 5);
    pin.addRect(-5, 1, 10, 2);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(onTop ? QColor(0xD0, 0x20, 0x20) : QColor(0xF0, 0xF0, 0xF0));
    p.drawPath(pin);
    p.drawLine(QPointF(0, 3), QPointF(0, 7.5));
    return picture;
}

}  // namespace fc
