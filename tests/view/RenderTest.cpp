#include <gtest/gtest.h>

#include <string>

#include "core/Factory.h"
#include "core/Players.h"
#include "core/SightCounts.h"
#include "core/World.h"
#include "view/Animation.h"
#include "view/Overlays.h"
#include "view/RenderReference.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

namespace tarq {
namespace {

using testref::MakeFlatSheet;
using testref::MakeSheet;
using testref::RefFrame;

constexpr int kWidth = 230;
constexpr int kHeight = 170;
constexpr Pixel kBlack = 0xFF000000u;

// The image list of the game with synthetic sheets of the real pattern sizes.
ImageList SyntheticImages(std::uint32_t seed) {
    ImageList list;
    auto add = [&](int size, int cols, int rows, bool transparent) {
        list.append() = MakeSheet(size, cols, rows, transparent, seed + static_cast<std::uint32_t>(list.count()));
    };
    for (int i = 0; i < 3; ++i) add(64, 3, 3, false);  // 0-2 structures over terrain
    add(64, 3, 3, true);                               // 3 structures
    add(64, 4, 2, false);                              // 4 terrain
    for (int i = 0; i < 3; ++i) add(32, 4, 1, true);   // 5-7 geology
    add(28, 4, 4, true);                               // 8 connectors
    add(63, 4, 2, true);                               // 9 units
    add(63, 4, 2, true);                               // 10 units
    add(93, 3, 2, true);                               // 11 large units
    add(63, 4, 2, true);                               // 12 units
    add(93, 3, 2, true);                               // 13 turrets
    add(64, 4, 1, true);                               // 14 notices
    return list;
}

std::string Difference(const Bitmap& a, const Bitmap& b) {
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y))
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") " + std::to_string(a.at(x, y)) +
                       " vs " + std::to_string(b.at(x, y));
    return "";
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
        images = SyntheticImages(11);
        rng.SetSeed(1234);
        MakeWorld(120, 100);
    }

    // Terrain everywhere (a few cells hidden), deposits, and random pictures
    // in the other layers of every fourth cell.
    void MakeWorld(int w, int h) {
        game->World.MapWidth = static_cast<i16>(w);
        game->World.MapHeight = static_cast<i16>(h);
        for (int c = 1; c <= w; ++c)
            for (int r = 1; r <= h; ++r) {
                TMapCell& cell = game->Map(c, r);
                cell.Layers[1] = {4, static_cast<i16>(rng.Random(8)), 0, 0, static_cast<u8>(rng.Random(20) != 0)};
                cell.Layers[7] = {static_cast<u8>(5 + rng.Random(3)), static_cast<i16>(rng.Random(4)), 0, 0,
                                  static_cast<u8>(rng.Random(2))};
                if (rng.Random(4) == 0) RandomLayers(c, r);
            }
    }

    TSpriteRef RandomPicture() {
        const int idU = rng.Random(16);  // 15 names no item
        const int count = idU < images.count() ? images[idU].patternCount() : 4;
        return {static_cast<u8>(idU), static_cast<i16>(rng.Random(count + 3) - 1), static_cast<i16>(rng.Random(6)), 0,
                static_cast<u8>(rng.Random(4) != 0)};
    }

    void RandomLayers(int c, int r) {
        for (int layer = 2; layer <= 8; ++layer)
            if (rng.Random(2) == 0) game->Map(c, r).Layers[layer] = RandomPicture();
    }

    void SetScale(int scale) {
        game->ViewSettings.Scale = static_cast<u16>(scale);
        UpdateViewGeometry(*game, kWidth, kHeight);
    }

    // A drawing tick's frame: the view kept on the map and the pulse's step
    // while a site or an exit waits, as the window does, then the frame.
    template <typename Target>
    void Frame(Target& target, FrameCache& frameCache) {
        ClampView(*game);
        if (game->ClickMode == kClickPlaceSite || game->ClickMode == kClickChooseExit) StepPulse(*game);
        RenderFrame(*game, images, target, frameCache);
    }

    // Renders over `fill` and checks the whole surface against the reference;
    // outside the drawn cells the surface must keep `fill`, which the
    // reference's black stands for only when fill is black.
    void RenderAndCompare(const std::string& what, Pixel fill = kBlack) {
        Bitmap back(kWidth, kHeight, fill);
        Frame(back, cache);
        Bitmap expected = RefFrame(*game, images, kWidth, kHeight);
        if (fill != kBlack) {
            const FrameGeometry g = ComputeFrameGeometry(*game);
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) {
                    const bool drawn = x >= g.originX && x < g.originX + g.Cols() * g.pitch && y >= g.originY &&
                                       y < g.originY + g.Rows() * g.pitch;
                    if (!drawn) expected.at(x, y) = fill;
                }
        }
        ASSERT_EQ(Difference(back, expected), "") << what;
    }

    // Renders into the kept buffer, after a clear as the drawing tick does or
    // without one as the view handlers do, and copies only the rectangles it
    // reports changed onto `screen`: buffer and screen must both show the
    // reference frame, with the old pixels outside the cells when not cleared.
    void RenderKeptAndCompare(const std::string& what, bool clear) {
        if (clear) kept.Clear(kBlack);
        Frame(kept, keptCache);
        const Bitmap reference = RefFrame(*game, images, kWidth, kHeight);
        const PixelRect area = ComputeFrameGeometry(*game).Area();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (clear || area.contains({x, y, x + 1, y + 1})) shown.at(x, y) = reference.at(x, y);
        for (const PixelRect& r : kept.TakeChanges())
            for (int y = r.y0; y < r.y1; ++y)
                for (int x = r.x0; x < r.x1; ++x) screen.at(x, y) = kept.Pixels().at(x, y);
        ASSERT_EQ(Difference(kept.Pixels(), shown), "") << what << ": kept buffer";
        ASSERT_EQ(Difference(screen, shown), "") << what << ": changed rectangles";
    }

    std::unique_ptr<Game> game;
    ImageList images;
    FrameCache cache;
    RandomSource rng{[] { return 1u; }};
    BackBuffer kept{kWidth, kHeight};
    FrameCache keptCache;
    Bitmap screen{kWidth, kHeight, 0xFF445566u};  // what the window shows
    Bitmap shown{kWidth, kHeight};                // what it should show
};

// Every zoom, with and without the grid, at several view positions and in
// every click mode, against the reference drawn from scratch.
TEST_F(RenderTest, FramesMatchTheReferenceAtEveryScale) {
    struct View {
        int firstCol, firstRow, offsetX, offsetY;
    };
    const View views[] = {{1, 1, 0, 0}, {5, 3, 7, -4}, {40, 60, -30, 25}, {300, 300, 3, 3}};
    game->LastCreatedObject = -3;
    game->ExitMarkers[4] = 5;
    game->PulseAlpha = 100;
    for (int scale : {5, 15, 50, 100, 120})
        for (const u8 grid : {u8{0}, u8{1}})
            for (const View& v : views)
                for (const u8 mode : {u8{0}, u8{1}, u8{2}}) {
                    SetScale(scale);
                    game->ViewSettings.ShowGrid = grid;
                    game->ViewSettings.FirstCol = static_cast<i16>(v.firstCol);
                    game->ViewSettings.FirstRow = static_cast<i16>(v.firstRow);
                    game->ViewSettings.ViewOffsetX = static_cast<i16>(v.offsetX);
                    game->ViewSettings.ViewOffsetY = static_cast<i16>(v.offsetY);
                    game->ClickMode = mode;
                    game->ReadyLayerOn = static_cast<u8>(mode == 1);
                    RenderAndCompare("scale " + std::to_string(scale) + " grid " + std::to_string(grid) + " col " +
                                     std::to_string(v.firstCol) + " mode " + std::to_string(mode));
                    if (HasFatalFailure()) return;
                }
}

// Whatever the back buffer held, the drawn cells come out as if drawn onto
// black, and nothing outside them is touched.
TEST_F(RenderTest, DrawnAreaIsFullyDefinedAndTheRestUntouched) {
    for (int scale : {5, 50}) {
        SetScale(scale);
        game->ViewSettings.ShowGrid = 1;
        game->ViewSettings.FirstCol = 1;
        game->ViewSettings.ViewOffsetX = 12;
        game->ViewSettings.ViewOffsetY = 9;
        RenderAndCompare("scale " + std::to_string(scale), 0xFF123456u);
    }
}

// Flat one-colour sheets make single pixels easy to read.
class RenderPixelTest : public RenderTest {
protected:
    static constexpr Pixel kKey = 0xFFFF00FFu;
    static constexpr Pixel kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu, kYellow = 0xFFFFFF00u;

    void SetUp() override {
        game = NewGame();
        InitData(*game);
        images = ImageList();
        images.append() = MakeFlatSheet(64, {kRed, kGreen, kBlue, kYellow, kKey}, true, kKey);
        game->World.MapWidth = 30;
        game->World.MapHeight = 30;
        SetScale(15);  // 9-pixel cells
    }
    void Put(int c, int r, int layer, int pattern, int id = 0) {
        game->Map(c, r).Layers[layer] = {0, static_cast<i16>(pattern), static_cast<i16>(id), 0, 1};
    }
    // Centre pixel of cell (c, r) after a frame over a grey surface.
    Pixel Centre(int c, int r) {
        back = Bitmap(kWidth, kHeight, 0xFF808080u);
        Frame(back, cache);
        const TViewSettings& v = game->ViewSettings;
        return back.at(v.ViewOffsetX + (c - v.FirstCol) * 9 + 4, v.ViewOffsetY + (r - v.FirstRow) * 9 + 4);
    }
    Bitmap back;
};

TEST_F(RenderPixelTest, LaterLayersCoverEarlierOnesAndHiddenLayersAreSkipped) {
    Put(2, 2, 1, 0);
    Put(2, 2, 3, 1);
    Put(2, 2, 6, 2);
    Put(2, 2, 7, 4);  // all key: shows what lies below
    EXPECT_EQ(Centre(2, 2), kBlue);
    game->Map(2, 2).Layers[6].show = 0;
    EXPECT_EQ(Centre(2, 2), kGreen);
    game->Map(2, 2).Layers[3].show = 0;
    EXPECT_EQ(Centre(2, 2), kRed);
    game->Map(2, 2).Layers[1].show = 0;
    EXPECT_EQ(Centre(2, 2), kBlack);
    game->Map(2, 2).Layers[1].Spr = 5;  // no such pattern
    game->Map(2, 2).Layers[1].show = 1;
    EXPECT_EQ(Centre(2, 2), kBlack);
}

TEST_F(RenderPixelTest, LayerEightOnlyWhileReadyMarkersAreOn) {
    Put(3, 3, 1, 0);
    Put(3, 3, 8, 3);
    EXPECT_EQ(Centre(3, 3), kRed);
    game->ReadyLayerOn = 1;
    EXPECT_EQ(Centre(3, 3), kYellow);
    game->ReadyLayerOn = 0;
    EXPECT_EQ(Centre(3, 3), kRed);
}

// The notice of a finished 2 x 2 site is drawn once over its footprint, each
// cell showing its own quarter; a one-cell site shows the whole notice. At
// 9-pixel cells looks are kept, so a quarter must be a look of its own.
TEST_F(RenderPixelTest, TheNoticeOfALargeSiteSpansItsFootprintOnce) {
    while (images.count() < kReadyMarkerSheet) images.append();
    Bitmap sheet(128, 64, 0xFF808080u);  // notice 0 grey, notice 1 in four coloured quarters
    const Pixel quarters[] = {kRed, kGreen, kBlue, kYellow};
    for (int y = 0; y < 64; ++y)
        for (int x = 64; x < 128; ++x) sheet.at(x, y) = quarters[(x >= 96 ? 1 : 0) + (y >= 32 ? 2 : 0)];
    SetSheet(images.append(), std::move(sheet), 64, 64, false);
    auto site = [&](int slot, std::vector<TCellPos> cells) {
        TGameObject& o = game->Object(slot);
        o.Owner = 1, o.CellCount = static_cast<u8>(cells.size());
        for (std::size_t j = 0; j < cells.size(); ++j) {
            o.Cells[static_cast<int>(j) + 1] = cells[j];
            game->Map(cells[j].col, cells[j].row).Layers[kLayerReady] = {kReadyMarkerSheet, 1, static_cast<i16>(slot),
                                                                         0, 1};
        }
    };
    site(1, {{5, 5}, {4, 5}, {5, 4}, {4, 4}});
    site(2, {{8, 4}});
    game->ReadyLayerOn = 1;
    back = Bitmap(kWidth, kHeight, kBlack);
    Frame(back, cache);
    const TViewSettings& v = game->ViewSettings;
    const struct {
        int col, row;
        Pixel topLeft, bottomRight;
    } cells[] = {{4, 4, kRed, kRed},
                 {5, 4, kGreen, kGreen},
                 {4, 5, kBlue, kBlue},
                 {5, 5, kYellow, kYellow},
                 {8, 4, kRed, kYellow}};
    for (const auto& c : cells) {
        const int x = v.ViewOffsetX + (c.col - v.FirstCol) * 9, y = v.ViewOffsetY + (c.row - v.FirstRow) * 9;
        EXPECT_EQ(back.at(x, y), c.topLeft) << c.col << "," << c.row;
        EXPECT_EQ(back.at(x + 8, y + 8), c.bottomRight) << c.col << "," << c.row;
    }
}

TEST_F(RenderPixelTest, PulseBlendsOnlyTheChosenIds) {
    for (int c = 1; c <= 6; ++c) Put(c, 1, 1, 0);  // red terrain, id 0
    Put(2, 1, 4, 2, 4);                            // blue, the site (LastCreatedObject -4)
    Put(3, 1, 4, 2, 9);                            // blue, an exit marker
    Put(4, 1, 4, 2, 5);                            // blue, nobody
    Put(5, 1, 8, 2, 4);                            // the ready layer never pulses
    game->ReadyLayerOn = 1;
    game->LastCreatedObject = -4;
    game->ExitMarkers = {};
    game->ExitMarkers[6] = 9;
    game->ClickMode = 2;
    const Pixel site = Centre(2, 1);
    ASSERT_EQ(game->PulseAlpha, 20);  // first frame from the start values
    const Pixel half = BlendPixel(kBlue, kRed, 20);
    EXPECT_EQ(site, half);
    EXPECT_EQ(Centre(3, 1), BlendPixel(kBlue, kRed, 40));
    EXPECT_EQ(Centre(4, 1), kBlue);
    EXPECT_EQ(Centre(5, 1), kBlue);
    EXPECT_EQ(Centre(1, 1), kRed);  // id 0 terrain: the empty marker entries do not match it
    game->ClickMode = 1;            // markers no longer pulse, the site still does
    EXPECT_EQ(Centre(3, 1), kBlue);
    const Pixel later = Centre(2, 1);
    EXPECT_EQ(later, BlendPixel(kBlue, kRed, game->PulseAlpha));
    game->ClickMode = 0;
    EXPECT_EQ(Centre(2, 1), kBlue);
}

// A pulsing cell that leaves the drawn rows and comes back must show the
// current opacity, not the one it was composed with.
TEST_F(RenderPixelTest, PulsingCellScrolledOutAndBackIsComposedAgain) {
    ASSERT_EQ(game->VisibleRows, 19);  // rows 1..22 drawn from FirstRow 2, 1..21 from FirstRow 1
    for (int r = 1; r <= 30; ++r) Put(3, r, 1, 0);
    Put(3, 22, 4, 2, 4);
    game->ClickMode = 1;
    game->LastCreatedObject = 4;
    game->ViewSettings.ViewOffsetY = -20;  // row 22 on screen from FirstRow 2
    for (int firstRow : {2, 1, 1, 2, 2}) {
        game->ViewSettings.FirstRow = static_cast<i16>(firstRow);
        RenderAndCompare("first row " + std::to_string(firstRow));
    }
}

TEST_F(RenderPixelTest, PulseRunsBetweenFortyAndTwoHundredForty) {
    game->ClickMode = 1;
    std::vector<int> alphas;
    for (int i = 0; i < 26; ++i) {
        back = Bitmap(kWidth, kHeight);
        Frame(back, cache);
        alphas.push_back(game->PulseAlpha);
    }
    const std::vector<int> expected = {20,  40,  60,  80,  100, 120, 140, 160, 180, 200, 220, 240, 220,
                                       200, 180, 160, 140, 120, 100, 80,  60,  40,  60,  80,  100, 120};
    EXPECT_EQ(alphas, expected);
}

TEST_F(RenderPixelTest, ColumnLeftOfTheOffsetOnlyWhenFirstColIsAboveOne) {
    for (int c = 1; c <= 10; ++c) Put(c, 1, 1, 1);
    game->ViewSettings.ViewOffsetX = 10;
    game->ViewSettings.FirstCol = 5;
    back = Bitmap(kWidth, kHeight, 0xFF808080u);
    Frame(back, cache);
    EXPECT_EQ(back.at(1, 4), kGreen);  // column 4 starts at 10 - 9
    EXPECT_EQ(back.at(0, 4), 0xFF808080u);
    game->ViewSettings.FirstCol = 1;
    back = Bitmap(kWidth, kHeight, 0xFF808080u);
    Frame(back, cache);
    EXPECT_EQ(back.at(9, 4), 0xFF808080u);  // nothing left of column 1
    EXPECT_EQ(back.at(10, 4), kGreen);
}

TEST_F(RenderPixelTest, TwoCellsBeyondTheMapAreDrawnAndNoMore) {
    game->World.MapWidth = 10;  // narrower than the surface: VisibleCols = 10
    SetScale(15);
    for (int c = 9; c <= 13; ++c) Put(c, 1, 1, 2);
    EXPECT_EQ(Centre(10, 1), kBlue);
    EXPECT_EQ(Centre(11, 1), kBlue);  // written beyond the map: drawn like any cell
    EXPECT_EQ(Centre(12, 1), kBlue);
    EXPECT_EQ(Centre(13, 1), 0xFF808080u);  // beyond the drawn range
    game->Map(12, 1).Layers[1] = EmptySpriteRef;
    EXPECT_EQ(Centre(12, 1), kBlack);
}

// A long run of random changes between frames: every frame must equal the
// reference drawn from scratch, so no cell of the cache may ever be stale, and
// the kept buffer and the rectangles it reports must follow it.
TEST_F(RenderTest, CacheNeverShowsAStaleCell) {
    for (int slot = 1; slot <= 6; ++slot) {
        TGameObject& o = game->World.Objects[slot];
        o.Owner = 1;
        o.Active = 1;
        o.AnimClass = static_cast<u8>(slot % 2 == 0 ? 1 : 2);
        o.CellCount = 1;
        for (int k = 1; k <= 4; ++k) o.Cells[k] = {static_cast<i16>(2 + slot * 3), static_cast<i16>(3 + slot)};
        o.Layer = 3;
        o.CellSprites[1] = {9, 0, static_cast<i16>(slot), 800, 1};
    }
    for (int i = 0; i < 4; ++i)
        game->SpriteTable[static_cast<std::size_t>(800 + i)] = {9, static_cast<i16>(i), 0,
                                                                static_cast<i16>(800 + (i + 1) % 4), 0};
    game->SlowAnimPeriod = 2;
    static const int kScales[] = {5, 15, 50, 100, 120, 7, 30};
    SetScale(5);
    std::string what = "first frame";
    for (int step = 0; step < 400; ++step) {
        RenderAndCompare("step " + std::to_string(step) + ": " + what);
        if (HasFatalFailure()) return;
        RenderKeptAndCompare("step " + std::to_string(step) + ": " + what, rng.Random(4) != 0);
        if (HasFatalFailure()) return;
        TViewSettings& v = game->ViewSettings;
        switch (rng.Random(12)) {
            case 0:
                what = "zoom";
                SetScale(kScales[rng.Random(7)]);
                break;
            case 1:
                what = "scroll by a few cells";
                v.FirstCol = static_cast<i16>(v.FirstCol + rng.Random(7) - 3);
                v.FirstRow = static_cast<i16>(v.FirstRow + rng.Random(7) - 3);
                break;
            case 2:
                what = "jump";
                v.FirstCol = static_cast<i16>(1 + rng.Random(120));
                v.FirstRow = static_cast<i16>(1 + rng.Random(100));
                break;
            case 3:
                what = "smooth offset";
                v.ViewOffsetX = static_cast<i16>(rng.Random(game->CellPixels + 1));
                v.ViewOffsetY = static_cast<i16>(rng.Random(game->CellPixels + 1));
                break;
            case 4: {
                what = "object change";
                const int c = 1 + rng.Random(120), r = 1 + rng.Random(100);
                RandomLayers(c, r);
                break;
            }
            case 5:
                what = "geology";
                ToggleGeology(*game);
                break;
            case 6:
                what = "grid";
                ToggleGrid(*game);
                break;
            case 7:
                what = "ready markers";
                game->ReadyLayerOn ^= 1;
                break;
            case 8:
                what = "click mode";
                game->ClickMode = static_cast<u8>(rng.Random(3));
                game->LastCreatedObject = static_cast<i16>(rng.Random(7) - 3);
                game->ExitMarkers[static_cast<std::size_t>(rng.Random(kExitSlots))] = rng.Random(7) - 1;
                break;
            case 9:
                what = "animation";
                AdvanceAnimations(*game);
                AdvanceAnimations(*game);
                AdvanceAnimations(*game);
                break;
            case 10:
                what = "reloaded terrain sheet";
                images[4] = MakeSheet(64, 4, 2, false, static_cast<std::uint32_t>(step));
                break;
            default: what = "nothing"; break;
        }
    }
}

// With nothing changed the next frame composes nothing; one changed cell is
// composed alone.
TEST_F(RenderTest, UnchangedFramesComposeNothing) {
    SetScale(5);
    Bitmap back(kWidth, kHeight);
    Frame(back, cache);
    EXPECT_GT(cache.ComposedLastFrame(), 1000);
    Frame(back, cache);
    EXPECT_EQ(cache.ComposedLastFrame(), 0);
    game->Map(10, 10).Layers[4] = {9, 1, 0, 0, 1};
    Frame(back, cache);
    EXPECT_EQ(cache.ComposedLastFrame(), 1);
    game->ViewSettings.FirstCol = 2;  // one column scrolls in
    Frame(back, cache);
    EXPECT_LE(cache.ComposedLastFrame(), game->VisibleRows + 3);
}

// The renderer only reads: the flags become requests to the window, and the
// game keeps its view (even one left off the map), its flags and its pulse.
TEST_F(RenderTest, AFrameAsksForTheMinimapAndTheControlsAndChangesNothing) {
    SetScale(15);
    game->ViewSettings.FirstCol = -7;
    game->ClickMode = kClickPlaceSite;
    game->PulseAlpha = 60;
    Bitmap back(kWidth, kHeight);
    for (const FrameRequests expected : {FrameRequests{true, false}, FrameRequests{false, true}, FrameRequests{}}) {
        game->MinimapDirty = expected.rebuildMinimap ? 1 : 0;
        game->ViewChanged = expected.syncViewControls ? 1 : 0;
        EXPECT_EQ(RenderFrame(*game, images, back, cache), expected);
        EXPECT_EQ(game->MinimapDirty, expected.rebuildMinimap ? 1 : 0);
        EXPECT_EQ(game->ViewSettings.FirstCol, -7);
        EXPECT_EQ(game->PulseAlpha, 60);
    }
}

// With two players every unit is drawn from its owner's copy of the sheet,
// the team shade recoloured and nothing else; the minimap marks it too.
TEST_F(RenderTest, UnitsShowTheirPlayersColour) {
    const Pixel team = TeamColourAt(0).base, red = TeamColourAt(1).base, other = 0xFF112233u;
    images[9] = MakeFlatSheet(63, {team, other}, true, kBlack);
    game->Players.Count = 2;
    game->Players.Table[2] = TPlayer{};
    game->Players.Table[2].Number = 2;
    game->Players.Table[2].Colour = 1;
    images.addTeamCopies({0, 1});
    const struct {
        int slot, col, spr;
        Pixel shown;
    } units[] = {{1, 1, 0, team}, {2, 2, 0, red}, {3, 3, 1, other}};
    for (const auto& u : units) {
        game->Object(u.slot).Owner = static_cast<u8>(u.slot == 1 ? 1 : 2);
        game->Object(u.slot).CellCount = 1;
        game->Object(u.slot).Cells[1] = {static_cast<i16>(u.col), 2};
        for (int layer = 2; layer <= kLayers; ++layer) game->Map(u.col, 2).Layers[layer] = {};
        game->Map(u.col, 2).Layers[kLayerUnits] = {9, static_cast<i16>(u.spr), static_cast<i16>(u.slot), 0, 1};
    }
    game->ViewSettings.FirstCol = 1, game->ViewSettings.FirstRow = 1;
    SetScale(100);
    Bitmap back(kWidth, kHeight, kBlack);
    Frame(back, cache);
    const FrameGeometry g = ComputeFrameGeometry(*game);
    for (const auto& u : units) EXPECT_EQ(back.at(g.CellX(u.col) + 4, g.CellY(2) + 4), u.shown) << u.slot;
    Bitmap palette(64, 1, 0xFF000000u);
    const Bitmap minimap = RebuildMinimap(*game, palette);
    EXPECT_EQ(minimap.at(1, 2), team);
    EXPECT_EQ(minimap.at(2, 2), red);
}

}  // namespace
}  // namespace tarq

namespace tarq {
namespace {

// Two players under the fog, the first looking: a unit of theirs lights a
// circle, a band of columns was explored before, a structure of the other
// player is remembered there. Lit, dimmed and black cells at every zoom equal
// the reference, and so does a kept buffer after the unit moved (sight
// changes write no map cell).
TEST_F(RenderTest, FogLitDimmedAndBlackCellsMatchTheReference) {
    game->Players.Count = 2;
    for (int p = 1; p <= 2; ++p) game->Players.Table[p].Number = static_cast<u8>(p);
    game->CurrentPlayer = 1;
    game->Sight.On = 1;
    for (int slot = 1; slot <= 5; ++slot) {
        TGameObject& o = game->World.Objects[slot];
        o.Owner = static_cast<u8>(slot == 1 || slot == 4 ? 1 : 2);
        o.TypeId = slot == 5 ? 32 : 3;  // a mine of player 2's: never shown to player 1
        o.CellCount = 1;
        o.Stats.Scan = static_cast<u8>(slot == 1 ? 6 : 2);
        o.Cells = SingleCellFootprint(10 + 9 * slot, 8 + 3 * slot);
    }
    for (int c = 1; c <= 45; ++c)
        for (int r = 1; r <= 60; ++r) {
            const std::size_t i = CellGrid<u16>::index(c, r);
            game->Sight.Explored[1][i / 64] |= std::uint64_t{1} << (i % 64);
        }
    TSeenStructure depot;
    depot.Slot = 3, depot.TypeId = 55, depot.Owner = 2, depot.CellCount = 4, depot.Layer = 2;
    depot.Cells = BlockFootprint(33, 40);
    for (TSpriteRef& s : depot.CellSprites) s = {3, static_cast<i16>(rng.Random(9)), 3, 0, 1};
    game->Sight.Seen[1].push_back(depot);
    RebuildSight(*game);
    const auto compare = [&](const std::string& what) {
        Bitmap back(kWidth, kHeight, kBlack);
        Frame(back, cache);
        ASSERT_EQ(Difference(back, testref::RefFogFrame(*game, images, kWidth, kHeight)), "") << what;
        kept.Clear(kBlack);
        Frame(kept, keptCache);
        ASSERT_EQ(Difference(kept.Pixels(), testref::RefFogFrame(*game, images, kWidth, kHeight)), "")
            << what << ": kept buffer";
    };
    for (int scale : {5, 15, 50, 100, 120})
        for (const u8 grid : {u8{0}, u8{1}}) {
            SetScale(scale);
            game->ViewSettings.ShowGrid = grid;
            game->ViewSettings.FirstCol = static_cast<i16>(scale >= 50 ? 15 : 1);
            game->ViewSettings.FirstRow = static_cast<i16>(scale >= 50 ? 8 : 1);
            compare("scale " + std::to_string(scale) + " grid " + std::to_string(grid));
            if (HasFatalFailure()) return;
            game->World.Objects[1].Cells[1].col = static_cast<i16>(game->World.Objects[1].Cells[1].col % 40 + 3);
            FollowSlot(*game, 1);
            compare("moved, scale " + std::to_string(scale));
            if (HasFatalFailure()) return;
        }
}

}  // namespace
}  // namespace tarq
