#include "view/Renderer.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "view/Blitter.h"
#include "view/Viewport.h"

namespace tarq {
namespace {

constexpr Pixel kBlack = 0xFF000000u;

// More cells composed than this in a frame are copied with the whole frame.
constexpr std::size_t kCellsCopiedApart = 1024;

// Cells past the grid's storage are drawn as empty cells.
const TMapCell kEmptyCell{};

const TMapCell& CellAt(const Game& game, int col, int row) {
    return CellGrid<TMapCell>::inStorage(col, row) ? game.Map(col, row) : kEmptyCell;
}

// Ids hashed into 64 bits, a filter for the pulse checks (id 0, the ground's,
// has bit 0, shared with few others).
std::uint64_t IdBit(int id) {
    return std::uint64_t{1} << ((static_cast<std::uint32_t>(id) * 0x9E3779B1u) >> 26);
}

std::uint64_t PulseBits(const PulseState& pulse) {
    std::uint64_t bits = 0;
    if (!pulse.active) return 0;
    for (int i = 0; i < pulse.count; ++i) bits |= IdBit(pulse.ids[static_cast<std::size_t>(i)]);
    return bits;
}

// The eight layers compared word by word, inline: a call to memcmp per cell
// costs more than the comparison.
bool SameCell(const TMapCell& a, const TMapCell& b) {
    static_assert(sizeof(TMapCell) == 64);
    std::uint64_t wa[8], wb[8];
    std::memcpy(wa, &a, sizeof wa);
    std::memcpy(wb, &b, sizeof wb);
    std::uint64_t differ = 0;
    for (int i = 0; i < 8; ++i) differ |= wa[i] ^ wb[i];
    return differ == 0;
}

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
    // A zoom resets the layout: what a slot held is read only once the slot
    // is valid again, so the buffers only ever grow, and growing is the one
    // time their memory is written before use.
    auto atLeast = [](auto& v, std::size_t n) {
        if (v.size() < n) v.resize(n);
    };
    pixels_.width = layout.slotCols * layout.pitch;
    pixels_.height = layout.slotRows * layout.pitch;
    atLeast(pixels_.pixels, static_cast<std::size_t>(pixels_.width) * pixels_.height);
    atLeast(snapshot_, slots);
    atLeast(pulsed_, slots);
    atLeast(idBits_, slots);
    valid_.assign(slots, 0);
    columnValid_.assign(cols, 0);
    columnPulsed_.assign(cols, 0);
    columnIdBits_.assign(cols, 0);
    looks_.clear();
    if (layout.pitch <= kLookPitch) {
        std::size_t n = 2;
        while (n < 8192 && (n * 2) * static_cast<std::size_t>(layout.pitch * layout.pitch) <= (std::size_t{1} << 18)) n *= 2;
        // A key no cell has: a look's pixels are read only after it was stored.
        looks_.assign(n, Look{{~std::uint64_t{0}, 0, 0, 0}});
        atLeast(lookPixels_, n * static_cast<std::size_t>(layout.pitch * layout.pitch));
    }
}

FrameGeometry CutToSurface(const FrameGeometry& g, int width, int height) {
    if (g.pitch < 1) return g;
    // Index i of a drawn column covers originX + i * pitch .. + pitch; keep those reaching into 0..width.
    auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    const int i0 = std::max(0, floorDiv(-g.originX, g.pitch));
    const int i1 = std::min(g.Cols() - 1, floorDiv(width - 1 - g.originX, g.pitch));
    const int j0 = std::max(0, floorDiv(-g.originY, g.pitch));
    const int j1 = std::min(g.Rows() - 1, floorDiv(height - 1 - g.originY, g.pitch));
    FrameGeometry cut = g;
    cut.firstCol = g.firstCol + i0;
    cut.lastCol = g.firstCol + i1;
    cut.firstRow = g.firstRow + j0;
    cut.lastRow = g.firstRow + j1;
    cut.originX = g.originX + i0 * g.pitch;
    cut.originY = g.originY + j0 * g.pitch;
    return cut;
}

bool FrameCache::Update(const Game& game, const ImageList& images, const FrameGeometry& g, const PulseState& pulse,
                        bool readyLayerOn) {
    composedLastFrame_ = 0;
    composedCells_.clear();
    Layout want;
    want.pitch = g.pitch;
    want.size = g.size;
    want.gap = g.gap;
    want.slotCols = std::max(g.Cols(), game.VisibleCols + 3);
    want.slotRows = std::max(g.Rows(), game.VisibleRows + 3);
    want.ready = readyLayerOn;
    const bool imagesChanged = patterns_.Prepare(images, g.size);
    const bool reset = imagesChanged || !(want == layout_);
    if (reset) Reset(want);
    // New rows in the range: the slots they land on must all be checked.
    if (g.firstRow != lastFirstRow_ || g.lastRow != lastLastRow_)
        std::fill(columnValid_.begin(), columnValid_.end(), 0);
    lastFirstRow_ = g.firstRow;
    lastLastRow_ = g.lastRow;

    const std::uint64_t pulseBits = PulseBits(pulse);
    if (reset) {
        for (int c = g.firstCol; c <= g.lastCol; ++c) {
            DrawFreshCells(game, images, c, c % layout_.slotCols, g.firstRow, g.lastRow, pulse, pulseBits);
            columnValid_[static_cast<std::size_t>(c % layout_.slotCols)] = 1;
        }
        return false;
    }
    for (int c = g.firstCol; c <= g.lastCol; ++c) {
        const int sc = c % layout_.slotCols;
        const bool check = !columnValid_[sc] || columnPulsed_[sc] || (columnIdBits_[sc] & pulseBits) != 0 ||
                           !ColumnUnchanged(game, c, sc, g);
        if (check) DrawColumn(game, images, c, sc, g, pulse, pulseBits);
    }
    return true;
}

void FrameCache::Draw(const Game& game, const ImageList& images, Bitmap& back, const FrameGeometry& whole,
                      const PulseState& pulse, bool readyLayerOn) {
    ++frame_;  // a kept back buffer no longer holds this cache's last frame
    const FrameGeometry g = CutToSurface(whole, back.width, back.height);
    composedLastFrame_ = 0;
    if (g.pitch < 1 || g.Cols() < 1 || g.Rows() < 1) return;
    Update(game, images, g, pulse, readyLayerOn);
    CopyToSurface(back, g);
}

void FrameCache::Draw(const Game& game, const ImageList& images, BackBuffer& back, const FrameGeometry& whole,
                      const PulseState& pulse, bool readyLayerOn) {
    const FrameGeometry g = CutToSurface(whole, back.width(), back.height());
    const bool drawsCells = g.pitch >= 1 && g.Cols() >= 1 && g.Rows() >= 1;
    const PixelRect area = drawsCells ? g.Area().intersected(back.whole()) : PixelRect{};
    // The buffer still holds this cache's last frame with the cells in the same places.
    const bool kept = back.drawnBy_ == this && back.drawnFrame_ == frame_ && g == lastGeometry_;
    ++frame_;
    composedLastFrame_ = 0;
    bool slotsKept = false;
    if (drawsCells) slotsKept = Update(game, images, g, pulse, readyLayerOn);
    if (drawsCells && kept && slotsKept && composedCells_.size() < kCellsCopiedApart) {
        for (const auto& [col, row] : composedCells_) back.Changed(CopyCell(back.pixels_, g, col, row));
    } else if (drawsCells) {
        CopyToSurface(back.pixels_, g);
        back.Changed(area);
    }
    // Outside the cells: what was there stays unless a clear is pending.
    const bool oldAreaCovered = area.contains(back.drawnArea_) || back.drawnBy_ == nullptr;
    if (back.pendingClear_) {
        const Pixel colour = *back.pendingClear_;
        if (!(back.outside_ == colour && oldAreaCovered)) back.FillAround(area, colour);
        back.pendingClear_.reset();
    } else if (!oldAreaCovered) {
        back.outside_.reset();
    }
    back.drawnBy_ = this;
    back.drawnFrame_ = frame_;
    back.drawnArea_ = area;
    lastGeometry_ = g;
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
    const bool quiet = columnValid_[sc] && !columnPulsed_[sc] && (columnIdBits_[sc] & pulseBits) == 0 &&
                       CellGrid<TMapCell>::inStorage(col, g.firstRow) && CellGrid<TMapCell>::inStorage(col, g.lastRow);
    if (quiet) {
        // Every slot valid and none pulsing: only changed cells count, found a
        // run of cells at a time.
        constexpr int kRun = 16;
        std::uint64_t bits = columnIdBits_[sc];
        bool pulsed = false;
        for (int r = g.firstRow; r <= g.lastRow;) {
            const int sr = r % rows;
            const int n = std::min({kRun, g.lastRow - r + 1, rows - sr});
            const std::size_t first = static_cast<std::size_t>(sc) * rows + sr;
            if (std::memcmp(&game.Map(col, r), &snapshot_[first], static_cast<std::size_t>(n) * sizeof(TMapCell)) != 0)
                for (int i = 0; i < n; ++i) {
                    const TMapCell& cell = game.Map(col, r + i);
                    if (SameCell(cell, snapshot_[first + i])) continue;
                    std::memcpy(static_cast<void*>(&snapshot_[first + i]), &cell, sizeof(TMapCell));
                    ComposeSlot(images, static_cast<int>(first + i), sc, sr + i, pulse, pulseBits);
                    if (composedCells_.size() < kCellsCopiedApart) composedCells_.emplace_back(col, r + i);
                    bits |= idBits_[first + i];
                    pulsed = pulsed || pulsed_[first + i] != 0;
                }
            r += n;
        }
        columnPulsed_[sc] = pulsed ? 1 : 0;
        columnIdBits_[sc] = bits;
        return;
    }
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
            ComposeSlot(images, static_cast<int>(slot), sc, sr, pulse, pulseBits);
            if (composedCells_.size() < kCellsCopiedApart) composedCells_.emplace_back(col, r);
        }
        bits |= idBits_[slot];
        pulsed = pulsed || pulsed_[slot] != 0;
    }
    columnValid_[sc] = 1;
    columnPulsed_[sc] = pulsed ? 1 : 0;
    columnIdBits_[sc] = bits;
}

// After a reset every slot of the rows firstRow..lastRow of the column is
// composed: the cells are copied to the snapshot in one go and none is compared.
void FrameCache::DrawFreshCells(const Game& game, const ImageList& images, int col, int sc, int firstRow, int lastRow,
                                const PulseState& pulse, std::uint64_t pulseBits) {
    const int rows = layout_.slotRows;
    const bool stored = CellGrid<TMapCell>::inStorage(col, firstRow) && CellGrid<TMapCell>::inStorage(col, lastRow);
    for (int r = firstRow; r <= lastRow;) {
        const int sr = r % rows;
        const int n = std::min(lastRow - r + 1, rows - sr);
        TMapCell* snap = &snapshot_[static_cast<std::size_t>(sc) * rows + sr];
        if (stored)
            std::memcpy(static_cast<void*>(snap), &game.Map(col, r), static_cast<std::size_t>(n) * sizeof(TMapCell));
        else
            for (int i = 0; i < n; ++i) std::memcpy(static_cast<void*>(snap + i), &CellAt(game, col, r + i), sizeof(TMapCell));
        r += n;
    }
    std::uint64_t bits = 0;
    bool pulsed = false;
    for (int r = firstRow; r <= lastRow; ++r) {
        const std::size_t slot = static_cast<std::size_t>(sc) * rows + r % rows;
        ComposeSlot(images, static_cast<int>(slot), sc, r % rows, pulse, pulseBits);
        bits |= idBits_[slot];
        pulsed = pulsed || pulsed_[slot] != 0;
    }
    columnPulsed_[sc] = columnPulsed_[sc] != 0 || pulsed ? 1 : 0;
    columnIdBits_[sc] |= bits;
}

namespace {

// What of a picture reference decides how it looks: sheet and picture while
// shown, nothing while hidden.
std::uint32_t LookWord(const TSpriteRef& s) {
    const std::uint32_t word = 0x1000000u | static_cast<std::uint32_t>(static_cast<std::uint16_t>(s.Spr)) << 8 | s.idU;
    return s.show != 0 ? word : 0;
}

// Word by word with early exits: the key was just written a word at a time,
// and wider loads of it would wait for those writes to land.
bool SameKey(const FrameCache::LookKey& a, const FrameCache::LookKey& b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

void CopyBlock(Pixel* to, int toStride, const Pixel* from, int fromStride, int n) {
    for (int y = 0; y < n; ++y, to += toStride, from += fromStride)
        for (int x = 0; x < n; ++x) to[x] = from[x];
}

}  // namespace

// Draws the snapshot of one slot onto black: layers 1 to 7 in order, pulsing
// ones blended, then layer 8 when the ready markers are on. The whole block is
// written, its grid lines included. A cell without pulsing pictures at a small
// size takes its look from the looks composed before when there is one.
void FrameCache::ComposeSlot(const ImageList& images, int slot, int sc, int sr, const PulseState& pulse,
                             std::uint64_t pulseBits) {
    const TMapCell& cell = snapshot_[static_cast<std::size_t>(slot)];
    const int lastLayer = layout_.ready ? kLayerReady : kLayerGeology;
    const int pitch = layout_.pitch;
    Pixel* block = pixels_.row(sr * pitch) + sc * pitch;
    LookKey key{};
    std::uint64_t bits = 0;
    // Without branches: whether a layer is shown varies from cell to cell.
    static constexpr std::uint64_t kMix[kLayers] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                                                    0xD6E8FEB86659FD93ull, 0xFF51AFD7ED558CCDull, 0xC4CEB9FE1A85EC53ull,
                                                    0x94D049BB133111EBull, 0xBF58476D1CE4E5B9ull};
    std::uint64_t hash = 0;
    for (int l = 1; l <= kLayers; ++l) {
        const TSpriteRef& s = cell.Layers[l];
        const std::uint32_t word = l <= lastLayer ? LookWord(s) : 0;
        bits |= word != 0 ? IdBit(s.id) : 0;
        key[static_cast<std::size_t>((l - 1) / 2)] |= static_cast<std::uint64_t>(word) << ((l - 1) % 2 * 32);
        hash += word * kMix[l - 1];
    }
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    const bool mayPulse = (bits & pulseBits) != 0 && CellPulses(cell, pulse);
    bool pulsed = false;
    if (!looks_.empty() && !mayPulse) {
        // Two places a look may be kept in; a new look takes one of them by the hash.
        const std::size_t pair = static_cast<std::size_t>(hash >> 40) & (looks_.size() - 2);
        std::size_t index = pair;
        if (!SameKey(looks_[pair].key, key)) index = SameKey(looks_[pair + 1].key, key) ? pair + 1 : SIZE_MAX;
        if (index != SIZE_MAX) {
            CopyBlock(block, pixels_.width, LookPixels(index), pitch, pitch);
        } else {
            index = pair + ((hash >> 39) & 1);
            DrawLayers(images, cell, block, nullptr, pulsed);
            CopyBlock(LookPixels(index), pitch, block, pixels_.width, pitch);
            looks_[index].key = key;
        }
    } else {
        DrawLayers(images, cell, block, mayPulse ? &pulse : nullptr, pulsed);
    }
    valid_[static_cast<std::size_t>(slot)] = 1;
    pulsed_[static_cast<std::size_t>(slot)] = pulsed ? 1 : 0;
    idBits_[static_cast<std::size_t>(slot)] = bits;
    ++composedLastFrame_;
}

// The layers of one cell into its block, onto black; `pulse` null when none blends.
void FrameCache::DrawLayers(const ImageList& images, const TMapCell& cell, Pixel* block, const PulseState* pulse,
                            bool& pulsed) {
    const int lastLayer = layout_.ready ? kLayerReady : kLayerGeology;
    std::array<const ScaledPattern*, kLayers> drawn{};
    std::array<bool, kLayers> blended{};
    int n = 0;
    for (int l = 1; l <= lastLayer; ++l) {
        const TSpriteRef& s = cell.Layers[l];
        if (s.show == 0) continue;
        const ScaledPattern* p = patterns_.Get(images, s.idU, s.Spr);
        if (p == nullptr || p->kind == ScaledPattern::Kind::Empty) continue;
        const bool blend = pulse != nullptr && l != kLayerReady && pulse->Has(s.id);
        // An opaque picture hides everything under it.
        if (!blend && p->kind == ScaledPattern::Kind::Opaque) n = 0;
        blended[static_cast<std::size_t>(n)] = blend;
        drawn[static_cast<std::size_t>(n++)] = p;
    }
    const int pitch = layout_.pitch;
    const int gap = layout_.gap;
    const int size = layout_.size;
    const int stride = pixels_.width;
    if (gap > 0) {
        std::fill_n(block, pitch, kBlack);
        for (int y = 1; y < pitch; ++y) block[static_cast<std::ptrdiff_t>(y) * stride] = kBlack;
    }
    Pixel* square = block + static_cast<std::ptrdiff_t>(gap) * stride + gap;
    const bool coveredByFirst = n > 0 && !blended[0] && drawn[0]->kind == ScaledPattern::Kind::Opaque;
    if (!coveredByFirst)
        for (int y = 0; y < size; ++y) std::fill_n(square + static_cast<std::ptrdiff_t>(y) * stride, size, kBlack);
    const std::ptrdiff_t offset = square - pixels_.pixels.data();
    const int bx = static_cast<int>(offset % stride);
    const int by = static_cast<int>(offset / stride);
    const ClipRect clip{bx, by, bx + size, by + size};
    for (int i = 0; i < n; ++i) {
        if (blended[static_cast<std::size_t>(i)]) {
            BlitScaledBlended(pixels_, *drawn[static_cast<std::size_t>(i)], bx, by, pulse->alpha, clip);
            pulsed = true;
        } else {
            CopyScaled(square, stride, *drawn[static_cast<std::size_t>(i)]);
        }
    }
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

PixelRect FrameCache::CopyCell(Bitmap& back, const FrameGeometry& g, int col, int row) const {
    const int pitch = layout_.pitch;
    const int x = g.originX + (col - g.firstCol) * pitch;
    const int y = g.originY + (row - g.firstRow) * pitch;
    const int x0 = std::max(x, 0), x1 = std::min(x + pitch, back.width);
    const int y0 = std::max(y, 0), y1 = std::min(y + pitch, back.height);
    if (x0 >= x1 || y0 >= y1) return {};
    const int cx = (col % layout_.slotCols) * pitch + (x0 - x);
    const int cy = (row % layout_.slotRows) * pitch + (y0 - y);
    for (int yy = y0; yy < y1; ++yy)
        std::memcpy(back.row(yy) + x0, pixels_.row(cy + (yy - y0)) + cx, static_cast<std::size_t>(x1 - x0) * sizeof(Pixel));
    return {x0, y0, x1, y1};
}

namespace {

template <typename Target>
void RenderInto(Game& game, const ImageList& images, Target& backBuffer, FrameCache& cache, const FrameHooks& hooks) {
    ClampView(game);
    if (game.MinimapDirty == 1) {
        game.MinimapDirty = 0;
        if (hooks.RebuildMinimap) hooks.RebuildMinimap();
    }
    if (game.ClickMode == kClickPlaceSite || game.ClickMode == kClickChooseExit) StepPulse(game);
    cache.Draw(game, images, backBuffer, ComputeFrameGeometry(game), CurrentPulse(game), game.ReadyLayerOn == 1);
    if (game.ViewChanged == 1 && hooks.SyncViewControls) hooks.SyncViewControls();
}

}  // namespace

void RenderFrame(Game& game, const ImageList& images, BackBuffer& backBuffer, FrameCache& cache,
                 const FrameHooks& hooks) {
    RenderInto(game, images, backBuffer, cache, hooks);
}

void RenderFrame(Game& game, const ImageList& images, Bitmap& backBuffer, FrameCache& cache,
                 const FrameHooks& hooks) {
    RenderInto(game, images, backBuffer, cache, hooks);
}

}  // namespace tarq
