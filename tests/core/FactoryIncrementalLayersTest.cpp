// The incremental layer rebuild against the full one: two games take the same
// random changes to their object tables, one redraws everything, the other
// only what changed, and every layer of every cell must agree.
#include <random>

#include "FactoryFixture.h"

namespace tarq::testing {
namespace {

class Twins {
public:
    explicit Twins(unsigned seed) : rng_(seed), full_(NewGame()), fast_(NewGame()) {
        for (Game* g : games()) InitData(*g), g->CurrentPlayer = 1;
        resize(12);
    }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::array<Game*, 2> games() { return {full_.get(), fast_.get()}; }
    Game& full() { return *full_; }
    int size() const { return full_->World.MapWidth; }

    // Applies one change to both games.
    template <typename Change>
    void apply(Change change) {
        for (Game* g : games()) change(*g);
    }

    void redraw() {
        RebuildObjectLayersFull(*full_);
        RebuildObjectLayers(*fast_);  // the game's own stamps
    }

    void resize(int side) {
        apply([side](Game& g) {
            g.World.MapWidth = g.World.MapHeight = static_cast<i16>(side);
            for (int c = 1; c <= side; ++c)
                for (int r = 1; r <= side; ++r)
                    g.World.Passability(c, r) = (c * 7 + r * 3) % 5 == 0 ? kPassWater : kPassLand;
        });
    }

    void reset() {
        apply([](Game& g) { InitData(g), g.CurrentPlayer = 1; });
        resize(size());
    }

    int usedSlot() {
        std::vector<int> used;
        for (int i = 1; i <= kMaxObjects; ++i)
            if (full_->World.Objects[i].Owner != 0) used.push_back(i);
        return used.empty() ? 0 : used[static_cast<std::size_t>(pick(0, static_cast<int>(used.size()) - 1))];
    }

    std::string firstDifference() const {
        for (int c = 1; c <= full_->World.MapWidth; ++c)
            for (int r = 1; r <= full_->World.MapHeight; ++r)
                for (int layer = 1; layer <= kLayers; ++layer)
                    if (!(full_->Map(c, r).Layers[layer] == fast_->Map(c, r).Layers[layer]))
                        return "layer " + std::to_string(layer) + " of " + std::to_string(c) + ", " + std::to_string(r);
        return "";
    }

private:
    std::mt19937 rng_;
    std::unique_ptr<Game> full_, fast_;
};

// One animation step of an object: each picture of a ring advances and is
// drawn again into layer Layer + 1 of its cell (still pictures, which name
// themselves, are not animated).
void Animate(Game& g, int slot) {
    TGameObject& o = g.World.Objects[slot];
    for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k) {
        TSpriteRef& s = o.CellSprites[k];
        const TSpriteRef& next =
            g.SpriteTable[static_cast<std::size_t>(std::clamp<int>(s.SprNext, 0, kSpriteTableSize - 1))];
        if (next.SprNext == s.SprNext) continue;
        s.idU = next.idU, s.Spr = next.Spr, s.SprNext = next.SprNext;
        if (g.InMap(o.Cells[k].col, o.Cells[k].row) && o.Layer + 1 <= kLayers)
            g.Map(o.Cells[k].col, o.Cells[k].row).Layers[o.Layer + 1] = s;
    }
}

TEST(FactoryIncrementalLayersTest, RandomChangesDrawTheSameLayersAsAFullRebuild) {
    for (unsigned seed : {11u, 12u, 13u, 14u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Twins twins(seed);
        for (int step = 0; step < 400; ++step) {
            const int op = twins.pick(0, 99);
            const int slot = twins.usedSlot();
            const int c = twins.pick(-1, twins.size() + 2), r = twins.pick(-1, twins.size() + 2);
            if (op < 30 || slot == 0) {
                const int type = twins.pick(1, 67), x = twins.pick(1, twins.size()), y = twins.pick(1, twins.size());
                twins.apply([&](Game& g) { PlaceBySquareSearch(g, x, y, type, LayerRefresh::Deferred); });
            } else if (op < 45) {
                twins.apply([&](Game& g) { g.World.Objects[slot] = g.ObjectTemplate; });
            } else if (op < 66) {
                // A move, a parked builder or a site jumping: only the table changes.
                twins.apply([&](Game& g) {
                    g.World.Objects[slot].Cells =
                        g.World.Objects[slot].CellCount == 4 ? BlockFootprint(c, r) : SingleCellFootprint(c, r);
                });
            } else if (op < 80) {
                // The animation step writes into the cells the last rebuild drew.
                twins.redraw();
                twins.apply([&](Game& g) { Animate(g, slot); });
            } else if (op < 90) {
                const int layer = twins.pick(0, 7), second = twins.pick(0, 3) == 0 ? twins.pick(1, 7) : 0;
                const int order = twins.pick(0, 2);  // 2: a construction site, stamped last
                twins.apply([&](Game& g) {
                    g.World.Objects[slot].Layer = static_cast<u8>(layer);
                    g.World.Objects[slot].SecondLayer = static_cast<u8>(second);
                    g.World.Objects[slot].OrderState = static_cast<u8>(order);
                });
            } else if (op < 94) {
                const int other = twins.pick(1, 40);
                twins.apply([&](Game& g) { std::swap(g.World.Objects[slot], g.World.Objects[other]); });
            } else if (op < 97) {
                // Layers 6 and 8 are written by others (markers, the exit choice).
                twins.apply([&](Game& g) {
                    const TCellPos p = g.World.Objects[slot].Cells[1];
                    if (!g.InMap(p.col, p.row)) return;
                    g.Map(p.col, p.row).Layers[kLayerAircraft] = EmptySpriteRef;
                    g.Map(p.col, p.row).Layers[kLayerReady] = EmptySpriteRef;
                });
            } else if (op < 98) {
                twins.resize(twins.pick(6, 14));
            } else {
                twins.reset();
            }
            if (twins.pick(0, 3) == 0) continue;  // several changes before some redraws
            twins.redraw();
            ASSERT_TRUE(twins.games()[0]->World.Objects == twins.games()[1]->World.Objects);
            ASSERT_EQ(twins.firstDifference(), "") << "step " << step << ", change " << op;
            ASSERT_TRUE(CheckObjectLayers(twins.full()).empty());
        }
    }
}

}  // namespace
}  // namespace tarq::testing
