#include "app/glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace vek::app {

namespace {
void drawPlug(QPainter& p, QPointF tip, const QColor& body) {
    // Cable, body and two pins, pointing right.
    p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2, tip.y() + 8), QPointF(tip.x() - 16, tip.y()));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(tip.x() - 18, tip.y() - 8, 12, 16), 2, 2);
    p.setBrush(QColor(200, 170, 60));
    p.drawRect(QRectF(tip.x() - 6, tip.y() - 6, 6, 3));
    p.drawRect(QRectF(tip.x() - 6, tip.y() + 3, 6, 3));
}
}  // namespace

QPixmap connectGlyph(int index) {
    QPixmap pm(51, 51);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const bool connected = index == 0;
    // The unit's socket on the right.
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(connected ? QColor(46, 160, 67) : QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(33, 12, 16, 27), 3, 3);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(33, 18, 4, 4));
    p.drawRect(QRectF(33, 29, 4, 4));
    if (connected) {
        drawPlug(p, QPointF(37, 25.5), QColor(46, 160, 67));
    } else {
        drawPlug(p, QPointF(24, 25.5), QColor(190, 60, 50));
        // A gap with a spark-free break mark between plug and socket.
        p.setPen(QPen(QColor(190, 60, 50), 2));
        p.drawLine(QPointF(27, 17), QPointF(31, 34));
    }
    return pm;
}

QIcon windowIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 90, 160));
        p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
        QPainterPath v;
        v.moveTo(s * 0.18, s * 0.2);
        v.lineTo(s * 0.5, s * 0.82);
        v.lineTo(s * 0.82, s * 0.2);
        p.setPen(QPen(Qt::white, s * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(v);
        icon.addPixmap(pm);
    }
    return icon;
}

}  // namespace vek::app
