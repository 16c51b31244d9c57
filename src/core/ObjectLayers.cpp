#include <algorithm>

#include "core/World.h"

namespace tarq {

namespace {

// Layers 2, 3 and 4 of every map cell back to empty. A column of the map is
// contiguous in memory, so each column is walked as one run of cells.
void ClearObjectLayers(Game& game, int width, int height) {
    for (int c = 1; c <= width; ++c) {
        TMapCell* cell = &game.Map(c, 1);
        for (int r = 0; r < height; ++r) {
            cell[r].Layers[kLayerFlat] = EmptySpriteRef;
            cell[r].Layers[kLayerLarge] = EmptySpriteRef;
            cell[r].Layers[kLayerUnits] = EmptySpriteRef;
        }
    }
}

// Writes the pictures of one object into its cells. Cells off the map are
// skipped: builders and sites are parked there while a site is positioned,
// and nothing is drawn for them.
void StampObject(Game& game, const TGameObject& o) {
    const int layer = o.Layer + 1;
    const int second = o.SecondLayer != 0 ? o.SecondLayer + 1 : 0;
    if (layer > kLayers || second > kLayers) return;
    const int count = std::min<int>(o.CellCount, 4);
    for (int k = 1; k <= count; ++k) {
        const TCellPos p = o.Cells[k];
        if (!game.InMap(p.col, p.row)) continue;
        TMapCell& cell = game.Map(p.col, p.row);
        cell.Layers[layer] = o.CellSprites[k];
        if (second != 0) cell.Layers[second] = o.CellSprites[2];
    }
}

}  // namespace

// Layers 2-4 are a pure function of the object table: clear them over the map
// and stamp every slot in use in ascending order, so the higher slot wins.
// Layers 6 and 8 are stamped but never cleared here.
void RebuildObjectLayers(Game& game) {
    const int width = std::clamp<int>(game.World.MapWidth, 0, kMaxMapSize);
    const int height = std::clamp<int>(game.World.MapHeight, 0, kMaxMapSize);
    ClearObjectLayers(game, width, height);
    for (const TGameObject& o : game.World.Objects)
        if (o.Owner != 0) StampObject(game, o);
}

}  // namespace tarq
