// The invariant checker catches each kind of fault, and random sequences of
// creations, moves, releases and base searches keep the world consistent
// with literal step-by-step versions of the placement test and the search.
#include <random>

#include "FactoryFixture.h"

namespace tarq::testing {
namespace {

TEST_F(FactoryTest, TheCheckerFindsEachKindOfFault) {
    struct Fault {
        const char* name;
        void (*plant)(Game&);
        Violations (*check)(const Game&);
    };
    const Fault faults[] = {
        {"stale picture", [](Game& g) { g.Map(4, 4).Layers[kLayerUnits].Spr = 99; }, CheckObjectLayers},
        {"missing picture", [](Game& g) { g.Map(2, 2).Layers[kLayerLarge] = EmptySpriteRef; }, CheckObjectLayers},
        {"picture of a free slot", [](Game& g) { g.Map(7, 7).Layers[kLayerFlat].id = 40; }, CheckPictureOwners},
        {"picture of an object elsewhere", [](Game& g) { g.Map(7, 7).Layers[kLayerFlat].id = 1; }, CheckPictureOwners},
        {"dirty free slot", [](Game& g) { g.World.Objects[30].Cargo = 5; }, CheckFreeSlots},
        {"connector off the map",
         [](Game& g) {
             g.World.Connectors(11, 3) = {1, 1};
         },
         CheckConnectors},
        {"connector without owner", [](Game& g) { g.World.Connectors(6, 6).Owner = 0; }, CheckConnectors},
        {"connector picture shown without connector", [](Game& g) { g.Map(8, 8).Layers[kLayerConnectors].show = 1; },
         CheckConnectors},
        {"wrong connector picture", [](Game& g) { g.Map(6, 6).Layers[kLayerConnectors].Spr = 3; }, CheckConnectors},
        {"connector under no structure",
         [](Game& g) {
             g.World.Connectors(8, 3) = {1, 1}, UpdateConnectorPictures(g);
         },
         CheckConnectors},
        {"connector shown while switched off", [](Game& g) { g.ViewSettings.ShowConnectors = 0; }, CheckConnectors},
        {"connector shown on the border",
         [](Game& g) { CreateObject(g, 1, 5, 59, 0), g.Map(1, 5).Layers[kLayerConnectors].show = 1; }, CheckConnectors},
    };
    for (const Fault& f : faults) {
        SetUp();
        ASSERT_EQ(CreateObject(*game, 2, 2, 3, 0), 1);   // tank: layers 3 and 4
        ASSERT_EQ(CreateObject(*game, 4, 4, 1, 0), 1);   // constructor
        ASSERT_EQ(CreateObject(*game, 6, 6, 59, 0), 1);  // gold storage with its connector
        ASSERT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
        f.plant(*game);
        EXPECT_FALSE(f.check(*game).empty()) << f.name;
        EXPECT_FALSE(CheckInvariants(*game).empty()) << f.name;
    }
}

// The placement test step by step, every slot and pair compared.
u8 LiteralCanPlace(const Game& game, const TFootprint& f, int m) {
    u8 ok = 1;
    bool onMap = true;
    for (const TCellPos& p : f) {
        if (!game.InMap(p.col, p.row)) {
            onMap = false;
            continue;
        }
        const u8 pass = game.World.Passability(p.col, p.row);
        if (pass == 4 && (m == 1 || m == 2)) ok = 0;
        if (pass == 2 && (m == 1 || m == 4)) ok = 0;
        if (pass == 1 && (m == 4 || m == 8)) ok = 0;
        if (pass == 0) ok = 0;
    }
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = game.World.Objects[i];
        for (const TCellPos& p : f)
            for (const TCellPos& q : o.Cells) {
                if (!(p == q)) continue;
                if (o.TypeId == 66) continue;
                if (o.TypeId == 58 || o.TypeId == 54) {
                    if (m == 4 || m == 8) ok = 0;
                } else if (o.TypeId == 67 || o.TypeId == 32 || o.TypeId == 33) {
                    if (m == 16) ok = 0;
                } else {
                    ok = 0;
                }
            }
    }
    if (m == 0) ok = 1;
    return onMap ? ok : 0;
}

// The base search as the game states it: every cell of every ring, inner
// cells again, until a creation succeeds or the square covers the map.
int LiteralSquareSearch(Game& game, int x, int y, int type) {
    int c = x, r = y, e = 1;
    for (;;) {
        if (CreateObject(game, c, r, type, 0)) return game.LastCreatedObject;
        c = c + 1;
        if (c > x + e) c = x - e + 1, r = r + 1;
        if (r > y + e) {
            const int top = e == 1 ? y : y - e + 2;
            if (x - e + 1 <= 1 && x + e >= game.World.MapWidth && top <= 1 && y + e >= game.World.MapHeight) return 0;
            e = e + 1, c = x - e + 1, r = y - e + 2;
        }
    }
}

bool SameObjectLayers(const Game& a, const Game& b) {
    for (int c = 1; c <= a.World.MapWidth; ++c)
        for (int r = 1; r <= a.World.MapHeight; ++r)
            if (!(a.Map(c, r).Layers == b.Map(c, r).Layers)) return false;
    return true;
}

class RandomWorld {
public:
    explicit RandomWorld(unsigned seed) : rng_(seed) {}
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void paint(Game& game, int size) {
        game.World.MapWidth = game.World.MapHeight = static_cast<i16>(size);
        const u8 ground[] = {kPassLand, kPassLand, kPassLand, kPassCoast, kPassWater, kPassWater, kPassBlocked};
        for (int c = 1; c <= size; ++c)
            for (int r = 1; r <= size; ++r) game.World.Passability(c, r) = ground[pick(0, 6)];
    }

private:
    std::mt19937 rng_;
};

int AnyUsedSlot(const Game& game, RandomWorld& random) {
    int used[kMaxObjects];
    int n = 0;
    for (int i = 1; i <= kMaxObjects; ++i)
        if (game.World.Objects[i].Owner != 0) used[n++] = i;
    return n == 0 ? 0 : used[random.pick(0, n - 1)];
}

// Game `a` runs the factory as built; game `b` runs the literal versions.
// Both must end every step identical and consistent.
TEST(FactoryRandomTest, RandomSequencesMatchTheLiteralRulesAndKeepTheInvariants) {
    constexpr int kSize = 9;
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto a = NewGame(), b = NewGame();
        for (Game* g : {a.get(), b.get()}) {
            InitData(*g);
            RandomWorld ground(seed);
            ground.paint(*g, kSize);
            g->CurrentPlayer = 1;
            g->ViewSettings.ShowConnectors = 1;
        }
        RandomWorld random(seed * 7919u);
        for (int step = 0; step < 160; ++step) {
            const int op = random.pick(0, 9);
            if (op <= 4) {
                const int c = random.pick(0, kSize + 1), r = random.pick(0, kSize + 1);
                const int type = random.pick(0, 68);
                const u8 provisional = static_cast<u8>(random.pick(0, 1));
                ASSERT_EQ(CreateObject(*a, c, r, type, provisional), CreateObject(*b, c, r, type, provisional));
            } else if (op <= 6) {
                const int slot = AnyUsedSlot(*a, random);
                if (slot != 0) DeleteObject(*a, slot), DeleteObject(*b, slot);
            } else if (op == 7) {
                // A move written straight into the table, as sites and exits do.
                const int slot = AnyUsedSlot(*a, random);
                if (slot == 0 || JoinsConnectorGrid(a->Object(slot))) continue;  // joined structures never move
                const int c = random.pick(-2, kSize + 2), r = random.pick(-2, kSize + 2);
                const TFootprint f = a->Object(slot).CellCount == 4 ? BlockFootprint(c, r) : SingleCellFootprint(c, r);
                TakeUnrebuiltPictures(*a, slot), TakeUnrebuiltPictures(*b, slot);
                a->Object(slot).Cells = f, b->Object(slot).Cells = f;
                RebuildObjectLayers(*a), RebuildObjectLayers(*b);
            } else {
                const int x = random.pick(1, kSize), y = random.pick(1, kSize), type = random.pick(1, 67);
                ASSERT_EQ(PlaceBySquareSearch(*a, x, y, type, LayerRefresh::Deferred),
                          LiteralSquareSearch(*b, x, y, type))
                    << "type " << type << " around " << x << ", " << y;
                RefreshMapLayers(*a);
            }
            ASSERT_TRUE(a->World.Objects == b->World.Objects) << "step " << step;
            ASSERT_TRUE(SameObjectLayers(*a, *b)) << "step " << step;
            ASSERT_TRUE(CheckInvariants(*a).empty()) << "step " << step << "\n" << Join(CheckInvariants(*a));
            for (int probe = 0; probe < 8; ++probe) {
                const int c = random.pick(-1, kSize + 1), r = random.pick(-1, kSize + 1);
                const int m = std::array{0, 1, 2, 4, 8, 16, 32, 3}[static_cast<std::size_t>(random.pick(0, 7))];
                const int c2 = random.pick(-1, kSize + 1), r2 = random.pick(-1, kSize + 1);
                const TFootprint shapes[] = {SingleCellFootprint(c, r), BlockFootprint(c, r),
                                             MakeFootprint(c, r, c2, r2, c, r2, c2, r)};
                const TFootprint& f = shapes[probe % 3];
                ASSERT_EQ(CanPlace(*a, f, m), LiteralCanPlace(*a, f, m)) << c << ", " << r << " movement " << m;
            }
        }
    }
}

TEST_F(FactoryTest, TheSearchFillsOutwardAndGivesUpOnAFullMap) {
    SetMap(4, 4, kPassLand);
    PaintGround(1, 1, {"~~~~"});
    // Tanks around (2, 2): ring 1 first, then the new cells of ring 2 row by row.
    const TCellPos expected[] = {{2, 2}, {3, 2}, {2, 3}, {3, 3}, {1, 2}, {4, 2},
                                 {1, 3}, {4, 3}, {1, 4}, {2, 4}, {3, 4}, {4, 4}};
    for (const TCellPos& p : expected) {
        const int slot = PlaceBySquareSearch(*game, 2, 2, 3);
        ASSERT_NE(slot, 0);
        EXPECT_EQ(Object(slot).Cells[1], p);
    }
    EXPECT_EQ(PlaceBySquareSearch(*game, 2, 2, 3), 0) << "only water is left";
    EXPECT_NE(PlaceBySquareSearch(*game, 2, 2, 21), 0) << "a ship still fits on row 1";
    EXPECT_EQ(PlaceBySquareSearch(*game, 4, 4, 42), 0) << "no room for a block";
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

}  // namespace
}  // namespace tarq::testing
