#include "core/SightCounts.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tarq {

namespace {

bool Within(int dc, int dr, int radius) { return dc * dc + dr * dr <= radius * (radius + 1); }

bool TestBit(const CellBits& bits, std::size_t i) { return ((bits[i / 64] >> (i % 64)) & 1u) != 0; }
void SetBit(CellBits& bits, std::size_t i) { bits[i / 64] |= std::uint64_t{1} << (i % 64); }

// Adds `delta` (+1 or -1) to the counters of the source's circle; an added
// circle explores its cells.
void AddCircle(TSight& sight, const Match& match, const TSightSource& s, int delta) {
    if (s.Owner < 1 || s.Owner > kMaxPlayers || !match.InMap(s.Centre.col, s.Centre.row)) return;
    ++sight.Changes[s.Owner];
    CellGrid<u16>& count = sight.Count[s.Owner];
    CellBits& explored = sight.Explored[s.Owner];
    const int radius = std::min<int>(s.Scan, kMaxMapSize);
    const int c0 = std::max(1, s.Centre.col - radius), c1 = std::min<int>(match.World.MapWidth, s.Centre.col + radius);
    for (int col = c0; col <= c1; ++col) {
        const int reach = CircleReach(radius, col - s.Centre.col);
        const int r0 = std::max(1, s.Centre.row - reach);
        const int r1 = std::min<int>(match.World.MapHeight, s.Centre.row + reach);
        const std::size_t first = CellGrid<u16>::index(col, 0);
        for (int row = r0; row <= r1; ++row) {
            const std::size_t i = first + static_cast<std::size_t>(row);
            if (delta > 0) {
                ++count.cells[i];
                SetBit(explored, i);
            } else {
                --count.cells[i];
            }
        }
    }
}

}  // namespace

int CircleReach(int radius, int dr) {
    if (!Within(0, dr, radius)) return -1;
    int reach = static_cast<int>(std::sqrt(static_cast<double>(radius * (radius + 1) - dr * dr)));
    while (reach > 0 && !Within(reach, dr, radius)) --reach;
    while (Within(reach + 1, dr, radius)) ++reach;
    return reach;
}

TSightSource SightSourceOf(const Match& match, int slot) {
    const TGameObject& o = match.World.Objects[slot];
    TSightSource s;
    if (o.Owner == 0) return s;
    s.Owner = o.Owner;
    // A construction site, and the site being placed, sees only its own cell
    // until it is built.
    const bool site = o.OrderState == 2 || (slot == match.LastCreatedObject && match.ClickMode == kClickPlaceSite);
    s.Scan = site ? 0 : o.Stats.Scan;
    TCellPos at = o.Cells[1];
    // A builder waiting off the map while its site is placed still looks
    // from the cell it will return to.
    if (slot == match.SiteBuilder && match.ClickMode != kClickNormal)
        at = {static_cast<i16>(match.SiteBuilderCol), static_cast<i16>(match.SiteBuilderRow)};
    if (match.InMap(at.col, at.row)) s.Centre = at;
    return s;
}

void FollowSlot(Match& match, int slot) {
    if (slot < 1 || slot > kMaxObjects) return;
    const TSightSource now = SightSourceOf(match, slot);
    TSightSource& was = match.Sight.Sources[slot];
    if (now == was) return;
    if (was.Owner >= 1 && was.Owner <= kMaxPlayers) {
        AddCircle(match.Sight, match, was, -1);
        --match.Sight.Objects[was.Owner];
    }
    if (now.Owner >= 1 && now.Owner <= kMaxPlayers) {
        AddCircle(match.Sight, match, now, +1);
        ++match.Sight.Objects[now.Owner];
    }
    was = now;
}

void FollowAllSlots(Match& match) {
    for (int slot = 1; slot <= kMaxObjects; ++slot) FollowSlot(match, slot);
}

void RebuildSight(Match& match) {
    match.World.Objects.TakeWritten([](int) {});
    TSight& s = match.Sight;
    for (CellGrid<u16>& grid : s.Count) grid.fill(0);
    s.Sources.items.fill(TSightSource{});
    s.Objects.fill(0);
    FollowAllSlots(match);
}

void ClearSight(Match& match) {
    const u8 on = match.Sight.On;
    for (CellBits& bits : match.Sight.Explored) bits.fill(0);
    for (auto& seen : match.Sight.Seen) seen.clear();
    RebuildSight(match);
    match.Sight.On = on;
}

int SightCount(const Match& match, u8 player, int col, int row) {
    if (player < 1 || player > kMaxPlayers || !match.InMap(col, row)) return 0;
    return match.Sight.Count[player](col, row);
}

bool Explored(const Match& match, u8 player, int col, int row) {
    if (player < 1 || player > kMaxPlayers || !match.InMap(col, row)) return false;
    return TestBit(match.Sight.Explored[player], CellGrid<u16>::index(col, row));
}

bool SightMatchesRecount(const Match& match) {
    auto fresh = std::make_unique<TSight>();
    for (int slot = 1; slot <= kMaxObjects; ++slot) AddCircle(*fresh, match, SightSourceOf(match, slot), +1);
    for (int p = 1; p <= kMaxPlayers; ++p)
        for (int col = 1; col <= match.World.MapWidth; ++col)
            for (int row = 1; row <= match.World.MapHeight; ++row)
                if (fresh->Count[p](col, row) != match.Sight.Count[p](col, row)) return false;
    return true;
}

}  // namespace tarq
