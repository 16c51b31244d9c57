#include "control/UnitMoves.h"

#include <algorithm>

#include "core/Factory.h"
#include "core/SightCounts.h"
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
    FollowSlot(game, object);
    RebuildObjectLayers(game);
}

int StepFacing(int dc, int dr) {
    // Indexed [sign(dc) + 1][sign(dr) + 1].
    static constexpr int kFacing[3][3] = {{8, 7, 6}, {1, 1, 5}, {2, 3, 4}};
    return kFacing[Sign(dc) + 1][Sign(dr) + 1];
}

TFootprint StepTarget(const TGameObject& unit, int col, int row) {
    return SingleCellFootprint(unit.Cells[1].col + Sign(col - unit.Cells[1].col),
                               unit.Cells[1].row + Sign(row - unit.Cells[1].row));
}

bool StepToward(Game& game, int object, int col, int row) {
    if (object < 1 || object > kMaxObjects || !SlotInUse(game.Object(object))) return false;
    const TGameObject& u = game.Object(object);
    if (CanPlace(game, StepTarget(u, col, row), u.Stats.Movement) == 0 || u.MovesLeft == 0) return false;
    MakeStep(game, object, col, row);
    return true;
}

void MakeStep(Game& game, int object, int col, int row) {
    if (object < 1 || object > kMaxObjects || !SlotInUse(game.Object(object))) return;
    TGameObject& u = game.Object(object);
    u.CellSprites[1] = u.Sprites[StepFacing(col - u.Cells[1].col, row - u.Cells[1].row)];
    u.CellSprites[1].id = static_cast<i16>(object);
    RelocateObject(game, object, StepTarget(u, col, row));
    --u.MovesLeft;
}

}  // namespace tarq
