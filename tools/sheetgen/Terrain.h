// The terrain sheets: ground, water, coast and obstacle tiles, one 64-pixel
// tile per terrain code, in four ground palettes.
#pragma once

#include <QImage>
#include <array>

namespace sheetgen {

// Neighbour bits of a cell's 3 x 3 neighbourhood.
enum Neighbour : int { kN = 1, kNE = 2, kE = 4, kSE = 8, kS = 16, kSW = 32, kW = 64, kNW = 128 };

// For every terrain code, which neighbours are water as the coast pass saw
// them when it wrote that code (0 for codes that are not coast tiles).
std::array<int, 256> CoastWaterMasks();

// The whole sheet of terrain kind 0..3, opaque.
QImage DrawTerrainSheet(int kind);

}  // namespace sheetgen
