// Connector pictures of layer 5, built from real structures on hand-made
// neighbourhoods.
#include "FactoryFixture.h"

namespace tarq::testing {
namespace {

constexpr int kGoldStorage = 59;  // a one-cell connected structure

struct Neighbourhood {
    std::vector<std::string> rows;  // 3 x 3 around the centre; '#' = connected structure
    int spr;
};

// Diagonal neighbours never count; several cases carry them to show it.
const Neighbourhood kNeighbourhoods[] = {
    {{"...", ".#.", "..."}, 0},  {{".#.", ".#.", "..."}, 1},  {{".#.", ".##", "..."}, 2},  {{".#.", ".#.", ".#."}, 3},
    {{".#.", ".##", ".#."}, 4},  {{".#.", "##.", "..."}, 5},  {{".#.", "###", "..."}, 6},  {{".#.", "##.", ".#."}, 7},
    {{"#..", "##.", "..#"}, 8},  {{".#.", "###", ".#."}, 9},  {{"..#", ".##", "#.."}, 10}, {{"...", ".#.", ".#."}, 11},
    {{"...", ".##", ".#."}, 12}, {{"...", "###", "..."}, 13}, {{"#.#", "###", ".#."}, 14}, {{"...", "##.", ".#."}, 15},
};

TEST_F(FactoryTest, EveryNeighbourhoodGetsItsConnectorPicture) {
    for (const Neighbourhood& n : kNeighbourhoods) {
        SetUp();
        const u8 shown = static_cast<u8>(n.spr % 2);  // a creation follows the overlay switch
        game->ViewSettings.ShowConnectors = shown;
        SCOPED_TRACE(n.rows[0] + "/" + n.rows[1] + "/" + n.rows[2]);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                if (n.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#') {
                    ASSERT_EQ(CreateObject(*game, 4 + x, 4 + y, kGoldStorage, 0), 1);
                }
        const TSpriteRef& picture = LayerAt(5, 5, kLayerConnectors);
        EXPECT_EQ(picture.idU, 8);
        EXPECT_EQ(picture.Spr, n.spr);
        EXPECT_EQ(picture.show, shown);
        EXPECT_EQ(picture.id, 0) << "the connector picture belongs to no object";
        EXPECT_TRUE(CheckConnectors(*game).empty()) << Join(CheckConnectors(*game));
    }
}

TEST_F(FactoryTest, AdjacentBlocksJoinTheirConnectors) {
    ASSERT_EQ(CreateObject(*game, 3, 3, 42, 0), 1);
    ASSERT_EQ(CreateObject(*game, 5, 3, 42, 0), 1);
    // Row 3: right+below, left+right+below, left+right+below, left+below.
    const int top[4] = {12, 14, 14, 15};
    const int bottom[4] = {2, 6, 6, 5};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(LayerAt(3 + i, 3, kLayerConnectors).Spr, top[i]) << "column " << 3 + i;
        EXPECT_EQ(LayerAt(3 + i, 4, kLayerConnectors).Spr, bottom[i]) << "column " << 3 + i;
    }
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

TEST_F(FactoryTest, ProvisionalStructuresRegisterNoConnectors) {
    ASSERT_EQ(CreateObject(*game, 3, 3, 42, 1), 1);
    ASSERT_EQ(CreateObject(*game, 6, 6, kGoldStorage, 1), 1);
    for (int c = 1; c <= 10; ++c)
        for (int r = 1; r <= 10; ++r) {
            EXPECT_EQ(game->World.Connectors(c, r).Present, 0);
            EXPECT_EQ(LayerAt(c, r, kLayerConnectors), EmptySpriteRef);
        }
    // The same structure created for real next to a site joins only real ones.
    ASSERT_EQ(CreateObject(*game, 7, 6, kGoldStorage, 0), 1);
    EXPECT_EQ(LayerAt(7, 6, kLayerConnectors).Spr, 0);
}

TEST_F(FactoryTest, BorderCellsNeverGetAConnectorPicture) {
    const std::pair<int, int> border[] = {{1, 5}, {10, 5}, {5, 1}, {5, 10}, {1, 1}, {10, 10}};
    for (auto [c, r] : border) ASSERT_EQ(CreateObject(*game, c, r, kGoldStorage, 0), 1);
    ASSERT_EQ(CreateObject(*game, 2, 5, kGoldStorage, 0), 1);
    for (auto [c, r] : border) {
        EXPECT_EQ(game->World.Connectors(c, r).Present, 1);
        EXPECT_EQ(LayerAt(c, r, kLayerConnectors), EmptySpriteRef) << c << ", " << r;
    }
    EXPECT_EQ(LayerAt(2, 5, kLayerConnectors).Spr, 8) << "the border neighbour still joins";
}

TEST_F(FactoryTest, AReleasedStructureTakesItsConnectorsUnlessAnotherKeepsTheCell) {
    ASSERT_EQ(CreateObject(*game, 4, 4, 66, 0), 1);  // a connector structure, under the storage
    ASSERT_EQ(CreateObject(*game, 4, 4, kGoldStorage, 0), 1);
    const int over = game->LastCreatedObject;
    ASSERT_EQ(CreateObject(*game, 5, 4, kGoldStorage, 0), 1);
    game->SelectedObject = game->LastCreatedObject;
    DeleteObject(*game, game->LastCreatedObject);
    EXPECT_EQ(game->SelectedObject, 0);
    EXPECT_EQ(game->World.Connectors(5, 4).Present, 0);
    EXPECT_EQ(LayerAt(5, 4, kLayerConnectors).show, 0);
    EXPECT_EQ(LayerAt(4, 4, kLayerConnectors).Spr, 0) << "the neighbour is no longer joined towards it";
    DeleteObject(*game, over);
    EXPECT_EQ(game->World.Connectors(4, 4).Present, 1);
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

}  // namespace
}  // namespace tarq::testing
