#include "core/Invariants.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

#include "core/ConnectorCodes.h"
#include "core/Factory.h"
#include "core/Sight.h"
#include "core/SightCounts.h"

namespace tarq {

namespace {

// Beyond this many, violations are counted instead of listed.
constexpr std::size_t kMaxListed = 20;

class Report {
public:
    void add(const std::string& line) {
        ++count_;
        if (lines_.size() < kMaxListed) lines_.push_back(line);
    }
    Violations finish() {
        if (count_ > lines_.size()) lines_.push_back("... and " + std::to_string(count_ - lines_.size()) + " more");
        return std::move(lines_);
    }

private:
    Violations lines_;
    std::size_t count_ = 0;
};

// Appended, not "literal" + std::string: GCC 12 at -O3 falsely warns (-Wrestrict) on that.
std::string Cell(int c, int r) { return std::string("(").append(std::to_string(c)) + ", " + std::to_string(r) + ")"; }

std::string Describe(const TSpriteRef& s) {
    return "{idU " + std::to_string(s.idU) + ", Spr " + std::to_string(s.Spr) + ", id " + std::to_string(s.id) +
           ", SprNext " + std::to_string(s.SprNext) + ", show " + std::to_string(s.show) + "}";
}

bool Covers(const TGameObject& o, int c, int r) {
    for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k)
        if (o.Cells[k].col == c && o.Cells[k].row == r) return true;
    return false;
}

int MapWidth(const Game& game) { return std::clamp<int>(game.World.MapWidth, 0, kMaxMapSize); }
int MapHeight(const Game& game) { return std::clamp<int>(game.World.MapHeight, 0, kMaxMapSize); }

// Layers 2-4 of the map as a rebuild from the table would leave them: the
// cells some object covers, with what it writes there; every other cell is
// empty. Kept sparse: objects cover a few hundred cells of a map of up to
// 250 000.
class ExpectedLayers {
public:
    using Layers = std::array<TSpriteRef, 3>;

    explicit ExpectedLayers(const Game& game) : width_(MapWidth(game)), height_(MapHeight(game)) {
        // Construction sites are stamped after every other object.
        for (bool sites : {false, true})
            for (const TGameObject& o : game.World.Objects)
                if (o.Owner != 0 && (o.OrderState == 2) == sites) stamp(o);
    }
    // What a rebuild writes into layers 2-4 of a map cell, or nullptr for nothing.
    const Layers* at(int c, int r) const {
        const auto it = cells_.find(key(c, r));
        return it == cells_.end() ? nullptr : &it->second;
    }
    template <typename Visit>
    void forEachCovered(Visit visit) const {
        for (const auto& [k, layers] : cells_) visit(static_cast<int>(k >> 16), static_cast<int>(k & 0xFFFF));
    }

private:
    static u32 key(int c, int r) { return static_cast<u32>(c) << 16 | static_cast<u32>(r); }
    void put(int c, int r, int layer, const TSpriteRef& s) {
        if (layer < kLayerFlat || layer > kLayerUnits) return;
        auto [it, fresh] = cells_.try_emplace(key(c, r));
        if (fresh) it->second.fill(EmptySpriteRef);
        it->second[static_cast<std::size_t>(layer - kLayerFlat)] = s;
    }
    void stamp(const TGameObject& o) {
        const int layer = o.Layer + 1;
        const int second = o.SecondLayer != 0 ? o.SecondLayer + 1 : 0;
        if (layer > kLayers || second > kLayers) return;
        for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k) {
            const int c = o.Cells[k].col, r = o.Cells[k].row;
            if (c < 1 || c > width_ || r < 1 || r > height_) continue;
            put(c, r, layer, o.CellSprites[k]);
            if (second != 0) put(c, r, second, o.CellSprites[2]);
        }
    }

    int width_, height_;
    std::unordered_map<u32, Layers> cells_;
};

// A picture as one word, for cheap comparisons.
std::uint64_t Word(const TSpriteRef& s) {
    std::uint64_t w;
    std::memcpy(&w, &s, sizeof w);
    return w;
}
const std::uint64_t kEmptyWord = Word(EmptySpriteRef);

// A map cell with nothing in the object layers (2-4, 6, 8), no connector and
// no connector picture shown: every check passes there unless an object
// covers it. Most cells of a map are quiet.
bool Quiet(const TMapCell& cell, const TConnectorCell& connector) {
    const auto& l = cell.Layers;
    return Word(l[kLayerFlat]) == kEmptyWord && Word(l[kLayerLarge]) == kEmptyWord &&
           Word(l[kLayerUnits]) == kEmptyWord && (l[kLayerAircraft].id | l[kLayerReady].id) == 0 &&
           l[kLayerConnectors].show == 0 && connector.Present == 0;
}
bool Quiet(const Game& game, int c, int r) { return Quiet(game.Map(c, r), game.World.Connectors(c, r)); }

// The map cells that are not quiet, column by column: the one walk over the
// whole map the checks need (they run after every step of the long tests,
// in sanitizer builds too, where a walk over 160 000 cells is what they cost).
using Cells = std::vector<TCellPos>;
Cells BusyCells(const Game& game) {
    Cells busy;
    const int width = MapWidth(game), height = MapHeight(game);
    for (int c = 1; c <= width; ++c) {
        // A column is contiguous in both grids.
        const TMapCell* cells = &game.Map(c, 0);
        const TConnectorCell* connectors = &game.World.Connectors(c, 0);
        for (int r = 1; r <= height; ++r)
            if (!Quiet(cells[r], connectors[r])) busy.push_back({static_cast<i16>(c), static_cast<i16>(r)});
    }
    return busy;
}

Violations ObjectLayersOf(const Game& game, const Cells& busy) {
    const ExpectedLayers expected(game);
    Report report;
    const auto check = [&](int c, int r) {
        const ExpectedLayers::Layers* layers = expected.at(c, r);
        for (int layer = kLayerFlat; layer <= kLayerUnits; ++layer) {
            const TSpriteRef& have = game.Map(c, r).Layers[layer];
            const TSpriteRef& want = layers ? (*layers)[static_cast<std::size_t>(layer - kLayerFlat)] : EmptySpriteRef;
            if (!(have == want))
                report.add("layer " + std::to_string(layer) + " of " + Cell(c, r) + " holds " + Describe(have) +
                           ", the table gives " + Describe(want));
        }
    };
    for (const TCellPos& p : busy) check(p.col, p.row);
    expected.forEachCovered([&](int c, int r) {
        if (Quiet(game, c, r)) check(c, r);
    });
    return report.finish();
}

Violations PictureOwnersOf(const Game& game, const Cells& busy) {
    Report report;
    for (const TCellPos& p : busy)
        for (int layer : {kLayerFlat, kLayerLarge, kLayerUnits, kLayerAircraft, kLayerReady}) {
            const int id = game.Map(p.col, p.row).Layers[layer].id;
            if (id == 0) continue;
            const std::string where = "layer " + std::to_string(layer) + " of " + Cell(p.col, p.row);
            if (id < 1 || id > kMaxObjects)
                report.add(where + " names object " + std::to_string(id) + ", outside the table");
            else if (game.World.Objects[id].Owner == 0)
                report.add(where + " names free slot " + std::to_string(id));
            else if (!Covers(game.World.Objects[id], p.col, p.row))
                report.add(where + " names object " + std::to_string(id) + ", which does not cover the cell");
        }
    return report.finish();
}

}  // namespace

Violations CheckObjectLayers(const Game& game) { return ObjectLayersOf(game, BusyCells(game)); }

Violations CheckPictureOwners(const Game& game) { return PictureOwnersOf(game, BusyCells(game)); }

Violations CheckFreeSlots(const Game& game) {
    Report report;
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = game.World.Objects[i];
        // A free slot is mostly a byte copy of the template; the fields decide otherwise.
        if (o.Owner == 0 && std::memcmp(&o, &game.ObjectTemplate, sizeof o) != 0 && !(o == game.ObjectTemplate))
            report.add("free slot " + std::to_string(i) + " differs from the blank template (type " +
                       std::to_string(o.TypeId) + ")");
    }
    return report.finish();
}

namespace {

// The cells of the map that some object keeps in the connector grid.
std::vector<bool> JoinedCells(const Game& game) {
    std::vector<bool> joined(static_cast<std::size_t>(kGridSpan) * kGridSpan, false);
    for (const TGameObject& o : game.World.Objects)
        if (JoinsConnectorGrid(o))
            for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k)
                if (game.InMap(o.Cells[k].col, o.Cells[k].row))
                    joined[CellGrid<u8>::index(o.Cells[k].col, o.Cells[k].row)] = true;
    return joined;
}

// Layer 5 of a map cell against its connector entry: hidden without a
// connector or on the outermost rows and columns, which get no picture;
// elsewhere the picture of its neighbourhood, shown as the switch says.
void CheckConnectorPicture(const Game& game, int c, int r, Report& report) {
    const auto& grid = game.World.Connectors;
    const TSpriteRef& picture = game.Map(c, r).Layers[kLayerConnectors];
    if (grid(c, r).Present == 0 || !HasConnectorPicture(game, c, r)) {
        if (picture.show != 0)
            report.add("layer 5 of " + Cell(c, r) + " is shown " +
                       (grid(c, r).Present == 0 ? "without a connector" : "on the map's border"));
        return;
    }
    const int code = 16 + 2 * grid(c, r - 1).Present + 8 * grid(c - 1, r).Present + 32 * grid(c + 1, r).Present +
                     128 * grid(c, r + 1).Present;
    if (picture.idU != 8 || picture.Spr != ConnectorPictureFor(code))
        report.add("layer 5 of " + Cell(c, r) + " holds " + Describe(picture) + " for connector code " +
                   std::to_string(code));
    else if ((picture.show != 0) != (game.ViewSettings.ShowConnectors != 0))
        report.add(
            "layer 5 of " + Cell(c, r) +
            (picture.show != 0 ? " is shown while connectors are hidden" : " is hidden while connectors are shown"));
}

Violations ConnectorsOf(const Game& game, const Cells& busy) {
    Report report;
    const std::vector<bool> joined = JoinedCells(game);
    const auto& cells = game.World.Connectors.cells;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const TConnectorCell& cell = cells[i];
        if (cell.Present == 0) continue;
        const int c = static_cast<int>(i / kGridSpan), r = static_cast<int>(i % kGridSpan);
        if (cell.Present != 1)
            report.add("connector of " + Cell(c, r) + " has Present " + std::to_string(cell.Present));
        if (!game.InMap(c, r))
            report.add("connector outside the map at " + Cell(c, r));
        else if (!joined[i])
            report.add("connector of " + Cell(c, r) + " lies under no connected structure");
        if (cell.Owner == 0) report.add("connector of " + Cell(c, r) + " has no owner");
    }
    for (const TCellPos& p : busy) CheckConnectorPicture(game, p.col, p.row, report);
    return report.finish();
}

}  // namespace

Violations CheckConnectors(const Game& game) { return ConnectorsOf(game, BusyCells(game)); }

namespace {

bool Live(const Game& game, int slot) {
    return slot >= 1 && slot <= kMaxObjects && game.World.Objects[slot].Owner != 0;
}

// Whether `site` is a construction site in use whose builder is at work on it.
bool LinkedSite(const Game& game, int site) {
    if (!Live(game, site) || game.World.Objects[site].OrderState != 2) return false;
    const int builder = game.World.Objects[site].BuildLink;
    return Live(game, builder) && game.World.Objects[builder].OrderState == 1 &&
           game.World.Objects[builder].SiteObject == site;
}

}  // namespace

Violations CheckOrders(const Game& game) {
    Report report;
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = game.World.Objects[i];
        if (o.Owner == 0) continue;
        if (o.OrderState == 1 && !LinkedSite(game, o.SiteObject))
            report.add("builder " + std::to_string(i) + " works on " + std::to_string(o.SiteObject) +
                       ", which is no site of its");
        if (o.OrderState == 2 && !LinkedSite(game, i))
            report.add("site " + std::to_string(i) + " names builder " + std::to_string(o.BuildLink) +
                       ", which is not at work on it");
    }
    const int site = game.LastCreatedObject;
    if (game.ClickMode == kClickPlaceSite && !LinkedSite(game, site))
        report.add("a site is placed, but object " + std::to_string(site) + " is no site with its builder");
    if (game.ClickMode == kClickChooseExit &&
        !(LinkedSite(game, site) && game.World.Objects[game.World.Objects[site].BuildLink].TurnsLeft == 0))
        report.add("an exit is chosen, but object " + std::to_string(site) + " is no finished site");
    for (i32 marker : game.ExitMarkers)
        if (marker != 0 && (game.ClickMode != kClickChooseExit || !Live(game, marker)))
            report.add("exit marker " + std::to_string(marker) +
                       (game.ClickMode != kClickChooseExit ? " outlives the exit choice" : " names a free slot"));
    return report.finish();
}

Violations CheckPathOrders(const Game& game) {
    Report report;
    std::vector<bool> seen(kMaxObjects + 1, false);
    for (const TPathOrder& o : game.PathOrders) {
        const std::string what = "path order of " + std::to_string(o.Unit);
        const bool live = Live(game, o.Unit);
        const int type = live ? game.World.Objects[o.Unit].TypeId : 0;
        if (!live || type < 1 || type > kTypeCount || game.UnitTypes[type].Category == 0)
            report.add(what + ": no unit");
        else if (game.World.Objects[o.Unit].OrderState != 0)
            report.add(what + ": the unit builds");
        else if (seen[static_cast<std::size_t>(o.Unit)])
            report.add(what + ": given twice");
        else
            seen[static_cast<std::size_t>(o.Unit)] = true;
        if (!game.InMap(o.Col, o.Row)) report.add(what + ": target " + Cell(o.Col, o.Row) + " off the map");
    }
    return report.finish();
}

Violations CheckSight(const Game& game) {
    Report report;
    if (!SightMatchesRecount(game)) report.add("sight counters differ from a recount of the objects");
    for (int p = 1; p <= kMaxPlayers; ++p) {
        int previous = 0;
        for (const TSeenStructure& s : game.Sight.Seen[p]) {
            if (s.Slot <= previous) report.add("player " + std::to_string(p) + " remembers slots out of order");
            if (s.Owner == p) report.add("player " + std::to_string(p) + " remembers their own structure");
            if (!game.InMap(s.Cells[1].col, s.Cells[1].row))
                report.add("player " + std::to_string(p) + " remembers a structure off the map");
            previous = s.Slot;
        }
        if (!MemoryCurrent(game, static_cast<u8>(p)))
            report.add("player " + std::to_string(p) + " does not remember what they see now");
    }
    return report.finish();
}

// The economy's marks and stores: the unpowered mark is 0 or 1 and only on a
// structure with a power pair; a storage structure holds what its type stores
// and no more than its capacity.
Violations CheckEconomy(const Game& game) {
    Report report;
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = game.World.Objects[i];
        if (o.Owner == 0) continue;
        const TUnitStats& s = o.Stats;
        const bool powered = s.ResourceKind1 == 4 || s.ResourceKind2 == 4 || s.ResourceKind3 == 4;
        if (o.Unpowered > 1 || (o.Unpowered == 1 && !powered))
            report.add("object " + std::to_string(i) + " has the unpowered mark " + std::to_string(o.Unpowered) +
                       (powered ? "" : " but takes no power"));
        if (s.Movement == kMoveStructure && s.CargoCapacity > 0 && o.Cargo > s.CargoCapacity)
            report.add("storage " + std::to_string(i) + " holds " + std::to_string(o.Cargo) + " of " +
                       std::to_string(s.CargoCapacity));
    }
    return report.finish();
}

Violations CheckInvariants(const Game& game) {
    const Cells busy = BusyCells(game);
    Violations all;
    for (Violations part : {ObjectLayersOf(game, busy), PictureOwnersOf(game, busy), CheckFreeSlots(game),
                            ConnectorsOf(game, busy), CheckOrders(game), CheckPathOrders(game), CheckEconomy(game)})
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace tarq
