#include "view/Renderer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "view/Blitter.h"
#include "view/Viewport.h"

namespace tarq {
namespace {

constexpr Pixel kBlack = 0xFF000000u;

// Cells past the grid's storage are drawn as empty cells.
const TMapCell kEmptyCell{};

const TMapCell& CellAt(const Game& game, int col, int row) {
    return CellGrid<TMapCell>::inStorage(col, row) ? game.Map(col, row) : kEmptyCell;
}

// Ids hashed into 64 bits: id 0 has a bit of its own, the others share 63.
std::uint64_t IdBit(int id) {
    if (id == 0) return 1;
    return std::uint64_t{2} << (static_cast<unsigned>(id) % 63u);
}

std::uint64_t PulseBits(const PulseState& pulse) {
    std::uint64_t bits = 0;
    if (!pulse.active) return 0;
    for (int i = 0; i < pulse.count; ++i) bits |= IdBit(pulse.ids[static_cast<std::size_t>(i)]);
    return bits;
}

void FillRect(Bitmap& b, int x, int y, int w, int h, Pixel colour) {
    for (int yy = y; yy < y + h; ++yy) std::fill_n(b.row(yy) + x, w, colour);
}

bool SameCell(const TMapCell& a, const TMapCell& b) { return std::memcmp(&a, &b, sizeof(TMapCell)) == 0; }

// Whether a shown picture of layers 1 to 7 belongs to a pulsing id.
bool CellPulses(const TMapCell& cell, const PulseState& pulse) {
    for (int l = 1; l <= kLayerGeology; ++l)
        if (cell.Layers[l].show != 0 && pulse.Has(cell.Layers[l].id)) return true;
    return false;
}

}  // namespace

FrameGeometry ComputeFrameGeometry(const Game& game) {
    const TViewSettings& v = game.ViewSettings;
    FrameGeometry g;
    g.pitch = game.CellPixels;
    g.gap = v.ShowGrid == 1 ? 1 : 0;
    g.size = g.pitch - g.gap;
    g.firstCol = v.FirstCol > 1 ? v.FirstCol - 1 : 1;
    g.firstRow = v.FirstRow > 1 ? v.FirstRow - 1 : 1;
    g.lastCol = std::max(g.firstCol - 1, v.FirstCol + game.VisibleCols + 1);
    g.lastRow = std::max(g.firstRow - 1, v.FirstRow + game.VisibleRows + 1);
    g.originX = v.ViewOffsetX + (g.firstCol - v.FirstCol) * g.pitch;
    g.originY = v.ViewOffsetY + (g.firstRow - v.FirstRow) * g.pitch;
    return g;
}

void StepPulse(Game& game) {
    if (game.PulseAlpha < 50)
        game.PulseStep = 20;
    else if (game.PulseAlpha >= 240)
        game.PulseStep = -20;
    game.PulseAlpha += game.PulseStep;
}

PulseState CurrentPulse(const Game& game) {
    PulseState p;
    if (game.ClickMode != kClickPlaceSite && game.ClickMode != kClickChooseExit) return p;
    p.active = true;
    p.alpha = game.PulseAlpha;
    p.ids[static_cast<std::size_t>(p.count++)] = std::abs(static_cast<int>(game.LastCreatedObject));
    if (game.ClickMode == kClickChooseExit)
        for (i32 marker : game.ExitMarkers)
            if (marker > 0) p.ids[static_cast<std::size_t>(p.count++)] = marker;
    return p;
}

void FrameCache::Invalidate() {
    layout_ = Layout{};
    patterns_.Clear();
}

void FrameCache::Reset(const Layout& layout) {
    layout_ = layout;
    const std::size_t slots = static_cast<std::size_t>(layout.slotCols) * layout.slotRows;
    const std::size_t cols = static_cast<std::size_t>(layout.slotCols);
    pixels_ = Bitmap(layout.slotCols * layout.pitch, layout.slotRows * layout.pitch, kBlack);
    snapshot_.assign(slots, kEmptyCell);
    valid_.assign(slots, 0);
    pulsed_.assign(slots, 0);
    idBits_.assign(slots, 0);
    columnValid_.assign(cols, 0);
    columnPulsed_.assign(cols, 0);
    columnIdBits_.assign(cols, 0);
}

void FrameCache::Draw(const Game& game, const ImageList& images, Bitmap& back, const FrameGeometry& g,
                      const PulseState& pulse, bool readyLayerOn) {
    composedLastFrame_ = 0;
    if (g.pitch < 1 || g.Cols() < 1 || g.Rows() < 1) return;
    Layout want;
    want.pitch = g.pitch;
    want.size = g.size;
    want.gap = g.gap;
    want.slotCols = std::max(g.Cols(), game.VisibleCols + 3);
    want.slotRows = std::max(g.Rows(), game.VisibleRows + 3);
    want.ready = readyLayerOn;
    const bool patternsChanged = patterns_.Prepare(images, g.size);
    if (patternsChanged || !(want == layout_)) Reset(want);
    // New rows in the range: the slots they land on must all be checked.
    if (g.firstRow != lastFirstRow_ || g.lastRow != lastLastRow_)
        std::fill(columnValid_.begin(), columnValid_.end(), 0);
    lastFirstRow_ = g.firstRow;
    lastLastRow_ = g.lastRow;

    const std::uint64_t pulseBits = PulseBits(pulse);
    for (int c = g.firstCol; c <= g.lastCol; ++c) {
        const int sc = c % layout_.slotCols;
        const bool check = !columnValid_[sc] || columnPulsed_[sc] || (columnIdBits_[sc] & pulseBits) != 0 ||
                           !ColumnUnchanged(game, c, sc, g);
        if (check) DrawColumn(game, images, c, sc, g, pulse, pulseBits);
    }
    CopyToSurface(back, g);
}

// One or two memcmp calls over the column: the map stores a column's rows
// contiguously and the slot rows wrap around once at most.
bool FrameCache::ColumnUnchanged(const Game& game, int col, int sc, const FrameGeometry& g) const {
    if (!CellGrid<TMapCell>::inStorage(col, g.firstRow) || !CellGrid<TMapCell>::inStorage(col, g.lastRow))
        return false;
    const int rows = layout_.slotRows;
    int r = g.firstRow;
    while (r <= g.lastRow) {
        const int sr = r % rows;
        const int n = std::min(g.lastRow - r + 1, rows - sr);
        const TMapCell* map = &game.Map(col, r);
        const TMapCell* snap = &snapshot_[static_cast<std::size_t>(sc) * rows + sr];
        if (std::memcmp(map, snap, static_cast<std::size_t>(n) * sizeof(TMapCell)) != 0) return false;
        r += n;
    }
    return true;
}

void FrameCache::DrawColumn(const Game& game, const ImageList& images, int col, int sc, const FrameGeometry& g,
                            const PulseState& pulse, std::uint64_t pulseBits) {
    const int rows = layout_.slotRows;
    std::uint64_t bits = 0;
    bool pulsed = false;
    for (int r = g.firstRow; r <= g.lastRow; ++r) {
        const int sr = r % rows;
        const std::size_t slot = static_cast<std::size_t>(sc) * rows + sr;
        const TMapCell& cell = CellAt(game, col, r);
        const bool compose = !valid_[slot] || pulsed_[slot] || !SameCell(cell, snapshot_[slot]) ||
                             ((idBits_[slot] & pulseBits) != 0 && CellPulses(cell, pulse));
        if (compose) {
            // A byte copy, so the snapshot compares equal to the cell afterwards.
            std::memcpy(static_cast<void*>(&snapshot_[slot]), &cell, sizeof(TMapCell));
            ComposeSlot(images, static_cast<int>(slot), sc, sr, pulse);
        }
        bits |= idBits_[slot];
        pulsed = pulsed || pulsed_[slot] != 0;
    }
    columnValid_[sc] = 1;
    columnPulsed_[sc] = pulsed ? 1 : 0;
    columnIdBits_[sc] = bits;
}

// Draws the snapshot of one slot onto black: layers 1 to 7 in order, pulsing
// ones blended, then layer 8 when the ready markers are on.
void FrameCache::ComposeSlot(const ImageList& images, int slot, int sc, int sr, const PulseState& pulse) {
    const TMapCell& cell = snapshot_[static_cast<std::size_t>(slot)];
    const int lastLayer = layout_.ready ? kLayerReady : kLayerGeology;
    std::array<const ScaledPattern*, kLayers> drawn{};
    std::array<bool, kLayers> blended{};
    int n = 0;
    std::uint64_t bits = 0;
    for (int l = 1; l <= lastLayer; ++l) {
        const TSpriteRef& s = cell.Layers[l];
        if (s.show == 0) continue;
        const ScaledPattern* p = patterns_.Get(images, s.idU, s.Spr);
        if (p == nullptr || p->kind == ScaledPattern::Kind::Empty) continue;
        bits |= IdBit(s.id);
        blended[static_cast<std::size_t>(n)] = l != kLayerReady && pulse.active && pulse.Has(s.id);
        drawn[static_cast<std::size_t>(n++)] = p;
    }
    const int pitch = layout_.pitch;
    const int bx = sc * pitch;
    const int by = sr * pitch;
    const int gap = layout_.gap;
    // The grid lines of a block stay black from the reset: no square covers them.
    const bool coveredByFirst = n > 0 && !blended[0] && drawn[0]->kind == ScaledPattern::Kind::Opaque;
    if (!coveredByFirst) FillRect(pixels_, bx + gap, by + gap, pitch - gap, pitch - gap, kBlack);
    const ClipRect block{bx, by, bx + pitch, by + pitch};
    bool pulsed = false;
    for (int i = 0; i < n; ++i) {
        if (blended[static_cast<std::size_t>(i)]) {
            BlitScaledBlended(pixels_, *drawn[static_cast<std::size_t>(i)], bx + gap, by + gap, pulse.alpha, block);
            pulsed = true;
        } else {
            BlitScaled(pixels_, *drawn[static_cast<std::size_t>(i)], bx + gap, by + gap, block);
        }
    }
    valid_[static_cast<std::size_t>(slot)] = 1;
    pulsed_[static_cast<std::size_t>(slot)] = pulsed ? 1 : 0;
    idBits_[static_cast<std::size_t>(slot)] = bits;
    ++composedLastFrame_;
}

namespace {

// A run of screen pixels copied from one contiguous run of the cache.
struct Segment {
    int screen0 = 0, screen1 = 0, cache0 = 0;
};

// The drawn columns (or rows) of the frame split where the slots wrap, clipped
// to 0..limit.
std::array<Segment, 2> SplitAtWrap(int origin, int first, int count, int slots, int pitch, int limit) {
    const int s0 = first % slots;
    const int nA = std::min(count, slots - s0);
    std::array<Segment, 2> seg{};
    seg[0] = {origin, origin + nA * pitch, s0 * pitch};
    seg[1] = {origin + nA * pitch, origin + count * pitch, 0};
    for (Segment& s : seg) {
        if (s.screen0 < 0) {
            s.cache0 -= s.screen0;
            s.screen0 = 0;
        }
        s.screen1 = std::min(s.screen1, limit);
    }
    return seg;
}

}  // namespace

void FrameCache::CopyToSurface(Bitmap& back, const FrameGeometry& g) const {
    const int pitch = layout_.pitch;
    const auto xs = SplitAtWrap(g.originX, g.firstCol, g.Cols(), layout_.slotCols, pitch, back.width);
    const auto ys = SplitAtWrap(g.originY, g.firstRow, g.Rows(), layout_.slotRows, pitch, back.height);
    for (const Segment& sy : ys)
        for (int y = sy.screen0; y < sy.screen1; ++y) {
            const Pixel* src = pixels_.row(sy.cache0 + (y - sy.screen0));
            Pixel* out = back.row(y);
            for (const Segment& sx : xs)
                if (sx.screen0 < sx.screen1)
                    std::memcpy(out + sx.screen0, src + sx.cache0,
                                static_cast<std::size_t>(sx.screen1 - sx.screen0) * sizeof(Pixel));
        }
}

void RenderFrame(Game& game, const ImageList& images, Bitmap& backBuffer, FrameCache& cache,
                 const FrameHooks& hooks) {
    ClampView(game);
    if (game.MinimapDirty == 1) {
        game.MinimapDirty = 0;
        if (hooks.RebuildMinimap) hooks.RebuildMinimap();
    }
    if (game.ClickMode == kClickPlaceSite || game.ClickMode == kClickChooseExit) StepPulse(game);
    cache.Draw(game, images, backBuffer, ComputeFrameGeometry(game), CurrentPulse(game), game.ReadyLayerOn == 1);
    if (game.ViewChanged == 1 && hooks.SyncViewControls) hooks.SyncViewControls();
}

}  // namespace tarq
