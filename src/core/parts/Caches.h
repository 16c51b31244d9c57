// What the game derives and keeps only to save work: the map's picture
// layers (rebuilt from the match and the view whenever a game is built from
// a file), the layer rebuild's records, the factory's scratch records and
// the renderer's flags. Never saved, never part of the match.
#pragma once

#include <memory>
#include <string>

#include "core/GameTypes.h"

namespace tarq {

// The map's cells, stored like a CellGrid, that count the writes of every
// column: each mutable access to a cell counts as a write of its column, so
// nothing can change a cell without the count moving, and the renderer skips
// a column whose count has not moved since it drew it. A mutable reference is
// meant to be used at once: one kept and written through after the next frame
// was drawn would go unseen.
class MapGrid {
public:
    MapGrid() : identity_(NewIdentity()) {}
    // A copy is another map: a new identity, and every column counts as written.
    MapGrid(const MapGrid& other) : cells_(other.cells_), identity_(NewIdentity()) {}
    MapGrid& operator=(const MapGrid& other) {
        cells_ = other.cells_;
        MarkAllWritten();
        return *this;
    }

    static constexpr bool inStorage(int col, int row) { return CellGrid<TMapCell>::inStorage(col, row); }

    TMapCell& operator()(int col, int row) {
        assert(inStorage(col, row));
        ++writes_[static_cast<std::size_t>(col)];
        return cells_(col, row);
    }
    const TMapCell& operator()(int col, int row) const { return cells_(col, row); }
    void fill(const TMapCell& value) {
        cells_.fill(value);
        MarkAllWritten();
    }

    // Every cell at once, for reading the whole map.
    const CellGrid<TMapCell>& Cells() const { return cells_; }

    // Writes counted in column `col` (0 .. kGridSpan - 1) since the map was made.
    std::uint64_t Writes(int col) const { return writes_[static_cast<std::size_t>(col)]; }
    // Tells this map from every other one made in the process, so that write
    // counts seen on one are never taken for another's.
    std::uint64_t Identity() const { return identity_; }

private:
    static std::uint64_t NewIdentity();
    void MarkAllWritten() {
        for (std::uint64_t& w : writes_) ++w;
    }

    CellGrid<TMapCell> cells_;
    std::array<std::uint64_t, kGridSpan> writes_{};
    std::uint64_t identity_ = 0;
};

// What one slot wrote into layers 2-8 at the last rebuild; a free slot's
// record is all zero whatever the slot holds.
struct TStampRecord {
    u8 InUse = 0;
    u8 Site = 0;  // a construction site: stamped after every other object
    u8 CellCount = 0;
    u8 Layer = 0;
    u8 SecondLayer = 0;
    TFootprint Cells;
    Array1<TSpriteRef, 4> CellSprites;
    bool operator==(const TStampRecord&) const = default;
};

// The state of the incremental layer rebuild: the record of every slot at the
// last rebuild and the size of the map it drew, plus scratch for the cells to
// redraw. About 0.5 MB. Its contract:
// - every rebuild of the map goes through it; after a rebuild that bypasses it
//   (RebuildObjectLayersFull) or any reset of the map (InitData), call Reset()
//   so the next call draws everything;
// - between two calls, layers 2-4 are written by nobody but the animation
//   step, into the cells the last call drew, and with the picture a rebuild
//   would write there: an animated object is the last one stamped in its
//   layer on its cells (construction sites, which are stamped last, never
//   animate once they are fixed). Moving an object is a change of
//   its Cells followed by a call; a move that also writes the map itself
//   leaves a picture behind on its cell once the object moves again or is
//   released without an intermediate call, which the full rebuild would clear.
struct TLayerStamps {
    Array1<TStampRecord, kMaxObjects> Slots;
    i16 Width = -1;  // -1: nothing drawn yet, the next rebuild is a full one
    i16 Height = -1;
    std::array<u32, 8 * kMaxObjects> DirtyCells{};
    std::array<i16, kMaxObjects> LateSlots{};  // scratch: the sites, stamped after the rest
    std::array<std::uint64_t, (kGridSpan * kGridSpan + 63) / 64> DirtyBits{};
    // While a log is replayed nothing is drawn: the rebuilds wait, and the
    // first one after catches up with every slot that changed meanwhile.
    bool Deferred = false;

    void Reset() { Width = Height = -1; }
};

struct Match;

// What blocks each cell, counted by the kind of blocking (core/Factory.h,
// BlocksMovement): objects that block every class, roads and water platforms
// that block ships only, lifting bridges that block structures only.
struct TCellOccupancy {
    u16 All = 0;
    u16 ShipsOnly = 0;
    u16 StructuresOnly = 0;
    bool operator==(const TCellOccupancy&) const = default;
};

// Where the current player's orders of this turn can be taken back to: the
// match before the first order that can be undone since the turn began or
// since the last order that cannot, and the log's length then.
struct TUndoPoint {
    std::shared_ptr<const Match> Start;  // none: nothing to take back
    std::size_t LogIndex = 0;
    std::string Barrier;  // why the orders before cannot be taken back
};

struct Caches {
    // The eight picture layers of every cell.
    MapGrid Map;
    TLayerStamps LayerStamps;  // what the object layer rebuild drew last
    // The factory's record of the object being made and of its cells.
    TGameObject NewObject;
    TFootprint Footprint;
    u8 MinimapDirty = 0;  // the minimap is drawn again on the next frame
    u8 ViewChanged = 0;   // the view moved: the controls that show it follow
    u8 AppActive = 0;     // the application is active: frames are drawn
    // The map on show was made from the map page's controls, so the launch
    // makes no other; a game read from a file has its map.
    u8 MapGenerated = 0;
    // Each cell's blocking occupants, kept with the object layers.
    CellGrid<TCellOccupancy> Occupancy;
    TUndoPoint Undo;
};

}  // namespace tarq
