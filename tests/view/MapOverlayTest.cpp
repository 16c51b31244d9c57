// The seven map overlays drawn over cells of a small hand-made world with no
// pictures (every cell black), at two cell sizes.
#include <gtest/gtest.h>

#include "core/World.h"
#include "view/MapOverlays.h"
#include "view/Overlays.h"
#include "view/Renderer.h"

namespace tarq {
namespace {

namespace colour = overlay_colour;
constexpr Pixel kBlack = 0xFF000000u;

class MapOverlayTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
        game->World.MapWidth = 12;
        game->World.MapHeight = 10;
        game->UnitTypes[3].Name = "Танк";
    }
    // Cell (1, 1) at the top-left of the surface, no grid.
    FrameGeometry Geometry(int size) const { return {size, size, 0, 1, 12, 1, 10, 0, 0}; }
    TGameObject& Place(int slot, int col, int row) {
        TGameObject& o = game->Object(slot);
        o.Owner = o.Active = 1, o.CellCount = 1, o.TypeId = 3,
        o.Cells[1] = {static_cast<i16>(col), static_cast<i16>(row)};
        o.Stats.Speed = 4;
        return o;
    }
    Bitmap Frame(int size) {
        Bitmap back(12 * size, 10 * size, kBlack);
        FrameCache cache;
        cache.Draw(*game, images, back, Geometry(size), PulseState{}, false);
        return back;
    }
    void On(MapOverlay o) { game->ViewSettings.Overlays.On[static_cast<std::size_t>(o)] = 1; }

    std::unique_ptr<Game> game;
    ImageList images;
};

// Bars stop a gap short of the object's edges, so neighbours' bars never join.
TEST_P(MapOverlayTest, BarsShowWhatIsLeftInTheColourOfItsThird) {
    const int size = GetParam(), bar = std::max(1, size / 12), gap = std::max(1, size / 24), length = size - 2 * gap;
    On(MapOverlay::Hits), On(MapOverlay::Ammo);
    const struct {
        int left;
        Pixel colour;
    } cases[] = {
        {12, colour::kHigh}, {9, colour::kHigh}, {8, colour::kMiddle}, {5, colour::kMiddle},
        {4, colour::kLow},   {1, colour::kLow},  {0, colour::kEmpty},
    };
    for (const auto& [left, expected] : cases) {
        SCOPED_TRACE(left);
        TGameObject& o = Place(1, 2, 2);
        o.Stats.Hits = 12, o.HitsLeft = static_cast<u8>(left), o.Stats.Ammo = 12, o.AmmoLeft = static_cast<u8>(left);
        const Bitmap f = Frame(size);
        const int filled = left == 0 ? 0 : std::max(1, (length * left + 6) / 12);
        for (const int y : {2 * size - 1, 2 * size - 1 - bar}) {  // hits, then ammo above
            if (filled > 0) {
                EXPECT_EQ(f.at(size + gap + filled - 1, y), expected);
            }
            if (filled < length) {
                EXPECT_EQ(f.at(size + gap + filled, y), colour::kEmpty);
            }
            EXPECT_EQ(f.at(size + gap - 1, y), kBlack);
            EXPECT_EQ(f.at(2 * size - gap, y), kBlack);
        }
        EXPECT_EQ(f.at(size + size / 2, size + size / 2 - 2 * bar), kBlack);
    }
    game->Object(1).Stats.Hits = 0, game->Object(1).Stats.Ammo = 0;  // a type without either shows none
    EXPECT_EQ(Frame(size).at(size, 2 * size - 1), kBlack);
}

// Scan outlines of own units and the selected object's range outline, for
// radius 0, 1 and 5 in the map's corner (a scan of 0 shows none), and two overlapping scans outlined as one.
TEST_P(MapOverlayTest, OutlinesCloseTheCellsWithinTheRadius) {
    const int size = GetParam();
    const struct {
        MapOverlay overlay;
        int radius;
        std::vector<TCellPos> units;
        Pixel colour;
    } cases[] = {
        {MapOverlay::Scan, 0, {{1, 1}}, colour::kScan},         {MapOverlay::Scan, 1, {{1, 1}}, colour::kScan},
        {MapOverlay::Scan, 5, {{1, 1}}, colour::kScan},         {MapOverlay::Range, 0, {{1, 1}}, colour::kRange},
        {MapOverlay::Range, 1, {{1, 1}}, colour::kRange},       {MapOverlay::Range, 5, {{1, 1}}, colour::kRange},
        {MapOverlay::Scan, 1, {{5, 5}, {6, 5}}, colour::kScan},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "radius " << c.radius << " units " << c.units.size());
        SetUp();
        On(c.overlay);
        for (std::size_t i = 0; i < c.units.size(); ++i) {
            TGameObject& o = Place(static_cast<int>(i) + 1, c.units[i].col, c.units[i].row);
            o.Stats.Scan = o.Stats.Range = static_cast<u8>(c.radius);
        }
        game->SelectedObject = 1;
        const Bitmap f = Frame(size);
        auto covered = [&](int col, int row) {  // a scan of 0 sees nothing beyond the unit: no outline
            if (c.overlay == MapOverlay::Scan && c.radius == 0) return false;
            for (const TCellPos& u : c.units)
                if (game->InMap(col, row) && WithinRadius(col - u.col, row - u.row, c.radius)) return true;
            return false;
        };
        for (int col = 1; col <= 12; ++col)
            for (int row = 1; row <= 10; ++row) {
                const int x = (col - 1) * size, y = (row - 1) * size, mid = size / 2;
                const int e = c.overlay == MapOverlay::Range ? std::max(1, size / 24) : 0;  // range: a line inside
                const bool in = covered(col, row);
                EXPECT_EQ(f.at(x + e, y + mid) == c.colour, in && !covered(col - 1, row)) << col << "," << row;
                EXPECT_EQ(f.at(x + size - 1 - e, y + mid) == c.colour, in && !covered(col + 1, row))
                    << col << "," << row;
                EXPECT_EQ(f.at(x + mid, y + size - 1 - e) == c.colour, in && !covered(col, row + 1))
                    << col << "," << row;
                EXPECT_EQ(f.at(x + mid, y + mid), kBlack);
            }
    }
}

TEST_P(MapOverlayTest, StatusMarksAndHighlightShowWhatOwnUnitsCanDo) {
    const int size = GetParam(), mark = std::min(size, std::max(2, size / 5));
    On(MapOverlay::Status), On(MapOverlay::Highlight);
    const struct {
        u8 moves, order, turnsLeft;
        UnitStatus status;
    } cases[] = {
        {2, 0, 0, UnitStatus::CanMove},
        {0, 0, 0, UnitStatus::Moved},
        {2, 1, 3, UnitStatus::Building},
        {0, 1, 0, UnitStatus::Built},
    };
    for (const auto& c : cases) {
        TGameObject& o = Place(1, 3, 3);
        o.MovesLeft = c.moves, o.OrderState = c.order, o.TurnsLeft = c.turnsLeft;
        const Bitmap f = Frame(size);
        const int x = 2 * size, y = 2 * size;
        EXPECT_EQ(f.at(x + size - 1, y), colour::kStatus[static_cast<int>(c.status)]);
        EXPECT_EQ(f.at(x + size - 1, y + mark), c.status == UnitStatus::CanMove ? colour::kHighlight : kBlack);
    }
    game->Object(1).Stats.Speed = 0;  // a structure: neither
    EXPECT_EQ(Frame(size).at(3 * size - 1, 2 * size), kBlack);
}

int NamePixels(const Bitmap& f, int x0, int y0, int size) {
    int n = 0;
    for (int y = y0; y < y0 + size; ++y)
        for (int x = x0; x < x0 + size; ++x) n += f.at(x, y) == colour::kName ? 1 : 0;
    return n;
}

TEST(MapOverlayNames, ShownFromTheReadableSizeOnCutToTheObject) {
    for (const int size : {kNamesMinCell - 1, kNamesMinCell, 100}) {
        SCOPED_TRACE(size);
        auto game = NewGame();
        InitData(*game);
        game->World.MapWidth = game->World.MapHeight = 10;
        game->UnitTypes[3].Name = "Танк Танк Танк Танк";
        TGameObject& o = game->Object(1);
        o.Owner = 1, o.CellCount = 1, o.TypeId = 3, o.Cells[1] = {2, 2};
        ToggleOverlay(*game, MapOverlay::Names);
        Bitmap f(4 * size, 4 * size, kBlack);
        FrameCache cache;
        cache.Draw(*game, ImageList{}, f, {size, size, 0, 1, 4, 1, 4, 0, 0}, PulseState{}, false);
        EXPECT_EQ(NamePixels(f, size, size, size) > 0, size >= kNamesMinCell);
        EXPECT_EQ(NamePixels(f, 0, size, size) + NamePixels(f, 2 * size, size, size), 0) << "kept to its cell";
    }
}

// Over a kept buffer only changes are drawn: after the marks change, or go,
// the buffer holds what a fresh frame draws.
TEST_P(MapOverlayTest, AKeptBufferFollowsTheMarks) {
    const int size = GetParam();
    for (int o = 0; o < kMapOverlays; ++o) On(static_cast<MapOverlay>(o));
    TGameObject& unit = Place(1, 4, 4);
    unit.Stats.Hits = 10, unit.HitsLeft = 10, unit.Stats.Scan = 2, unit.MovesLeft = 1;
    game->SelectedObject = 1;
    BackBuffer kept(12 * size, 10 * size);
    FrameCache cache;
    const std::function<void(Game&)> steps[] = {
        [](Game&) {},
        [](Game& g) { g.Object(1).HitsLeft = 3; },
        [](Game& g) {
            g.Object(1).Cells[1] = {6, 5};
        },
        [](Game& g) {
            g.Map(6, 5).Layers[kLayerTerrain] = {4, 1, 0, 0, 1};
        },  // the cell under the marks drawn afresh
        [](Game& g) { g.ViewSettings.Overlays = {}; },
    };
    for (const auto& step : steps) {
        step(*game);
        kept.Clear(kBlack);
        cache.Draw(*game, images, kept, Geometry(size), PulseState{}, false);
        EXPECT_EQ(kept.Pixels().pixels, Frame(size).pixels);
    }
}

// The path shows with every switch off: a dot in the middle of each cell, and
// where a turn begins, its number on black at the cell's top left.
TEST_P(MapOverlayTest, APathShowsItsCellsAndTheTurnsWhereTheyBegin) {
    const int size = GetParam();
    Bitmap back(12 * size, 10 * size, kBlack);
    FrameCache cache;
    cache.SetPath({{2, 3, 0}, {3, 3, 1}, {4, 3, 0}});
    cache.Draw(*game, images, back, Geometry(size), PulseState{}, false);
    for (int col : {2, 4}) EXPECT_EQ(back.at((col - 1) * size + size / 2, 2 * size + size / 2), colour::kPath);
    EXPECT_EQ(back.at(4 * size + size / 2, 2 * size + size / 2), kBlack) << "no path there";
    EXPECT_EQ(back.at(2 * size, 2 * size), colour::kPathBack) << "a turn number where it begins";
    EXPECT_EQ(back.at(size, 2 * size), kBlack) << "no number inside a turn";
    bool digit = false;
    for (int y = 2 * size; y < 2 * size + 9; ++y)
        for (int x = 2 * size; x < 2 * size + 7; ++x) digit = digit || back.at(x, y) == colour::kPath;
    EXPECT_EQ(digit, size >= 8);
    cache.SetPath({});
    cache.Draw(*game, images, back, Geometry(size), PulseState{}, false);
    EXPECT_EQ(back.at(size + size / 2, 2 * size + size / 2), kBlack) << "gone with the path";
}

INSTANTIATE_TEST_SUITE_P(CellSizes, MapOverlayTest, ::testing::Values(9, 48));

}  // namespace
}  // namespace tarq
