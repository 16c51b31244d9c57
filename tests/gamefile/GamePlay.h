// Games for the game-file tests: a generated map launched as the window does
// it, played through stages of a construction, and a comparison of two games
// over everything a game file must carry.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/BasePlacement.h"
#include "control/Construction.h"
#include "control/EndTurn.h"
#include "control/UnitMoves.h"
#include "core/World.h"
#include "setup/Launch.h"
#include "setup/Purchases.h"
#include "setup/Shop.h"
#include "view/Animation.h"
#include "view/Overlays.h"
#include "view/Renderer.h"
#include "view/Viewport.h"
#include "world/MapGenerator.h"
#include "world/MapParameters.h"

namespace tarq::testing {

constexpr int kSurfaceWidth = 320, kSurfaceHeight = 240;

// A generated side x side map, launched with the starting kit, base not placed.
inline std::unique_ptr<Game> LaunchedGame(int side, std::uint32_t seed = 7) {
    auto game = NewGame();
    Game& g = *game;
    InitData(g);
    g.ViewSettings.ShowConnectors = 1;
    ChooseStartGold(g, 150);
    g.NewGameChoices.NoAlienUnits = 1;
    ApplyPurchaseRestrictions(g, false, true);
    g.Settings.InfoShown[0] = 1, g.Settings.WaitForRetrace = 1, g.Settings.FullScreenMode = 0;
    ResetPurchases(g);
    BuyType(g, 3);
    MapControls controls;
    controls.mapSizeItem = side <= 50 ? 0 : 5;
    MapParameters params = ReadMapParameters(g, controls);
    params.MapWidth = params.MapHeight = static_cast<i16>(side);
    g.Rng = RandomSource([seed] { return seed; });
    GenerateMap(g, params, g.Rng);
    EXPECT_TRUE(ReadAnimPeriods(g, "10", "18").ok);
    SetLaunchPlayer(g);
    EXPECT_TRUE(ApplyLandingSectors(g, false).ok);
    ApplyLaunchChoices(g, 0, 2);
    g.ViewSettings.ViewCenterCol = g.ViewSettings.ViewCenterRow = static_cast<i16>(side / 2);
    g.ViewSettings.FirstCol = g.ViewSettings.FirstRow = 1;
    g.ViewSettings.Scale = 40;
    UpdateViewGeometry(g, kSurfaceWidth, kSurfaceHeight);
    MarkViewForFirstFrame(g);
    return game;
}

inline int FirstOfType(const Game& g, int type) {
    for (int slot = 1; slot <= kMaxObjects; ++slot)
        if (SlotInUse(g.Object(slot)) && g.Object(slot).TypeId == type) return slot;
    return 0;
}

// The selection's build option of `type` in `turns` turns with `material`.
inline ConstructionResult StartBuild(Game& g, int type, int turns, int material) {
    return StartConstruction(g, g.SelectedObject, {type, turns, material});
}

// The land cell nearest the middle of the map with land all around in 9 x 9.
inline TCellPos RoomyLand(const Game& g) {
    const auto roomy = [&](int c, int r) {
        for (int dc = -4; dc <= 4; ++dc)
            for (int dr = -4; dr <= 4; ++dr)
                if (!g.InMap(c + dc, r + dr) || g.World.Passability(c + dc, r + dr) != kPassLand) return false;
        return true;
    };
    const int mc = g.World.MapWidth / 2, mr = g.World.MapHeight / 2;
    for (int d = 0; d < mc; ++d)
        for (int c = mc - d; c <= mc + d; ++c)
            for (int r = mr - d; r <= mr + d; ++r)
                if (roomy(c, r)) return {static_cast<i16>(c), static_cast<i16>(r)};
    ADD_FAILURE() << "no room for the base";
    return {static_cast<i16>(mc), static_cast<i16>(mr)};
}

// The stages of a short game; each acts on the game it is given the same way
// whatever game that is, so an original and its loaded copy can go on in step.
struct Stage {
    const char* name;
    std::function<void(Game&)> act;
};

inline std::vector<Stage> Stages() {
    constexpr int kConstructor = 1, kEngineer = 13, kMiningComplex = 39, kStorage = 55;
    return {
        {"launched", [](Game&) {}},
        {"base landed",
         [](Game& g) {
             const TCellPos base = RoomyLand(g);
             ASSERT_TRUE(PlaceInitialForce(g, base.col, base.row));
             CentreViewOnBase(g, base.col, base.row);
             for (int o = 0; o < kMapOverlays; ++o) ToggleOverlay(g, static_cast<MapOverlay>(o));
         }},
        {"site being placed",
         [](Game& g) {
             g.SelectedObject = FirstOfType(g, kConstructor);
             ASSERT_TRUE(StartBuild(g, kMiningComplex, 3, 30).acted);
             ASSERT_EQ(g.ClickMode, kClickPlaceSite);
             for (int tick = 0; tick < 7; ++tick) StepPulse(g);
         }},
        {"finished site with its ready marker",
         [](Game& g) {
             ConfirmSite(g);
             g.SelectedObject = FirstOfType(g, kEngineer);
             ASSERT_TRUE(StartBuild(g, kStorage, 1, 4).acted);
             EndTurn(g);
             ASSERT_EQ(g.ReadyLayerOn, 1);
         }},
        {"exit being chosen",
         [](Game& g) {
             ASSERT_TRUE(TakeOutBuilder(g, g.Object(FirstOfType(g, kEngineer)).SiteObject).acted);
             ASSERT_EQ(g.ClickMode, kClickChooseExit);
         }},
        {"several turns on",
         [](Game& g) {
             const TCellPos exit = g.ExitCandidates[0][1];
             ChooseExitCell(g, exit.col, exit.row);
             for (int turn = 0; turn < 4; ++turn) {
                 for (int slot = 1; slot <= kMaxObjects; ++slot)
                     if (g.Object(slot).MovesLeft > 0 && g.Object(slot).OrderState == 0)
                         StepToward(g, slot, g.Object(slot).Cells[1].col + 3, g.Object(slot).Cells[1].row - 2);
                 for (int tick = 0; tick < 25; ++tick) AdvanceAnimations(g);
                 EndTurn(g);
             }
             ToggleGeology(g), ToggleGrid(g);
             ToggleOverlay(g, MapOverlay::Scan);
             g.Rng.Random(1000);
         }},
    };
}

// Whether two grids agree on every cell the game reads or draws: the map of
// `width` x `height` and two cells past it, from column and row 0.
template <typename T>
bool SameCells(const CellGrid<T>& a, const CellGrid<T>& b, int width, int height) {
    for (int col = 0; col <= width + 2; ++col)
        if (std::memcmp(&a(col, 0), &b(col, 0), sizeof(T) * static_cast<std::size_t>(height + 3)) != 0) return false;
    return true;
}

// The first part of the game state where a and b differ, or "" when they are
// the same in everything a game file carries and everything the game derives
// from it: the match, the view, the picture layers. The preferences (never
// in a file), the values of the moment, the scratch records and the
// layer-rebuild bookkeeping are left out.
inline std::string StateDifference(const Game& a, const Game& b) {
    const auto same = [](const auto& x, const auto& y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    const TWorld &wa = a.World, &wb = b.World;
    const int w = wa.MapWidth, h = wa.MapHeight;
    const auto cells = [&](const auto& x, const auto& y) { return SameCells(x, y, w, h); };
    const std::pair<const char*, bool> parts[] = {
        {"map size and settings", wa.MapWidth == wb.MapWidth && wa.MapHeight == wb.MapHeight &&
                                      wa.TerrainSet == wb.TerrainSet && wa.StartGold == wb.StartGold &&
                                      same(wa.LandingSectors, wb.LandingSectors) &&
                                      a.UseLandingSectors == b.UseLandingSectors},
        {"picture layers", cells(a.Map.Cells(), b.Map.Cells())},
        {"terrain", cells(wa.Terrain, wb.Terrain)},
        {"passability", cells(wa.Passability, wb.Passability)},
        {"deposits", cells(wa.Resources, wb.Resources)},
        {"connectors", cells(wa.Connectors, wb.Connectors)},
        {"objects", wa.Objects == wb.Objects && a.ObjectTemplate == b.ObjectTemplate},
        {"view", a.ViewSettings == b.ViewSettings && a.VisibleCols == b.VisibleCols && a.VisibleRows == b.VisibleRows &&
                     a.CellPixels == b.CellPixels && a.PlayerViews == b.PlayerViews},
        {"game id, turn and random source", a.GameId == b.GameId && a.Turn == b.Turn && a.Rng.Seed() == b.Rng.Seed()},
        {"selection and click mode",
         a.SelectedObject == b.SelectedObject && a.LastCreatedObject == b.LastCreatedObject &&
             a.ClickMode == b.ClickMode && a.MoveArmed == b.MoveArmed && a.ReadyLayerOn == b.ReadyLayerOn &&
             a.BasePromptShown == b.BasePromptShown && a.PulseAlpha == b.PulseAlpha && a.PulseStep == b.PulseStep},
        {"construction in progress", a.SiteBuilder == b.SiteBuilder && a.SiteBuilderCol == b.SiteBuilderCol &&
                                         a.SiteBuilderRow == b.SiteBuilderRow && a.ExitCandidates == b.ExitCandidates &&
                                         a.ExitMarkers == b.ExitMarkers},
        {"players, their purchases and the types on sale",
         a.Players == b.Players && a.CurrentPlayer == b.CurrentPlayer},
        {"command log", a.Log == b.Log},
        {"start-of-turn notices", a.Notices == b.Notices},
        {"catalogue", a.SpriteTable == b.SpriteTable && a.UnitStats == b.UnitStats},
    };
    for (const auto& [name, equal] : parts)
        if (!equal) return name;
    return "";
}

}  // namespace tarq::testing
