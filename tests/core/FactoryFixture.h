// A small hand-made world for the factory tests: a freshly initialised game
// with a square map whose ground the test paints cell by cell.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Factory.h"
#include "core/Invariants.h"
#include "core/World.h"

namespace tarq::testing {

// Violations one per line, for failure messages.
inline std::string Join(const Violations& v) {
    std::string all;
    for (const std::string& line : v) all += line + "\n";
    return all;
}

class FactoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
        SetMap(10, 10, kPassLand);
        game->CurrentPlayer = 1;
        game->ViewSettings.ShowConnectors = 1;
    }

    void SetMap(int width, int height, u8 passability) {
        game->World.MapWidth = static_cast<i16>(width);
        game->World.MapHeight = static_cast<i16>(height);
        for (int c = 1; c <= width; ++c)
            for (int r = 1; r <= height; ++r) game->World.Passability(c, r) = passability;
    }

    // Ground from rows of characters: '.' land, ',' coast, '~' water, '#' blocked.
    void PaintGround(int col, int row, const std::vector<std::string>& rows) {
        for (std::size_t y = 0; y < rows.size(); ++y)
            for (std::size_t x = 0; x < rows[y].size(); ++x) {
                const char ch = rows[y][x];
                const u8 p = ch == '.' ? kPassLand : ch == ',' ? kPassCoast : ch == '~' ? kPassWater : kPassBlocked;
                game->World.Passability(col + static_cast<int>(x), row + static_cast<int>(y)) = p;
            }
    }

    // Puts an object of `type` straight into a slot, bypassing every check.
    TGameObject& Plant(int slot, int type, int col, int row) {
        TGameObject& o = game->World.Objects[slot];
        o.Owner = 1;
        o.TypeId = static_cast<i16>(type);
        o.CellCount = 1;
        o.Layer = 3;
        o.Cells = SingleCellFootprint(col, row);
        return o;
    }

    TGameObject& Object(int slot) { return game->World.Objects[slot]; }
    TSpriteRef& LayerAt(int col, int row, int layer) { return game->Map(col, row).Layers[layer]; }

    std::unique_ptr<Game> game;
};

// Copies of everything a refused creation must leave alone, over the map and
// one cell around it.
struct WorldSnapshot {
    explicit WorldSnapshot(const Game& game) : objects(game.World.Objects), last(game.LastCreatedObject) {
        for (int c = 0; c <= game.World.MapWidth + 1; ++c)
            for (int r = 0; r <= game.World.MapHeight + 1; ++r) {
                cells.push_back(game.Map(c, r));
                present.push_back(game.World.Connectors(c, r).Present);
                owners.push_back(game.World.Connectors(c, r).Owner);
            }
    }
    bool operator==(const WorldSnapshot& other) const {
        if (!(objects == other.objects) || last != other.last || present != other.present || owners != other.owners)
            return false;
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (!(cells[i].Layers == other.cells[i].Layers)) return false;
        return true;
    }

    Array1<TGameObject, kMaxObjects> objects;
    i16 last;
    std::vector<TMapCell> cells;
    std::vector<u8> present, owners;
};

}  // namespace tarq::testing
