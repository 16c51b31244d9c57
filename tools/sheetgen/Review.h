// Review pictures for the contact-sheet command: a generated map drawn with
// the terrain tiles, and a close-up with units and structures standing on it.
#pragma once

#include <QImage>

#include "Generator.h"

namespace sheetgen {

// The whole map of a fixed seed at 16 pixels a cell.
QImage SampleMap(const Graph& graph, std::uint32_t seed);
// A 16 x 10 cell close-up at 64 pixels a cell, with pictures placed on it.
QImage SampleCloseUp(const Graph& graph, std::uint32_t seed);

// Every structure as the game shows it: large ones on their pad over the
// ground, one-cell ones with their under-pictures and turrets.
QImage SampleBase(const Graph& graph);

}  // namespace sheetgen
