// Every type of the catalogue created once: placement, layers, animation class
// and pictures as the type list gives them, read back through the sprite table.
#include "FactoryFixture.h"

namespace tarq::testing {
namespace {

struct TypeRow {
    int type, movement;
    bool block;
    int layer, second, anim;
    std::array<int, 4> cellEntries;  // 0 = none
    int facingFirst, facingCount;
    bool connected;
};

// clang-format off
const TypeRow kTypeRows[] = {
    {1, 32, false, 3, 0, 0, {78}, 78, 8, false},
    {2, 32, false, 3, 0, 0, {86}, 86, 8, false},
    {3, 1, false, 2, 3, 0, {94, 102}, 94, 8, false},
    {4, 1, false, 3, 0, 0, {110}, 110, 8, false},
    {5, 1, false, 3, 0, 0, {118}, 118, 8, false},
    {6, 1, false, 3, 0, 0, {126}, 126, 8, false},
    {7, 2, false, 3, 0, 0, {134}, 134, 8, false},
    {8, 1, false, 3, 0, 0, {142}, 142, 8, false},
    {9, 32, false, 3, 0, 0, {150}, 150, 8, false},
    {10, 1, false, 2, 3, 2, {166, 174}, 166, 8, false},
    {11, 1, false, 3, 0, 0, {182}, 182, 8, false},
    {12, 1, false, 3, 0, 0, {190}, 190, 8, false},
    {13, 32, false, 3, 0, 0, {158}, 158, 8, false},
    {14, 2, false, 3, 0, 0, {198}, 198, 8, false},
    {15, 2, false, 3, 0, 0, {206}, 206, 8, false},
    {16, 1, false, 3, 0, 0, {214}, 214, 8, false},
    {17, 32, false, 3, 0, 0, {222}, 222, 8, false},
    {18, 2, false, 3, 0, 0, {230}, 230, 8, false},
    {19, 2, false, 3, 0, 0, {238}, 238, 8, false},
    {20, 4, false, 3, 0, 0, {246, 254}, 254, 8, false},
    {21, 4, false, 3, 0, 0, {262}, 262, 8, false},
    {22, 4, false, 3, 0, 0, {270, 278}, 270, 8, false},
    {23, 4, false, 3, 0, 0, {286}, 286, 8, false},
    {24, 8, false, 3, 0, 0, {294}, 294, 8, false},
    {25, 4, false, 3, 0, 0, {302}, 302, 8, false},
    {26, 4, false, 3, 0, 0, {310}, 310, 8, false},
    {27, 8, false, 3, 0, 0, {318}, 318, 8, false},
    {28, 0, false, 5, 0, 0, {326}, 326, 8, false},
    {29, 0, false, 5, 0, 0, {334}, 334, 8, false},
    {30, 0, false, 5, 0, 0, {342}, 342, 8, false},
    {31, 0, false, 5, 0, 0, {350}, 350, 8, false},
    {32, 1, false, 2, 0, 0, {358}, 0, 0, false},
    {33, 4, false, 2, 0, 0, {359}, 0, 0, false},
    {34, 8, false, 3, 0, 0, {360}, 360, 8, false},
    {35, 2, false, 2, 3, 0, {368, 376}, 368, 8, false},
    {36, 2, false, 3, 0, 0, {384}, 384, 8, false},
    {37, 0, false, 5, 0, 0, {392}, 392, 8, false},
    {38, 16, true, 2, 0, 0, {400, 401, 402, 403}, 400, 4, true},
    {39, 16, true, 2, 0, 3, {6, 8, 10, 12}, 0, 0, true},
    {40, 16, false, 3, 0, 2, {2}, 0, 0, true},
    {41, 16, true, 2, 0, 2, {404, 408, 412, 416}, 0, 0, true},
    {42, 16, true, 2, 0, 0, {420, 421, 422, 423}, 0, 0, true},
    {43, 16, true, 2, 0, 0, {424, 425, 426, 427}, 0, 0, true},
    {44, 16, true, 2, 0, 0, {428, 429, 430, 431}, 0, 0, true},
    {45, 16, true, 2, 0, 0, {432, 433, 434, 435}, 0, 0, true},
    {46, 16, true, 2, 0, 0, {436, 437, 438, 439}, 0, 0, true},
    {47, 16, true, 2, 0, 0, {440, 441, 442, 443}, 0, 0, true},
    {48, 4, true, 2, 0, 0, {444, 445, 446, 447}, 0, 0, true},
    {49, 16, true, 2, 0, 3, {448, 450, 452, 454}, 0, 0, true},
    {50, 16, true, 2, 0, 3, {456, 458, 460, 462}, 0, 0, true},
    {51, 16, true, 2, 0, 0, {464, 465, 466, 467}, 0, 0, true},
    {52, 16, true, 2, 0, 0, {468, 469, 470, 471}, 0, 0, true},
    {53, 16, true, 2, 0, 3, {472, 474, 476, 478}, 0, 0, true},
    {54, 8, false, 1, 0, 0, {480}, 0, 0, false},
    {55, 16, false, 2, 1, 0, {481, 482}, 0, 0, true},
    {56, 16, false, 2, 1, 0, {483, 482}, 0, 0, true},
    {57, 1, false, 2, 0, 0, {484}, 0, 0, true},
    {58, 1, false, 1, 0, 0, {482}, 0, 0, false},
    {59, 16, false, 2, 0, 0, {485}, 0, 0, true},
    {60, 16, false, 2, 0, 0, {486}, 0, 0, false},
    {61, 16, false, 3, 0, 2, {62}, 0, 0, true},
    {62, 16, false, 3, 2, 0, {488, 487}, 0, 0, true},
    {63, 16, false, 3, 2, 0, {496, 487}, 0, 0, true},
    {64, 16, false, 3, 2, 0, {504, 487}, 0, 0, true},
    {65, 16, false, 3, 2, 0, {512, 487}, 0, 0, true},
    {66, 32, false, 7, 0, 0, {520}, 0, 0, true},
    {67, 4, false, 1, 0, 0, {521}, 0, 0, false},
};
// clang-format on
static_assert(std::size(kTypeRows) == kDefinedTypes);

// A picture copied from a sprite-table entry and stamped with its slot.
TSpriteRef Stamped(const Game& game, int entry, int slot) {
    TSpriteRef s = game.SpriteTable[static_cast<std::size_t>(entry)];
    s.id = static_cast<i16>(slot);
    s.show = 1;
    return s;
}

TEST_F(FactoryTest, EveryTypeIsCreatedAsTheTypeListGivesIt) {
    SetMap(40, 40, kPassLand);
    for (const TypeRow& t : kTypeRows) {
        SCOPED_TRACE("type " + std::to_string(t.type));
        // Each type gets its own 2 x 2 patch of ground it may stand on.
        const int col = 2 + ((t.type - 1) % 12) * 3, row = 2 + ((t.type - 1) / 12) * 3;
        const bool wet = t.movement == kMoveWater || t.movement == kMoveWaterCoast;
        PaintGround(col, row, wet ? std::vector<std::string>{"~~", "~~"} : std::vector<std::string>{"..", ".."});
        ASSERT_EQ(CreateObject(*game, col, row, t.type, 0), 1);
        ASSERT_EQ(game->LastCreatedObject, t.type);

        const TGameObject& o = Object(t.type);
        EXPECT_EQ(o.TypeId, t.type);
        EXPECT_EQ(o.Owner, 1);
        EXPECT_EQ(o.Active, 1);
        EXPECT_EQ(o.Stats.Movement, t.movement);
        EXPECT_EQ(o.Layer, t.layer);
        EXPECT_EQ(o.SecondLayer, t.second);
        EXPECT_EQ(o.AnimClass, t.anim);
        EXPECT_EQ(o.CellCount, t.block ? 4 : 1);
        EXPECT_EQ(o.Cells, t.block ? BlockFootprint(col, row) : SingleCellFootprint(col, row));

        for (int k = 1; k <= 4; ++k) {
            const int entry = t.cellEntries[static_cast<std::size_t>(k - 1)];
            TSpriteRef want = game->ObjectTemplate.CellSprites[k];
            want.id = static_cast<i16>(t.type), want.show = 1;
            if (entry != 0) want = Stamped(*game, entry, t.type);
            EXPECT_EQ(o.CellSprites[k], want) << "CellSprites[" << k << "]";
        }
        for (int k = 1; k <= 8; ++k) {
            TSpriteRef want{0, 0, static_cast<i16>(t.type), 0, 1};
            if (k <= t.facingCount) want = Stamped(*game, t.facingFirst + k - 1, t.type);
            EXPECT_EQ(o.Sprites[k], want) << "Sprites[" << k << "]";
        }
        for (int k = 1; k <= o.CellCount; ++k) {
            const TCellPos p = o.Cells[k];
            EXPECT_EQ(LayerAt(p.col, p.row, t.layer + 1), o.CellSprites[k]) << "cell " << k;
            if (t.second != 0) {
                EXPECT_EQ(LayerAt(p.col, p.row, t.second + 1), o.CellSprites[2]);
            }
            EXPECT_EQ(game->World.Connectors(p.col, p.row).Present, t.connected ? 1 : 0);
        }
    }
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

}  // namespace
}  // namespace tarq::testing
