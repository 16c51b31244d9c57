#include "control/UnitMoves.h"

#include <algorithm>

#include "core/Factory.h"
#include "core/World.h"

namespace tarq {

namespace {

bool RebuiltLayer(int layer) { return layer >= kLayerFlat && layer <= kLayerUnits; }

// Empties `layer` of a cell when the object's own picture is there.
void TakeOwnPicture(Game& game, int object, TCellPos p, int layer) {
    if (RebuiltLayer(layer) || layer < 1 || layer > kLayers || !game.InMap(p.col, p.row)) return;
    TSpriteRef& ref = game.Map(p.col, p.row).Layers[layer];
    if (ref.id == object) ref = EmptySpriteRef;
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

void RelocateObject(Game& game, int object, const TFootprint& footprint) {
    if (object < 1 || object > kMaxObjects) return;
    TGameObject& o = game.Object(object);
    for (const TCellPos& p : o.Cells) TakeOwnPicture(game, object, p, o.Layer + 1);
    if (o.SecondLayer > 0) TakeOwnPicture(game, object, o.Cells[1], o.SecondLayer + 1);
    o.Cells = footprint;
    RebuildObjectLayers(game);
}

int StepFacing(int dc, int dr) {
    // Indexed [sign(dc) + 1][sign(dr) + 1].
    static constexpr int kFacing[3][3] = {{8, 7, 6}, {1, 1, 5}, {2, 3, 4}};
    return kFacing[Sign(dc) + 1][Sign(dr) + 1];
}

bool StepToward(Game& game, int object, int col, int row) {
    if (object < 1 || object > kMaxObjects || !SlotInUse(game.Object(object))) return false;
    TGameObject& u = game.Object(object);
    const int dc = col - u.Cells[1].col, dr = row - u.Cells[1].row;
    const TFootprint target = SingleCellFootprint(u.Cells[1].col + Sign(dc), u.Cells[1].row + Sign(dr));
    if (CanPlace(game, target, u.Stats.Movement) == 0 || u.MovesLeft == 0) return false;
    u.CellSprites[1] = u.Sprites[StepFacing(dc, dr)];
    u.CellSprites[1].id = static_cast<i16>(object);
    RelocateObject(game, object, target);
    --u.MovesLeft;
    return true;
}

}  // namespace tarq
