#include "view/MapOverlays.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "core/Players.h"
#include "core/Sight.h"
#include "core/World.h"
#include "view/Renderer.h"
#include "view/TinyFont.h"

namespace tarq {
namespace {

// Another player's mine, hidden from the player on turn (ShowOwnMinesOnly
// hides its picture): it gets no marks either.
bool HiddenMine(const TGameObject& o) {
    constexpr int kLandMine = 32, kSeaMine = 33;
    return (o.TypeId == kLandMine || o.TypeId == kSeaMine) && o.CellSprites[1].show == 0;
}

// The cells an object covers, as a box, when all of them lie on the map.
struct Box {
    int c0 = 0, r0 = 0, c1 = -1, r1 = -1;
};

bool FootprintBox(const Game& game, const TGameObject& o, Box& box) {
    const int count = std::clamp(static_cast<int>(o.CellCount), 1, 4);
    box = {o.Cells[1].col, o.Cells[1].row, o.Cells[1].col, o.Cells[1].row};
    for (int i = 1; i <= count; ++i) {
        const TCellPos p = o.Cells[i];
        if (!game.InMap(p.col, p.row)) return false;
        box = {std::min(box.c0, int{p.col}), std::min(box.r0, int{p.row}), std::max(box.c1, int{p.col}),
               std::max(box.r1, int{p.row})};
    }
    return true;
}

bool Meets(const Box& b, const FrameGeometry& g) {
    return b.c1 >= g.firstCol && b.c0 <= g.lastCol && b.r1 >= g.firstRow && b.r0 <= g.lastRow;
}

UnitStatus StatusOf(const TGameObject& o) {
    if (o.Unpowered != 0) return UnitStatus::Unpowered;
    if (o.OrderState == 1) return o.TurnsLeft == 0 ? UnitStatus::Built : UnitStatus::Building;
    return o.MovesLeft > 0 ? UnitStatus::CanMove : UnitStatus::Moved;
}

// Fills the part of (x0, y0)-(x1, y1) inside the clip with one colour.
struct Painter {
    Bitmap& back;
    int cx0, cy0, cx1, cy1;
    void Fill(int x0, int y0, int x1, int y1, Pixel colour) const {
        x0 = std::max(x0, cx0), y0 = std::max(y0, cy0), x1 = std::min(x1, cx1), y1 = std::min(y1, cy1);
        for (int y = y0; y < y1; ++y) std::fill(back.row(y) + x0, back.row(y) + std::max(x0, x1), colour);
    }
};

bool ByCell(const OverlayMark& a, const OverlayMark& b) {
    return MapOverlayLayer::CellKey(a.col, a.row) < MapOverlayLayer::CellKey(b.col, b.row);
}

}  // namespace

Pixel BarColour(int left, int full) {
    if (left * 3 > full * 2) return overlay_colour::kHigh;
    return left * 3 > full ? overlay_colour::kMiddle : overlay_colour::kLow;
}

void MapOverlayLayer::Invalidate() {
    valid_ = false;
    drawnMarks_.clear();
    drawnCells_.clear();
}

bool MapOverlayLayer::Update(const Game& game, const FrameGeometry& g) {
    const TViewSettings& v = game.ViewSettings;
    const Inputs in{game.Map.Identity(),
                    game.World.Objects.Writes(),
                    v.Overlays,
                    game.SelectedObject,
                    game.CurrentPlayer,
                    g.firstCol,
                    g.lastCol,
                    g.firstRow,
                    g.lastRow,
                    g.size,
                    path_};
    if (!valid_ || !(in == inputs_)) {
        inputs_ = in;
        valid_ = true;
        marks_.clear();
        if (v.Overlays.Any()) Build(game, g);
        for (const PathCell& c : path_) {
            if (c.col < g.firstCol || c.col > g.lastCol || c.row < g.firstRow || c.row > g.lastRow) continue;
            OverlayMark m;
            m.col = c.col, m.row = c.row, m.kind = OverlayMark::Path, m.type = c.turn;
            marks_.push_back(m);
        }
        std::stable_sort(marks_.begin(), marks_.end(), ByCell);
    }
    return marks_ != drawnMarks_;
}

// The outline of the cells within the scan of own objects, or within the
// range of the selected one: a cell of the union gets an edge on each side
// whose neighbour is outside it (or off the map).
void MapOverlayLayer::Outline(const Game& game, const FrameGeometry& g, u8 kind, bool scan) {
    const int wc0 = g.firstCol - 1, wr0 = g.firstRow - 1;
    const int w = g.Cols() + 2, h = g.Rows() + 2;
    cover_.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    auto at = [&](int c, int r) -> std::uint8_t& {
        return cover_[static_cast<std::size_t>((r - wr0) * w + (c - wc0))];
    };
    bool any = false;
    auto circle = [&](TCellPos centre, int radius) {
        for (int dr = -radius; dr <= radius; ++dr) {
            const int r = centre.row + dr;
            if (r < std::max(1, wr0) || r > std::min<int>(game.World.MapHeight, wr0 + h - 1)) continue;
            int reach = static_cast<int>(std::sqrt(static_cast<double>(radius * (radius + 1) - dr * dr)));
            while (reach > 0 && !WithinRadius(reach, dr, radius)) --reach;
            while (WithinRadius(reach + 1, dr, radius)) ++reach;
            const int c0 = std::max({centre.col - reach, 1, wc0});
            const int c1 = std::min({centre.col + reach, int{game.World.MapWidth}, wc0 + w - 1});
            for (int c = c0; c <= c1; ++c) at(c, r) = 1;
            any = any || c0 <= c1;
        }
    };
    if (scan) {
        for (int slot = 1; slot <= kMaxObjects; ++slot) {
            const TGameObject& o = game.World.Objects[slot];
            Box box;
            if (SlotInUse(o) && o.Stats.Scan > 0 && OwnedByCurrentPlayer(game, slot) && FootprintBox(game, o, box))
                circle(o.Cells[1], o.Stats.Scan);
        }
    } else if (game.SelectedObject >= 1 && game.SelectedObject <= kMaxObjects) {
        const TGameObject& o = game.World.Objects[game.SelectedObject];
        Box box;
        if (SlotInUse(o) && FootprintBox(game, o, box)) circle(o.Cells[1], o.Stats.Range);
    }
    if (!any) return;
    for (int r = g.firstRow; r <= g.lastRow; ++r)
        for (int c = g.firstCol; c <= g.lastCol; ++c) {
            if (at(c, r) == 0) continue;
            const u8 sides = static_cast<u8>((at(c - 1, r) == 0 ? 1 : 0) | (at(c, r - 1) == 0 ? 2 : 0) |
                                             (at(c + 1, r) == 0 ? 4 : 0) | (at(c, r + 1) == 0 ? 8 : 0));
            if (sides != 0) {
                OverlayMark m;
                m.col = static_cast<i16>(c), m.row = static_cast<i16>(r), m.kind = kind, m.sides = sides;
                marks_.push_back(m);
            }
        }
}

void MapOverlayLayer::Build(const Game& game, const FrameGeometry& g) {
    const TMapOverlays& on = game.ViewSettings.Overlays;
    if (on[MapOverlay::Scan]) Outline(game, g, OverlayMark::ScanEdge, true);
    if (on[MapOverlay::Range]) Outline(game, g, OverlayMark::RangeEdge, false);
    const bool names = on[MapOverlay::Names] && g.size >= kNamesMinCell;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.World.Objects[slot];
        Box b;
        if (!SlotInUse(o) || HiddenMine(o) || !FootprintBox(game, o, b) || !Meets(b, g)) continue;
        if (!SeesObject(game, game.CurrentPlayer, slot)) continue;
        const bool ownUnit = o.Stats.Speed > 0 && OwnedByCurrentPlayer(game, slot);
        OverlayMark m;
        m.width = static_cast<u8>(b.c1 - b.c0 + 1);
        auto under = [&](u8 kind, int left, int full) {  // one mark per cell of the bottom row
            m.kind = kind, m.left = static_cast<u8>(left), m.full = static_cast<u8>(full),
            m.row = static_cast<i16>(b.r1);
            for (int c = b.c0; c <= b.c1; ++c) {
                m.col = static_cast<i16>(c), m.index = static_cast<u8>(c - b.c0);
                marks_.push_back(m);
            }
        };
        if (on[MapOverlay::Highlight] && ownUnit && o.MovesLeft > 0 && o.OrderState == 0)
            for (int r = b.r0; r <= b.r1; ++r)
                for (int c = b.c0; c <= b.c1; ++c) {
                    OverlayMark edge;
                    edge.col = static_cast<i16>(c), edge.row = static_cast<i16>(r), edge.kind = OverlayMark::Highlight;
                    edge.sides = static_cast<u8>((c == b.c0 ? 1 : 0) | (r == b.r0 ? 2 : 0) | (c == b.c1 ? 4 : 0) |
                                                 (r == b.r1 ? 8 : 0));
                    marks_.push_back(edge);
                }
        if (on[MapOverlay::Hits] && o.Stats.Hits > 0) under(OverlayMark::HitsBar, o.HitsLeft, o.Stats.Hits);
        if (on[MapOverlay::Ammo] && o.Stats.Ammo > 0) under(OverlayMark::AmmoBar, o.AmmoLeft, o.Stats.Ammo);
        const bool unpowered = o.Unpowered != 0 && OwnedByCurrentPlayer(game, slot);
        if (on[MapOverlay::Status] && (ownUnit || unpowered)) {
            OverlayMark s;
            s.col = static_cast<i16>(b.c1), s.row = static_cast<i16>(b.r0), s.kind = OverlayMark::Status;
            s.sides = static_cast<u8>(StatusOf(o));
            marks_.push_back(s);
        }
        if (names && o.TypeId >= 1 && o.TypeId <= kTypeCount) {
            m.type = o.TypeId;
            under(OverlayMark::Name, 0, 0);
            m.type = 0;
        }
    }
}

void MapOverlayLayer::Draw(const Game& game, Bitmap& back, const FrameGeometry& g) {
    DrawMarks(game, back, g, marks_.data(), marks_.data() + marks_.size());
    drawnMarks_ = marks_;
    drawnCells_.clear();
    for (const OverlayMark& m : marks_)
        if (drawnCells_.empty() || drawnCells_.back() != CellKey(m.col, m.row))
            drawnCells_.push_back(CellKey(m.col, m.row));
}

void MapOverlayLayer::DrawCell(const Game& game, Bitmap& back, const FrameGeometry& g, int col, int row) const {
    OverlayMark probe;
    probe.col = static_cast<i16>(col), probe.row = static_cast<i16>(row);
    const auto [first, last] = std::equal_range(drawnMarks_.begin(), drawnMarks_.end(), probe, ByCell);
    if (first != last) DrawMarks(game, back, g, &*first, &*first + (last - first));
}

void MapOverlayLayer::DrawMarks(const Game& game, Bitmap& back, const FrameGeometry& g, const OverlayMark* first,
                                const OverlayMark* last) const {
    const int s = g.size;
    const int line = std::max(1, s / 24);
    const int bar = std::max(1, s / 12);
    const int barGap = s >= 4 ? line : 0;
    const int mark = std::min(s, std::max(2, s / 5));
    const int fontScale = s >= 100 ? 2 : 1;
    for (const OverlayMark* it = first; it != last; ++it) {
        const OverlayMark& m = *it;
        const int x = g.CellX(m.col), y = g.CellY(m.row);
        const Painter p{back, std::max(x, 0), std::max(y, 0), std::min(x + s, back.width),
                        std::min(y + s, back.height)};
        if (p.cx0 >= p.cx1 || p.cy0 >= p.cy1) continue;
        // Bars and names run across the object's width from its left cell.
        const int left = x - m.index * g.pitch;
        const int right = left + (m.width - 1) * g.pitch + s;
        switch (m.kind) {
            case OverlayMark::ScanEdge:
            case OverlayMark::RangeEdge:
            case OverlayMark::Highlight: {
                const Pixel colour = m.kind == OverlayMark::ScanEdge    ? overlay_colour::kScan
                                     : m.kind == OverlayMark::RangeEdge ? overlay_colour::kRange
                                                                        : overlay_colour::kHighlight;
                // The range outline runs one line inside the cell's edge, so
                // that both show where it follows the scan outline.
                const int in = m.kind == OverlayMark::RangeEdge ? line : 0;
                if (m.sides & 1) p.Fill(x + in, y, x + in + line, y + s, colour);
                if (m.sides & 2) p.Fill(x, y + in, x + s, y + in + line, colour);
                if (m.sides & 4) p.Fill(x + s - in - line, y, x + s - in, y + s, colour);
                if (m.sides & 8) p.Fill(x, y + s - in - line, x + s, y + s - in, colour);
                break;
            }
            case OverlayMark::HitsBar:
            case OverlayMark::AmmoBar: {
                // A gap at the object's outer edges keeps the bars of neighbours apart.
                const int from = left + barGap, to = right - barGap;
                const int bottom = y + s - (m.kind == OverlayMark::HitsBar ? 0 : bar);
                const int shown = std::min(m.left, m.full);
                int filled = ((to - from) * shown + m.full / 2) / m.full;
                if (shown > 0) filled = std::max(filled, 1);
                p.Fill(from, bottom - bar, from + filled, bottom, BarColour(shown, m.full));
                p.Fill(from + filled, bottom - bar, to, bottom, overlay_colour::kEmpty);
                break;
            }
            case OverlayMark::Status:
                p.Fill(x + s - mark, y, x + s, y + mark,
                       overlay_colour::kStatus[std::min<std::size_t>(m.sides, std::size(overlay_colour::kStatus) - 1)]);
                break;
            case OverlayMark::Path: {
                // A dot in the middle of the cell; where a turn begins, its number.
                const int dot = std::max(2, s / 4);
                p.Fill(x + (s - dot) / 2, y + (s - dot) / 2, x + (s + dot) / 2, y + (s + dot) / 2,
                       overlay_colour::kPath);
                if (m.type <= 0 || s < 8) break;
                std::u32string text;
                for (char ch : std::to_string(m.type)) text.push_back(static_cast<char32_t>(ch));
                const int width = tinyfont::TextWidth(static_cast<int>(text.size()), fontScale);
                const int tx = x + 1, ty = y + 1;
                p.Fill(tx - 1, ty - 1, tx + width + 1, ty + tinyfont::kGlyphHeight * fontScale + 1,
                       overlay_colour::kPathBack);
                tinyfont::DrawText(back, p.cx0, p.cy0, p.cx1, p.cy1, tx, ty, text, overlay_colour::kPath, fontScale);
                break;
            }
            case OverlayMark::Name: {
                const std::u32string text = tinyfont::Decode(game.UnitTypes[m.type].Name);
                const int fits = (right - left - 2 + fontScale) / (tinyfont::kAdvance * fontScale);
                const int n = std::min(static_cast<int>(text.size()), std::max(fits, 0));
                const int width = tinyfont::TextWidth(n, fontScale);
                const int tx = left + (right - left - width) / 2;
                const int ty = y + s - 2 * bar - 1 - tinyfont::kGlyphHeight * fontScale;
                p.Fill(tx - 1, ty - 1, tx + width + 1, ty + tinyfont::kGlyphHeight * fontScale + 1,
                       overlay_colour::kNameBack);
                tinyfont::DrawText(back, p.cx0, p.cy0, p.cx1, p.cy1, tx, ty,
                                   std::u32string_view(text).substr(0, static_cast<std::size_t>(n)),
                                   overlay_colour::kName, fontScale);
                break;
            }
        }
    }
}

bool MapOverlayLayer::Drawn(int col, int row) const {
    return std::binary_search(drawnCells_.begin(), drawnCells_.end(), CellKey(col, row));
}

}  // namespace tarq
