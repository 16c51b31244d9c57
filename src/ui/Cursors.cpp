#include "ui/Cursors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace tarq {
namespace {

// Frame k of the map pointer: a targeting reticle whose ring of ticks turns
// by 1/8 of a quarter circle per frame, in gold on a dark outline.
QCursor MapPointerFrame(int k) {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(15.5, 15.5);
    p.setPen(QPen(QColor(20, 20, 20), 4));
    p.drawEllipse(c, 9, 9);
    p.setPen(QPen(QColor(255, 200, 40), 2));
    p.drawEllipse(c, 9, 9);
    const double turn = k * (M_PI / 2.0) / 8.0;
    for (int i = 0; i < 4; ++i) {
        const double a = turn + i * M_PI / 2.0;
        const QPointF in(c.x() + std::cos(a) * 6, c.y() + std::sin(a) * 6);
        const QPointF out(c.x() + std::cos(a) * 14, c.y() + std::sin(a) * 14);
        p.setPen(QPen(QColor(20, 20, 20), 4));
        p.drawLine(in, out);
        p.setPen(QPen(QColor(255, 230, 120), 2));
        p.drawLine(in, out);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 60, 40));
    p.drawEllipse(c, 1.6, 1.6);
    return QCursor(pix, 16, 16);
}

// The move pointer: a green arrow of four heads around a centre dot.
QCursor MovePointer() {
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(16, 16);
    for (int i = 0; i < 4; ++i) {
        QPolygonF head;
        head << QPointF(0, -14) << QPointF(6, -7) << QPointF(2, -7) << QPointF(2, -3) << QPointF(-2, -3)
             << QPointF(-2, -7) << QPointF(-6, -7);
        p.setPen(QPen(QColor(10, 40, 10), 1.5));
        p.setBrush(QColor(90, 220, 90));
        p.drawPolygon(head);
        p.rotate(90);
    }
    p.setBrush(QColor(240, 255, 240));
    p.drawEllipse(QPointF(0, 0), 2.5, 2.5);
    return QCursor(pix, 16, 16);
}

}  // namespace

void CursorSet::registerCursors() {
    for (int k = 1; k <= 8; ++k) cursors_[static_cast<std::size_t>(k)] = MapPointerFrame(k - 1);
    cursors_[9] = MovePointer();
    cursors_[10] = cursors_[9];
}

QCursor CursorSet::cursor(int number) const {
    if (number < 1 || number > kCursorCount) return QCursor(Qt::ArrowCursor);
    return cursors_[static_cast<std::size_t>(number)];
}

}  // namespace tarq
