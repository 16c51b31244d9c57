// Structures seen from above: 2 x 2 buildings with roofs, pipes and lights
// on a 128-pixel square (the concrete pad shows around them), one-cell
// structures on 64 pixels, and the gun turrets. Animation frames blink
// lights, turn fans and antennas, and puff steam.
#include <cmath>

#include "Art.h"
#include "ArtKit.h"

namespace sheetgen {
namespace {

using namespace kit;

QPointF P(double x, double y) { return {x, y}; }
const QColor kConcrete(150, 148, 142), kRoof(112, 118, 126), kRoofDark(80, 86, 94), kBrick(150, 78, 58);
const QColor kLightOff(90, 40, 36), kLightRed(255, 70, 50), kLightGreen(90, 255, 120);

void Light(QPainter& p, QPointF c, bool on, const QColor& colour = kLightRed) {
    Disc(p, c, 3.2, on ? colour : kLightOff, 1.4);
}

// A ridged roof: a rectangle with evenly spaced ridge lines across it.
void RidgedRoof(QPainter& p, const QRectF& r, const QColor& c, int ridges, bool vertical) {
    Box(p, r, c, 2);
    p.setPen(QPen(c.darker(135), 2));
    for (int i = 1; i < ridges; ++i) {
        const double t = static_cast<double>(i) / ridges;
        if (vertical)
            p.drawLine(P(r.left() + r.width() * t, r.top() + 2), P(r.left() + r.width() * t, r.bottom() - 2));
        else
            p.drawLine(P(r.left() + 2, r.top() + r.height() * t), P(r.right() - 2, r.top() + r.height() * t));
    }
}

void Pipe(QPainter& p, QPointF a, QPointF b, double w = 5) { Rod(p, a, b, w, kMetal); }

void Chimney(QPainter& p, QPointF c, double r, int frame) {
    Disc(p, c, r, kMetalDark);
    Disc(p, c, r * 0.55, kOutline, 0);
    const double puff = 3 + 2 * (frame % 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 204, 230));
    p.drawEllipse(c + P(r * 0.8, -r * 0.8 - frame % 2 * 3), puff + 2, puff);
}

// ------------------------------------------------------------ 2 x 2 buildings

void HeavyFactory(QPainter& p, int) {
    RidgedRoof(p, QRectF(10, 14, 108, 70), kRoof, 7, true);
    Box(p, QRectF(18, 84, 92, 32), kConcrete.darker(115), 2);
    Box(p, QRectF(40, 100, 48, 18), QColor(200, 160, 40), 1);  // big door
    p.setPen(QPen(kOutline, 2));
    for (int i = 0; i < 4; ++i) p.drawLine(P(46 + i * 12, 101), P(40 + i * 12, 117));
    Rod(p, P(14, 10), P(114, 10), 4, kWork);  // crane rail
    Box(p, QRectF(70, 6, 14, 10), kWorkDark, 2, 1.6);
    Chimney(p, P(100, 96), 8, 0);
}

void MineComplex(QPainter& p, int frame, int variant) {
    const QColor ores[] = {QColor(170, 120, 70), QColor(200, 200, 210), QColor(90, 160, 90),  QColor(220, 180, 60),
                           QColor(160, 90, 160), QColor(200, 110, 70),  QColor(110, 140, 200)};
    const QColor ore = ores[variant % 7];
    Box(p, QRectF(12, 62, 60, 52), kBrick, 2);
    RidgedRoof(p, QRectF(16, 66, 52, 44), kRoofDark, 4, false);
    // Headframe: a lattice tower over the shaft with its winding wheel.
    Box(p, QRectF(70, 12, 46, 46), kConcrete.darker(120), 2);
    p.setPen(QPen(kMetalDark, 3));
    p.drawLine(P(74, 16), P(112, 54));
    p.drawLine(P(112, 16), P(74, 54));
    Disc(p, P(93, 35), 13, kMetal);
    const double a = frame * 3.14159 / 4;
    p.setPen(QPen(kOutline, 2.4));
    for (int k = 0; k < 3; ++k) {
        const double t = a + k * 3.14159 / 3;
        p.drawLine(P(93 - 11 * std::cos(t), 35 - 11 * std::sin(t)), P(93 + 11 * std::cos(t), 35 + 11 * std::sin(t)));
    }
    Rod(p, P(80, 58), P(96, 96), 7, kMetalDark);  // conveyor
    QPainterPath pile;
    pile.addEllipse(QPointF(100, 104), 18, 12);
    Fill(p, pile, ore, 2);
    Disc(p, P(26, 28), 14, ore.darker(120));
    Light(p, P(118, 60), frame % 2 == 0);
    Light(p, P(12, 56), frame % 2 == 1, kLightGreen);
}

void CoolingTower(QPainter& p, QPointF c, double r, int frame, int phase) {
    Disc(p, c, r, kConcrete.lighter(105));
    Disc(p, c, r * 0.72, QColor(64, 66, 70), 1.6);
    p.setPen(Qt::NoPen);
    const int f = (frame + phase) % 4;
    for (int k = 0; k < 3; ++k) {
        const double s = r * (0.35 + 0.12 * ((f + k) % 4));
        p.setBrush(QColor(214, 216, 220));
        p.drawEllipse(c + P(6 * k - 4 + f, -5 * k + f), s, s * 0.8);
    }
}

void PowerStation(QPainter& p, int frame) {
    Box(p, QRectF(10, 70, 108, 48), kRoof, 2);
    RidgedRoof(p, QRectF(14, 74, 56, 40), kRoofDark, 5, true);
    Pipe(p, P(40, 60), P(40, 74));
    Pipe(p, P(90, 60), P(90, 74));
    CoolingTower(p, P(36, 36), 25, frame, 0);
    CoolingTower(p, P(92, 36), 25, frame, 2);
    for (int i = 0; i < 4; ++i) Light(p, P(80 + i * 9, 110), i == frame, QColor(255, 220, 80));
}

void LightFactory(QPainter& p, int) {
    RidgedRoof(p, QRectF(14, 16, 100, 60), QColor(96, 124, 150), 5, true);
    Box(p, QRectF(14, 78, 64, 38), kConcrete.darker(112), 2);
    Box(p, QRectF(24, 100, 30, 16), QColor(200, 160, 40), 1);
    Box(p, QRectF(84, 82, 30, 34), kBrick, 2);
    Pipe(p, P(98, 70), P(98, 84), 4);
    Chimney(p, P(99, 98), 7, 1);
}

void Housing(QPainter& p, int) {
    const QColor roofs[] = {QColor(170, 70, 52), QColor(150, 90, 60), QColor(180, 100, 70)};
    int i = 0;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            const QRectF house(14 + c * 54, 14 + r * 54, 46, 44);
            Poly(p, {house.topLeft(), house.topRight(), house.bottomRight(), house.bottomLeft()}, roofs[i++ % 3]);
            p.setPen(QPen(kOutline, 1.6));
            p.drawLine(house.topLeft() + P(0, 22), house.topRight() + P(0, 22));
            Glass(p, QRectF(house.left() + 6, house.top() + 6, 10, 8));
            Glass(p, QRectF(house.right() - 16, house.bottom() - 14, 10, 8));
        }
    Disc(p, P(64, 64), 9, QColor(74, 130, 58), 2);  // a little yard tree
}

void Refinery(QPainter& p, int) {
    Box(p, QRectF(12, 70, 70, 46), kRoof, 2);
    RidgedRoof(p, QRectF(16, 74, 62, 38), kRoofDark, 4, false);
    for (QPointF c : {P(34, 34), P(76, 28)}) {
        Disc(p, c, 20, kGold.darker(115));
        Disc(p, c, 12, kGold, 1.6);
    }
    Pipe(p, P(34, 54), P(34, 72));
    Pipe(p, P(76, 48), P(100, 72));
    Box(p, QRectF(90, 66, 28, 50), kMetalDark, 2);
    for (int i = 0; i < 3; ++i) Box(p, QRectF(95, 72 + i * 14, 18, 8), kGold, 1, 1.4);
}

void Barracks(QPainter& p, int) {
    for (int i = 0; i < 3; ++i) RidgedRoof(p, QRectF(12, 14 + i * 36, 82, 28), QColor(104, 116, 82), 6, true);
    Box(p, QRectF(100, 14, 18, 100), kConcrete.darker(110), 2);
    Rod(p, P(109, 22), P(109, 52), 2, kMetalDark);
    Poly(p, {P(109, 22), P(124, 27), P(109, 32)}, kRed, 1.4);  // flag
}

void TrainingHall(QPainter& p, int) {
    Box(p, QRectF(12, 12, 104, 46), QColor(130, 98, 150), 3);
    RidgedRoof(p, QRectF(18, 18, 92, 34), QColor(108, 78, 128), 6, true);
    Box(p, QRectF(12, 64, 104, 52), QColor(96, 136, 70), 3);  // drill ground
    p.setPen(QPen(QColor(230, 230, 220), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(22, 72, 84, 36), 16, 16);
    for (int i = 0; i < 4; ++i) Box(p, QRectF(34 + i * 16, 86, 6, 8), kBrick, 1, 1.4);
}

void AirFactory(QPainter& p, int) {
    QPainterPath hangar;
    hangar.addRoundedRect(QRectF(10, 12, 108, 64), 28, 28);
    Fill(p, hangar, QColor(150, 160, 170));
    p.setPen(QPen(QColor(110, 120, 130), 2));
    for (int i = 1; i < 6; ++i) p.drawLine(P(10 + i * 18, 16), P(10 + i * 18, 72));
    Box(p, QRectF(10, 80, 108, 38), QColor(70, 72, 76), 2);  // apron
    p.setPen(QPen(QColor(220, 200, 80), 2, Qt::DashLine));
    p.drawLine(P(14, 99), P(114, 99));
    p.save();
    p.translate(64, 99);
    p.rotate(90);
    p.scale(0.32, 0.32);
    DrawUnit(p, 28, Art::UnitWhole);
    p.restore();
}

void Shipyard(QPainter& p, int) {
    Box(p, QRectF(8, 8, 112, 112), kConcrete.darker(108), 3);
    Box(p, QRectF(30, 14, 68, 104), QColor(50, 96, 140), 2);  // dry dock
    p.save();
    p.translate(64, 62);
    p.scale(0.9, 0.9);
    DrawUnit(p, 21, Art::UnitWhole);
    p.restore();
    Rod(p, P(18, 20), P(18, 108), 4, kWork);
    Rod(p, P(110, 20), P(110, 108), 4, kWork);
    Rod(p, P(14, 56), P(114, 56), 5, kWorkDark);  // gantry crane
}

void Ecosphere(QPainter& p, int frame) {
    for (QPointF c : {P(40, 40), P(88, 46), P(56, 90)}) {
        Disc(p, c, 26, QColor(70, 140, 90));
        p.setPen(QPen(QColor(150, 210, 170), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 18, 18);
        p.drawLine(c - P(26, 0), c + P(26, 0));
        p.drawLine(c - P(0, 26), c + P(0, 26));
    }
    Light(p, P(104, 104), frame == 0, kLightGreen);
    Light(p, P(20, 104), frame == 1, kLightGreen);
}

void Research(QPainter& p, int frame) {
    Box(p, QRectF(12, 60, 104, 56), QColor(196, 196, 200), 4);
    Glass(p, QRectF(20, 68, 40, 12));
    Glass(p, QRectF(68, 68, 40, 12));
    Disc(p, P(44, 36), 24, QColor(210, 212, 218));
    Disc(p, P(44, 36), 8, QColor(110, 150, 200), 1.6);
    Disc(p, P(98, 30), 14, kMetalLight);  // antenna dish
    Rod(p, P(98, 30), P(110, 18), 2, kMetalDark);
    Light(p, P(110, 18), frame == 0);
    Light(p, P(30, 100), frame == 1, QColor(110, 170, 255));
}

void Depot(QPainter& p, int) {
    RidgedRoof(p, QRectF(10, 12, 108, 58), QColor(138, 120, 96), 4, false);
    for (int i = 0; i < 4; ++i) Box(p, QRectF(14 + i * 26, 78, 22, 18), QColor(150, 104, 56), 1, 1.6);
    for (int i = 0; i < 3; ++i) Box(p, QRectF(24 + i * 30, 98, 24, 18), QColor(96, 110, 70), 1, 1.6);
}

void Dock(QPainter& p, int) {
    Box(p, QRectF(6, 6, 116, 116), QColor(52, 98, 144), 4);                             // basin
    for (int i = 0; i < 3; ++i) Box(p, QRectF(12 + i * 40, 6, 22, 100), kConcrete, 1);  // piers
    for (int i = 0; i < 3; ++i) Disc(p, P(23 + i * 40, 110), 5, kMetalDark, 1.6);
    Box(p, QRectF(6, 106, 116, 16), kConcrete.darker(110), 2);
}

void Hangar(QPainter& p, int frame) {
    for (int i = 0; i < 2; ++i) {
        QPainterPath arch;
        arch.addRoundedRect(QRectF(10 + i * 56, 12, 52, 78), 22, 22);
        Fill(p, arch, QColor(128, 136, 120));
        p.setPen(QPen(QColor(100, 108, 94), 2));
        for (int k = 1; k < 5; ++k) p.drawLine(P(12 + i * 56, 12 + k * 15.6), P(60 + i * 56, 12 + k * 15.6));
    }
    Box(p, QRectF(10, 94, 108, 24), QColor(70, 72, 76), 2);
    for (int i = 0; i < 6; ++i) Light(p, P(18 + i * 18, 106), (i + frame) % 2 == 0, QColor(255, 210, 80));
}

// ------------------------------------------------------------ one-cell structures

void Generator(QPainter& p, int frame, int frames) {
    Box(p, QRectF(8, 10, 48, 44), kMetal, 3);
    p.setPen(QPen(kMetalDark, 1.6));
    for (int i = 0; i < 5; ++i) p.drawLine(P(12, 16 + i * 4), P(26, 16 + i * 4));
    Disc(p, P(38, 32), 14, kMetalDark);
    p.save();
    p.translate(38, 32);
    p.rotate(frame * 90.0 / std::max(frames, 1));
    for (int k = 0; k < 4; ++k) {
        p.rotate(90);
        Poly(p, {P(0, 0), P(-4, -12), P(4, -12)}, kMetalLight, 1.2);
    }
    p.restore();
    Light(p, P(14, 46), frame % 2 == 0, QColor(255, 220, 80));
    Rod(p, P(56, 32), P(62, 32), 4, kMetal);
}

void Store(QPainter& p) {
    Box(p, QRectF(8, 8, 48, 48), QColor(138, 120, 96), 3);
    RidgedRoof(p, QRectF(12, 12, 40, 22), QColor(118, 102, 80), 4, true);
    Box(p, Centred(20, 45, 14, 12), QColor(150, 104, 56), 1.5, 1.6);
    Box(p, Centred(40, 45, 14, 12), QColor(132, 92, 50), 1.5, 1.6);
}

void FuelTank(QPainter& p) {
    Disc(p, P(32, 32), 24, QColor(196, 196, 192));
    Disc(p, P(32, 32), 16, QColor(176, 176, 172), 1.4);
    p.setPen(QPen(kRed, 3));
    p.drawLine(P(10, 32), P(54, 32));
    Disc(p, P(32, 32), 5, kMetalDark, 1.4);
}

void ConcreteBlock(QPainter& p) {
    Box(p, QRectF(8, 8, 48, 48), QColor(160, 158, 150), 3);
    Box(p, QRectF(16, 16, 32, 32), QColor(136, 134, 128), 2, 1.6);
    p.setPen(QPen(QColor(110, 108, 104), 2));
    p.drawLine(P(16, 16), P(48, 48));
    p.drawLine(P(48, 16), P(16, 48));
}

void Road(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 94, 98));
    p.drawRect(QRectF(0, 0, 64, 64));
    p.setPen(QPen(QColor(74, 76, 80), 1.5));
    p.drawLine(P(0, 32), P(64, 32));
    p.drawLine(P(32, 0), P(32, 64));
    p.setPen(QPen(QColor(112, 114, 118), 1));
    p.drawRect(QRectF(0.5, 0.5, 63, 63));
}

void GoldStore(QPainter& p) {
    Box(p, QRectF(8, 8, 48, 48), kMetalDark, 4);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) Box(p, QRectF(16 + c * 17, 14 + r * 12, 14, 8), kGold, 1, 1.4);
    Box(p, QRectF(24, 50, 16, 6), kWork, 1, 1.4);
}

void LandingModule(QPainter& p) {
    for (int k = 0; k < 4; ++k) {
        const double a = 3.14159 / 4 + k * 3.14159 / 2;
        Rod(p, P(32, 32), P(32 + 26 * std::cos(a), 32 + 26 * std::sin(a)), 3, kMetalDark);
        Disc(p, P(32 + 26 * std::cos(a), 32 + 26 * std::sin(a)), 3.5, kMetal, 1.4);
    }
    Disc(p, P(32, 32), 18, QColor(210, 206, 196));
    Disc(p, P(32, 32), 8, kTeam, 1.6);
    Light(p, P(32, 18), true, kLightGreen);
}

void Radar(QPainter& p, int frame, int frames) {
    Disc(p, P(32, 32), 20, kConcrete);
    Disc(p, P(32, 32), 6, kMetalDark, 1.6);
    p.save();
    p.translate(32, 32);
    p.rotate(frame * 360.0 / std::max(frames, 1));
    Box(p, QRectF(-26, -5, 52, 8), kMetalLight, 2);
    p.setPen(QPen(kMetalDark, 1.2));
    for (int i = -22; i <= 22; i += 4) p.drawLine(P(i, -4), P(i, 2));
    Light(p, P(24, -1), true);
    p.restore();
}

void GunBase(QPainter& p) {
    Disc(p, P(32, 32), 25, kConcrete.darker(110));
    Disc(p, P(32, 32), 19, kConcrete.darker(130), 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    for (int k = 0; k < 8; ++k) {
        const double a = k * 3.14159 / 4;
        p.drawEllipse(P(32 + 22 * std::cos(a), 32 + 22 * std::sin(a)), 1.6, 1.6);
    }
}

void WaterPlatform(QPainter& p) {
    for (QPointF c : {P(10, 10), P(54, 10), P(10, 54), P(54, 54)}) Disc(p, c, 7, kWork, 1.8);
    Box(p, QRectF(6, 6, 52, 52), QColor(150, 136, 112), 3);
    p.setPen(QPen(QColor(120, 106, 84), 2));
    for (int i = 1; i < 6; ++i) p.drawLine(P(8, 6 + i * 8.7), P(56, 6 + i * 8.7));
}

void Bridge(QPainter& p) {
    Box(p, QRectF(0, 14, 64, 36), QColor(130, 100, 74), 1);  // deck across
    p.setPen(QPen(QColor(100, 76, 56), 1.5));
    for (int i = 1; i < 8; ++i) p.drawLine(P(i * 8, 15), P(i * 8, 49));
    Rod(p, P(0, 14), P(64, 14), 3, kMetal);
    Rod(p, P(0, 50), P(64, 50), 3, kMetal);
    for (QPointF c : {P(8, 8), P(56, 8), P(8, 56), P(56, 56)})
        Box(p, QRectF(c.x() - 5, c.y() - 5, 10, 10), kWorkDark, 2, 1.6);
}

void LandMine(QPainter& p) {
    Disc(p, P(32, 32), 11, QColor(96, 86, 60));
    Disc(p, P(32, 32), 6, QColor(70, 66, 56), 1.4);
    for (int k = 0; k < 4; ++k) {
        const double a = k * 3.14159 / 2;
        Rod(p, P(32 + 9 * std::cos(a), 32 + 9 * std::sin(a)), P(32 + 15 * std::cos(a), 32 + 15 * std::sin(a)), 2,
            kMetalDark);
    }
    Light(p, P(32, 32), true);
}

void SeaMine(QPainter& p) {
    for (int k = 0; k < 8; ++k) {
        const double a = k * 3.14159 / 4;
        Rod(p, P(32, 32), P(32 + 18 * std::cos(a), 32 + 18 * std::sin(a)), 2.4, kMetalDark);
    }
    Disc(p, P(32, 32), 12, QColor(60, 62, 68));
    Disc(p, P(28, 28), 3, QColor(120, 124, 130), 0);
}

}  // namespace

void DrawBuilding(QPainter& p, int type, int frame, int frames, int variant) {
    p.setRenderHint(QPainter::Antialiasing, true);
    (void)frames;
    switch (type) {
        case 38: HeavyFactory(p, frame); break;
        case 39: MineComplex(p, frame, variant); break;
        case 41: PowerStation(p, frame); break;
        case 42: LightFactory(p, frame); break;
        case 43: Housing(p, frame); break;
        case 44: Refinery(p, frame); break;
        case 45: Barracks(p, frame); break;
        case 46: TrainingHall(p, frame); break;
        case 47: AirFactory(p, frame); break;
        case 48: Shipyard(p, frame); break;
        case 49: Ecosphere(p, frame); break;
        case 50: Research(p, frame); break;
        case 51: Depot(p, frame); break;
        case 52: Dock(p, frame); break;
        case 53: Hangar(p, frame); break;
        default: break;
    }
}

QImage BuildingPicture(int type, int frame, int frames, int variant) {
    QImage building(128, 128, QImage::Format_ARGB32_Premultiplied);
    building.fill(Qt::transparent);
    QPainter p(&building);
    DrawBuilding(p, type, frame, frames, variant);
    p.end();
    if (!kit::HasTeamColour(building, building.rect())) {
        QPainter flag(&building);
        kit::TeamFlag(flag);
    }
    QImage shadow = building;
    QPainter s(&shadow);
    s.setCompositionMode(QPainter::CompositionMode_SourceIn);
    s.fillRect(shadow.rect(), kConcrete.darker(140));
    s.end();
    QImage out(128, 128, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter o(&out);
    o.drawImage(4, 5, shadow);
    o.drawImage(0, 0, building);
    return out;
}

void DrawSmallStructure(QPainter& p, int type, int frame, int frames, int part) {
    p.setRenderHint(QPainter::Antialiasing, true);
    if (part == 1) {
        if (type >= 62 && type <= 65)
            GunBase(p);
        else
            Road(p);
        return;
    }
    switch (type) {
        case 32: LandMine(p); break;
        case 33: SeaMine(p); break;
        case 40: Generator(p, frame, frames); break;
        case 54: WaterPlatform(p); break;
        case 55: Store(p); break;
        case 56: FuelTank(p); break;
        case 57: ConcreteBlock(p); break;
        case 58: Road(p); break;
        case 59: GoldStore(p); break;
        case 60: LandingModule(p); break;
        case 61: Radar(p, frame, frames); break;
        case 66: DrawConnectorHub(p, 64); break;
        case 67: Bridge(p); break;
        default: break;
    }
}

void DrawTurret(QPainter& p, int type) {
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (type) {
        case 62:  // pillbox: squat dome, short thick gun
            Barrel(p, 0, 0, -38, 8, kMetalDark);
            Disc(p, P(0, 2), 24, kTeam);
            Disc(p, P(0, 2), 12, kTeamDark, 1.6);
            Box(p, Centred(0, -14, 12, 6), kTeamLight, 2, 1.4);
            break;
        case 63:  // artillery: long barrel, long turret
            Barrel(p, 0, 0, -44, 7, kMetalDark);
            Box(p, Centred(0, 8, 34, 42), kTeam, 6);
            Box(p, Centred(0, 18, 24, 12), kTeamDark, 2, 1.6);
            Box(p, Centred(0, -10, 14, 8), kMetal, 2, 1.6);
            break;
        case 64:  // rocket launcher: a box of six missiles
            Box(p, Centred(0, 4, 42, 50), kTeam, 4);
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 3; ++c) {
                    Box(p, Centred(-12 + c * 12, 0 + r * 20, 8, 18), QColor(210, 210, 204), 4, 1.4);
                    Poly(p, {P(-16 + c * 12, -9 + r * 20), P(-12 + c * 12, -15 + r * 20), P(-8 + c * 12, -9 + r * 20)},
                         kRed, 1);
                }
            Lamps(p, -24, 0, 3.2);
            break;
        case 65:  // anti-aircraft: twin long barrels and a small radar
            for (double x : {-7.0, 7.0}) Barrel(p, x, 0, -44, 4, kMetalDark);
            Disc(p, P(0, 6), 20, kTeam);
            Box(p, Centred(0, 20, 26, 6), kMetalLight, 2, 1.4);
            Disc(p, P(0, 4), 6, kTeamDark, 1.4);
            break;
        default: break;
    }
}

void DrawConstructionSite(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    Box(p, QRectF(4, 4, 56, 56), QColor(150, 130, 96), 2);
    p.setPen(QPen(QColor(230, 180, 30), 4, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6, 6, 52, 52));
    p.setPen(QPen(kMetalDark, 2));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(P(14 + i * 12, 14), P(14 + i * 12, 50));
        p.drawLine(P(14, 14 + i * 12), P(50, 14 + i * 12));
    }
    Rod(p, P(14, 50), P(50, 14), 3, kWork);
}

void DrawPad(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath pad;
    pad.addRoundedRect(QRectF(2.5, 2.5, 123, 123), 7, 7);
    Fill(p, pad, kConcrete, 2.4);
    p.setPen(QPen(kConcrete.darker(118), 1.4));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(P(4, i * 32), P(124, i * 32));
        p.drawLine(P(i * 32, 4), P(i * 32, 124));
    }
}

}  // namespace sheetgen
