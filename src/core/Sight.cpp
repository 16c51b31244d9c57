#include "core/Sight.h"

#include <algorithm>
#include <utility>

#include "core/Catalogue.h"
#include "core/SightCounts.h"
#include "core/World.h"

namespace tarq {

namespace {

constexpr int kMineTypes[] = {32, 33};

bool Lost(const Match& match, int player) {
    return match.Players.Table[player].BasePlaced != 0 && match.Sight.Objects[static_cast<std::size_t>(player)] == 0;
}

bool GameOver(const Match& match) {
    int left = 0;
    for (int p = 1; p <= match.Players.Count && p <= kMaxPlayers; ++p) {
        if (match.Players.Table[p].BasePlaced == 0) return false;
        if (!Lost(match, p)) ++left;
    }
    return left <= 1;
}

bool AnyCellSeen(const Match& match, u8 player, const TFootprint& cells, int count) {
    for (int i = 1; i <= std::clamp(count, 1, 4); ++i)
        if (SightCount(match, player, cells[i].col, cells[i].row) > 0) return true;
    return false;
}

TSeenStructure Snapshot(const TGameObject& o, int slot) {
    TSeenStructure s;
    s.Slot = static_cast<i16>(slot);
    s.TypeId = o.TypeId;
    s.Owner = o.Owner;
    s.CellCount = o.CellCount;
    s.Layer = o.Layer;
    s.SecondLayer = o.SecondLayer;
    s.Cells = o.Cells;
    s.CellSprites = o.CellSprites;
    return s;
}

void RememberFor(const Game& game, u8 player, std::vector<TSeenStructure>& seen) {
    std::erase_if(seen, [&](const TSeenStructure& s) { return AnyCellSeen(game, player, s.Cells, s.CellCount); });
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.World.Objects[slot];
        if (o.Owner == 0 || o.Owner == player || !IsStructureType(game, o.TypeId) || IsMineType(o.TypeId)) continue;
        if (!AnyCellSeen(game, player, o.Cells, o.CellCount)) continue;
        const auto at =
            std::lower_bound(seen.begin(), seen.end(), slot, [](const TSeenStructure& s, int n) { return s.Slot < n; });
        if (at != seen.end() && at->Slot == slot)
            *at = Snapshot(o, slot);
        else
            seen.insert(at, Snapshot(o, slot));
    }
}

}  // namespace

bool IsMineType(int type) {
    return std::find(std::begin(kMineTypes), std::end(kMineTypes), type) != std::end(kMineTypes);
}

bool FogCovers(const Match& match, u8 player) {
    if (match.Sight.On == 0 || match.Players.Count < 2) return false;
    if (player < 1 || player > match.Players.Count || player > kMaxPlayers) return false;
    return !Lost(match, player) && !GameOver(match);
}

bool SeesCell(const Match& match, u8 player, int col, int row) {
    if (!match.InMap(col, row)) return false;
    return !FogCovers(match, player) || SightCount(match, player, col, row) > 0;
}

bool SeesObject(const Match& match, u8 player, int slot) {
    if (slot < 1 || slot > kMaxObjects || !SlotInUse(match.World.Objects[slot])) return false;
    const TGameObject& o = match.World.Objects[slot];
    if (o.Owner == player || !FogCovers(match, player)) return true;
    if (IsMineType(o.TypeId)) return false;
    return AnyCellSeen(match, player, o.Cells, o.CellCount);
}

bool KnowsCell(const Match& match, u8 player, int col, int row) {
    if (!match.InMap(col, row)) return false;
    return !FogCovers(match, player) || Explored(match, player, col, row);
}

void RememberStructures(Game& game) {
    for (u8 p = 1; p <= game.Players.Count && p <= kMaxPlayers; ++p)
        if (FogCovers(game, p)) RememberFor(game, p, game.Sight.Seen[p]);
}

void FollowOrder(Game& game, const std::array<std::uint32_t, kMaxPlayers + 1>& before,
                 std::initializer_list<int> alsoSlots) {
    bool structures = false;
    game.World.Objects.TakeWritten([&](int slot) {
        FollowSlot(game, slot);
        // A freed slot may have held a structure someone remembers.
        const TGameObject& o = std::as_const(game).Object(slot);
        if (!SlotInUse(o) || IsStructureType(game, o.TypeId)) structures = true;
    });
    for (const int slot : alsoSlots) FollowSlot(game, slot);
    for (u8 p = 1; p <= game.Players.Count && p <= kMaxPlayers; ++p)
        if ((structures || game.Sight.Changes[p] != before[p]) && FogCovers(game, p))
            RememberFor(game, p, game.Sight.Seen[p]);
}

bool MemoryCurrent(const Game& game, u8 player) {
    if (player < 1 || player > kMaxPlayers || !FogCovers(game, player)) return true;
    std::vector<TSeenStructure> again = game.Sight.Seen[player];
    RememberFor(game, player, again);
    // The drawing ticks turn an animated structure's pictures between orders;
    // the frame it was remembered in is no part of what it was.
    const auto sameButFrame = [](TSeenStructure a, TSeenStructure b) {
        for (int k = 1; k <= 4; ++k) {
            TSpriteRef &x = a.CellSprites[k], &y = b.CellSprites[k];
            x.idU = y.idU = 0, x.Spr = y.Spr = 0, x.SprNext = y.SprNext = 0;
        }
        return a == b;
    };
    const std::vector<TSeenStructure>& kept = game.Sight.Seen[player];
    return std::equal(again.begin(), again.end(), kept.begin(), kept.end(), sameButFrame);
}

const std::vector<TSeenStructure>& SeenStructures(const Match& match, u8 player) {
    static const std::vector<TSeenStructure> kNone;
    return player >= 1 && player <= kMaxPlayers ? match.Sight.Seen[player] : kNone;
}

}  // namespace tarq
