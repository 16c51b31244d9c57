// The records the game state is made of: fixed-size tables sized for a
// 500 x 500 map and 5000 objects, allocated once and never resized, and the
// small records of objects, pictures and purchases. The parts of the state
// that hold them are in core/parts/, and the whole game in GameState.h.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cassert>
#include <cstdint>
#include <string>
#include <vector>

namespace tarq {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using i16 = std::int16_t;
using i32 = std::int32_t;

constexpr int kMaxMapSize = 500;
// Grid storage runs from index 0 to 502 in both directions: the renderer draws
// up to two cells past the map, the coast windows look one or two cells
// outside it, a builder waits at (MapWidth + 1, MapHeight + 1) while its site
// is placed and the site preview parks the site at (MapWidth + 2, MapHeight + 2)
// for its placement test, so a border keeps all of those inside the storage.
constexpr int kGridSpan = kMaxMapSize + 3;
constexpr int kMaxObjects = 5000;
constexpr int kSpriteTableSize = 1001;
constexpr int kFilledSprites = 522;
constexpr int kTypeCount = 68;
constexpr int kDefinedTypes = 67;
constexpr int kLayers = 8;
constexpr int kSectorGrid = 10;
constexpr int kPurchaseEntries = 101;
constexpr int kExitSlots = 13;

// A fixed array indexed from 1, matching the numbering used throughout the game.
template <typename T, int N>
struct Array1 {
    std::array<T, static_cast<std::size_t>(N)> items{};

    T& operator[](int i) {
        assert(i >= 1 && i <= N);
        return items[static_cast<std::size_t>(i - 1)];
    }
    const T& operator[](int i) const {
        assert(i >= 1 && i <= N);
        return items[static_cast<std::size_t>(i - 1)];
    }
    static constexpr int size() { return N; }
    auto begin() { return items.begin(); }
    auto end() { return items.end(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }
    bool operator==(const Array1&) const = default;
};

// A per-cell grid indexed (column, row); the map uses 1..MapWidth x 1..MapHeight.
// Columns are stored contiguously, so walking a column top to bottom is linear.
template <typename T>
struct CellGrid {
    std::array<T, static_cast<std::size_t>(kGridSpan) * kGridSpan> cells{};

    static constexpr std::size_t index(int col, int row) {
        return static_cast<std::size_t>(col) * kGridSpan + static_cast<std::size_t>(row);
    }
    static constexpr bool inStorage(int col, int row) {
        return col >= 0 && col < kGridSpan && row >= 0 && row < kGridSpan;
    }
    T& operator()(int col, int row) {
        assert(inStorage(col, row));
        return cells[index(col, row)];
    }
    const T& operator()(int col, int row) const {
        assert(inStorage(col, row));
        return cells[index(col, row)];
    }
    void fill(const T& value) { cells.fill(value); }
};

// One picture reference: sheet, picture, owning object, animation successor,
// draw flag. Packed to 8 bytes, so a map cell's eight layers are one 64-byte
// cache line: the renderer compares every visible cell with its last drawn
// copy each frame, and that is memory-bound.
struct __attribute__((packed)) TSpriteRef {
    u8 idU = 0;
    i16 Spr = 0;
    i16 id = 0;
    i16 SprNext = -1;
    u8 show = 0;
    bool operator==(const TSpriteRef&) const = default;
};
constexpr TSpriteRef EmptySpriteRef{0, 0, 0, -1, 0};

// Layers 1..8 of one map cell.
struct TMapCell {
    Array1<TSpriteRef, kLayers> Layers;
};

// Sheet of the ready markers that the end of turn puts into layer 8 of a
// finished site; the picture is the built type's number minus one. No object
// picture comes from this sheet.
constexpr u8 kReadyMarkerSheet = 14;

// Map layers by role.
enum MapLayer : int {
    kLayerTerrain = 1,
    kLayerFlat = 2,
    kLayerLarge = 3,
    kLayerUnits = 4,
    kLayerConnectors = 5,
    kLayerAircraft = 6,
    kLayerGeology = 7,
    kLayerReady = 8,
};

struct TCellPos {
    i16 col = 0;
    i16 row = 0;
    bool operator==(const TCellPos&) const = default;
};
using TFootprint = Array1<TCellPos, 4>;

// Movement classes: single bits matched against passability codes.
enum Movement : u8 {
    kMoveAircraft = 0,
    kMoveLand = 1,
    kMoveLandCoast = 2,
    kMoveWater = 4,
    kMoveWaterCoast = 8,
    kMoveStructure = 16,
    kMoveAmphibious = 32,
};

enum Passability : u8 {
    kPassBlocked = 0,
    kPassLand = 1,
    kPassCoast = 2,
    kPassWater = 4,
};

enum CargoKind : u8 { kCargoNone = 0, kCargoMaterial = 1, kCargoFuel = 2, kCargoGold = 3 };

// Characteristics of a unit type; every object keeps its own copy in Stats.
struct TUnitStats {
    u8 TypeId = 0;
    u8 Attack = 0;
    u8 Shots = 0;
    u8 Range = 0;
    u8 Ammo = 0;
    u8 Armour = 0;
    u8 Hits = 0;
    u8 Scan = 0;
    u8 Speed = 0;
    i16 Cost = 0;
    u8 ResourceKind1 = 0;
    u8 ResourceAmount1 = 0;
    u8 ResourceKind2 = 0;
    u8 ResourceAmount2 = 0;
    u8 ResourceKind3 = 0;
    u8 ResourceAmount3 = 0;
    u8 CargoKind = 0;
    u8 CargoCapacity = 0;
    u8 Output = 0;
    u8 Spare = 0;
    u8 Movement = 0;
    bool operator==(const TUnitStats&) const = default;
};

struct TUnitType {
    std::string Name;         // at most 30 characters
    std::string Description;  // at most 255 characters
    u8 BuilderKind = 0;
    u8 Purchasable = 0;
    u8 Category = 0;
    u8 BuiltBy = 0;
    u8 BuildRate = 0;
    u8 CellCount = 1;
};

struct TGameObject {
    Array1<TSpriteRef, 8> Sprites;  // facing pictures 1..8
    u8 Owner = 0;
    u8 Active = 0;
    TFootprint Cells;
    // 1 while the structure's network lacks the power it needs: set at the
    // start of its owner's turn (control/Economy.h); it then does nothing.
    u8 Unpowered = 0;
    u8 CellCount = 0;
    u8 OrderState = 0;
    u8 TurnsLeft = 0;
    u8 MaterialPerTurn = 0;
    u8 BuildLink = 0;
    u8 TurnsTotal = 0;
    i32 SiteObject = 0;
    u8 Layer = 0;        // 0-based: pictures go into layer Layer + 1
    u8 SecondLayer = 0;  // 0 = none, else 0-based layer of CellSprites[2]
    Array1<TSpriteRef, 4> CellSprites;
    i16 TypeId = 0;
    u8 ShotsLeft = 0;
    u8 AmmoLeft = 0;
    u8 HitsLeft = 0;
    u8 MovesLeft = 0;
    u8 CargoKind = 0;
    u8 Cargo = 0;
    u8 AnimClass = 0;
    u8 AnimTicks = 0;
    TUnitStats Stats;
    bool operator==(const TGameObject&) const = default;
};

// The object table, slots 1..kMaxObjects, that counts its mutable accesses
// as MapGrid counts the map's: every mutable slot or walk counts as a write,
// so the map's overlays are worked out again only after the table may have
// changed. It also remembers which slots were written since the last
// TakeWritten, so that what follows the objects (the sight counters) looks
// at those slots only. The animation step alone writes through Animated():
// it changes only the pictures an object shows, which reach the screen
// through the map.
struct ObjectTable : Array1<TGameObject, kMaxObjects> {
    using Base = Array1<TGameObject, kMaxObjects>;
    ObjectTable() = default;
    ObjectTable(const ObjectTable& other) = default;
    // Another table taken over: counted as a write of every slot.
    ObjectTable& operator=(const ObjectTable& other) {
        Base::operator=(other);
        ++writes_;
        MarkAll();
        return *this;
    }

    TGameObject& operator[](int i) {
        ++writes_;
        Mark(i);
        return Base::operator[](i);
    }
    const TGameObject& operator[](int i) const { return Base::operator[](i); }
    auto begin() {
        ++writes_;
        MarkAll();
        return Base::begin();
    }
    auto end() { return Base::end(); }
    auto begin() const { return Base::begin(); }
    auto end() const { return Base::end(); }
    bool operator==(const ObjectTable& other) const { return items == other.items; }

    // A slot for the animation step, not counted (see above).
    TGameObject& Animated(int i) { return Base::operator[](i); }
    // Mutable accesses since the table was made.
    std::uint64_t Writes() const { return writes_; }

    // Calls visit(slot) for every slot written since the last call (every
    // slot after a mutable walk or a copy), in increasing order, and starts
    // a new record.
    template <typename Visit>
    void TakeWritten(Visit visit) {
        if (allWritten_) {
            for (int slot = 1; slot <= kMaxObjects; ++slot) visit(slot);
        } else {
            std::sort(written_.begin(), written_.end());
            for (const i16 slot : written_) visit(slot);
        }
        for (const i16 slot : written_) marks_[static_cast<std::size_t>(slot)] = false;
        written_.clear();
        allWritten_ = false;
    }

private:
    // Past this many slots a walk over them all costs less than the record.
    static constexpr std::size_t kMostRecorded = 512;
    void Mark(int i) {
        if (allWritten_ || i < 1 || i > kMaxObjects || marks_[static_cast<std::size_t>(i)]) return;
        if (written_.size() == kMostRecorded) return MarkAll();
        marks_[static_cast<std::size_t>(i)] = true;
        written_.push_back(static_cast<i16>(i));
    }
    void MarkAll() { allWritten_ = true; }

    std::uint64_t writes_ = 0;
    std::vector<i16> written_;
    std::bitset<kMaxObjects + 1> marks_;
    bool allWritten_ = true;  // a new table: nothing is known of its slots
};

// The purchase restrictions of the new-game page: a player's own (their
// entry of the players' table) and the page's choice for the next new game
// (Preferences).
struct TNewGameChoices {
    u8 NoStructures = 0;  // StrToBuy: structures cannot be bought
    u8 NoAlienUnits = 0;  // AlienToBuy: alien ground units cannot be bought
    bool operator==(const TNewGameChoices&) const = default;
};

// One entry of the initial force bought before the game.
struct TPurchase {
    u8 TypeId = 0;
    u8 Cargo = 0;
    u8 Price = 0;
    bool operator==(const TPurchase&) const = default;
};

// Players of one game. A game has 1..kMaxPlayers players numbered from 1;
// Match::CurrentPlayer names the one whose turn it is.
constexpr int kMaxPlayers = 8;
// Team colours a player can take (core/Players.h names them).
constexpr int kTeamColourCount = 8;

// The last turn the counter shows: far beyond any game played, and far
// from the limit of its 32 bits.
constexpr i32 kMaxTurn = 1000000;

// Click dispatch modes.
enum ClickModeValue : u8 { kClickNormal = 0, kClickPlaceSite = 1, kClickChooseExit = 2 };

}  // namespace tarq
