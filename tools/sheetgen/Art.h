// The drawings of units and structures. Units and turrets are drawn in design
// units: the picture spans -50..50 in x and y around the centre, the nose
// toward -y (up); the caller scales and turns the painter for each facing.
// Buildings are drawn on 128 x 128 pixels, one-cell structures on 64 x 64.
#pragma once

#include <QPainter>

#include "Placement.h"
#include "core/ConnectorCodes.h"

namespace sheetgen {

// `part` is UnitWhole, UnitHull or UnitTop.
void DrawUnit(QPainter& p, int type, Art part);
void DrawTurret(QPainter& p, int type);
void DrawBuilding(QPainter& p, int type, int frame, int frames, int variant);
// The building on a transparent 128 x 128 picture with its shadow cast on the
// pad it always stands on.
QImage BuildingPicture(int type, int frame, int frames, int variant);
// part 1 is the picture under the structure (road, gun base).
void DrawSmallStructure(QPainter& p, int type, int frame, int frames, int part);
void DrawConstructionSite(QPainter& p);
// The concrete pad laid under every large structure.
void DrawPad(QPainter& p);

// Geology pictures, in pure black on a `size` pixel pattern.
void DrawDeposit(QPainter& p, int amount, int size);
// Drawn in black for the geology sheet; the game shows it recoloured white.
void DrawConnectorHub(QPainter& p, int size, const QColor& colour = QColor(0, 0, 0));
// A connector piece of a 28-pixel pattern with arms toward its neighbours.
void DrawConnector(QPainter& p, const tarq::ConnectorPicture& c);

void DrawEmblem(QPainter& p, int clan);
// Purchase-page picture of a type, kCardW x kCardH.
void DrawCard(QPainter& p, int type);

// Whether the type's map picture is a unit with facings, a 2 x 2 building or a one-cell structure.
enum class Shape { Unit, Building, Small };
Shape ShapeOf(int type);

}  // namespace sheetgen
