#include "view/Fog.h"

#include "core/Sight.h"
#include "core/SightCounts.h"

namespace tarq {

void FogView::Prepare(const Game& game, int c0, int c1, int r0, int r1) {
    viewer_ = game.CurrentPlayer;
    active_ = FogCovers(game, viewer_);
    const std::vector<TSeenStructure>& seen = SeenStructures(game, viewer_);
    // Another game (a file read) has another map identity.
    const std::uint64_t key =
        active_
            ? ((game.Map.Identity() * 0x9E3779B97F4A7C15ull + game.World.Objects.Writes()) * 31 + seen.size()) * 16 +
                  viewer_
            : 0;
    // The same objects, memory and range as the last frame: nothing to work out again.
    if (key == key_ && c0 == c0_ && c1 == c1_ && r0 == r0_ && r1 == r1_ && prepared_) return;
    key_ = key;
    prepared_ = true;
    c0_ = c0, c1_ = c1, r0_ = r0, r1_ = r1;
    foreignMines_ = false;
    mines_.fill(0);
    if (!active_) return;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.World.Objects[slot];
        if (o.Owner == 0 || o.Owner == viewer_ || !IsMineType(o.TypeId)) continue;
        foreignMines_ = true;
        mines_[static_cast<std::size_t>(slot) / 64] |= std::uint64_t{1} << (static_cast<std::size_t>(slot) % 64);
    }
    if (c1 < c0 || r1 < r0) return;
    const std::size_t rows = static_cast<std::size_t>(r1 - r0 + 1);
    seenAt_.assign(static_cast<std::size_t>(c1 - c0 + 1) * rows, 0);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const TSeenStructure& s = seen[i];
        for (int k = 1; k <= (s.CellCount == 4 ? 4 : 1); ++k) {
            const TCellPos p = s.Cells[k];
            if (p.col < c0 || p.col > c1 || p.row < r0 || p.row > r1) continue;
            std::uint32_t& at =
                seenAt_[static_cast<std::size_t>(p.col - c0) * rows + static_cast<std::size_t>(p.row - r0)];
            // Two at most share a cell (a road under a building): the first two kept.
            if ((at & 0xFFFFu) == 0)
                at |= static_cast<std::uint32_t>(i + 1);
            else if ((at >> 16) == 0)
                at |= static_cast<std::uint32_t>(i + 1) << 16;
        }
    }
}

FogState FogView::StateAt(const Game& game, int col, int row) const {
    if (!active_ || !game.InMap(col, row)) return FogState::Lit;
    if (SightCount(game, viewer_, col, row) > 0) return FogState::Lit;
    return Explored(game, viewer_, col, row) ? FogState::Dim : FogState::Black;
}

void FogView::LitCell(const Game& game, const TMapCell& real, TMapCell& out) const {
    out = real;
    for (TSpriteRef& ref : out.Layers) {
        if (ref.id < 1 || ref.id > kMaxObjects) continue;
        const TGameObject& o = game.World.Objects[ref.id];
        if (o.Owner != 0 && o.Owner != viewer_ && IsMineType(o.TypeId)) ref = EmptySpriteRef;
    }
}

void FogView::DimmedCell(const Game& game, int col, int row, const TMapCell& real, TMapCell& out) const {
    for (int l = 1; l <= kLayers; ++l) {
        const TSpriteRef& ref = real.Layers[l];
        const bool ground = l == kLayerTerrain || l == kLayerGeology;
        const bool own = ref.id >= 1 && ref.id <= kMaxObjects && game.World.Objects[ref.id].Owner == viewer_;
        out.Layers[l] = ground || own ? ref : EmptySpriteRef;
    }
    if (col < c0_ || col > c1_ || row < r0_ || row > r1_) return;
    const std::size_t rows = static_cast<std::size_t>(r1_ - r0_ + 1);
    const std::uint32_t at = seenAt_[static_cast<std::size_t>(col - c0_) * rows + static_cast<std::size_t>(row - r0_)];
    const std::vector<TSeenStructure>& seen = SeenStructures(game, viewer_);
    for (std::uint32_t index : {at & 0xFFFFu, at >> 16}) {
        if (index == 0) continue;
        const TSeenStructure& s = seen[index - 1];
        const int layer = s.Layer + 1, second = s.SecondLayer != 0 ? s.SecondLayer + 1 : 0;
        for (int k = 1; k <= (s.CellCount == 4 ? 4 : 1); ++k) {
            if (s.Cells[k].col != col || s.Cells[k].row != row) continue;
            if (layer <= kLayers && out.Layers[layer].show == 0) out.Layers[layer] = s.CellSprites[k];
            if (second != 0 && second <= kLayers && out.Layers[second].show == 0) out.Layers[second] = s.CellSprites[2];
        }
    }
}

}  // namespace tarq
