// Helpers shared by the world tests: small hand-made maps, fixed seeds and a
// hash of everything the generator writes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/Random.h"
#include "core/World.h"

namespace tarq::testing {

// Resizes the map to width x height and sets every map cell to `code`.
inline void ResetMap(Game& game, int width, int height, u8 code = 1) {
    game.World.MapWidth = static_cast<i16>(width);
    game.World.MapHeight = static_cast<i16>(height);
    for (int c = 1; c <= width; ++c)
        for (int r = 1; r <= height; ++r) game.World.Terrain(c, r) = code;
}

// A fresh game whose map is width x height, every map cell set to `code`.
inline std::unique_ptr<Game> MakeMap(int width, int height, u8 code = 1) {
    auto game = NewGame();
    ResetMap(*game, width, height, code);
    return game;
}

// A random source that always reseeds to `seed`.
inline RandomSource FixedRandom(std::uint32_t seed) {
    return RandomSource([seed] { return seed; });
}

class Fnv1a {
public:
    void Add(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xFFu;
            hash_ *= 0x100000001b3ull;
        }
    }
    std::uint64_t Value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

// Terrain, class, deposit and layers 1 and 7 of every map cell.
inline std::uint64_t HashMap(const Game& game) {
    Fnv1a h;
    h.Add(static_cast<std::uint64_t>(game.World.MapWidth), 2);
    h.Add(static_cast<std::uint64_t>(game.World.MapHeight), 2);
    for (int c = 1; c <= game.World.MapWidth; ++c)
        for (int r = 1; r <= game.World.MapHeight; ++r) {
            h.Add(game.World.Terrain(c, r), 1);
            h.Add(game.World.Passability(c, r), 1);
            h.Add(game.World.Resources(c, r).Kind, 1);
            h.Add(game.World.Resources(c, r).Amount, 1);
            for (int layer : {kLayerTerrain, kLayerGeology}) {
                const TSpriteRef& s = game.Map(c, r).Layers[layer];
                h.Add(s.idU, 1);
                h.Add(static_cast<std::uint16_t>(s.Spr), 2);
                h.Add(s.show, 1);
            }
        }
    return h.Value();
}

}  // namespace tarq::testing
