// Geology deposits, the connector structure and the connector pieces, the
// clans' emblems and the purchase-page cards.
#include <cmath>

#include "Art.h"
#include "ArtKit.h"
#include "Noise.h"
#include "Sheets.h"
#include "core/TypeSetup.h"

namespace sheetgen {

using namespace kit;

Shape ShapeOf(int type) {
    const tarq::TypeSetup* s = tarq::FindTypeSetup(type);
    if (HasFacings(type)) return Shape::Unit;
    if (s && s->TwoByTwo) return Shape::Building;
    return Shape::Small;
}

void DrawDeposit(QPainter& p, int amount, int size) {
    if (amount <= 0) return;
    // Pure black without smoothing: the game recolours exactly black.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0));
    const double s = size / 32.0;
    const int lumps = std::min(1 + amount / 2, 9);
    Rng rng(static_cast<std::uint32_t>(amount) * 17u + 5u);
    for (int i = 0; i < lumps; ++i) {
        const double a = i * 2.39996, r = i == 0 ? 0 : 4.0 + 2.2 * std::sqrt(static_cast<double>(i));
        const double lump = (1.2 + 0.16 * amount) * rng.uniform(0.8, 1.15);
        const QPointF c(16 + r * std::cos(a), 16 + r * std::sin(a));
        p.drawPolygon(QPolygonF(
            {(c + QPointF(-lump, lump * 0.6)) * s, (c + QPointF(0, -lump)) * s, (c + QPointF(lump, lump * 0.6)) * s}));
        p.drawEllipse(c * s, lump * 0.75 * s, lump * 0.6 * s);
    }
}

void DrawConnectorHub(QPainter& p, int size, const QColor& colour) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double s = size / 64.0;
    p.drawRect(QRectF(28 * s, 8 * s, 8 * s, 48 * s));        // pipes up and down
    p.drawRect(QRectF(8 * s, 28 * s, 48 * s, 8 * s));        // pipes left and right
    p.drawEllipse(QPointF(32 * s, 32 * s), 11 * s, 11 * s);  // the hub
    for (QPointF c : {QPointF(32, 8), QPointF(32, 56), QPointF(8, 32), QPointF(56, 32)})
        p.drawRect(QRectF((c.x() - 6) * s, (c.y() - 3) * s, 12 * s, 6 * s).translated(0, 0));
}

void DrawConnector(QPainter& p, const tarq::ConnectorPicture& c) {
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor pipe(150, 156, 160);
    auto arm = [&](double x, double y, double w, double h) { Box(p, QRectF(x, y, w, h), pipe, 1, 1.6); };
    // Slim pipes and a small junction: the pieces lie over the buildings they
    // join, so they must not hide them.
    if (c.up) arm(11.5, 0, 5, 12);
    if (c.down) arm(11.5, 16, 5, 12);
    if (c.left) arm(0, 11.5, 12, 5);
    if (c.right) arm(16, 11.5, 12, 5);
    Box(p, QRectF(9.5, 9.5, 9, 9), QColor(120, 126, 132), 2, 1.4);
    Disc(p, QPointF(14, 14), 2, QColor(210, 170, 50), 1.0);
}

void DrawEmblem(QPainter& p, int clan) {
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor colours[kClans] = {QColor(60, 110, 180), QColor(180, 56, 48),  QColor(70, 150, 80),
                                    QColor(200, 160, 40), QColor(130, 80, 170), QColor(60, 160, 170),
                                    QColor(200, 110, 40)};
    const QColor c = colours[clan % kClans];
    p.fillRect(QRectF(0, 0, kEmblemSize, kEmblemSize), QColor(30, 34, 40));
    QPainterPath shield;
    shield.moveTo(12, 10);
    shield.lineTo(66, 10);
    shield.lineTo(66, 40);
    shield.quadTo(64, 60, 39, 70);
    shield.quadTo(14, 60, 12, 40);
    shield.closeSubpath();
    Fill(p, shield, c, 3);
    const QColor mark(236, 232, 220);
    p.setPen(QPen(mark, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (clan % kClans) {
        case 0: p.drawPolyline(QPolygonF({QPointF(24, 30), QPointF(39, 44), QPointF(54, 30)})); break;
        case 1: p.drawEllipse(QPointF(39, 36), 13, 13); break;
        case 2: p.drawPolygon(QPolygonF({QPointF(39, 20), QPointF(54, 50), QPointF(24, 50)})); break;
        case 3:
            for (int k = 0; k < 4; ++k)
                p.drawLine(QPointF(39, 36),
                           QPointF(39 + 15 * std::cos(k * 1.5708 + 0.785), 36 + 15 * std::sin(k * 1.5708 + 0.785)));
            break;
        case 4: p.drawPolygon(QPolygonF({QPointF(39, 20), QPointF(54, 36), QPointF(39, 52), QPointF(24, 36)})); break;
        case 5:
            p.drawLine(QPointF(24, 26), QPointF(54, 26));
            p.drawLine(QPointF(24, 36), QPointF(54, 36));
            p.drawLine(QPointF(24, 46), QPointF(54, 46));
            break;
        default: p.drawLine(QPointF(39, 20), QPointF(39, 54)), p.drawLine(QPointF(24, 34), QPointF(54, 34)); break;
    }
}

namespace {

void CardBackground(QPainter& p, int movement, Shape shape) {
    QLinearGradient g(0, 0, 0, kCardH);
    if (shape == Shape::Unit && (movement == tarq::kMoveWater || movement == tarq::kMoveWaterCoast)) {
        g.setColorAt(0, QColor(40, 96, 150));
        g.setColorAt(1, QColor(24, 60, 100));
    } else if (shape == Shape::Unit && movement == tarq::kMoveAircraft) {
        g.setColorAt(0, QColor(110, 160, 210));
        g.setColorAt(1, QColor(170, 200, 230));
    } else {
        g.setColorAt(0, QColor(96, 136, 60));
        g.setColorAt(1, QColor(62, 96, 40));
    }
    p.fillRect(QRectF(0, 0, kCardW, kCardH), g);
}

}  // namespace

namespace {

// The card's subject: the map picture of the type, larger.
void DrawCardSubject(QPainter& p, int type) {
    const tarq::TypeSetup* s = tarq::FindTypeSetup(type);
    const Shape shape = ShapeOf(type);
    if (shape == Shape::Unit) {
        p.translate(kCardW / 2.0, kCardH / 2.0);
        p.scale(1.3, 1.3);
        p.rotate(45);
        if (s->SecondLayer) {
            DrawUnit(p, type, Art::UnitHull);
            DrawUnit(p, type, Art::UnitTop);
        } else {
            DrawUnit(p, type, Art::UnitWhole);
        }
        return;
    }
    p.translate((kCardW - 128) / 2.0, (kCardH - 128) / 2.0);
    if (shape == Shape::Building) {
        DrawPad(p);
        p.drawImage(0, 0, BuildingPicture(type, 0, 1, 0));
        return;
    }
    p.scale(2, 2);
    if (s && s->SecondLayer) DrawSmallStructure(p, type, 0, 1, 1);
    if (type >= 62 && type <= 65) {
        p.translate(32, 32);
        p.scale(0.64, 0.64);
        p.rotate(45);
        DrawTurret(p, type);
    } else if (type == 66) {
        DrawConnectorHub(p, 64, QColor(236, 236, 232));
    } else {
        DrawSmallStructure(p, type, 0, 1, 0);
    }
}

}  // namespace

void DrawCard(QPainter& p, int type) {
    const tarq::TypeSetup* s = tarq::FindTypeSetup(type);
    const Shape shape = ShapeOf(type);
    CardBackground(p, s ? s->Movement : 1, shape);
    QImage subject(kCardW, kCardH, QImage::Format_ARGB32_Premultiplied);
    subject.fill(Qt::transparent);
    {
        QPainter q(&subject);
        q.setRenderHint(QPainter::Antialiasing, true);
        DrawCardSubject(q, type);
    }
    // A soft shadow below the subject; aircraft cast theirs further away.
    QImage shadow = subject;
    {
        QPainter q(&shadow);
        q.setCompositionMode(QPainter::CompositionMode_SourceIn);
        q.fillRect(shadow.rect(), QColor(0, 0, 0, 80));
    }
    const bool flying = shape == Shape::Unit && s && s->Movement == tarq::kMoveAircraft;
    p.drawImage(QPointF(flying ? 14 : 5, flying ? 16 : 6), shadow);
    p.drawImage(QPointF(0, 0), subject);
    p.setPen(QPen(QColor(20, 22, 26), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, kCardW - 3, kCardH - 3));
}

}  // namespace sheetgen
