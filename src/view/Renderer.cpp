#include "view/Renderer.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/Players.h"
#include "view/Blitter.h"
#include "view/Viewport.h"

namespace tarq {
namespace {

constexpr Pixel kBlack = 0xFF000000u;

// Cells ahead of the one composed whose map cell is fetched early.
constexpr int kPrefetchRows = 8;

// More cells composed than this in a frame are copied with the whole frame.
constexpr std::size_t kCellsCopiedApart = 1024;

// Where a ready marker's quarter (plus one) goes in a look's last word: bits
// 25 and up of layer 8's half.
constexpr int kQuarterShift = 32 + 25;
// A cell the fog dims is another look than the same cell in sight: the top bit
// of the last word, which no picture's word reaches.
constexpr std::uint64_t kDimBit = std::uint64_t{1} << 63;

// Cells past the grid's storage are drawn as empty cells.
const TMapCell kEmptyCell{};

const TMapCell& CellAt(const Game& game, int col, int row) {
    return CellGrid<TMapCell>::inStorage(col, row) ? game.Map(col, row) : kEmptyCell;
}

// Ids folded into 64 bits, a filter for the pulse checks: a shift and a mask,
// as every shown layer of every composed cell adds one (id 0, the ground's,
// has bit 0, shared with one id in 64).
std::uint64_t IdBit(std::uint32_t id16) { return std::uint64_t{1} << ((id16 ^ (id16 >> 6)) & 63); }
std::uint64_t IdBit(int id) { return IdBit(static_cast<std::uint32_t>(static_cast<std::uint16_t>(id))); }

std::uint64_t PulseBits(const PulseState& pulse) {
    std::uint64_t bits = 0;
    if (!pulse.active) return 0;
    for (int i = 0; i < pulse.count; ++i) bits |= IdBit(pulse.ids[static_cast<std::size_t>(i)]);
    return bits;
}

// Writes counted in a map column; columns past the storage never change.
std::uint64_t ColumnWrites(const Game& game, int col) {
    return CellGrid<TMapCell>::inStorage(col, 0) ? game.Map.Writes(col) : 0;
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
    // Kept within the alpha's range whatever step a file brought.
    game.PulseAlpha = std::clamp(game.PulseAlpha + game.PulseStep, 0, 255);
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
    overlays_.Invalidate();
}

void FrameCache::Reset(const Layout& layout) {
    layout_ = layout;
    const std::size_t cols = static_cast<std::size_t>(layout.slotCols);
    const std::size_t slots = cols * static_cast<std::size_t>(layout.slotRows);
    // A zoom resets the layout: what a slot held is read only once the slot
    // is valid again, so the buffers only ever grow, and growing is the one
    // time their memory is written before use.
    auto atLeast = [](auto& v, std::size_t n) {
        if (v.size() < n) v.resize(n);
    };
    pixels_.width = layout.slotCols * layout.pitch;
    pixels_.height = layout.slotRows * layout.pitch;
    atLeast(pixels_.pixels, static_cast<std::size_t>(pixels_.width) * static_cast<std::size_t>(pixels_.height));
    atLeast(keys_, slots);
    atLeast(pulsed_, slots);
    atLeast(idBits_, slots);
    valid_.assign(slots, 0);
    heldColumn_.assign(cols, -1);
    heldWrites_.assign(cols, 0);
    heldFirstRow_.assign(cols, 0);
    heldLastRow_.assign(cols, -1);
    columnPulsed_.assign(cols, 0);
    columnIdBits_.assign(cols, 0);
    looks_.clear();
    if (layout.pitch > kDirectPitch && layout.pitch <= kLookPitch) {
        std::size_t n = 2;
        while (n < 8192 && (n * 2) * static_cast<std::size_t>(layout.pitch * layout.pitch) <= (std::size_t{1} << 18))
            n *= 2;
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
    game_ = &game;
    teams_ = images.hasTeamCopies();
    Layout want;
    want.pitch = g.pitch;
    want.size = g.size;
    want.gap = g.gap;
    want.slotCols = std::max(g.Cols(), game.VisibleCols + 3);
    want.slotRows = std::max(g.Rows(), game.VisibleRows + 3);
    want.ready = readyLayerOn;
    const bool imagesChanged = patterns_.Prepare(images, g.size);
    if (imagesChanged) CutNoticesIntoQuarters(images);
    if (readyLayerOn) quarterPatterns_.Prepare(quarters_, g.size);
    const bool reset = imagesChanged || !(want == layout_);
    if (reset) Reset(want);
    const std::uint64_t pulseBits = PulseBits(pulse);
    // A change of sight or memory writes no map cell: every column is compared then.
    fog_.Prepare(game, g.firstCol, g.lastCol, g.firstRow, g.lastRow);
    const bool sameMap = mapIdentity_ == game.Map.Identity() && fogKey_ == fog_.Key();
    mapIdentity_ = game.Map.Identity();
    fogKey_ = fog_.Key();
    for (int c = g.firstCol; c <= g.lastCol; ++c) {
        const std::size_t sc = static_cast<std::size_t>(c % layout_.slotCols);
        const std::uint64_t writes = ColumnWrites(game, c);
        if (reset) {
            DrawCells(game, images, c, static_cast<int>(sc), g.firstRow, g.lastRow, pulse, pulseBits, Walk::Fresh);
        } else {
            // A column nobody wrote since its slots were drawn from it is not
            // looked at, but for the rows new to the range.
            const int heldFirst = heldFirstRow_[sc], heldLast = heldLastRow_[sc];
            const bool untouched =
                sameMap && heldColumn_[sc] == c && heldWrites_[sc] == writes && heldFirst <= heldLast;
            const bool mayPulse = columnPulsed_[sc] != 0 || (columnIdBits_[sc] & pulseBits) != 0;
            if (!untouched) {
                DrawCells(game, images, c, static_cast<int>(sc), g.firstRow, g.lastRow, pulse, pulseBits,
                          Walk::Compare);
            } else if (mayPulse || heldFirst != g.firstRow || heldLast != g.lastRow) {
                if (mayPulse)
                    DrawCells(game, images, c, static_cast<int>(sc), std::max(g.firstRow, heldFirst),
                              std::min(g.lastRow, heldLast), pulse, pulseBits, Walk::Pulse);
                DrawCells(game, images, c, static_cast<int>(sc), g.firstRow, std::min(g.lastRow, heldFirst - 1), pulse,
                          pulseBits, Walk::Compare);
                DrawCells(game, images, c, static_cast<int>(sc), std::max(g.firstRow, heldLast + 1), g.lastRow, pulse,
                          pulseBits, Walk::Compare);
            } else {
                continue;
            }
        }
        SumUpColumn(static_cast<int>(sc), g.firstRow, g.lastRow);
        heldColumn_[sc] = c;
        heldWrites_[sc] = writes;
        heldFirstRow_[sc] = g.firstRow;
        heldLastRow_[sc] = g.lastRow;
    }
    return !reset;
}

void FrameCache::Draw(const Game& game, const ImageList& images, Bitmap& back, const FrameGeometry& whole,
                      const PulseState& pulse, bool readyLayerOn) {
    ++frame_;  // a kept back buffer no longer holds this cache's last frame
    const FrameGeometry g = CutToSurface(whole, back.width, back.height);
    composedLastFrame_ = 0;
    if (g.pitch < 1 || g.Cols() < 1 || g.Rows() < 1) return;
    Update(game, images, g, pulse, readyLayerOn);
    CopyToSurface(back, g);
    overlays_.Update(game, g);
    overlays_.Draw(game, back, g);
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
        DrawOverlays(game, back, g, false);
    } else if (drawsCells) {
        CopyToSurface(back.pixels_, g);
        back.Changed(area);
        DrawOverlays(game, back, g, true);
    } else {
        overlays_.Invalidate();
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

void FrameCache::DrawOverlays(const Game& game, BackBuffer& back, const FrameGeometry& g, bool wholeCopied) {
    const bool changed = overlays_.Update(game, g);
    if (!wholeCopied && !changed) {  // only the marks of cells copied afresh
        for (const auto& [col, row] : composedCells_)
            if (overlays_.Drawn(col, row)) overlays_.DrawCell(game, back.pixels_, g, col, row);
        return;
    }
    if (!wholeCopied) {
        for (std::uint32_t key : overlays_.DrawnCells())
            back.Changed(CopyCell(back.pixels_, g, static_cast<i16>(key >> 16), static_cast<i16>(key & 0xFFFFu)));
    }
    overlays_.Draw(game, back.pixels_, g);
    for (std::uint32_t key : overlays_.DrawnCells()) {
        const int col = static_cast<i16>(key >> 16), row = static_cast<i16>(key & 0xFFFFu);
        back.Changed(PixelRect{g.CellX(col), g.CellY(row), g.CellX(col) + g.size, g.CellY(row) + g.size});
    }
}

// What decides a cell's look and which ids it shows, worked out from the
// layers' eight bytes each without a branch: whether a layer is shown varies
// from cell to cell. A layer's bytes read as a little-endian word hold idU in
// bits 0-7, Spr in 8-23, id in 24-39 and show in 56-63; its look word is
// idU, Spr and a shown bit while shown, 0 while hidden.
struct CellLook {
    std::uint64_t key0 = 0, key1 = 0, key2 = 0, key3 = 0;  // the LookKey's words, kept apart (see LookOf)
    std::uint64_t idBits = 0;
    std::uint64_t hash = 0;
};

namespace {

// Folded so that every layer's picture reaches the high bits the look table
// is indexed by.
[[gnu::always_inline]] inline std::uint64_t LookHash(const CellLook& look) {
    std::uint64_t h = look.key0 ^ std::rotl(look.key1, 16) ^ std::rotl(look.key2, 32) ^ std::rotl(look.key3, 48);
    h ^= h >> 31;
    h *= 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

// One layer's word: its look word in the low half, and its id's bit or-ed
// into `bits` while shown.
[[gnu::always_inline]] inline std::uint64_t LayerWord(const TMapCell& cell, int l, std::uint64_t& bits) {
    std::uint64_t w;
    std::memcpy(&w, reinterpret_cast<const unsigned char*>(&cell) + 8 * l, 8);
    const std::uint64_t shown = (w >> 56) != 0 ? ~std::uint64_t{0} : 0;
    bits |= IdBit(static_cast<std::uint32_t>((w >> 24) & 0xFFFFu)) & shown;
    return ((w & 0xFFFFFFu) | 0x1000000u) & shown;
}

// Inlined and kept in registers word by word: a key put together in memory
// and read back wider waits for the narrow writes to land.
[[gnu::always_inline]] inline CellLook LookOf(const TMapCell& cell, bool readyLayer) {
    static_assert(std::endian::native == std::endian::little && sizeof(TMapCell) == kLayers * 8);
    CellLook look;
    std::uint64_t bits = 0;
    const std::uint64_t k0 = LayerWord(cell, 0, bits) | LayerWord(cell, 1, bits) << 32;
    const std::uint64_t k1 = LayerWord(cell, 2, bits) | LayerWord(cell, 3, bits) << 32;
    const std::uint64_t k2 = LayerWord(cell, 4, bits) | LayerWord(cell, 5, bits) << 32;
    const std::uint64_t ready = readyLayer ? LayerWord(cell, 7, bits) : 0;
    const std::uint64_t k3 = LayerWord(cell, 6, bits) | ready << 32;
    look.key0 = k0;
    look.key1 = k1;
    look.key2 = k2;
    look.key3 = k3;
    look.idBits = bits;
    look.hash = LookHash(look);
    return look;
}

// Non-zero when the keys differ; whole, without early exits, so the two
// probes of a look cost no mispredicted branch.
std::uint64_t KeyDifference(const FrameCache::LookKey& a, const CellLook& b) {
    return (a[0] ^ b.key0) | (a[1] ^ b.key1) | (a[2] ^ b.key2) | (a[3] ^ b.key3);
}

// Word by word, from the look's registers.
void StoreKey(FrameCache::LookKey& to, const CellLook& look) {
    to[0] = look.key0;
    to[1] = look.key1;
    to[2] = look.key2;
    to[3] = look.key3;
}

// A look's block copied with its side known at compile time: at 3 to 16
// pixels a row is a few fixed moves, where a loop of unknown length costs
// more than the copy.
using BlockCopy = void (*)(Pixel* to, int toStride, const Pixel* from, int fromStride);

template <int N>
void CopyBlockOf(Pixel* to, int toStride, const Pixel* from, int fromStride) {
    for (int y = 0; y < N; ++y, to += toStride, from += fromStride) std::memcpy(to, from, N * sizeof(Pixel));
}

template <std::size_t... N>
constexpr std::array<BlockCopy, sizeof...(N)> BlockCopies(std::index_sequence<N...>) {
    return {&CopyBlockOf<static_cast<int>(N)>...};
}

constexpr auto kBlockCopies = BlockCopies(std::make_index_sequence<FrameCache::kLookPitch + 1>{});

// CopyScaled with the pattern's side known at compile time, for cells up to
// the largest whose looks are kept: every keyed pattern that small carries a
// mask, and rows of a few pixels are a few fixed moves where the general copy
// calls memcpy.
template <int N>
void CopyPatternOf(Pixel* out, int stride, const ScaledPattern& p) {
    static_assert(N <= ScaledPattern::kMaskedSize);
    const Pixel* src = p.pixels.data();
    if (p.kind == ScaledPattern::Kind::Opaque) {
        for (int y = 0; y < N; ++y, out += stride, src += N) std::memcpy(out, src, N * sizeof(Pixel));
    } else if (p.kind == ScaledPattern::Kind::Keyed) {
        const Pixel* m = p.mask.data();
        for (int y = 0; y < N; ++y, out += stride, src += N, m += N)
            for (int x = 0; x < N; ++x) out[x] = (out[x] & ~m[x]) | (src[x] & m[x]);
    }
}

// A cell's square with nothing blended, of a side known at compile time: onto
// black unless the first picture is opaque, then the pictures in order.
using SquareDraw = void (*)(Pixel* square, int stride, const ScaledPattern* const* drawn, int n);

template <int N>
void DrawSquareOf(Pixel* square, int stride, const ScaledPattern* const* drawn, int n) {
    if (n == 0 || drawn[0]->kind != ScaledPattern::Kind::Opaque)
        for (int y = 0; y < N; ++y) std::fill_n(square + static_cast<std::ptrdiff_t>(y) * stride, N, kBlack);
    for (int i = 0; i < n; ++i) CopyPatternOf<N>(square, stride, *drawn[i]);
}

template <std::size_t... N>
constexpr std::array<SquareDraw, sizeof...(N)> SquareDraws(std::index_sequence<N...>) {
    return {&DrawSquareOf<static_cast<int>(N)>...};
}

constexpr auto kSquareDraws = SquareDraws(std::make_index_sequence<FrameCache::kLookPitch + 1>{});

}  // namespace

// The cells of rows firstRow..lastRow of a column into their slots. Walk::Fresh
// composes every one (after a reset); Walk::Compare only those whose look
// differs from what their slot holds, that pulsed or that may pulse now;
// Walk::Pulse, for cells unwritten since their slots were composed, only those
// that pulsed or may pulse now. The slot and its block move on by one cell a
// row, wrapping once at most.
void FrameCache::DrawCells(const Game& game, const ImageList& images, int col, int sc, int firstRow, int lastRow,
                           const PulseState& pulse, std::uint64_t pulseBits, Walk walk) {
    if (firstRow > lastRow) return;
    const int rows = layout_.slotRows;
    const std::ptrdiff_t cellStep = static_cast<std::ptrdiff_t>(layout_.pitch) * pixels_.width;
    const std::size_t columnStart = static_cast<std::size_t>(sc) * static_cast<std::size_t>(rows);
    Pixel* const columnTop = pixels_.pixels.data() + static_cast<std::ptrdiff_t>(sc) * layout_.pitch;
    const bool stored = CellGrid<TMapCell>::inStorage(col, firstRow) && CellGrid<TMapCell>::inStorage(col, lastRow);
    const TMapCell* column = stored ? &game.Map(col, 0) : nullptr;
    int sr = firstRow % rows;
    std::size_t slot = columnStart + static_cast<std::size_t>(sr);
    Pixel* block = columnTop + sr * cellStep;
    const bool fog = fog_.Active();
    TMapCell scratch;
    for (int r = firstRow; r <= lastRow; ++r) {
        const TMapCell& real = stored ? column[r] : CellAt(game, col, r);
        bool dim = false;
        const TMapCell& cell = fog ? Fogged(game, col, r, real, scratch, dim) : real;
        // The map's rows come from far caches: asked for a few cells ahead.
        if (stored && r + kPrefetchRows <= lastRow) __builtin_prefetch(&column[r + kPrefetchRows]);
        if (walk == Walk::Fresh) {
            ComposeBlock(images, cell, LookFor(cell, col, r, dim), slot, block, pulse, pulseBits);
        } else if (walk == Walk::Pulse) {
            if (pulsed_[slot] != 0 || ((idBits_[slot] & pulseBits) != 0 && CellPulses(cell, pulse))) {
                ComposeBlock(images, cell, LookFor(cell, col, r, dim), slot, block, pulse, pulseBits);
                if (composedCells_.size() < kCellsCopiedApart) composedCells_.emplace_back(col, r);
            }
        } else {
            const CellLook look = LookFor(cell, col, r, dim);
            if (!valid_[slot] || pulsed_[slot] != 0 || KeyDifference(keys_[slot], look) != 0 ||
                ((look.idBits & pulseBits) != 0 && CellPulses(cell, pulse))) {
                ComposeBlock(images, cell, look, slot, block, pulse, pulseBits);
                if (composedCells_.size() < kCellsCopiedApart) composedCells_.emplace_back(col, r);
            } else {
                idBits_[slot] = look.idBits;  // the ids may change under the same pictures
            }
        }
        if (++sr == rows) {
            sr = 0;
            slot = columnStart;
            block = columnTop;
        } else {
            ++slot;
            block += cellStep;
        }
    }
}

// The column's pulse filter and flag from its slots of rows firstRow..lastRow.
void FrameCache::SumUpColumn(int sc, int firstRow, int lastRow) {
    const int rows = layout_.slotRows;
    const std::size_t columnStart = static_cast<std::size_t>(sc) * static_cast<std::size_t>(rows);
    std::uint64_t bits = 0;
    std::uint8_t pulsed = 0;
    for (int r = firstRow, sr = firstRow % rows; r <= lastRow; ++r, sr = sr + 1 == rows ? 0 : sr + 1) {
        bits |= idBits_[columnStart + static_cast<std::size_t>(sr)];
        pulsed |= pulsed_[columnStart + static_cast<std::size_t>(sr)];
    }
    columnIdBits_[static_cast<std::size_t>(sc)] = bits;
    columnPulsed_[static_cast<std::size_t>(sc)] = pulsed != 0 ? 1 : 0;
}

const TMapCell& FrameCache::Fogged(const Game& game, int col, int row, const TMapCell& real, TMapCell& scratch,
                                   bool& dim) const {
    switch (fog_.StateAt(game, col, row)) {
        case FogState::Lit:
            if (!fog_.MayShowMines() || !fog_.ShowsMine(real)) return real;
            fog_.LitCell(game, real, scratch);
            return scratch;
        case FogState::Black: return kEmptyCell;
        case FogState::Dim: break;
    }
    fog_.DimmedCell(game, col, row, real, scratch);
    dim = true;
    return scratch;
}

[[gnu::always_inline]] inline CellLook FrameCache::LookFor(const TMapCell& cell, int col, int row, bool dim) const {
    CellLook look = LookOf(cell, layout_.ready);
    if (dim) look.key3 |= kDimBit;
    // A quarter of a notice is another look than the whole: the quarter, plus
    // one, goes into bits 25 and up of layer 8's word (the look word leaves them free).
    const int quarter = layout_.ready && cell.Layers[kLayerReady].show != 0 ? ReadyQuarter(cell, col, row) : -1;
    if (quarter >= 0) look.key3 |= static_cast<std::uint64_t>(quarter + 1) << kQuarterShift;
    if (teams_) {
        // A picture in another team's colour is another look: the colour goes
        // into bits 25 and up of its layer's word.
        std::uint64_t* keys[] = {&look.key0, &look.key1, &look.key2, &look.key3};
        for (int l = 1; l <= kLayerGeology; ++l) {
            const TSpriteRef& s = cell.Layers[l];
            const int colour = s.show != 0 ? TeamColourOf(s) : 0;
            if (colour != 0) *keys[(l - 1) / 2] |= static_cast<std::uint64_t>(colour) << (25 + (l - 1) % 2 * 32);
        }
    }
    if (quarter >= 0 || teams_ || dim) look.hash = LookHash(look);
    return look;
}

int FrameCache::ReadyQuarter(const TMapCell& cell, int col, int row) const {
    const TSpriteRef& s = cell.Layers[kLayerReady];
    if (s.idU != kReadyMarkerSheet || s.id < 1 || s.id > kMaxObjects || quarters_.count() == 0) return -1;
    const TGameObject& site = game_->Object(s.id);
    if (site.CellCount != 4) return -1;
    int c0 = site.Cells[1].col, r0 = site.Cells[1].row, c1 = c0, r1 = r0;
    for (int j = 2; j <= 4; ++j) {
        c0 = std::min<int>(c0, site.Cells[j].col), c1 = std::max<int>(c1, site.Cells[j].col);
        r0 = std::min<int>(r0, site.Cells[j].row), r1 = std::max<int>(r1, site.Cells[j].row);
    }
    if (c1 - c0 != 1 || r1 - r0 != 1 || col < c0 || col > c1 || row < r0 || row > r1) return -1;
    return (col - c0) + 2 * (row - r0);
}

// The notices' own sheet, its patterns halved both ways: notice k's quarters
// are four patterns of it. A sheet with odd pattern sides has no quarters.
void FrameCache::CutNoticesIntoQuarters(const ImageList& images) {
    quarters_.clear();
    quarterPatterns_.Clear();
    if (!images.has(kReadyMarkerSheet)) return;
    const ImageItem& notices = images[kReadyMarkerSheet];
    if (notices.patternWidth < 2 || notices.patternWidth % 2 != 0 || notices.patternHeight % 2 != 0) return;
    ImageItem& cut = quarters_.append();
    cut = notices;
    cut.patternWidth /= 2;
    cut.patternHeight /= 2;
}

int FrameCache::QuarterPattern(int notice, int quarter) const {
    const ImageItem& cut = quarters_[0];
    const int perRow = cut.picture.width / (2 * cut.patternWidth);
    const int rows = cut.picture.height / (2 * cut.patternHeight);
    if (notice < 0 || notice >= perRow * rows) return -1;
    const int col = (notice % perRow) * 2 + (quarter & 1);
    const int row = (notice / perRow) * 2 + (quarter >> 1);
    return row * cut.perRow() + col;
}

int FrameCache::TeamColourOf(const TSpriteRef& s) const {
    if (!teams_ || s.id < 1 || s.id > kMaxObjects || !IsTeamSheet(s.idU)) return 0;
    return PlayerColourIndex(*game_, game_->Object(s.id).Owner);
}

// One cell into its slot's block: a look already composed is copied, anything
// else drawn by ComposeNew.
[[gnu::always_inline]] inline void FrameCache::ComposeBlock(const ImageList& images, const TMapCell& cell,
                                                            const CellLook& look, std::size_t slot, Pixel* block,
                                                            const PulseState& pulse, std::uint64_t pulseBits) {
    StoreKey(keys_[slot], look);
    idBits_[slot] = look.idBits;
    valid_[slot] = 1;
    ++composedLastFrame_;
    if (!looks_.empty() && (look.idBits & pulseBits) == 0) {
        // Two places a look may be kept in; a new look takes one of them by the hash.
        const std::size_t pair = static_cast<std::size_t>(look.hash >> 40) & (looks_.size() - 2);
        const std::uint64_t first = KeyDifference(looks_[pair].key, look);
        const std::uint64_t second = KeyDifference(looks_[pair + 1].key, look);
        if (first == 0 || second == 0) {
            kBlockCopies[static_cast<std::size_t>(layout_.pitch)](block, pixels_.width,
                                                                  LookPixels(pair + (first != 0 ? 1 : 0)),
                                                                  layout_.pitch);
            pulsed_[slot] = 0;
            return;
        }
    }
    ComposeNew(images, cell, look, slot, block, pulse, pulseBits);
}

// A cell whose look is not at hand, drawn onto black: layers 1 to 7 in order,
// pulsing ones blended, then layer 8 when the ready markers are on. The whole
// block is written, its grid lines included. The look is kept for later cells
// when it does not pulse and looks are kept at this size.
void FrameCache::ComposeNew(const ImageList& images, const TMapCell& cell, const CellLook& look, std::size_t slot,
                            Pixel* block, const PulseState& pulse, std::uint64_t pulseBits) {
    const bool mayPulse = (look.idBits & pulseBits) != 0 && CellPulses(cell, pulse);
    bool pulsed = false;
    const int quarter = static_cast<int>((look.key3 >> kQuarterShift) & 7u) - 1;
    DrawLayers(images, cell, block, mayPulse ? &pulse : nullptr, quarter, pulsed);
    if ((look.key3 & kDimBit) != 0)
        for (int y = 0; y < layout_.pitch; ++y) {
            Pixel* line = block + static_cast<std::ptrdiff_t>(y) * pixels_.width;
            for (int x = 0; x < layout_.pitch; ++x) line[x] = DimPixel(line[x]);
        }
    pulsed_[slot] = pulsed ? 1 : 0;
    if (looks_.empty() || mayPulse) return;
    const std::size_t index =
        (static_cast<std::size_t>(look.hash >> 40) & (looks_.size() - 2)) + ((look.hash >> 39) & 1);
    kBlockCopies[static_cast<std::size_t>(layout_.pitch)](LookPixels(index), layout_.pitch, block, pixels_.width);
    StoreKey(looks_[index].key, look);
}

// The layers of one cell into its block, onto black; `pulse` null when none blends.
void FrameCache::DrawLayers(const ImageList& images, const TMapCell& cell, Pixel* block, const PulseState* pulse,
                            int readyQuarter, bool& pulsed) {
    const int lastLayer = layout_.ready ? kLayerReady : kLayerGeology;
    std::array<const ScaledPattern*, kLayers> drawn{};
    std::array<bool, kLayers> blended{};
    int n = 0;
    for (int l = 1; l <= lastLayer; ++l) {
        const TSpriteRef& s = cell.Layers[l];
        if (s.show == 0) continue;
        const ScaledPattern* p =
            l == kLayerReady && readyQuarter >= 0
                ? quarterPatterns_.Get(quarters_, 0, QuarterPattern(s.Spr, readyQuarter))
                : patterns_.Get(images, teams_ ? images.teamItem(s.idU, TeamColourOf(s)) : s.idU, s.Spr);
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
    if (pulse == nullptr && size <= kLookPitch) {  // nothing blends: the square's side fixed at compile time
        kSquareDraws[static_cast<std::size_t>(size)](square, stride, drawn.data(), n);
        return;
    }
    const bool coveredByFirst = n > 0 && !blended[0] && drawn[0]->kind == ScaledPattern::Kind::Opaque;
    if (!coveredByFirst)
        for (int y = 0; y < size; ++y) std::fill_n(square + static_cast<std::ptrdiff_t>(y) * stride, size, kBlack);
    for (int i = 0; i < n; ++i) {
        if (blended[static_cast<std::size_t>(i)]) {
            // Where the square lies in the cache, worked out (two divisions) only for the rare blend.
            const std::ptrdiff_t offset = square - pixels_.pixels.data();
            const int bx = static_cast<int>(offset % stride);
            const int by = static_cast<int>(offset / stride);
            const ClipRect clip{bx, by, bx + size, by + size};
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
        std::memcpy(back.row(yy) + x0, pixels_.row(cy + (yy - y0)) + cx,
                    static_cast<std::size_t>(x1 - x0) * sizeof(Pixel));
    return {x0, y0, x1, y1};
}

namespace {

template <typename Target>
FrameRequests RenderInto(const Game& game, const ImageList& images, Target& backBuffer, FrameCache& cache) {
    cache.Draw(game, images, backBuffer, ComputeFrameGeometry(game), CurrentPulse(game), game.ReadyLayerOn == 1);
    return {game.MinimapDirty == 1, game.ViewChanged == 1};
}

}  // namespace

FrameRequests RenderFrame(const Game& game, const ImageList& images, BackBuffer& backBuffer, FrameCache& cache) {
    return RenderInto(game, images, backBuffer, cache);
}

FrameRequests RenderFrame(const Game& game, const ImageList& images, Bitmap& backBuffer, FrameCache& cache) {
    return RenderInto(game, images, backBuffer, cache);
}

}  // namespace tarq
