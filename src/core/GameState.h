// The whole world of one game: fixed-size tables sized for a 500 x 500 map and
// 5000 objects, allocated once and never resized. Every subsystem reads and
// writes these records directly; operations are free functions taking the
// game by reference.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

#include "core/CommandLog.h"
#include "core/Random.h"

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
    u8 Spare = 0;
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
// changed. The animation step alone writes through Animated(): it changes
// only the pictures an object shows, which reach the screen through the map.
struct ObjectTable : Array1<TGameObject, kMaxObjects> {
    using Base = Array1<TGameObject, kMaxObjects>;
    ObjectTable() = default;
    ObjectTable(const ObjectTable& other) = default;
    // Another table taken over: counted as a write.
    ObjectTable& operator=(const ObjectTable& other) {
        Base::operator=(other);
        ++writes_;
        return *this;
    }

    TGameObject& operator[](int i) {
        ++writes_;
        return Base::operator[](i);
    }
    const TGameObject& operator[](int i) const { return Base::operator[](i); }
    auto begin() {
        ++writes_;
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

private:
    std::uint64_t writes_ = 0;
};

struct TConnectorCell {
    u8 Owner = 0;
    u8 Present = 0;
};

struct TResourceCell {
    u8 Kind = 0;
    u8 Amount = 0;
};

struct TWorld {
    i32 StartGold = 0;
    CellGrid<u8> Terrain;
    ObjectTable Objects;
    CellGrid<TConnectorCell> Connectors;
    CellGrid<TResourceCell> Resources;
    i16 MapWidth = 0;
    i16 MapHeight = 0;
    u8 TerrainSet = 0;
    CellGrid<u8> Passability;
    u8 LandingSectors[kSectorGrid][kSectorGrid] = {};  // [sector column][sector row]
};

// The overlays the renderer draws over the map's layers, each behind a switch
// of the side panel; all off at launch.
enum class MapOverlay : int {
    Hits,       // "Хиты": a bar of the hits left under each unit and structure
    Scan,       // "Обзоры": the outline of the cells own units scan
    Status,     // "Статус": a mark of what each own unit can still do
    Ammo,       // "Боезапас": a bar of the ammunition left
    Highlight,  // "Подсветка": own units with moves left and no order outlined
    Range,      // "Радиус": the outline of the selected object's range
    Names,      // "Имена": the type's name under each object, at readable sizes
};
constexpr int kMapOverlays = 7;

struct TMapOverlays {
    std::array<u8, kMapOverlays> On{};  // 1 while the overlay is shown

    bool operator[](MapOverlay o) const { return On[static_cast<std::size_t>(o)] != 0; }
    bool Any() const {
        for (u8 on : On)
            if (on != 0) return true;
        return false;
    }
    bool operator==(const TMapOverlays&) const = default;
};

struct TViewSettings {
    i16 ViewCenterCol = 0;
    i16 ViewCenterRow = 0;
    i16 ViewOffsetX = 0;
    i16 ViewOffsetY = 0;
    i32 ScreenCenterX = 0;
    i32 ScreenCenterY = 0;
    i16 FirstCol = 0;
    i16 FirstRow = 0;
    u16 Scale = 0;
    u8 ShowGeology = 0;
    u8 ShowGrid = 0;
    u8 UseLandingSectors = 0;
    u8 BasePlaced = 0;
    u8 CurrentPlayer = 0;
    u8 PlayerClan = 0;
    i16 Credits = 0;
    u8 ShowConnectors = 0;
    TMapOverlays Overlays;
    bool operator==(const TViewSettings&) const = default;
};

// Characteristics the side panel can list for a selected object.
constexpr int kInfoItems = 12;

// The settings page as the game keeps it: the window copies each control in
// when it changes and shows the values back from here. The two animation
// periods of the page are SlowAnimPeriod and TwoFrameAnimPeriod, copied in at
// the launch, where their text is checked. The defaults are the page's.
struct TSettings {
    // CheckListBox1: which characteristics the side panel lists.
    std::array<u8, kInfoItems> InfoShown{0, 0, 0, 1, 1, 0, 1, 0, 1, 0, 1, 1};
    u8 HighResGeology = 0;      // CheckBox3
    u8 FullScreen = 0;          // Winmode: 0 in a window, 1 full screen
    u8 FullScreenMode = 2;      // RadioGroup2: 640 x 480, 800 x 600, 1024 x 768
    u8 MaximizeAtLaunch = 0;    // CheckBox5
    u8 FramelessMaximized = 0;  // CheckBox4
    u8 PauseWhenInactive = 1;   // CheckBox6
    u8 WaitForRetrace = 0;      // CheckBox7
    u8 ScrollBars = 1;          // CheckBox10: scroll the map with the window's scroll bars
    u8 RightButtonScroll = 1;   // CheckBox11: drag the map with the right button
    u8 ReverseRightScroll = 0;  // CheckBox12: the drag moves the screen, not the map
    bool operator==(const TSettings&) const = default;
};

// The new-game choices the game keeps besides World.StartGold,
// ViewSettings.PlayerClan and ViewSettings.UseLandingSectors; the window
// copies them in when they change.
struct TNewGameChoices {
    u8 NoStructures = 0;  // StrToBuy: structures cannot be bought
    u8 NoAlienUnits = 0;  // AlienToBuy: alien ground units cannot be bought
    bool operator==(const TNewGameChoices&) const = default;
};

// The random-map page of the new game: the positions of its controls, with
// the defaults the page opens with. The window copies each control in when it
// changes; the generator reads them from here (world/MapParameters.h).
struct MapControls {
    int mapSizeItem = 1;  // MapSize item: 0 "50Х50" .. 5 "400Х400"
    int model = 1;        // PageControl5 page: 0 islands, 1 strips
    int ismass = 400;     // island count
    int landMass = 10;    // island size
    int stripCount = 15;  // Estripcount
    int stripLength = 20; // EstripL
    int stripWidth = 10;  // EstripW
    int mountains = 40;   // large obstacle density
    int stones = 80;      // small obstacle density
    int deposits = 100;   // Emaxmstrj
    bool operator==(const MapControls&) const = default;
};

// One entry of the initial force bought before the game.
struct TPurchase {
    u8 TypeId = 0;
    u8 Cargo = 0;
    u8 Price = 0;
    bool operator==(const TPurchase&) const = default;
};

// Players of one game. A game has 1..kMaxPlayers players numbered from 1;
// ViewSettings.CurrentPlayer names the one whose turn it is.
constexpr int kMaxPlayers = 8;
// Team colours a player can take (TeamColours() of core/Players.h gives them).
constexpr int kTeamColourCount = 8;

// One player. The current player's working values are the game's usual
// fields: PlayerClan, Credits and BasePlaced of ViewSettings, NewGameChoices,
// the types' Purchasable flags, the purchase list, the sectors holding 1 in
// LandingSectors and the view position. Their entry here is brought up to
// date from those fields when the turn passes; every other player's values
// live only here.
struct TPlayer {
    u8 Number = 0;  // 1..8 while in the game, 0 for an unused entry
    u8 Clan = 0;
    u8 Colour = 0;  // index of the team colour, unique among the players
    u8 Joined = 0;  // 1 once they pressed the start button for this game
    u8 BaseLanded = 0;
    i16 Credits = 0;
    TNewGameChoices Restrictions;
    Array1<u8, kTypeCount> Purchasable;             // the types their restrictions leave on sale
    Array1<TPurchase, kPurchaseEntries> Purchases;  // their force, until it lands
    u8 Sectors[kSectorGrid][kSectorGrid] = {};      // 1 where they claimed the sector
    // Where they last looked.
    i16 FirstCol = 0;
    i16 FirstRow = 0;
    i16 ViewCenterCol = 0;
    i16 ViewCenterRow = 0;
    u16 Scale = 0;
    bool operator==(const TPlayer&) const = default;
};

struct TPlayers {
    u8 Count = 1;
    Array1<TPlayer, kMaxPlayers> Table;
    bool operator==(const TPlayers&) const = default;
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

    void Reset() { Width = Height = -1; }
};

// The last turn the counter shows: far beyond any game played, and far
// from the limit of its 32 bits.
constexpr i32 kMaxTurn = 1000000;

// Click dispatch modes.
enum ClickModeValue : u8 { kClickNormal = 0, kClickPlaceSite = 1, kClickChooseExit = 2 };

// The one game-state object. Owned by the main window; tests create their own.
// About 19 MB: allocate it on the heap (see NewGame()).
struct Game {
    TWorld World;
    TViewSettings ViewSettings;
    TSettings Settings;
    TNewGameChoices NewGameChoices;
    MapControls MapChoices;
    TPlayers Players;
    MapGrid Map;
    std::array<TSpriteRef, kSpriteTableSize> SpriteTable{};  // 0..1000
    Array1<TUnitType, kTypeCount> UnitTypes;
    Array1<TUnitStats, kTypeCount> UnitStats;
    TGameObject ObjectTemplate;
    TGameObject NewObject;
    TFootprint Footprint;
    TLayerStamps LayerStamps;  // what the object layer rebuild drew last
    Array1<TPurchase, kPurchaseEntries> PurchaseListStorage;  // entry k lives at [k + 1]

    i32 SelectedObject = 0;
    i16 LastCreatedObject = 0;
    i16 SlowAnimPeriod = 0;
    i16 TwoFrameAnimPeriod = 0;
    i16 VisibleCols = 0;
    i16 VisibleRows = 0;
    u16 CellPixels = 0;
    i32 HoverCol = 0;
    i32 HoverRow = 0;
    i32 MouseX = 0;
    i32 MouseY = 0;
    u8 MapGenerated = 0;
    u8 MinimapDirty = 0;
    u8 ViewChanged = 0;
    u8 AppActive = 0;

    // View navigation state.
    u8 RightDrag = 0;
    i32 DragStartX = 0;
    i32 DragStartY = 0;
    u8 MinimapDrag = 0;

    // The match: which game this is and how far it has gone.
    // Tells this game's files from every other game's (autosaves are kept
    // per game); set once when the game is set up and carried by its files.
    std::uint64_t GameId = 0;
    // Turns played: 1 for the first turn, one more after every END TURN, up
    // to kMaxTurn, where it stays.
    i32 Turn = 1;
    // The game's random source (map generation); its seed is part of the game.
    RandomSource Rng;
    // Every accepted match command since the first "Старт".
    CommandLog Log;
    // The drawing surface in device pixels, for orders that move the view.
    i32 SurfaceWidth = 0;
    i32 SurfaceHeight = 0;

    // Click dispatch, construction and rendering state.
    u8 ClickMode = kClickNormal;
    u8 MoveArmed = 0;
    u8 ReadyLayerOn = 0;
    u8 BasePromptShown = 0;
    i32 PulseAlpha = 0;
    i32 PulseStep = 0;
    i16 WarnFlashTicks = -1;
    i16 SiteBuilder = 0;
    i32 SiteBuilderCol = 0;
    i32 SiteBuilderRow = 0;
    std::array<TFootprint, kExitSlots> ExitCandidates{};
    std::array<i32, kExitSlots> ExitMarkers{};

    // Purchase list entries are numbered from 0.
    TPurchase& PurchaseList(int entry) { return PurchaseListStorage[entry + 1]; }
    const TPurchase& PurchaseList(int entry) const { return PurchaseListStorage[entry + 1]; }

    TGameObject& Object(int slot) { return World.Objects[slot]; }
    const TGameObject& Object(int slot) const { return World.Objects[slot]; }
    bool InMap(int col, int row) const {
        return col >= 1 && col <= World.MapWidth && row >= 1 && row <= World.MapHeight;
    }
};

// Widths the game relies on: 8-bit fields wrap, 16-bit fields hold i16 values.
static_assert(sizeof(TSpriteRef) == 8 && sizeof(TMapCell) == 64);
static_assert(sizeof(TSpriteRef::idU) == 1 && sizeof(TSpriteRef::show) == 1);
static_assert(sizeof(TSpriteRef::Spr) == 2 && sizeof(TSpriteRef::id) == 2 && sizeof(TSpriteRef::SprNext) == 2);
static_assert(sizeof(TGameObject::Cargo) == 1 && sizeof(TGameObject::BuildLink) == 1);
static_assert(sizeof(TGameObject::TurnsLeft) == 1 && sizeof(TGameObject::MovesLeft) == 1);
static_assert(sizeof(TGameObject::AnimTicks) == 1 && sizeof(TGameObject::TypeId) == 2);
static_assert(sizeof(TGameObject::SiteObject) == 4);
static_assert(sizeof(TUnitStats::Cost) == 2 && sizeof(TUnitStats::Movement) == 1);
static_assert(sizeof(TWorld::MapWidth) == 2 && sizeof(TWorld::StartGold) == 4);
static_assert(sizeof(TViewSettings::ViewOffsetX) == 2 && sizeof(TViewSettings::Credits) == 2);
static_assert(sizeof(TViewSettings::Scale) == 2 && sizeof(Game::CellPixels) == 2);
static_assert(sizeof(Game::LastCreatedObject) == 2 && sizeof(Game::WarnFlashTicks) == 2);
static_assert(sizeof(TPurchase) == 3);
static_assert(kMaxObjects <= 32767, "object numbers must fit in TSpriteRef::id");

}  // namespace tarq
