// The frame renderer of the map page. It only reads the game: one frame draws
// layers 1 to 7 (and 8 while ready markers are on) of every cell in the drawn
// range into the back buffer and tells the window what else the frame needs
// (a new minimap, the view controls brought up to date). The window keeps
// the view on the map first (ClampView); the pulse and the animation advance
// on time (view/Animation.h).
//
// Cells are independent squares, so the renderer composes each cell once into
// a cache of the drawn range and copies the cache to the back buffer. A cell is
// composed again only when the pictures it shows (its look: sheet and picture
// of each shown layer) differ from those it was composed with, when it pulses,
// or when the cell size, the grid, the ready-marker switch or the image list
// changed. The map counts the writes of every column, so a column nobody wrote
// since it was drawn is not even read. Cells wholly off the surface show
// nothing and are not composed. Every pixel of the drawn cells' squares and
// grid lines on the surface is written as if drawn onto black.
//
// Drawn into a BackBuffer that still holds this cache's last frame at the same
// view, only the cells composed again are copied, so a frame equal to the last
// one writes nothing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Bitmap.h"
#include "core/GameState.h"
#include "view/BackBuffer.h"
#include "view/Fog.h"
#include "view/ImageList.h"
#include "view/MapOverlays.h"
#include "view/ScaledPatterns.h"

namespace tarq {

// What a frame asks of the window, from the game's flags.
struct FrameRequests {
    bool rebuildMinimap = false;    // MinimapDirty is 1: the window rebuilds the minimap and lowers it
    bool syncViewControls = false;  // ViewChanged is 1: scroll bars and minimap frame (SyncViewControls)
    bool operator==(const FrameRequests&) const = default;
};

// Where the cells of a frame go on the back buffer.
struct FrameGeometry {
    int pitch = 0;  // CellPixels: distance between cells
    int size = 0;   // side of a cell's square
    int gap = 0;    // 1 with the grid: a black line left of and above every square
    int firstCol = 1, lastCol = 0, firstRow = 1, lastRow = 0;  // drawn range, inclusive
    int originX = 0, originY = 0;  // surface position of the top-left of cell (firstCol, firstRow), gap included

    int Cols() const { return lastCol - firstCol + 1; }
    int Rows() const { return lastRow - firstRow + 1; }
    int CellX(int col) const { return originX + (col - firstCol) * pitch + gap; }
    int CellY(int row) const { return originY + (row - firstRow) * pitch + gap; }
    // The pixels the drawn cells cover, gaps included.
    PixelRect Area() const { return {originX, originY, originX + Cols() * pitch, originY + Rows() * pitch}; }
    bool operator==(const FrameGeometry&) const = default;
};

// The drawn range and cell positions for the current view (ClampView already run).
FrameGeometry ComputeFrameGeometry(const Game& game);

// The highlighted pictures of a frame in click modes 1 and 2.
struct PulseState {
    bool active = false;
    int alpha = 0;
    int count = 0;
    std::array<int, 1 + kExitSlots> ids{};

    bool Has(int id) const {
        for (int i = 0; i < count; ++i)
            if (ids[static_cast<std::size_t>(i)] == id) return true;
        return false;
    }
};

// One pulse step: PulseStep turns at the ends, then PulseAlpha moves by it.
void StepPulse(Game& game);

// Which ids pulse this frame and at what opacity.
PulseState CurrentPulse(const Game& game);

struct CellLook;

// The composed cells of the drawn range and the scaled patterns they use.
class FrameCache {
public:
    // What decides a cell's look: sheet and picture of each shown layer, two
    // layers a word, 0 for a hidden one.
    using LookKey = std::array<std::uint64_t, kLayers / 2>;
    // Cells whose looks are kept (see below): larger than kDirectPitch, up to
    // kLookPitch. At 4 pixels and less a frame shows tens of thousands of
    // cells in thousands of looks, and finding a look among them costs a
    // cache miss, more than drawing the cell's few pixels afresh.
    static constexpr int kDirectPitch = 4;
    static constexpr int kLookPitch = 16;

    // Forgets everything; the next frame composes every cell again. Call it
    // after reloading the image list (a reload is also noticed on its own when
    // the pictures' buffers or sizes change).
    void Invalidate();

    // Draws the cells of `g` that lie on the surface into `back`; nothing
    // else of it is touched.
    void Draw(const Game& game, const ImageList& images, Bitmap& back, const FrameGeometry& g, const PulseState& pulse,
              bool readyLayerOn);

    // The same into a kept back buffer: only what differs from what it holds
    // is written, a pending clear included.
    void Draw(const Game& game, const ImageList& images, BackBuffer& back, const FrameGeometry& g,
              const PulseState& pulse, bool readyLayerOn);

    // The path the map shows from the next frame on (MapOverlays.h).
    void SetPath(std::vector<PathCell> path) { overlays_.SetPath(std::move(path)); }

    // Cells composed by the last Draw (for tests and measurements).
    int ComposedLastFrame() const { return composedLastFrame_; }
    // Overlay marks on the last frame (for measurements).
    std::size_t OverlayMarks() const { return overlays_.Marks().size(); }

private:
    struct Layout {
        int pitch = 0, size = 0, gap = 0, slotCols = 0, slotRows = 0;
        bool ready = false;
        bool operator==(const Layout&) const = default;
    };

    void Reset(const Layout& layout);
    // Brings the slots of the cells of `g` (already cut to the surface) up to
    // date; returns false when the layout was reset.
    bool Update(const Game& game, const ImageList& images, const FrameGeometry& g, const PulseState& pulse,
                bool readyLayerOn);
    enum class Walk { Fresh, Compare, Pulse };
    void DrawCells(const Game& game, const ImageList& images, int col, int slotCol, int firstRow, int lastRow,
                   const PulseState& pulse, std::uint64_t pulseBits, Walk walk);
    void SumUpColumn(int slotCol, int firstRow, int lastRow);
    void ComposeBlock(const ImageList& images, const TMapCell& cell, const CellLook& look, std::size_t slot,
                      Pixel* block, const PulseState& pulse, std::uint64_t pulseBits);
    void ComposeNew(const ImageList& images, const TMapCell& cell, const CellLook& look, std::size_t slot, Pixel* block,
                    const PulseState& pulse, std::uint64_t pulseBits);
    void DrawLayers(const ImageList& images, const TMapCell& cell, Pixel* block, const PulseState* pulse,
                    int readyQuarter, bool& pulsed);
    void CopyToSurface(Bitmap& back, const FrameGeometry& g) const;
    // The overlays over a kept buffer: when they changed, or cells under them
    // were copied afresh, the cells of the old marks are copied again from
    // their slots and the new marks drawn.
    void DrawOverlays(const Game& game, BackBuffer& back, const FrameGeometry& g, bool wholeCopied);
    // Copies one cell's block; returns the rectangle written.
    PixelRect CopyCell(Bitmap& back, const FrameGeometry& g, int col, int row) const;

    // The look of cell (col, row); with team copies, a team picture's colour
    // is part of it, and so is the quarter a ready marker shows, and whether
    // the fog dims it.
    CellLook LookFor(const TMapCell& cell, int col, int row, bool dim) const;
    // The cell as the fog lets the current player see it: `real` in sight,
    // its dimmed memory (in `scratch`, `dim` set) when explored, else empty.
    const TMapCell& Fogged(const Game& game, int col, int row, const TMapCell& real, TMapCell& scratch,
                           bool& dim) const;
    // The notice of a finished 2 x 2 site is drawn once over its footprint:
    // each of its cells shows one quarter of it. Which quarter the marker of
    // cell (col, row) shows, 0..3 (left to right, then top to bottom), or -1
    // when it shows the whole notice.
    int ReadyQuarter(const TMapCell& cell, int col, int row) const;
    // The notice sheet cut into quarters, after a change of the image list.
    void CutNoticesIntoQuarters(const ImageList& images);
    // The quarter item's pattern for quarter `quarter` of notice `notice`, or -1.
    int QuarterPattern(int notice, int quarter) const;
    // The team colour a picture is drawn in: its owner's, for a team sheet
    // while the image list holds copies; 0 otherwise.
    int TeamColourOf(const TSpriteRef& s) const;

    const Game* game_ = nullptr;  // the game of the frame being drawn
    bool teams_ = false;          // the image list holds team copies
    Layout layout_;
    Bitmap pixels_;                      // slot (sc, sr) at (sc * pitch, sr * pitch)
    std::vector<LookKey> keys_;          // the look each slot was composed with, [sc * slotRows + sr]
    std::vector<std::uint8_t> valid_;    // slot composed since the last reset
    std::vector<std::uint8_t> pulsed_;   // slot composed with a blended picture
    std::vector<std::uint64_t> idBits_;  // ids of the slot's drawn pictures, hashed to bits
    // By slot column: what its drawn slots show, as of the last frame it was
    // in: any pulsing slot, their ids' bits, the map column and rows they
    // were brought up to date with (none while heldFirstRow_ > heldLastRow_),
    // that column's write count then and the map it belongs to.
    std::vector<std::uint8_t> columnPulsed_;
    std::vector<std::uint64_t> columnIdBits_;
    std::vector<int> heldColumn_;
    std::vector<int> heldFirstRow_, heldLastRow_;
    std::vector<std::uint64_t> heldWrites_;
    std::uint64_t mapIdentity_ = 0;
    // Looks of composed cells at small sizes, by the pictures they show: there
    // most cells are ground with a deposit, in a few thousand looks at most,
    // and a look already composed is one small block copy.
    struct Look {
        LookKey key{};
    };
    std::vector<Look> looks_;
    std::vector<Pixel> lookPixels_;  // pitch x pitch pixels a look, row by row
    Pixel* LookPixels(std::size_t look) {
        return lookPixels_.data() + look * static_cast<std::size_t>(layout_.pitch * layout_.pitch);
    }
    int composedLastFrame_ = 0;
    std::vector<std::pair<int, int>> composedCells_;  // (column, row) of the cells composed by the last Update
    ScaledPatterns patterns_;
    ImageList quarters_;  // one item: the notices in quarters, when the sheet has them
    ScaledPatterns quarterPatterns_;
    MapOverlayLayer overlays_;
    // The current player's fog over the drawn range, and its key at the last frame.
    FogView fog_;
    std::uint64_t fogKey_ = 0;
    // The last frame drawn into a BackBuffer, by number, and where its cells went.
    std::uint64_t frame_ = 0;
    FrameGeometry lastGeometry_;
};

// The part of the drawn range whose cells reach into a width x height surface.
FrameGeometry CutToSurface(const FrameGeometry& g, int width, int height);

// One frame of `game` (its view already clamped) into the back buffer (the
// drawing tick clears it to black first).
FrameRequests RenderFrame(const Game& game, const ImageList& images, Bitmap& backBuffer, FrameCache& cache);
FrameRequests RenderFrame(const Game& game, const ImageList& images, BackBuffer& backBuffer, FrameCache& cache);

}  // namespace tarq
