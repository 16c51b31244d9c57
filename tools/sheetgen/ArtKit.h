// Shared drawing vocabulary of the art: colours, outlined bodies, tracks,
// wheels, barrels and the front lamps every unit carries.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <initializer_list>

#include "core/Players.h"

namespace sheetgen::kit {

// Colours. Nothing but a front lamp is brighter than luminance 230, so a
// unit's lamps mark its front.
inline const QColor kOutline(26, 28, 32);
// The team colours are the first player colour's three shades, exactly: the
// game paints every other player's colour over these values when it loads
// the unit and structure sheets, so nothing else in those sheets takes them.
inline const QColor kTeam = QColor::fromRgb(tarq::TeamColourAt(0).base);
inline const QColor kTeamDark = QColor::fromRgb(tarq::TeamColourAt(0).dark);
inline const QColor kTeamLight = QColor::fromRgb(tarq::TeamColourAt(0).light);
inline const QColor kWork(214, 166, 40), kWorkDark(148, 108, 28);
inline const QColor kMetal(128, 134, 140), kMetalDark(78, 82, 88), kMetalLight(176, 182, 188);
inline const QColor kTrack(44, 44, 46), kTread(88, 88, 90);
inline const QColor kGlass(70, 150, 190), kRed(196, 52, 40), kGold(226, 180, 40);
inline const QColor kAlien(122, 66, 150), kAlienDark(72, 34, 96), kGlow(70, 220, 196);
inline const QColor kShip(118, 126, 136), kDeck(146, 136, 116), kAir(168, 176, 186);
inline const QColor kLamp(255, 250, 214);

QRectF Centred(double cx, double cy, double w, double h);

// Filled shape with the dark outline.
void Fill(QPainter& p, const QPainterPath& path, const QColor& colour, double outline = 2.4);
void Box(QPainter& p, const QRectF& r, const QColor& colour, double radius = 3, double outline = 2.4);
void Disc(QPainter& p, QPointF c, double r, const QColor& colour, double outline = 2.4);
void Poly(QPainter& p, std::initializer_list<QPointF> points, const QColor& colour, double outline = 2.4);
// A straight thick line with rounded ends and an outline.
void Rod(QPainter& p, QPointF a, QPointF b, double width, const QColor& colour);

// Two track bands at +-x, `length` long, centred on y = cy.
void Tracks(QPainter& p, double x, double width, double length, double cy = 0);
// Wheel pairs at +-x for every y.
void Wheels(QPainter& p, double x, std::initializer_list<double> ys, double w = 7, double h = 11);
// Two lamps at the front, at +-dx on row y; one lamp when dx is 0.
void Lamps(QPainter& p, double y, double dx, double r = 3.2);
// A barrel from (x, y0) forward to y1 (y1 < y0), with a lit muzzle.
void Barrel(QPainter& p, double x, double y0, double y1, double width, const QColor& colour, bool lamp = true);
// Window strip or panel.
void Glass(QPainter& p, const QRectF& r);

// Whether an opaque pixel of `image` inside `area` has a team shade.
bool HasTeamColour(const QImage& image, const QRect& area);
// The team marks drawn on pictures that show no team colour of their own: a
// badge on a unit's back (design units), a flag in the top left corner of a
// 128 x 128 building, a plate in the top right corner of a 64 x 64 structure.
// They are drawn without antialiasing: every pixel of theirs is a team shade
// or the outline exactly, so the recolouring at load leaves no blend behind.
void TeamBadge(QPainter& p);
void TeamFlag(QPainter& p);
void TeamPlate(QPainter& p);

}  // namespace sheetgen::kit
