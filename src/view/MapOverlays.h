// The seven switchable overlays of the map (hits, scan, status, ammunition,
// highlight, range, names), drawn over the composed cells. They are worked out
// from the object table as marks, each inside one cell's square, and only
// again when the table, the selection, the switches or the view may have
// changed: the object table counts its writes, so a still frame costs a few
// comparisons. Marks are drawn per cell with filled rectangles and the small
// bitmap font, no picture is read.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

struct FrameGeometry;

// Smallest cell side, in pixels, that shows the type names: about seven
// letters of the 5 x 7 font, so a name is read and never runs into the next
// object's (a name is cut to its object's width).
constexpr int kNamesMinCell = 40;

// What the status mark of an own unit (or of an own structure without power) tells.
enum class UnitStatus : u8 { CanMove, Moved, Building, Built, Unpowered };

// Colours of the overlays.
namespace overlay_colour {
constexpr Pixel kHigh = 0xFF20D020;    // a bar above two thirds
constexpr Pixel kMiddle = 0xFFE8D820;  // above one third
constexpr Pixel kLow = 0xFFE02020;     // the rest
constexpr Pixel kEmpty = 0xFF202020;   // the spent part of a bar
constexpr Pixel kScan = 0xFF40C8FF;
constexpr Pixel kRange = 0xFFFF6040;
constexpr Pixel kHighlight = 0xFFFFFFFF;
constexpr Pixel kName = 0xFFFFFFFF;
constexpr Pixel kNameBack = 0xFF000000;
constexpr Pixel kPath = 0xFFFFE040;      // the cells of the selected unit's path
constexpr Pixel kPathBack = 0xFF000000;  // behind a turn number on the path
constexpr Pixel kStatus[] = {0xFF30FF30, 0xFF909090, 0xFFFF9000, 0xFF30A0FF, 0xFFFF2020};  // by UnitStatus
}  // namespace overlay_colour

// The colour of a bar of `left` out of `full`.
Pixel BarColour(int left, int full);

// Whether cell (dc, dr) away from an object lies within `radius` cells of it.
inline bool WithinRadius(int dc, int dr, int radius) { return dc * dc + dr * dr <= radius * (radius + 1); }

struct OverlayMark {
    enum Kind : u8 { ScanEdge, RangeEdge, Highlight, HitsBar, AmmoBar, Status, Name, Path };
    i16 col = 0, row = 0;
    u8 kind = 0;
    u8 sides = 0;           // outlines: 1 left, 2 top, 4 right, 8 bottom; status: the UnitStatus
    u8 index = 0;           // bars, names: the cell's place in its object's width
    u8 width = 1;           // bars, names: the object's width in cells
    u8 left = 0, full = 0;  // bars
    i16 type = 0;           // names; a path cell: the turn written on it, 0 for none
    bool operator==(const OverlayMark&) const = default;
};

// A cell of the path shown on the map (the selected unit's order or the path
// being planned) and the turn number written on it where a new turn of the
// walk begins (0 elsewhere).
struct PathCell {
    i16 col = 0, row = 0;
    i16 turn = 0;
    bool operator==(const PathCell&) const = default;
};

class MapOverlayLayer {
public:
    // The path to show from the next frame on, whatever the switches.
    void SetPath(std::vector<PathCell> path) { path_ = std::move(path); }
    // Works the marks out again when what they show may have changed. True
    // when they differ from the marks last drawn.
    bool Update(const Game& game, const FrameGeometry& g);
    // Draws the marks onto the cells of `g` in `back` (cells already drawn)
    // and remembers them as drawn.
    void Draw(const Game& game, Bitmap& back, const FrameGeometry& g);
    // Draws again the marks of one cell whose pixels were drawn afresh.
    void DrawCell(const Game& game, Bitmap& back, const FrameGeometry& g, int col, int row) const;
    // Forgets what was drawn and what the marks were worked out for.
    void Invalidate();

    const std::vector<OverlayMark>& Marks() const { return marks_; }
    // The cells holding a drawn mark, as CellKey()s in increasing order.
    const std::vector<std::uint32_t>& DrawnCells() const { return drawnCells_; }
    bool Drawn(int col, int row) const;
    static std::uint32_t CellKey(int col, int row) {
        return static_cast<std::uint32_t>(static_cast<std::uint16_t>(col)) << 16 | static_cast<std::uint16_t>(row);
    }

private:
    struct Inputs {
        std::uint64_t map = 0, objectWrites = 0;
        TMapOverlays on;
        i32 selected = 0;
        u8 player = 0;
        int firstCol = 0, lastCol = -1, firstRow = 0, lastRow = -1, size = 0;
        std::vector<PathCell> path;
        bool operator==(const Inputs&) const = default;
    };
    void Build(const Game& game, const FrameGeometry& g);
    void Outline(const Game& game, const FrameGeometry& g, u8 kind, bool scan);
    void DrawMarks(const Game& game, Bitmap& back, const FrameGeometry& g, const OverlayMark* first,
                   const OverlayMark* last) const;

    Inputs inputs_;
    std::vector<PathCell> path_;
    bool valid_ = false;
    std::vector<OverlayMark> marks_, drawnMarks_;  // by cell, in drawing order within a cell
    std::vector<std::uint32_t> drawnCells_;
    std::vector<std::uint8_t> cover_;  // scratch: cells an outline encloses
};

}  // namespace tarq
