// The object layers of the map: the full rebuild every caller gets, and the
// incremental one that redraws only the cells whose occupants changed.
#include <algorithm>
#include <array>

#include "core/Factory.h"
#include "core/World.h"

namespace tarq {

namespace {

bool IsObjectLayer(int layer) { return layer >= kLayerFlat && layer <= kLayerUnits; }

int ClampedWidth(const Game& game) { return std::clamp<int>(game.World.MapWidth, 0, kMaxMapSize); }
int ClampedHeight(const Game& game) { return std::clamp<int>(game.World.MapHeight, 0, kMaxMapSize); }

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

// A ready marker stays over the connector structure's own picture in layer 8
// until its site is emptied, so the finished site can be clicked.
bool Writable(const TMapCell& cell, int layer) {
    return layer != kLayerReady || cell.Layers[kLayerReady].idU != kReadyMarkerSheet;
}

// Writes the pictures of one object into its cells, where `wanted` agrees.
// Cells off the map are skipped: builders and sites are parked there while a
// site is positioned, and nothing is drawn for them.
template <typename Wanted>
void StampObject(Game& game, const TStampRecord& o, Wanted wanted) {
    const int layer = o.Layer + 1;
    const int second = o.SecondLayer != 0 ? o.SecondLayer + 1 : 0;
    if (layer > kLayers || second > kLayers) return;
    const int count = std::min<int>(o.CellCount, 4);
    for (int k = 1; k <= count; ++k) {
        const TCellPos p = o.Cells[k];
        if (!game.InMap(p.col, p.row)) continue;
        TMapCell& cell = game.Map(p.col, p.row);
        if (wanted(p, layer) && Writable(cell, layer)) cell.Layers[layer] = o.CellSprites[k];
        if (second != 0 && wanted(p, second) && Writable(cell, second)) cell.Layers[second] = o.CellSprites[2];
    }
}

// Stamps the slots in use in ascending order, construction sites after all
// the others: a site shares its cell only with a road, a water platform or a
// lifting bridge, drawn in the same layer, and the site is what the player
// must see and click there, whichever slot is higher.
// `slots` lists the slots in use, ascending (`count` of them).
template <typename Wanted>
void StampListed(Game& game, TLayerStamps& stamps, const i16* slots, int count, Wanted wanted) {
    int late = 0;
    for (int n = 0; n < count; ++n) {
        const TStampRecord& r = stamps.Slots[slots[n]];
        if (r.Site != 0)
            stamps.LateSlots[static_cast<std::size_t>(late++)] = slots[n];
        else
            StampObject(game, r, wanted);
    }
    for (int n = 0; n < late; ++n)
        StampObject(game, stamps.Slots[stamps.LateSlots[static_cast<std::size_t>(n)]], wanted);
}

using SlotList = std::array<i16, kMaxObjects>;

template <typename Wanted>
void StampAll(Game& game, TLayerStamps& stamps, Wanted wanted) {
    SlotList inUse;
    int count = 0;
    for (int i = 1; i <= kMaxObjects; ++i)
        if (stamps.Slots[i].InUse != 0) inUse[static_cast<std::size_t>(count++)] = static_cast<i16>(i);
    StampListed(game, stamps, inUse.data(), count, wanted);
}

TStampRecord RecordOf(const TGameObject& o) {
    TStampRecord r;
    if (o.Owner == 0) return r;
    r.InUse = 1;
    r.Site = o.OrderState == 2 ? 1 : 0;
    r.CellCount = o.CellCount;
    r.Layer = o.Layer;
    r.SecondLayer = o.SecondLayer;
    r.Cells = o.Cells;
    r.CellSprites = o.CellSprites;
    return r;
}

// The cells to redraw, as a bit per grid cell and a list of the set bits.
class DirtyCells {
public:
    explicit DirtyCells(TLayerStamps& stamps) : stamps_(stamps) {}

    void markCovered(const Game& game, const TStampRecord& r) {
        if (r.InUse == 0) return;
        for (int k = 1; k <= std::min<int>(r.CellCount, 4); ++k)
            if (game.InMap(r.Cells[k].col, r.Cells[k].row)) mark(r.Cells[k]);
    }
    bool contains(TCellPos p) const {
        const std::size_t i = CellGrid<u8>::index(p.col, p.row);
        return (stamps_.DirtyBits[i / 64] >> (i % 64)) & 1;
    }
    int size() const { return count_; }
    TCellPos at(int n) const {
        const u32 i = stamps_.DirtyCells[static_cast<std::size_t>(n)];
        return {static_cast<i16>(i / kGridSpan), static_cast<i16>(i % kGridSpan)};
    }
    // Leaves the bits clear for the next rebuild.
    void clear() {
        for (int n = 0; n < count_; ++n) {
            const u32 i = stamps_.DirtyCells[static_cast<std::size_t>(n)];
            stamps_.DirtyBits[i / 64] = 0;
        }
        count_ = 0;
    }

private:
    void mark(TCellPos p) {
        const std::size_t i = CellGrid<u8>::index(p.col, p.row);
        std::uint64_t& word = stamps_.DirtyBits[i / 64];
        if ((word >> (i % 64)) & 1) return;
        word |= std::uint64_t{1} << (i % 64);
        stamps_.DirtyCells[static_cast<std::size_t>(count_++)] = static_cast<u32>(i);
    }

    TLayerStamps& stamps_;
    int count_ = 0;
};

void FullRebuild(Game& game, TLayerStamps& stamps) {
    const int width = ClampedWidth(game), height = ClampedHeight(game);
    ClearObjectLayers(game, width, height);
    for (int i = 1; i <= kMaxObjects; ++i) stamps.Slots[i] = RecordOf(game.World.Objects[i]);
    StampAll(game, stamps, [](TCellPos, int) { return true; });
    stamps.Width = static_cast<i16>(width), stamps.Height = static_cast<i16>(height);
}

}  // namespace

// Layers 2-4 are a pure function of the object table: clear them over the map
// and stamp every slot in use in ascending order, construction sites last, so
// a site wins over what shares its cell and otherwise the higher slot wins.
// Layers 6 and 8 are stamped but never cleared here.
void RebuildObjectLayersFull(Game& game) { FullRebuild(game, game.LayerStamps); }

// Creations, releases and moves touch a handful of cells: only those are redrawn.
void RebuildObjectLayers(Game& game) { RebuildObjectLayersIncremental(game, game.LayerStamps); }

// A cell of layers 2-4 whose covering slots kept their records holds what a
// full rebuild would write there, so only cells covered before or after by a
// changed slot are cleared and stamped again, by all their slots in order.
// The other layers are never cleared; stamping every object into them again,
// in slot order, leaves them as the full rebuild would.
void RebuildObjectLayersIncremental(Game& game, TLayerStamps& stamps) {
    if (stamps.Deferred) return;
    if (stamps.Width != ClampedWidth(game) || stamps.Height != ClampedHeight(game)) {
        FullRebuild(game, stamps);
        return;
    }
    DirtyCells dirty(stamps);
    SlotList inUse;  // the slots in use now, ascending, for the stamping
    int count = 0;
    const ObjectTable& table = game.World.Objects;  // read only: the walk changes no object
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = table[i];
        TStampRecord& before = stamps.Slots[i];
        if (o.Owner == 0 && before.InUse == 0) continue;  // free then and now
        if (o.Owner != 0) inUse[static_cast<std::size_t>(count++)] = static_cast<i16>(i);
        const TStampRecord now = RecordOf(o);
        if (now == before) continue;
        dirty.markCovered(game, before);
        dirty.markCovered(game, now);
        before = now;
    }
    for (int n = 0; n < dirty.size(); ++n) {
        TMapCell& cell = game.Map(dirty.at(n).col, dirty.at(n).row);
        for (int layer = kLayerFlat; layer <= kLayerUnits; ++layer) cell.Layers[layer] = EmptySpriteRef;
    }
    StampListed(game, stamps, inUse.data(), count,
                [&dirty](TCellPos p, int layer) { return !IsObjectLayer(layer) || dirty.contains(p); });
    dirty.clear();
}

}  // namespace tarq
