#include "core/Factory.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/ConnectorCodes.h"
#include "core/SightCounts.h"
#include "core/TypeSetup.h"
#include "core/World.h"

namespace tarq {

namespace {

constexpr int kTypeConnector = 66;
constexpr int kTypeRoad = 58;
constexpr int kTypeLandMine = 32;
constexpr int kTypeSeaMine = 33;
constexpr int kTypeWaterPlatform = 54;
constexpr int kTypeLiftingBridge = 67;

// A cell as one 32-bit key, so four cells compare as four integers.
u32 CellKey(TCellPos p) { return std::bit_cast<u32>(p); }

bool FootprintOnMap(const Game& game, const TFootprint& footprint) {
    for (const TCellPos& p : footprint)
        if (!game.InMap(p.col, p.row)) return false;
    return true;
}

// True when some slot whose cells match blocks the movement class. Every slot
// is compared, free ones too (they hold cell (0, 0), which is off the map).
// The walk is the cost of the placement test, so the match is kept to a few
// integer operations per cell.
template <typename Match>
bool AnySlotBlocks(const Game& game, int movement, Match match) {
    const TGameObject* objects = game.World.Objects.items.data();
    for (int i = 0; i < kMaxObjects; ++i) {
        u32 c[4];
        std::memcpy(c, &objects[i].Cells, sizeof c);
        const bool hit = match(c[0]) | match(c[1]) | match(c[2]) | match(c[3]);
        if (hit && BlocksMovement(objects[i].TypeId, movement)) return true;
    }
    return false;
}

// True when some slot covering a footprint cell blocks the movement class.
// The footprint is on the map. A single cell and a 2 x 2 block, the two
// shapes the game uses, each match with one comparison per slot cell: for a
// block with first key K, the difference x - K of a covered key x is one of
// 0, 1, 0x10000, 0x10001 (column and row each 0 or 1 further), and with
// footprint columns and rows within 1..500 no other cell gives those values.
bool FootprintOccupied(const Game& game, const TFootprint& f, int movement) {
    const u32 k1 = CellKey(f[1]), k2 = CellKey(f[2]), k3 = CellKey(f[3]), k4 = CellKey(f[4]);
    if (k1 == k2 && k1 == k3 && k1 == k4) return AnySlotBlocks(game, movement, [k1](u32 x) { return x == k1; });
    if (f == BlockFootprint(f[1].col, f[1].row))
        return AnySlotBlocks(game, movement, [k1](u32 x) { return ((x - k1) & ~0x10001u) == 0; });
    return AnySlotBlocks(game, movement, [=](u32 x) { return (x == k1) | (x == k2) | (x == k3) | (x == k4); });
}

// Whether an object in the table keeps cell p in the connector grid.
bool CellJoinedByAnother(const Game& game, TCellPos p) {
    for (const TGameObject& o : game.World.Objects) {
        if (!JoinsConnectorGrid(o)) continue;
        for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k)
            if (o.Cells[k] == p) return true;
    }
    return false;
}

// Registers the covered cells of a structure in the connector grid.
void RegisterConnectors(Game& game, const TGameObject& object) {
    for (int k = 1; k <= object.CellCount; ++k) {
        TConnectorCell& cell = game.World.Connectors(object.Cells[k].col, object.Cells[k].row);
        cell.Owner = game.CurrentPlayer;
        cell.Present = 1;
    }
}

// Fills NewObject's placement and pictures from the type table.
void ApplyTypeSetup(Game& game, const TypeSetup& setup) {
    TGameObject& o = game.NewObject;
    o.Layer = setup.Layer;
    o.SecondLayer = setup.SecondLayer;
    o.CellCount = setup.TwoByTwo ? 4 : 1;
    o.AnimClass = setup.AnimClass;
    for (int k = 1; k <= 4; ++k) {
        const i16 entry = setup.CellSpriteEntries[static_cast<std::size_t>(k - 1)];
        if (entry != 0) o.CellSprites[k] = game.SpriteTable[static_cast<std::size_t>(entry)];
    }
}

void ApplyFacingPictures(Game& game, const TypeSetup& setup) {
    if (setup.FacingFirst == 0) return;
    for (int k = 1; k <= setup.FacingCount && k <= 8; ++k)
        game.NewObject.Sprites[k] = game.SpriteTable[static_cast<std::size_t>(setup.FacingFirst + k - 1)];
}

// Every picture of the new object names its slot and is shown.
void StampSlot(TGameObject& o, int slot) {
    for (TSpriteRef& s : o.Sprites) s.id = static_cast<i16>(slot), s.show = 1;
    for (TSpriteRef& s : o.CellSprites) s.id = static_cast<i16>(slot), s.show = 1;
}

u8 CreateObjectWith(Game& game, int col, int row, int type, u8 provisional, LayerRefresh refresh) {
    TGameObject& o = game.NewObject;
    o = game.ObjectTemplate;
    o.AnimClass = 0;
    o.TypeId = static_cast<i16>(type);
    o.Active = 1;
    o.Owner = game.CurrentPlayer;
    o.Unpowered = 0;
    game.Footprint = SingleCellFootprint(col, row);
    CopyTypeStats(game, type);

    const TypeSetup* setup = FindTypeSetup(type);
    if (setup == nullptr) return 0;
    if (setup->TwoByTwo) game.Footprint = BlockFootprint(col, row);
    o.Cells = game.Footprint;
    o.Stats.Movement = setup->Movement;
    const u8 placed = CanPlace(game, game.Footprint, setup->Movement);
    if (placed) ApplyTypeSetup(game, *setup);
    ApplyFacingPictures(game, *setup);
    if (!placed) return 0;

    // The slot is found before anything outside the scratch records is
    // written, so a full table leaves the world as it was.
    const i16 slot = FindFreeObjectSlot(game);
    if (slot == 0) return 0;
    if (setup->Connected && provisional == 0) RegisterConnectors(game, o);
    game.LastCreatedObject = slot;
    StampSlot(o, slot);
    game.World.Objects[slot] = o;
    FollowSlot(game, slot);
    if (refresh == LayerRefresh::Now) RefreshMapLayers(game);
    return 1;
}

// The cells blocked for one movement class, read from the object table once.
// A search tries many cells against an unchanging table (a refused creation
// changes nothing), so each try becomes a lookup; Admits answers exactly what
// CanPlace would.
class PlacementProbe {
public:
    PlacementProbe(const Game& game, int movement)
        : game_(game),
          movement_(movement),
          height_(game.World.MapHeight),
          occupied_(static_cast<std::size_t>((game.World.MapWidth + 1) * (height_ + 1) / 64 + 1), 0) {
        for (const TGameObject& o : game.World.Objects) {
            if (!BlocksMovement(o.TypeId, movement)) continue;
            for (const TCellPos& p : o.Cells)
                if (game.InMap(p.col, p.row)) mark(p.col, p.row);
        }
    }

    bool Admits(const TFootprint& footprint) const {
        if (!FootprintOnMap(game_, footprint)) return false;
        if (movement_ == kMoveAircraft) return true;
        for (const TCellPos& p : footprint)
            if (!GroundAdmits(game_.World.Passability(p.col, p.row), movement_) || marked(p.col, p.row)) return false;
        return true;
    }

private:
    std::size_t bit(int col, int row) const { return static_cast<std::size_t>(col * (height_ + 1) + row); }
    void mark(int col, int row) { occupied_[bit(col, row) / 64] |= std::uint64_t{1} << (bit(col, row) % 64); }
    bool marked(int col, int row) const { return (occupied_[bit(col, row) / 64] >> (bit(col, row) % 64)) & 1; }

    const Game& game_;
    int movement_;
    int height_;
    std::vector<std::uint64_t> occupied_;
};

// A rectangle of anchor cells, inclusive.
struct Square {
    int c0, c1, r0, r1;
    bool containsRow(int r) const { return r >= r0 && r <= r1; }
    bool covers(int w, int h) const { return c0 <= 1 && c1 >= w && r0 <= 1 && r1 >= h; }
};

// Ring e of the base search: ring 1 is (x..x+1, y..y+1); ring e > 1 spans
// columns x-e+1..x+e and rows y-e+2..y+e. Each ring contains the one before.
Square SearchRing(int x, int y, int e) {
    if (e == 1) return {x, x + 1, y, y + 1};
    return {x - e + 1, x + e, y - e + 2, y + e};
}

}  // namespace

bool GroundAdmits(u8 passability, int movement) {
    switch (passability) {
        case kPassBlocked: return false;
        case kPassWater: return movement != kMoveLand && movement != kMoveLandCoast;
        case kPassCoast: return movement != kMoveLand && movement != kMoveWater;
        case kPassLand: return movement != kMoveWater && movement != kMoveWaterCoast;
        default: return true;
    }
}

bool BlocksMovement(int type, int movement) {
    switch (type) {
        case kTypeConnector: return false;
        case kTypeRoad:
        case kTypeWaterPlatform: return movement == kMoveWater || movement == kMoveWaterCoast;
        case kTypeLiftingBridge: return movement == kMoveStructure;
        // A mine lies flat: units pass over it (an enemy's sets it off),
        // nothing is built on it.
        case kTypeLandMine:
        case kTypeSeaMine: return movement == kMoveStructure;
        default: return true;
    }
}

TFootprint MakeFootprint(int c1, int r1, int c2, int r2, int c3, int r3, int c4, int r4) {
    TFootprint f;
    const auto pos = [](int c, int r) { return TCellPos{static_cast<i16>(c), static_cast<i16>(r)}; };
    f[1] = pos(c1, r1);
    f[2] = pos(c2, r2);
    f[3] = pos(c3, r3);
    f[4] = pos(c4, r4);
    return f;
}

TFootprint SingleCellFootprint(int col, int row) { return MakeFootprint(col, row, col, row, col, row, col, row); }

TFootprint BlockFootprint(int col, int row) {
    return MakeFootprint(col, row, col + 1, row, col, row + 1, col + 1, row + 1);
}

void CopyTypeStats(Game& game, int type) {
    if (type < 1 || type > kTypeCount) return;
    const TUnitStats& stats = game.UnitStats[type];
    TGameObject& o = game.NewObject;
    o.ShotsLeft = stats.Shots;
    o.AmmoLeft = stats.Ammo;
    o.HitsLeft = stats.Hits;
    o.MovesLeft = stats.Speed;
    o.CargoKind = stats.CargoKind;
    o.Cargo = 0;
    o.Stats = stats;
}

u8 CanPlace(const Game& game, const TFootprint& footprint, int movement) {
    if (!FootprintOnMap(game, footprint)) return 0;
    if (movement == kMoveAircraft) return 1;
    for (const TCellPos& p : footprint)
        if (!GroundAdmits(game.World.Passability(p.col, p.row), movement)) return 0;
    return FootprintOccupied(game, footprint, movement) ? 0 : 1;
}

u8 CanPlaceType(const Game& game, int col, int row, int type) {
    const TypeSetup* setup = FindTypeSetup(type);
    if (setup == nullptr) return 0;
    const TFootprint f = setup->TwoByTwo ? BlockFootprint(col, row) : SingleCellFootprint(col, row);
    return CanPlace(game, f, setup->Movement);
}

i16 FindFreeObjectSlot(const Game& game) {
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = game.World.Objects[i];
        if (o.Owner == 0 && o.TypeId == 0) return static_cast<i16>(i);
    }
    return 0;
}

void SetCellLayerVisibility(Game& game, int col, int row, const LayerVisibility& values) {
    TMapCell& cell = game.Map(col, row);
    for (int layer = 1; layer <= 7; ++layer) {
        const int v = values[static_cast<std::size_t>(layer - 1)];
        if (v == 0 || v == 1) cell.Layers[layer].show = static_cast<u8>(v);
    }
}

// The connector picture of one interior cell that has a connector.
void DrawConnector(Game& game, int c, int r) {
    const auto& grid = game.World.Connectors;
    const int code = 16 * grid(c, r).Present + 2 * grid(c, r - 1).Present + 8 * grid(c - 1, r).Present +
                     32 * grid(c + 1, r).Present + 128 * grid(c, r + 1).Present;
    const int spr = ConnectorPictureFor(code);
    TSpriteRef& layer = game.Map(c, r).Layers[kLayerConnectors];
    if (spr < 0) {  // a Present value other than 0 or 1 has no picture
        layer.show = 0;
        return;
    }
    layer.idU = 8;
    layer.Spr = static_cast<i16>(spr);
    // The overlay switch decides, so a creation never shows what the button hides.
    constexpr int keep = kKeepVisibility;
    SetCellLayerVisibility(game, c, r, {keep, keep, keep, keep, game.ViewSettings.ShowConnectors != 0, keep, keep});
}

// Interior cells with a connector get the picture of their neighbourhood and
// follow the overlay switch. Cells without one are left alone: their layer-5
// picture is only ever shown while the cell has a connector (here and by the
// overlay switch), and a release that takes a connector away empties the
// cell's picture itself (ReleaseConnectors), so they are empty already. This
// keeps the pass to a read of the connector grid, four cells at a time,
// instead of a write over every map cell.
void UpdateConnectorPictures(Game& game) {
    static_assert(sizeof(TConnectorCell) == 2 && offsetof(TConnectorCell, Present) == 1);
    constexpr std::uint64_t kPresentBytes = 0xFF00FF00FF00FF00ull;
    const int w = game.World.MapWidth, h = game.World.MapHeight;
    for (int c = 2; c <= w - 1; ++c) {
        const TConnectorCell* column = &game.World.Connectors(c, 0);
        int r = 2;
        for (; r + 3 <= h - 1; r += 4) {
            std::uint64_t four;
            std::memcpy(&four, column + r, sizeof four);
            if ((four & kPresentBytes) == 0) continue;
            for (int k = r; k < r + 4; ++k)
                if (column[k].Present != 0) DrawConnector(game, c, k);
        }
        for (; r <= h - 1; ++r)
            if (column[r].Present != 0) DrawConnector(game, c, r);
    }
}

bool HasConnectorPicture(const Game& game, int col, int row) {
    return col >= 2 && col <= game.World.MapWidth - 1 && row >= 2 && row <= game.World.MapHeight - 1;
}

bool JoinsConnectorGrid(const TGameObject& object) {
    const TypeSetup* setup = FindTypeSetup(object.TypeId);
    return object.Owner != 0 && setup != nullptr && setup->Connected && object.OrderState != 2;
}

void ReleaseConnectors(Game& game, const TGameObject& released) {
    const TypeSetup* setup = FindTypeSetup(released.TypeId);
    if (setup == nullptr || !setup->Connected) return;
    bool changed = false;
    for (int k = 1; k <= std::min<int>(released.CellCount, 4); ++k) {
        const TCellPos p = released.Cells[k];
        if (!game.InMap(p.col, p.row) || game.World.Connectors(p.col, p.row).Present == 0) continue;
        // A connector structure under a building, or the building over it, keeps the cell joined.
        if (CellJoinedByAnother(game, p)) continue;
        game.World.Connectors(p.col, p.row) = TConnectorCell{};
        // No connector, no picture: the layer holds what a rebuild from the grid would.
        game.Map(p.col, p.row).Layers[kLayerConnectors] = EmptySpriteRef;
        changed = true;
    }
    if (changed) UpdateConnectorPictures(game);
}

void RefreshMapLayers(Game& game) {
    UpdateConnectorPictures(game);
    RebuildObjectLayers(game);
}

u8 CreateObject(Game& game, int col, int row, int type, u8 provisional, LayerRefresh refresh) {
    return CreateObjectWith(game, col, row, type, provisional, refresh);
}

// The game tries every cell of each ring in row order, the inner cells again
// in every later ring. A cell that failed once fails again (a refused try
// changes nothing), so only the cells new to each ring are tried: the first
// success is the same cell. Rows inside the previous ring add only their two
// end cells.
int PlaceBySquareSearch(Game& game, int col, int row, int type, LayerRefresh refresh, const FootprintFilter& allowed) {
    const TypeSetup* setup = FindTypeSetup(type);
    if (setup == nullptr || !game.InMap(col, row) || FindFreeObjectSlot(game) == 0) return 0;
    const PlacementProbe probe(game, setup->Movement);
    const int w = game.World.MapWidth, h = game.World.MapHeight;
    const auto tryCell = [&](int c, int r) {
        if (c < 1 || c > w) return false;
        const TFootprint f = setup->TwoByTwo ? BlockFootprint(c, r) : SingleCellFootprint(c, r);
        return probe.Admits(f) && (allowed == nullptr || allowed(f)) &&
               CreateObjectWith(game, c, r, type, 0, refresh) == 1;
    };
    Square previous{1, 0, 1, 0};
    for (int e = 1;; ++e) {
        const Square ring = SearchRing(col, row, e);
        for (int r = std::max(ring.r0, 1); r <= std::min(ring.r1, h); ++r) {
            if (e > 1 && previous.containsRow(r)) {
                if (tryCell(ring.c0, r) || tryCell(ring.c1, r)) return game.LastCreatedObject;
                continue;
            }
            for (int c = std::max(ring.c0, 1); c <= std::min(ring.c1, w); ++c)
                if (tryCell(c, r)) return game.LastCreatedObject;
        }
        if (ring.covers(w, h)) return 0;
        previous = ring;
    }
}

}  // namespace tarq
