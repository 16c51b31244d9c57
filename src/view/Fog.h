// The fog of war on the map as the current player sees it: which cells are
// lit, dimmed or black, and what a dimmed cell shows. The renderer and the
// minimap draw from it.
#pragma once

#include <array>
#include <vector>

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

enum class FogState : u8 { Lit, Dim, Black };

// A dimmed pixel: each colour at half its brightness.
inline Pixel DimPixel(Pixel p) { return 0xFF000000u | ((p >> 1) & 0x007F7F7Fu); }

// The current player's fog over a range of cells, prepared once a frame.
class FogView {
public:
    // For cells of columns c0..c1 and rows r0..r1; outside the range every
    // cell counts as lit.
    void Prepare(const Game& game, int c0, int c1, int r0, int r1);
    // Whether the fog hides anything from the current player.
    bool Active() const { return active_; }
    // What changes the fog's picture: who looks, whether the fog covers them,
    // the objects and their memory. Equal keys draw equal fog.
    std::uint64_t Key() const { return key_; }

    FogState StateAt(const Game& game, int col, int row) const;
    // Whether a lit cell may show a picture of another player's mine, which
    // nobody else sees (false when no such mine is on the map).
    bool MayShowMines() const { return foreignMines_; }
    // Whether a layer of `cell` shows a picture of another player's mine.
    bool ShowsMine(const TMapCell& cell) const {
        for (const TSpriteRef& ref : cell.Layers)
            if (ref.id >= 1 && ref.id <= kMaxObjects &&
                ((mines_[static_cast<std::size_t>(ref.id) / 64] >> (static_cast<std::size_t>(ref.id) % 64)) & 1u) != 0)
                return true;
        return false;
    }
    // The lit cell without the pictures of other players' mines.
    void LitCell(const Game& game, const TMapCell& real, TMapCell& out) const;
    // The cell to draw at (col, row) in state Dim: the ground and geology,
    // the player's own pictures and the structures they remember there.
    void DimmedCell(const Game& game, int col, int row, const TMapCell& real, TMapCell& out) const;

private:
    bool active_ = false;
    bool foreignMines_ = false;
    std::array<std::uint64_t, kMaxObjects / 64 + 1> mines_{};  // other players' mines, a bit a slot
    bool prepared_ = false;
    u8 viewer_ = 0;
    std::uint64_t key_ = 0;
    int c0_ = 0, c1_ = -1, r0_ = 0, r1_ = -1;
    // Per cell of the range, up to two remembered structures (index + 1 in Seen).
    std::vector<std::uint32_t> seenAt_;
};

}  // namespace tarq
