#include "core/World.h"

namespace tarq {

// Layers 2-4 are a pure function of the object table: clear them over the map
// and stamp every slot in use in ascending order, so the higher slot wins.
// Layers 6 and 8 are stamped but never cleared here.
void RebuildObjectLayers(Game& game) {
    const int w = game.World.MapWidth;
    const int h = game.World.MapHeight;
    for (int c = 1; c <= w; ++c)
        for (int r = 1; r <= h; ++r) {
            TMapCell& cell = game.Map(c, r);
            cell.Layers[kLayerFlat] = EmptySpriteRef;
            cell.Layers[kLayerLarge] = EmptySpriteRef;
            cell.Layers[kLayerUnits] = EmptySpriteRef;
        }
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = game.World.Objects[i];
        if (o.Owner == 0) continue;
        for (int k = 1; k <= o.CellCount && k <= 4; ++k) {
            const TCellPos p = o.Cells[k];
            if (!CellGrid<TMapCell>::inStorage(p.col, p.row)) continue;
            game.Map(p.col, p.row).Layers[o.Layer + 1] = o.CellSprites[k];
            if (o.SecondLayer != 0)
                game.Map(p.col, p.row).Layers[o.SecondLayer + 1] = o.CellSprites[2];
        }
    }
}

}  // namespace tarq
