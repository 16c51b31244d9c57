#include "ArtKit.h"

#include <algorithm>

namespace sheetgen::kit {

QRectF Centred(double cx, double cy, double w, double h) { return {cx - w / 2, cy - h / 2, w, h}; }

void Fill(QPainter& p, const QPainterPath& path, const QColor& colour, double outline) {
    p.setPen(outline > 0 ? QPen(kOutline, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
    p.setBrush(colour);
    p.drawPath(path);
}

void Box(QPainter& p, const QRectF& r, const QColor& colour, double radius, double outline) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    Fill(p, path, colour, outline);
}

void Disc(QPainter& p, QPointF c, double r, const QColor& colour, double outline) {
    QPainterPath path;
    path.addEllipse(c, r, r);
    Fill(p, path, colour, outline);
}

void Poly(QPainter& p, std::initializer_list<QPointF> points, const QColor& colour, double outline) {
    QPainterPath path;
    bool first = true;
    for (QPointF q : points) {
        if (first) path.moveTo(q);
        else path.lineTo(q);
        first = false;
    }
    path.closeSubpath();
    Fill(p, path, colour, outline);
}

void Rod(QPainter& p, QPointF a, QPointF b, double width, const QColor& colour) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, width + 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
}

void Tracks(QPainter& p, double x, double width, double length, double cy) {
    for (double side : {-1.0, 1.0}) {
        const QRectF band = Centred(side * x, cy, width, length);
        Box(p, band, kTrack, 2.5);
        p.setPen(QPen(kTread, 1.6));
        for (double y = band.top() + 3; y < band.bottom() - 1.5; y += 5)
            p.drawLine(QPointF(band.left() + 1.5, y), QPointF(band.right() - 1.5, y));
    }
}

void Wheels(QPainter& p, double x, std::initializer_list<double> ys, double w, double h) {
    for (double y : ys)
        for (double side : {-1.0, 1.0}) Box(p, Centred(side * x, y, w, h), kTrack, 2.5, 1.8);
}

void Lamps(QPainter& p, double y, double dx, double r) {
    p.setPen(Qt::NoPen);
    p.setBrush(kLamp);
    if (dx == 0) {
        p.drawEllipse(QPointF(0, y), r, r);
        return;
    }
    p.drawEllipse(QPointF(-dx, y), r, r);
    p.drawEllipse(QPointF(dx, y), r, r);
}

void Barrel(QPainter& p, double x, double y0, double y1, double width, const QColor& colour, bool lamp) {
    Box(p, QRectF(x - width / 2, y1, width, y0 - y1), colour, width / 3, 2.0);
    if (!lamp) return;
    p.setPen(Qt::NoPen);
    p.setBrush(kLamp);
    const double r = std::min(width / 2 + 0.6, 2.8);
    p.drawEllipse(QPointF(x, y1 + r), r, r);
}

void Glass(QPainter& p, const QRectF& r) { Box(p, r, kGlass, 2, 1.6); }

}  // namespace sheetgen::kit
