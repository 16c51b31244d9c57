#include "control/Construction.h"

#include <algorithm>
#include <cstdlib>

#include "control/UnitMoves.h"
#include "core/Catalogue.h"
#include "core/Factory.h"
#include "core/Players.h"
#include "core/TypeSetup.h"
#include "core/World.h"

namespace tarq {

namespace {

const std::string kNoRoomForSite = " Плохое место для строительства, нужно 4 клетки";
const std::string kSiteOccupied =
    ": место стройки занято, готовое строение некуда поставить. Освободите его и выведите строителя снова";
const std::string kNoExit =
    "Некуда высаживать... освободи место\n или уничтожть строителя... или строение... что дороже?";
// A site names its builder in 8 bits.
constexpr int kMaxLinkedBuilder = 255;

bool ValidSlot(const Game& game, int slot) { return slot >= 1 && slot <= kMaxObjects && SlotInUse(game.Object(slot)); }

std::string NameOf(const Game& game, int type) {
    return type >= 1 && type <= kTypeCount ? game.UnitTypes[type].Name : std::string();
}

// Parks the object off the map, where it blocks nothing and is not drawn.
void ParkOffMap(Game& game, TGameObject& o) {
    for (TCellPos& p : o.Cells)
        p = {static_cast<i16>(game.World.MapWidth + 1), static_cast<i16>(game.World.MapHeight + 1)};
}

// The builder's footprint as it was when its site was created: a four-cell
// builder (a factory) is a block from its first cell, any other one cell.
TFootprint SavedBuilderFootprint(const Game& game, const TGameObject& builder) {
    return builder.CellCount == 4 ? BlockFootprint(game.SiteBuilderCol, game.SiteBuilderRow)
                                  : SingleCellFootprint(game.SiteBuilderCol, game.SiteBuilderRow);
}

void RestoreSiteBuilder(Game& game) {
    if (!ValidSlot(game, game.SiteBuilder)) return;
    TGameObject& b = game.Object(game.SiteBuilder);
    b.Cells = SavedBuilderFootprint(game, b);
}

// Frees a site or a marker (DeleteObject takes every picture that names it).
void ReleaseObject(Game& game, int slot) {
    if (ValidSlot(game, slot)) DeleteObject(game, slot);
}

// The site takes its construction look in map layer 2 and the builder stands
// on its own footprint again.
void FixSite(Game& game) {
    const int site = game.LastCreatedObject;
    if (ValidSlot(game, site)) {
        TakeUnrebuiltPictures(game, site);
        TGameObject& s = game.Object(site);
        for (TSpriteRef& ref : s.CellSprites) {
            ref.idU = kSiteSheet;
            ref.Spr = kSitePicture;
            ref.SprNext = kSiteSpriteEntry;
        }
        // Only the still site look: no second picture of the built type (a
        // tank's turret over the corner of the plant that builds it) and no
        // animation writing over what shares the site's cells.
        s.Layer = kLayerFlat - 1;
        s.SecondLayer = 0;
        s.AnimClass = 0;
    }
    RestoreSiteBuilder(game);
    game.ClickMode = kClickNormal;
    RebuildObjectLayers(game);
}

// Whether an object of `type` already covers a cell of the footprint `type`
// takes at (col, row). Roads share cells with roads and platforms with
// platforms, so the placement test alone would let one be built on another.
bool SameTypeThere(const Game& game, int col, int row, int type) {
    const TypeSetup* setup = FindTypeSetup(type);
    const TFootprint f = setup != nullptr && setup->TwoByTwo ? BlockFootprint(col, row) : SingleCellFootprint(col, row);
    for (const TGameObject& o : game.World.Objects)
        if (SlotInUse(o) && o.TypeId == type)
            for (const TCellPos& p : o.Cells)
                if (std::find(f.begin(), f.end(), p) != f.end()) return true;
    return false;
}

// Whether the footprint `type` takes at (col, row) touches a cell of another
// player (their road, say, which the placement test alone would allow).
bool SiteOnAnotherPlayersCell(const Game& game, int col, int row, int type) {
    const TypeSetup* setup = FindTypeSetup(type);
    return FootprintOfAnotherPlayer(game, setup != nullptr && setup->TwoByTwo ? BlockFootprint(col, row)
                                                                              : SingleCellFootprint(col, row));
}

// The blocks around the builder's cell (bc, br), in the order they are tried.
bool CreateSiteNear(Game& game, int bc, int br, int type) {
    const int tries[4][2] = {{bc, br}, {bc - 1, br}, {bc - 1, br - 1}, {bc, br - 1}};
    for (const auto& t : tries)
        if (!SameTypeThere(game, t[0], t[1], type) && !SiteOnAnotherPlayersCell(game, t[0], t[1], type) &&
            CreateObject(game, t[0], t[1], type, 1) == 1)
            return true;
    return false;
}

// What the command menu offers: a builder type lists the types of its own
// class, enabled while its cargo covers the cost, with options whose material
// the cargo holds. Anything else would make a site its builder cannot finish
// (or spend cargo it does not carry).
bool MenuOffers(const Game& game, const TGameObject& builder, const BuildOrder& order) {
    const int builderClass = BuilderClassOf(builder.TypeId);
    if (builderClass == 0 || game.UnitTypes[builder.TypeId].BuilderKind == 0) return false;
    if (game.UnitTypes[order.type].BuiltBy != builderClass) return false;
    return builder.Cargo >= game.UnitStats[order.type].Cost && order.material <= builder.Cargo;
}

std::string RefusalFor(const Game& game, int builder) {
    const TGameObject& u = game.Object(builder);
    if (builder > kMaxLinkedBuilder)
        return NameOf(game, u.TypeId) + " не может начать строительство: номер строителя больше " +
               std::to_string(kMaxLinkedBuilder);
    if (u.OrderState != 0) return NameOf(game, u.TypeId) + " уже занят: сначала отмените текущее строительство";
    return {};
}

void LinkOrder(Game& game, int builder, int site, TCellPos builderCell, const BuildOrder& order) {
    TGameObject& u = game.Object(builder);
    TGameObject& s = game.Object(site);
    game.SiteBuilder = static_cast<i16>(builder);
    s.OrderState = 2;
    u.SiteObject = site;
    s.BuildLink = static_cast<u8>(builder);
    game.SiteBuilderCol = builderCell.col;
    game.SiteBuilderRow = builderCell.row;
    u.OrderState = 1;
    u.TurnsTotal = static_cast<u8>(order.turns);
    u.TurnsLeft = static_cast<u8>(order.turns);
    u.BuildLink = static_cast<u8>(order.type);
    u.MaterialPerTurn = static_cast<u8>(order.material / order.turns);
    game.ClickMode = kClickPlaceSite;
}

// A site whose builder has finished, with that builder; 0 for both otherwise.
struct FinishedSite {
    int site = 0;
    int builder = 0;
};
FinishedSite FindFinishedSite(const Game& game, int site) {
    if (!ValidSlot(game, site) || game.Object(site).OrderState != 2) return {};
    const int builder = game.Object(site).BuildLink;
    if (!ValidSlot(game, builder)) return {};
    const TGameObject& b = game.Object(builder);
    if (b.OrderState != 1 || b.SiteObject != site || b.TurnsLeft != 0) return {};
    return {site, builder};
}

// Fills ExitCandidates with the cells around the site that take its movement
// class, each first cell once, in the order of the site's cells and then
// column offset -1, 0, 1 and row offset -1, 0, 1. The entries after the
// accepted ones are cleared. Returns how many were accepted.
int CollectExitCandidates(Game& game, int site) {
    const TGameObject& s = game.Object(site);
    int accepted = 0;
    for (const TCellPos& p : s.Cells)
        for (int dc = -1; dc <= 1; ++dc)
            for (int dr = -1; dr <= 1; ++dr) {
                if (accepted == kExitSlots) continue;
                const TFootprint f = SingleCellFootprint(p.col + dc, p.row + dr);
                const auto first = game.ExitCandidates.begin();
                const bool seen =
                    std::any_of(first, first + accepted, [&](const TFootprint& c) { return c[1] == f[1]; });
                if (!seen && CanPlace(game, f, s.Stats.Movement) != 0)
                    game.ExitCandidates[static_cast<std::size_t>(accepted++)] = f;
            }
    std::fill(game.ExitCandidates.begin() + accepted, game.ExitCandidates.end(), TFootprint{});
    return accepted;
}

void ReleaseExitMarkers(Game& game) {
    for (i32& marker : game.ExitMarkers) {
        if (marker != 0) ReleaseObject(game, marker);
        marker = 0;
    }
}

// A factory stays where it stands and its product leaves it; any other
// builder leaves the site, which becomes the finished object on its first cell.
bool DeliversProduct(const TGameObject& builder) { return builder.CellCount == 4; }

// Whether the finished object fits at `at` once the site is gone and the
// builder stands on its exit cell. Another unit may stand on the site of a
// road, a platform or a bridge, which lets it pass, and keep the finished
// object from being placed; the table is left as it was.
bool FinishedObjectFits(Game& game, const FinishedSite& f, const TFootprint& exit, bool product, TCellPos at) {
    TGameObject& site = game.Object(f.site);
    TGameObject& builder = game.Object(f.builder);
    const TFootprint siteCells = site.Cells, builderCells = builder.Cells;
    ParkOffMap(game, site);
    if (!product) builder.Cells = exit;
    const bool fits = CanPlaceType(game, at.col, at.row, site.TypeId) != 0;
    site.Cells = siteCells;
    builder.Cells = builderCells;
    return fits;
}

// The builder goes to the exit cell and the site becomes the real object. The
// markers of the exit choice go in any case; when the finished object would
// not fit, the site and the order stay as they were and the player is told.
// Releasing the site takes its ready markers with it.
void FinishAt(Game& game, const FinishedSite& f, const TFootprint& exit, ConstructionResult& result) {
    const bool product = DeliversProduct(game.Object(f.builder));
    const int type = game.Object(f.site).TypeId;
    const TCellPos at = product ? exit[1] : game.Object(f.site).Cells[1];
    ReleaseExitMarkers(game);
    result.acted = true;
    if (!FinishedObjectFits(game, f, exit, product, at)) {
        result.messages.push_back(NameOf(game, type) + kSiteOccupied);
        return;
    }
    if (!product) RelocateObject(game, f.builder, exit);
    ClearOrder(game, f.builder);
    ReleaseObject(game, f.site);
    if (CreateObject(game, at.col, at.row, type, 0) == 0)
        result.messages.push_back(NameOf(game, type) + ": нет места для готового строения");
}

}  // namespace

std::string BuildOrderRefusal(const Game& game, int builder, const BuildOrder& order) {
    if (!ValidSlot(game, builder) || order.type < 1 || order.type > kDefinedTypes || order.turns < 1)
        return "Такой стройки нет";
    const TGameObject& b = game.Object(builder);
    const int builderClass = BuilderClassOf(b.TypeId);
    if (builderClass == 0 || game.UnitTypes[b.TypeId].BuilderKind == 0) return NameOf(game, b.TypeId) + " не строит";
    if (game.UnitTypes[order.type].BuiltBy != builderClass)
        return NameOf(game, b.TypeId) + " не строит " + NameOf(game, order.type);
    const int cost = game.UnitStats[order.type].Cost;
    if (b.Cargo < cost || order.material > b.Cargo)
        return "Не хватает материала: нужно " + std::to_string(std::max(cost, order.material)) + ", в грузе " +
               std::to_string(b.Cargo);
    return {};
}

ConstructionResult StartConstruction(Game& game, int builder, const BuildOrder& order) {
    ConstructionResult result;
    if (game.ClickMode != kClickNormal || !ValidSlot(game, builder) || order.type < 1 || order.type > kDefinedTypes ||
        FindTypeSetup(order.type) == nullptr || order.turns < 1 || order.turns > 255)
        return result;
    if (!OwnedByCurrentPlayer(game, builder) || !MenuOffers(game, game.Object(builder), order)) return result;
    if (std::string refusal = RefusalFor(game, builder); !refusal.empty()) {
        result.messages.push_back(refusal);
        return result;
    }
    TGameObject& u = game.Object(builder);
    const TFootprint saved = u.Cells;
    ParkOffMap(game, u);
    if (!CreateSiteNear(game, saved[1].col, saved[1].row, order.type)) {
        u.Cells = saved;
        RebuildObjectLayers(game);
        result.messages.push_back(NameOf(game, u.TypeId) + kNoRoomForSite);
        return result;
    }
    const int site = game.LastCreatedObject;
    LinkOrder(game, builder, site, saved[1], order);
    if (game.Object(site).CellCount == 1) FixSite(game);
    result.acted = true;
    return result;
}

ConstructionResult ConfirmSite(Game& game) {
    ConstructionResult result;
    if (game.ClickMode != kClickPlaceSite) return result;
    FixSite(game);
    result.acted = true;
    return result;
}

ConstructionResult CancelSite(Game& game) {
    ConstructionResult result;
    if (game.ClickMode != kClickPlaceSite) return result;
    game.ClickMode = kClickNormal;
    game.SelectedObject = game.SiteBuilder;
    ClearOrder(game, game.SiteBuilder);
    RestoreSiteBuilder(game);
    if (ValidSlot(game, game.LastCreatedObject))
        ReleaseObject(game, game.LastCreatedObject);
    else
        RebuildObjectLayers(game);
    result.acted = result.selectionChanged = true;
    return result;
}

ConstructionResult TakeOutBuilder(Game& game, int value) {
    ConstructionResult result;
    if (game.ClickMode != kClickNormal || value == 0 || value < -kMaxObjects || value > kMaxObjects) return result;
    const FinishedSite f = FindFinishedSite(game, std::abs(value));
    if (f.site == 0 || !OwnedByCurrentPlayer(game, f.site) || !OwnedByCurrentPlayer(game, f.builder)) return result;
    const int accepted = CollectExitCandidates(game, f.site);
    if (accepted == 0) {
        result.messages.push_back(kNoExit);
        return result;
    }
    if (value < 0) {
        FinishAt(game, f, game.ExitCandidates[0], result);
        return result;
    }
    game.ClickMode = kClickChooseExit;
    const TGameObject& b = game.Object(f.builder);
    const int markerType = DeliversProduct(b) ? game.Object(f.site).TypeId : b.TypeId;
    game.ExitMarkers.fill(0);
    for (int k = 0; k < accepted; ++k) {
        const TCellPos p = game.ExitCandidates[static_cast<std::size_t>(k)][1];
        if (CreateObject(game, p.col, p.row, markerType, 1) == 1)
            game.ExitMarkers[static_cast<std::size_t>(k)] = game.LastCreatedObject;
    }
    game.LastCreatedObject = static_cast<i16>(f.site);
    result.acted = true;
    return result;
}

ConstructionResult ChooseExitCell(Game& game, int col, int row) {
    ConstructionResult result;
    if (game.ClickMode != kClickChooseExit || !game.InMap(col, row)) return result;
    const TCellPos clicked{static_cast<i16>(col), static_cast<i16>(row)};
    const auto hit = std::find_if(game.ExitCandidates.begin(), game.ExitCandidates.end(),
                                  [&](const TFootprint& c) { return c[1] == clicked; });
    if (hit == game.ExitCandidates.end()) return result;
    const TFootprint exit = *hit;
    const FinishedSite f = FindFinishedSite(game, game.LastCreatedObject);
    if (f.site == 0) return CancelExitChoice(game);
    FinishAt(game, f, exit, result);
    game.ClickMode = kClickNormal;
    return result;
}

ConstructionResult CancelExitChoice(Game& game) {
    ConstructionResult result;
    if (game.ClickMode != kClickChooseExit) return result;
    game.ClickMode = kClickNormal;
    ReleaseExitMarkers(game);
    result.acted = true;
    return result;
}

ConstructionResult CancelConstruction(Game& game, int builder) {
    ConstructionResult result;
    if (game.ClickMode != kClickNormal || !ValidSlot(game, builder) || game.Object(builder).OrderState != 1 ||
        !OwnedByCurrentPlayer(game, builder))
        return result;
    const int site = game.Object(builder).SiteObject;
    if (ValidSlot(game, site) && game.Object(site).OrderState == 2 && game.Object(site).BuildLink == builder)
        ReleaseObject(game, site);
    ClearOrder(game, builder);
    result.acted = true;
    return result;
}

bool DestroyStructure(Game& game) { return DestroyStructure(game, game.SelectedObject); }

bool DestroyStructure(Game& game, int slot) {
    if (slot < 1 || slot > kMaxObjects || !OwnedByCurrentPlayer(game, slot)) return false;
    DeleteObject(game, slot);
    return true;
}

}  // namespace tarq
