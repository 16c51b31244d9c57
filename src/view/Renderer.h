// The frame renderer of the map page. One frame: clamp the view, rebuild the
// minimap when flagged, step the pulse, draw layers 1 to 7 (and 8 while ready
// markers are on) of every cell in the drawn range into the back buffer, and
// let the window bring its view controls up to date.
//
// Cells are independent squares, so the renderer composes each cell once into
// a cache of the drawn range and copies the cache to the back buffer every
// frame. A cell is composed again only when its eight layers differ from the
// copy taken when it was composed, when it pulses, or when the cell size, the
// grid, the ready-marker switch or the image list changed. Every pixel of the
// drawn cells' squares and grid lines is written as if drawn onto black.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/GameState.h"
#include "view/Bitmap.h"
#include "view/ImageList.h"
#include "view/ScaledPatterns.h"

namespace tarq {

// The window's parts of a frame; either may be left empty.
struct FrameHooks {
    std::function<void()> RebuildMinimap;    // when MinimapDirty was 1 (already cleared)
    std::function<void()> SyncViewControls;  // at the end, when ViewChanged is 1
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

// The composed cells of the drawn range and the scaled patterns they use.
class FrameCache {
public:
    // Forgets everything; the next frame composes every cell again. Call it
    // after reloading the image list (a reload is also noticed on its own when
    // the pictures' buffers or sizes change).
    void Invalidate();

    // Draws the cells of `g` into the back buffer.
    void Draw(const Game& game, const ImageList& images, Bitmap& back, const FrameGeometry& g,
              const PulseState& pulse, bool readyLayerOn);

    // Cells composed by the last Draw (for tests and measurements).
    int ComposedLastFrame() const { return composedLastFrame_; }

private:
    struct Layout {
        int pitch = 0, size = 0, gap = 0, slotCols = 0, slotRows = 0;
        bool ready = false;
        bool operator==(const Layout&) const = default;
    };

    void Reset(const Layout& layout);
    bool ColumnUnchanged(const Game& game, int col, int slotCol, const FrameGeometry& g) const;
    void DrawColumn(const Game& game, const ImageList& images, int col, int slotCol, const FrameGeometry& g,
                    const PulseState& pulse, std::uint64_t pulseBits);
    void ComposeSlot(const ImageList& images, int slot, int slotCol, int slotRow, const PulseState& pulse);
    void CopyToSurface(Bitmap& back, const FrameGeometry& g) const;

    Layout layout_;
    Bitmap pixels_;                         // slot (sc, sr) at (sc * pitch, sr * pitch)
    std::vector<TMapCell> snapshot_;        // the cell each slot was composed from, [sc * slotRows + sr]
    std::vector<std::uint8_t> valid_;       // slot composed since the last reset
    std::vector<std::uint8_t> pulsed_;      // slot composed with a blended picture
    std::vector<std::uint64_t> idBits_;     // ids of the slot's drawn pictures, hashed to bits
    std::vector<std::uint8_t> columnValid_; // every drawn slot of the slot column is valid
    std::vector<std::uint8_t> columnPulsed_;
    std::vector<std::uint64_t> columnIdBits_;
    int lastFirstRow_ = -1, lastLastRow_ = -1;
    int composedLastFrame_ = 0;
    ScaledPatterns patterns_;
};

// One frame into the back buffer (the drawing tick clears it to black first).
void RenderFrame(Game& game, const ImageList& images, Bitmap& backBuffer, FrameCache& cache,
                 const FrameHooks& hooks = {});

}  // namespace tarq
