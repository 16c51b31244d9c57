// Units seen from above, nose up. Each type has its own silhouette: tracked
// and wheeled vehicles, trucks, boats, aircraft, infantry and the aliens'
// hovering craft. Every drawing ends with its front lamps.
#include <cmath>

#include "Art.h"
#include "ArtKit.h"

namespace sheetgen {
namespace {

using namespace kit;

QPointF P(double x, double y) { return {x, y}; }

// A tracked chassis with a hull of the given colour and front lamps.
void TrackedHull(QPainter& p, double hw, double len, const QColor& body, double bodyW) {
    Tracks(p, hw, 11, len);
    Poly(p,
         {P(-bodyW / 2 + 4, -len / 2 + 1), P(bodyW / 2 - 4, -len / 2 + 1), P(bodyW / 2, -len / 2 + 8),
          P(bodyW / 2, len / 2 - 3), P(-bodyW / 2, len / 2 - 3), P(-bodyW / 2, -len / 2 + 8)},
         body);
}

// A wheeled truck: cab in front, the bed behind it is left to the caller.
void TruckChassis(QPainter& p, double len, const QColor& cab, std::initializer_list<double> wheelYs) {
    Wheels(p, 14, wheelYs);
    Box(p, Centred(0, 0, 24, len), kMetalDark, 3);
    Box(p, Centred(0, -len / 2 + 8, 26, 16), cab, 4);
    Glass(p, Centred(0, -len / 2 + 4, 18, 5));
    Lamps(p, -len / 2 + 1.5, 8);
}

void Crate(QPainter& p, double cx, double cy, double w, double h, const QColor& c) {
    Box(p, Centred(cx, cy, w, h), c, 1.5, 1.8);
    p.setPen(QPen(c.darker(150), 1.4));
    p.drawLine(P(cx - w / 2 + 2, cy - h / 2 + 2), P(cx + w / 2 - 2, cy + h / 2 - 2));
}

// ------------------------------------------------------------ land vehicles

void Constructor(QPainter& p) {
    TrackedHull(p, 24, 66, kWork, 38);
    Box(p, Centred(0, -20, 30, 14), kWorkDark, 3);
    Glass(p, Centred(0, -24, 22, 5));
    for (int i = 0; i < 3; ++i) Box(p, Centred(0, 2 + i * 8, 30, 5), kMetal, 1.5, 1.6);
    Rod(p, P(-10, 18), P(12, -6), 4.5, kWorkDark);
    Disc(p, P(-10, 18), 5, kMetalDark);
    Lamps(p, -31, 13);
}

void Scout(QPainter& p) {
    Wheels(p, 14, {-14, 15}, 7, 12);
    Poly(p, {P(0, -30), P(11, -14), P(12, 22), P(-12, 22), P(-11, -14)}, kTeam);
    Glass(p, Centred(0, -6, 14, 7));
    Barrel(p, 0, 8, -22, 3.2, kMetalDark, false);
    Disc(p, P(0, 10), 5, kTeamDark);
    Lamps(p, -22, 6, 2.8);
}

void TankHull(QPainter& p) {
    TrackedHull(p, 23, 64, kTeam, 36);
    p.setPen(QPen(kTeamDark, 1.6));
    for (int i = 0; i < 4; ++i) p.drawLine(P(-10, 20 + i * 3), P(10, 20 + i * 3));
    Lamps(p, -29, 12);
}

void TankTurret(QPainter& p) {
    Barrel(p, 0, -4, -42, 5, kMetalDark);
    Poly(p, {P(-12, -10), P(12, -10), P(15, 4), P(9, 14), P(-9, 14), P(-15, 4)}, kTeamLight);
    Disc(p, P(5, 5), 4, kTeamDark, 1.6);
}

void Artillery(QPainter& p) {  // self-propelled gun
    TrackedHull(p, 23, 66, kTeam, 36);
    Box(p, Centred(0, 10, 32, 34), kTeamLight, 3);
    Barrel(p, 0, 0, -43, 6.5, kMetalDark);
    Box(p, Centred(0, -6, 10, 6), kMetal, 2, 1.6);
    Lamps(p, -30, 13);
}

void RocketTruck(QPainter& p) {
    TruckChassis(p, 64, kTeam, {-20, 8, 22});
    Box(p, Centred(0, 12, 28, 34), kTeamDark, 2);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) Disc(p, P(-8 + c * 8, -1 + r * 8.5), 3, kRed, 1.4);
}

void MissileCrawler(QPainter& p) {
    TrackedHull(p, 22, 64, kTeam, 34);
    for (double x : {-7.0, 7.0}) {
        Box(p, Centred(x, 4, 9, 48), QColor(210, 210, 204), 4.5);
        Poly(p, {P(x - 4.5, -18), P(x, -28), P(x + 4.5, -18)}, kRed, 1.6);
    }
    Lamps(p, -29, 13);
}

void MobileAA(QPainter& p) {
    TrackedHull(p, 22, 62, kTeam, 34);
    Disc(p, P(0, 4), 13, kTeamLight);
    for (double x : {-5.0, 5.0}) Barrel(p, x, -2, -40, 3, kMetalDark, false);
    Lamps(p, -39, 5, 2.6);
    Poly(p, {P(-9, 18), P(9, 18), P(6, 26), P(-6, 26)}, kMetalLight, 1.8);
}

void Miner(QPainter& p) {
    TrackedHull(p, 22, 60, kTeam, 34);
    Poly(p, {P(-24, -28), P(24, -28), P(20, -36), P(0, -40), P(-20, -36)}, kMetal);
    for (int i = -2; i <= 2; ++i) Rod(p, P(i * 8, -36), P(i * 8, -43), 2, kMetalDark);
    Box(p, Centred(0, 10, 26, 24), kWork, 2);
    p.setPen(QPen(kOutline, 3));
    for (int i = 0; i < 3; ++i) p.drawLine(P(-10 + i * 8, 0), P(-4 + i * 8, 20));
    Lamps(p, -24, 11, 2.8);
}

void Geologist(QPainter& p) {
    const QColor body(64, 140, 128);
    Wheels(p, 14, {-14, 16});
    Box(p, Centred(0, 0, 24, 50), body, 6);
    Glass(p, Centred(0, -14, 18, 7));
    Disc(p, P(0, 12), 8, kMetalLight);
    Rod(p, P(-6, 12), P(6, 12), 2, kOutline);
    Rod(p, P(0, 6), P(0, 18), 2, kOutline);
    Rod(p, P(8, -2), P(16, 24), 1.6, kMetalDark);
    Lamps(p, -24, 8, 2.8);
}

void ScannerBody(QPainter& p) {
    Wheels(p, 15, {-18, 0, 18});
    Box(p, Centred(0, 0, 26, 58), kTeam, 5);
    Glass(p, Centred(0, -22, 20, 6));
    Disc(p, P(0, 6), 10, kTeamDark);
    Lamps(p, -28, 9);
}

void ScannerTop(QPainter& p) {
    QPainterPath dish;
    dish.moveTo(-24, -4);
    dish.quadTo(0, -34, 24, -4);
    dish.lineTo(17, -2);
    dish.quadTo(0, -22, -17, -2);
    dish.closeSubpath();
    Rod(p, P(0, 8), P(0, -16), 4, kMetalDark);
    Fill(p, dish, kMetalLight, 2.2);
    Disc(p, P(0, 8), 8, kTeamLight, 2);
    Disc(p, P(0, 8), 3, kTeamDark, 1.2);
    Lamps(p, -22, 0, 3);
}

void SupplyTruck(QPainter& p, bool gold) {
    TruckChassis(p, 64, gold ? kWorkDark : kTeam, {-20, 8, 22});
    if (gold) {
        Box(p, Centred(0, 10, 26, 36), kMetalDark, 2);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c) Box(p, Centred(-6 + c * 12, r * 10, 9, 6), kGold, 1, 1.4);
    } else {
        Box(p, Centred(0, 10, 26, 36), kDeck, 2);
        Crate(p, -6, 2, 11, 11, QColor(150, 104, 56));
        Crate(p, 6, 2, 11, 11, QColor(132, 92, 50));
        Crate(p, 0, 18, 22, 11, QColor(150, 104, 56));
    }
}

void Engineer(QPainter& p) {
    TrackedHull(p, 20, 54, QColor(226, 128, 36), 32);
    Box(p, Centred(0, -12, 24, 12), kWorkDark, 3);
    Glass(p, Centred(0, -15, 16, 4));
    Box(p, Centred(-6, 12, 12, 14), kMetal, 1.5);
    Rod(p, P(6, 16), P(2, -2), 3.2, kMetalDark);
    Disc(p, P(6, 16), 4, kMetalDark);
    Lamps(p, -26, 10, 2.8);
}

void Bulldozer(QPainter& p) {
    TrackedHull(p, 21, 54, kWork, 32);
    Box(p, Centred(0, -32, 52, 8), kMetal, 2);
    Rod(p, P(-14, -28), P(-12, -18), 2.5, kMetalDark);
    Rod(p, P(14, -28), P(12, -18), 2.5, kMetalDark);
    Box(p, Centred(0, 2, 22, 18), kWorkDark, 3);
    Glass(p, Centred(0, -4, 16, 4));
    Disc(p, P(8, 16), 2.5, kOutline, 1);
    Lamps(p, -22, 9, 2.6);
}

void Repair(QPainter& p) {
    Wheels(p, 14, {-16, 16});
    Box(p, Centred(0, 0, 26, 56), QColor(196, 198, 196), 5);
    Glass(p, Centred(0, -20, 18, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(Centred(0, 6, 16, 5));
    p.drawRect(Centred(0, 6, 5, 16));
    Rod(p, P(-8, 22), P(10, 2), 3, kMetalDark);
    Lamps(p, -27, 8);
}

void FuelTruck(QPainter& p) {
    TruckChassis(p, 66, kTeam, {-21, 8, 22});
    Box(p, Centred(0, 10, 24, 40), QColor(190, 192, 194), 11);
    p.setPen(QPen(kRed, 3));
    p.drawLine(P(-11, 4), P(11, 4));
    p.drawLine(P(-11, 18), P(11, 18));
    Disc(p, P(0, 11), 3, kMetalDark, 1.4);
}

void APC(QPainter& p) {
    Wheels(p, 16, {-22, -8, 8, 22}, 7, 10);
    Poly(p, {P(-10, -34), P(10, -34), P(16, -24), P(16, 30), P(-16, 30), P(-16, -24)}, kTeam);
    for (double y : {-4.0, 12.0}) Box(p, Centred(0, y, 18, 10), kTeamDark, 2, 1.6);
    Disc(p, P(0, -16), 6, kTeamLight, 1.8);
    Barrel(p, 0, -16, -34, 2.4, kMetalDark, false);
    Lamps(p, -32, 8, 2.6);
}

// ------------------------------------------------------------ infantry

void Soldier(QPainter& p, bool infiltrator, bool lamp) {
    const QColor cloth = infiltrator ? QColor(54, 56, 64) : QColor(84, 110, 70);
    Poly(p, {P(-18, -4), P(18, -4), P(14, 8), P(-14, 8)}, cloth);                                  // shoulders
    Box(p, Centred(0, 10, 16, 10), infiltrator ? QColor(40, 40, 46) : QColor(110, 96, 64), 3, 2);  // pack
    Rod(p, P(-14, 0), P(-4, -14), 4, cloth);                                                       // arms to the weapon
    Rod(p, P(14, 0), P(4, -12), 4, cloth);
    Barrel(p, 0, -6, infiltrator ? -24 : -30, 3.2, kOutline, false);
    if (lamp) Lamps(p, infiltrator ? -22 : -28, 0, 3.2);
    Disc(p, P(0, 0), 8, infiltrator ? QColor(30, 30, 36) : QColor(96, 120, 78));  // helmet or hood
}

// A figure drawn larger than life at (x, y), so people still show on the map.
void Figure(QPainter& p, double x, double y, double scale, bool infiltrator, bool lamp) {
    p.save();
    p.translate(x, y);
    p.scale(scale, scale);
    Soldier(p, infiltrator, lamp);
    p.restore();
}

// Infantry moves as a squad of three; the infiltrator works alone.
void Infantry(QPainter& p) {
    Figure(p, -18, 13, 0.82, false, false);
    Figure(p, 18, 13, 0.82, false, false);
    Figure(p, 0, -10, 0.9, false, true);  // the leader carries the lamp
}

void Infiltrator(QPainter& p) { Figure(p, 0, 4, 1.5, true, true); }

// ------------------------------------------------------------ ships

QPainterPath HullPath(double w, double len, double bow) {
    QPainterPath h;
    h.moveTo(0, -len / 2);
    h.quadTo(w / 2, -len / 2 + bow * 0.4, w / 2, -len / 2 + bow);
    h.lineTo(w / 2, len / 2 - 4);
    h.quadTo(w / 2, len / 2, w / 2 - 4, len / 2);
    h.lineTo(-w / 2 + 4, len / 2);
    h.quadTo(-w / 2, len / 2, -w / 2, len / 2 - 4);
    h.lineTo(-w / 2, -len / 2 + bow);
    h.quadTo(-w / 2, -len / 2 + bow * 0.4, 0, -len / 2);
    return h;
}

void GunTurret(QPainter& p, double y, double r, double barrel, double width) {
    Barrel(p, 0, y, y - barrel, width, kMetalDark, false);
    Disc(p, P(0, y), r, kMetalLight, 1.8);
}

void Escort(QPainter& p) {
    Fill(p, HullPath(22, 78, 22), kShip);
    Disc(p, P(0, 26), 8, kDeck, 1.4);  // helicopter pad
    p.setPen(QPen(kOutline, 1.6));
    p.drawLine(P(-3, 22), P(-3, 30));
    p.drawLine(P(3, 22), P(3, 30));
    p.drawLine(P(-3, 26), P(3, 26));
    GunTurret(p, -16, 5, 14, 2.6);
    Box(p, Centred(0, 4, 12, 14), kMetalLight, 2);
    Glass(p, Centred(0, 0, 10, 3));
    Lamps(p, -35, 0, 2.6);
}

void Corvette(QPainter& p) {
    Fill(p, HullPath(26, 82, 24), kShip);
    GunTurret(p, -20, 6, 16, 3);
    GunTurret(p, 26, 6, -14, 3);
    Box(p, Centred(0, 2, 16, 18), kMetalLight, 2);
    Glass(p, Centred(0, -4, 12, 3.5));
    Rod(p, P(0, 10), P(0, 16), 2, kOutline);
    Lamps(p, -38, 0, 2.8);
}

void Gunship(QPainter& p) {
    Fill(p, HullPath(34, 82, 24), QColor(96, 102, 110));
    GunTurret(p, -20, 8, 18, 3.6);
    GunTurret(p, -4, 8, 18, 3.6);
    GunTurret(p, 26, 8, -16, 3.6);
    Box(p, Centred(0, 12, 20, 12), kMetalLight, 2);
    Glass(p, Centred(0, 8, 14, 3.5));
    Lamps(p, -38, 0, 3.2);
}

void Submarine(QPainter& p) {
    Box(p, Centred(0, 0, 16, 80), QColor(46, 52, 60), 8);
    Box(p, Centred(0, -4, 8, 18), QColor(70, 78, 88), 4, 2);
    Poly(p, {P(-12, 34), P(12, 34), P(0, 28)}, QColor(46, 52, 60), 2);
    Lamps(p, -37, 0, 2.6);
}

void SeaTransport(QPainter& p) {
    Box(p, Centred(0, 0, 32, 76), kShip, 4);
    Box(p, Centred(0, -34, 28, 6), kMetalDark, 1.5, 1.8);  // bow ramp
    Box(p, Centred(0, -4, 24, 44), kDeck, 1.5, 1.6);
    p.setPen(QPen(kDeck.darker(140), 1.4));
    for (int i = 0; i < 5; ++i) p.drawLine(P(-12, -22 + i * 9), P(12, -22 + i * 9));
    Box(p, Centred(0, 28, 22, 12), kMetalLight, 2);
    Glass(p, Centred(0, 24, 16, 3));
    Lamps(p, -37, 8, 2.6);
}

void MissileCruiser(QPainter& p) {
    Fill(p, HullPath(28, 86, 26), kShip);
    Box(p, Centred(0, -16, 18, 16), kMetalDark, 1.5, 1.6);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) Disc(p, P(-5 + c * 5, -21 + r * 5), 1.7, kRed, 0.8);
    Box(p, Centred(0, 6, 16, 16), kMetalLight, 2);
    Glass(p, Centred(0, 1, 12, 3.5));
    for (double x : {-7.0, 7.0}) {
        Box(p, Centred(x, 27, 7, 18), QColor(210, 210, 204), 3.5, 1.6);
        Poly(p, {P(x - 3.5, 19), P(x, 14), P(x + 3.5, 19)}, kRed, 1.2);
    }
    Lamps(p, -41, 0, 2.8);
}

void Minesweeper(QPainter& p) {
    p.setPen(QPen(kOutline, 1.6));
    p.drawLine(P(-12, 26), P(-24, 34));
    p.drawLine(P(12, 26), P(24, 34));
    Disc(p, P(-24, 34), 3.5, kRed, 1.4);
    Disc(p, P(24, 34), 3.5, kRed, 1.4);
    Fill(p, HullPath(26, 76, 22), kShip);
    Box(p, Centred(0, -8, 16, 16), kMetalLight, 2);
    Glass(p, Centred(0, -13, 12, 3.5));
    Rod(p, P(-8, 26), P(8, 16), 2.6, kWork);
    Box(p, Centred(0, 24, 14, 8), QColor(150, 60, 50), 2, 1.6);
    Lamps(p, -35, 0, 2.8);
}

void CargoShip(QPainter& p) {
    Fill(p, HullPath(32, 86, 22), QColor(120, 60, 50));
    const QColor boxes[] = {QColor(60, 120, 170), QColor(190, 150, 50), QColor(70, 140, 80), QColor(170, 80, 60)};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c) Box(p, Centred(-6.5 + c * 13, -16 + r * 10, 12, 9), boxes[(r + c) % 4], 1, 1.4);
    Box(p, Centred(0, 31, 24, 10), kMetalLight, 2);
    Glass(p, Centred(0, 28, 18, 3));
    Lamps(p, -41, 0, 2.8);
}

// ------------------------------------------------------------ aircraft

void Fighter(QPainter& p) {
    Poly(p, {P(0, -20), P(30, 16), P(30, 22), P(6, 18), P(-6, 18), P(-30, 22), P(-30, 16)}, kAir);
    Poly(p, {P(-10, 22), P(-14, 34), P(-4, 32)}, kMetal, 1.8);
    Poly(p, {P(10, 22), P(14, 34), P(4, 32)}, kMetal, 1.8);
    Box(p, Centred(0, -4, 10, 68), kAir, 5);
    Glass(p, Centred(0, -20, 6, 12));
    Lamps(p, -37, 0, 2.6);
}

void AttackPlane(QPainter& p) {
    Box(p, Centred(0, -2, 80, 14), kAir.darker(110), 4);  // straight wing
    Box(p, Centred(0, 30, 30, 8), kAir.darker(110), 3);
    for (double x : {-12.0, 12.0}) Box(p, Centred(x, 14, 10, 22), kMetal, 5);
    for (double x : {-28.0, -20.0, 20.0, 28.0}) Box(p, Centred(x, 2, 4.5, 12), kMetalDark, 2, 1.4);
    Box(p, Centred(0, 2, 12, 70), kAir, 6);
    Glass(p, Centred(0, -18, 7, 11));
    Lamps(p, -32, 0, 2.6);
}

void AirTransport(QPainter& p) {
    Box(p, Centred(0, -4, 84, 12), kAir.darker(108), 5);
    for (double x : {-30.0, -17.0, 17.0, 30.0}) Box(p, Centred(x, -8, 7, 14), kMetal, 3, 1.8);
    Box(p, Centred(0, 34, 36, 8), kAir.darker(108), 3);
    Box(p, Centred(0, 4, 20, 76), kAir, 10);
    Glass(p, Centred(0, -28, 12, 5));
    Lamps(p, -33, 0, 3);
}

void Awacs(QPainter& p) {
    Poly(p, {P(-6, -12), P(6, -12), P(42, 10), P(42, 16), P(6, 8), P(-6, 8), P(-42, 16), P(-42, 10)}, kAir.darker(108));
    Poly(p, {P(-4, 28), P(4, 28), P(18, 38), P(-18, 38)}, kAir.darker(108), 2);
    Box(p, Centred(0, 0, 12, 80), kAir, 6);
    Disc(p, P(0, 10), 15, QColor(70, 74, 80));
    p.setPen(QPen(kMetalLight, 3));
    p.drawLine(P(-13, 10), P(13, 10));
    Glass(p, Centred(0, -28, 7, 7));
    Lamps(p, -38, 0, 2.6);
}

// ------------------------------------------------------------ aliens

void AlienGunship(QPainter& p) {
    QPainterPath h;
    h.moveTo(0, -44);
    h.cubicTo(24, -20, 20, 30, 8, 40);
    h.lineTo(-8, 40);
    h.cubicTo(-20, 30, -24, -20, 0, -44);
    Fill(p, h, kAlien);
    for (double y : {-14.0, 4.0, 22.0}) Disc(p, P(0, y), 6, kGlow, 1.8);
    for (double s : {-1.0, 1.0}) Poly(p, {P(s * 14, -6), P(s * 26, -2), P(s * 15, 4)}, kAlienDark, 1.8);
    Lamps(p, -38, 0, 3);
}

void AlienHull(QPainter& p) {
    QPainterPath h;
    h.addEllipse(QPointF(0, 0), 24, 30);
    Fill(p, h, kAlienDark);
    p.setPen(QPen(kGlow, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 19, 25);
    for (double s : {-1.0, 1.0}) Disc(p, P(s * 16, 18), 4, kGlow, 1.6);
    Lamps(p, -26, 9, 2.8);
}

void AlienTurret(QPainter& p) {
    Poly(p, {P(0, -42), P(5, -18), P(-5, -18)}, kGlow, 1.8);
    Poly(p, {P(0, -24), P(16, -6), P(11, 14), P(-11, 14), P(-16, -6)}, kAlien);
    Disc(p, P(0, -2), 6, kGlow, 1.4);
    Lamps(p, -38, 0, 2.8);
}

void AlienArtillery(QPainter& p) {
    QPainterPath h;
    h.addEllipse(QPointF(0, 6), 20, 30);
    Fill(p, h, kAlienDark);
    for (double s : {-1.0, 1.0}) Poly(p, {P(s * 4, -8), P(s * 9, -8), P(s * 6, -42)}, kAlien, 1.8);
    Disc(p, P(0, 10), 9, kGlow, 1.8);
    Lamps(p, -40, 6, 2.6);
}

void AlienPlane(QPainter& p) {
    QPainterPath w;
    w.moveTo(0, -34);
    w.cubicTo(18, -20, 34, -6, 38, 18);
    w.cubicTo(26, 8, 12, 10, 0, 20);
    w.cubicTo(-12, 10, -26, 8, -38, 18);
    w.cubicTo(-34, -6, -18, -20, 0, -34);
    Fill(p, w, kAlien);
    for (double x : {-22.0, 22.0}) Disc(p, P(x, 6), 4, kGlow, 1.4);
    Disc(p, P(0, -6), 7, kGlow, 1.8);
    Lamps(p, -30, 0, 2.8);
}

}  // namespace

void DrawUnit(QPainter& p, int type, Art part) {
    p.setRenderHint(QPainter::Antialiasing, true);
    const bool top = part == Art::UnitTop;
    switch (type) {
        case 1: Constructor(p); break;
        case 2: Scout(p); break;
        case 3: top ? TankTurret(p) : TankHull(p); break;
        case 4: Artillery(p); break;
        case 5: RocketTruck(p); break;
        case 6: MissileCrawler(p); break;
        case 7: MobileAA(p); break;
        case 8: Miner(p); break;
        case 9: Geologist(p); break;
        case 10: top ? ScannerTop(p) : ScannerBody(p); break;
        case 11: SupplyTruck(p, false); break;
        case 12: SupplyTruck(p, true); break;
        case 13: Engineer(p); break;
        case 14: Bulldozer(p); break;
        case 15: Repair(p); break;
        case 16: FuelTruck(p); break;
        case 17: APC(p); break;
        case 18: Infiltrator(p); break;
        case 19: Infantry(p); break;
        case 20: Escort(p); break;
        case 21: Corvette(p); break;
        case 22: Gunship(p); break;
        case 23: Submarine(p); break;
        case 24: SeaTransport(p); break;
        case 25: MissileCruiser(p); break;
        case 26: Minesweeper(p); break;
        case 27: CargoShip(p); break;
        case 28: Fighter(p); break;
        case 29: AttackPlane(p); break;
        case 30: AirTransport(p); break;
        case 31: Awacs(p); break;
        case 34: AlienGunship(p); break;
        case 35: top ? AlienTurret(p) : AlienHull(p); break;
        case 36: AlienArtillery(p); break;
        case 37: AlienPlane(p); break;
        default: break;
    }
}

}  // namespace sheetgen
