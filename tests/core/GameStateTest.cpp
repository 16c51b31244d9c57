#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "core/StateHash.h"
#include "core/World.h"

namespace tarq {
namespace {

class GameStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
    }
    std::unique_ptr<Game> game;
};

TEST_F(GameStateTest, InitDataEmptiesEveryCellOfTheWholeGrid) {
    // Dirty the grid first so the reset really has work to do.
    game->Map(500, 500).Layers[8] = TSpriteRef{3, 7, 9, 4, 1};
    game->World.Connectors(250, 1).Present = 1;
    game->World.LandingSectors[9][9] = 2;
    InitData(*game);
    for (int c = 1; c <= kMaxMapSize; ++c)
        for (int r = 1; r <= kMaxMapSize; ++r) {
            for (int layer = 1; layer <= kLayers; ++layer)
                ASSERT_EQ(game->Map(c, r).Layers[layer], EmptySpriteRef) << c << "," << r << " layer " << layer;
            ASSERT_EQ(game->World.Connectors(c, r).Present, 0);
        }
    EXPECT_EQ(game->World.LandingSectors[9][9], 0);
}

// The match counts in the hash, one field at a time; the view, the mouse, the
// preferences, the caches, the catalogue and an object's pictures and
// animation phase never do.
TEST_F(GameStateTest, TheStateHashSeesTheMatchAndNothingElse) {
    game->World.MapWidth = game->World.MapHeight = 50;
    const std::uint64_t fresh = StateHash(*game);
    const struct {
        const char* part;
        void (*change)(Game&);
        bool counts;
    } changes[] = {
        {"deposit on the map's border", [](Game& g) { g.World.Resources(52, 52).Amount = 1; }, true},
        {"object", [](Game& g) { g.World.Objects[kMaxObjects].Stats.Movement = 1; }, true},
        {"sector", [](Game& g) { g.World.LandingSectors[9][0] = 1; }, true},
        {"credits", [](Game& g) { CurrentPlayerEntry(g).Credits = 5; }, true},
        {"purchase", [](Game& g) { g.PurchaseList(100).Cargo = 5; }, true},
        {"click state", [](Game& g) { g.ExitMarkers[12] = 1; }, true},
        {"log",
         [](Game& g) {
             g.Log.Append(1, {1, cmd::EndTurn{}});
         },
         true},
        {"deposit past the file's cells", [](Game& g) { g.World.Resources(53, 1).Amount = 1; }, false},
        {"object's pictures", [](Game& g) { g.World.Objects[1].CellSprites[2].Spr = 9; }, false},
        {"animation phase", [](Game& g) { g.World.Objects[1].AnimTicks = 3; }, false},
        {"map layer", [](Game& g) { g.Map(502, 502).Layers[8].show = 1; }, false},
        {"zoom", [](Game& g) { g.ViewSettings.Scale = 40; }, false},
        {"mouse", [](Game& g) { g.MouseX = 17, g.HoverCol = 3; }, false},
        {"settings", [](Game& g) { g.Settings.InfoShown[11] ^= 1; }, false},
        {"catalogue", [](Game& g) { g.UnitTypes[67].Purchasable ^= 1; }, false},
        {"rebuild record", [](Game& g) { g.LayerStamps.Width = 7; }, false},
    };
    for (const auto& c : changes) {
        auto other = NewGame();
        InitData(*other);
        other->World.MapWidth = other->World.MapHeight = 50;
        ASSERT_EQ(StateHash(*other), fresh);
        c.change(*other);
        EXPECT_EQ(StateHash(*other) != fresh, c.counts) << c.part;
    }
}

TEST_F(GameStateTest, InitDataFreesEverySlotAsTheTemplate) {
    EXPECT_EQ(game->ObjectTemplate.CellSprites[1].idU, 4);
    EXPECT_EQ(game->ObjectTemplate.CellSprites[2].idU, 4);
    EXPECT_EQ(game->ObjectTemplate.CellSprites[3].idU, 0);
    EXPECT_EQ(game->ObjectTemplate.Owner, 0);
    EXPECT_EQ(game->ObjectTemplate.TypeId, 0);
    for (int i = 1; i <= kMaxObjects; ++i) {
        ASSERT_EQ(game->World.Objects[i], game->ObjectTemplate) << "slot " << i;
        ASSERT_FALSE(SlotInUse(game->World.Objects[i]));
    }
}

TEST_F(GameStateTest, DeleteObjectReleasesTheSlotAndItsPictures) {
    game->World.MapWidth = 10;
    game->World.MapHeight = 10;
    TGameObject& o = game->World.Objects[3];
    o.Owner = 1;
    o.TypeId = 2;
    o.CellCount = 1;
    o.Layer = 3;
    for (auto& cell : o.Cells) cell = {4, 5};
    o.CellSprites[1] = TSpriteRef{9, 136, 3, 86, 1};
    RebuildObjectLayers(*game);
    ASSERT_EQ(game->Map(4, 5).Layers[4].id, 3);

    DeleteObject(*game, 3);
    EXPECT_EQ(game->World.Objects[3], game->ObjectTemplate);
    EXPECT_EQ(game->Map(4, 5).Layers[4], EmptySpriteRef);
}

TEST_F(GameStateTest, ClearOrderResetsOnlyTheOrderFields) {
    TGameObject& o = game->World.Objects[7];
    o.Owner = 1;
    o.Cargo = 33;
    o.OrderState = 1;
    o.TurnsLeft = 5;
    o.MaterialPerTurn = 2;
    o.BuildLink = 39;
    o.TurnsTotal = 12;
    o.SiteObject = 4000;
    ClearOrder(*game, 7);
    EXPECT_EQ(o.OrderState, 0);
    EXPECT_EQ(o.TurnsLeft, 0);
    EXPECT_EQ(o.MaterialPerTurn, 0);
    EXPECT_EQ(o.BuildLink, 0);
    EXPECT_EQ(o.TurnsTotal, 0);
    EXPECT_EQ(o.SiteObject, 0);
    EXPECT_EQ(o.Cargo, 33);
    EXPECT_EQ(o.Owner, 1);
}

TEST_F(GameStateTest, SlotOperationsIgnoreNumbersOutsideTheTable) {
    // An armed move with nothing selected: deleting "slot 0" would disarm it.
    game->World.Objects[1].Owner = 1;
    game->World.Objects[1].OrderState = 2;
    game->MoveArmed = 1;
    const std::uint64_t before = StateHash(*game);
    for (const int slot : {0, -4, kMaxObjects + 1}) {
        DeleteObject(*game, slot);
        ClearOrder(*game, slot);
    }
    EXPECT_EQ(StateHash(*game), before);
}

// What follows the objects sees every slot an order may have changed: the
// slots written, in order, once each; all of them after a walk, a copy or
// too many to record; nothing twice.
TEST(ObjectTableTest, TakeWrittenReportsEveryWrittenSlotOnce) {
    auto table = std::make_unique<ObjectTable>();
    const auto taken = [&] {
        std::vector<int> slots;
        table->TakeWritten([&](int slot) { slots.push_back(slot); });
        return slots;
    };
    EXPECT_EQ(taken().size(), static_cast<std::size_t>(kMaxObjects)) << "a new table: every slot";
    (*table)[40].Owner = 1;
    (*table)[7].Owner = 2;
    (*table)[40].Owner = 3;
    std::as_const(*table)[9];
    EXPECT_EQ(taken(), (std::vector<int>{7, 40}));
    EXPECT_TRUE(taken().empty());
    for (int slot = 1; slot <= 600; ++slot) (*table)[slot].Owner = 1;
    EXPECT_EQ(taken().size(), static_cast<std::size_t>(kMaxObjects)) << "past the record: every slot";
    *table = ObjectTable{};
    EXPECT_EQ(taken().size(), static_cast<std::size_t>(kMaxObjects)) << "a copy: every slot";
}

}  // namespace
}  // namespace tarq
