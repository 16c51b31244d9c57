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
        if (first)
            path.moveTo(q);
        else
            path.lineTo(q);
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

bool HasTeamColour(const QImage& image, const QRect& area) {
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) != 255) continue;
            const QRgb rgb = c | 0xFF000000u;
            if (rgb == kTeam.rgb() || rgb == kTeamDark.rgb() || rgb == kTeamLight.rgb()) return true;
        }
    return false;
}

void TeamBadge(QPainter& p) {
    Box(p, Centred(0, 17, 20, 12), kTeam, 2.5, 1.8);
    Box(p, Centred(0, 14.5, 13, 3.5), kTeamLight, 1, 0);
}

void TeamFlag(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    Rod(p, QPointF(10, 30), QPointF(10, 5), 2, kMetalLight);
    Poly(p, {QPointF(11, 5), QPointF(32, 9), QPointF(11, 17)}, kTeam, 1.8);
    Poly(p, {QPointF(11, 8), QPointF(22, 10), QPointF(11, 13)}, kTeamLight, 0);
}

void TeamPlate(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    Box(p, QRectF(47, 5, 12, 9), kTeam, 1.5, 1.6);
    Box(p, QRectF(49, 7, 8, 2.5), kTeamLight, 0.5, 0);
}

}  // namespace sheetgen::kit
