#include "core/StateHash.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace tarq {

namespace {

class Hasher {
public:
    // Objects without padding go in as their bytes, eight at a time.
    template <typename T>
    void Bytes(const T* data, std::size_t count) {
        static_assert(std::has_unique_object_representations_v<T>, "padding would make the hash vary");
        const auto* p = reinterpret_cast<const unsigned char*>(data);
        std::size_t n = count * sizeof(T);
        for (; n >= 8; n -= 8, p += 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            Mix(word);
        }
        std::uint64_t tail = 0;
        std::memcpy(&tail, p, n);
        Mix(tail ^ (static_cast<std::uint64_t>(n) << 56));
    }

    template <typename... T>
    void Add(const T&... values) {
        (One(values), ...);
    }

    std::uint64_t Value() const { return h_; }

private:
    void Mix(std::uint64_t word) {
        h_ = (h_ ^ word) * 0x9E3779B97F4A7C15ull;
        h_ ^= h_ >> 29;
    }
    template <typename T>
    requires std::is_arithmetic_v<T>
    void One(T value) { Mix(static_cast<std::uint64_t>(value)); }
    void One(const TSpriteRef& s) { Bytes(&s, 1); }
    void One(const TCellPos& p) { Add(p.col, p.row); }
    void One(const TPurchase& p) { Add(p.TypeId, p.Cargo, p.Price); }
    template <typename T, int N>
    void One(const Array1<T, N>& items) {
        for (const T& item : items) One(item);
    }
    template <typename T, std::size_t N>
    void One(const std::array<T, N>& items) {
        for (const T& item : items) One(item);
    }
    void One(const TUnitStats& s) {
        Add(s.TypeId, s.Attack, s.Shots, s.Range, s.Ammo, s.Armour, s.Hits, s.Scan, s.Speed, s.Cost, s.ResourceKind1,
            s.ResourceAmount1, s.ResourceKind2, s.ResourceAmount2, s.ResourceKind3, s.ResourceAmount3, s.CargoKind,
            s.CargoCapacity, s.Output, s.Spare, s.Movement);
    }
    // What an object is, without the pictures it shows and its animation phase.
    void One(const TGameObject& o) {
        Add(o.Owner, o.Active, o.Cells, o.Unpowered, o.CellCount, o.OrderState, o.TurnsLeft, o.MaterialPerTurn,
            o.BuildLink, o.TurnsTotal, o.SiteObject, o.Layer, o.SecondLayer, o.TypeId, o.ShotsLeft, o.AmmoLeft,
            o.HitsLeft, o.MovesLeft, o.CargoKind, o.Cargo, o.AnimClass, o.Stats);
    }
    void One(const TNewGameChoices& c) { Add(c.NoStructures, c.NoAlienUnits); }
    void One(const TPlayer& p) {
        Add(p.Number, p.PlayerClan, p.Colour, p.Joined, p.BasePlaced, p.Credits, p.Restrictions, p.Purchasable,
            p.Purchases);
        Bytes(&p.Sectors[0][0], sizeof p.Sectors);
    }
    void One(const TPlayers& p) { Add(p.Count, p.Table); }
    void One(const TNotice& n) {
        Add(n.Col, n.Row, n.Text.size());
        Bytes(n.Text.data(), n.Text.size());
    }
    void One(const TPathOrder& o) { Add(o.Unit, o.Col, o.Row); }
    void One(const TCombatEntry& e) {
        Add(e.Turn, e.Kind, e.AttackerOwner, e.TargetOwner, e.Damage, e.Destroyed, e.Attacker, e.AttackerType, e.Target,
            e.TargetType, e.Col, e.Row);
    }
    // What a player remembers of a structure, without the animation frame its pictures were in.
    void One(const TSeenStructure& s) { Add(s.Slot, s.TypeId, s.Owner, s.CellCount, s.Layer, s.SecondLayer, s.Cells); }
    void One(const TSight& s) {
        Add(s.On, s.Seen);
        for (const CellBits& bits : s.Explored) Bytes(bits.data(), bits.size());
    }
    template <typename T>
    void One(const std::vector<T>& items) {
        Add(items.size());
        for (const T& item : items) One(item);
    }

    std::uint64_t h_ = 0x6A09E667F3BCC909ull;
};

// The cells a game file holds: columns and rows 0 .. size + 2 (the map and
// the border around it where builders and sites are parked), within the grid.
template <typename T>
void AddRegion(Hasher& h, const TWorld& w, const CellGrid<T>& grid) {
    const int width = std::clamp(w.MapWidth + 3, 0, kGridSpan), height = std::clamp(w.MapHeight + 3, 0, kGridSpan);
    for (int col = 0; col < width; ++col) h.Bytes(&grid(col, 0), static_cast<std::size_t>(height));
}

void AddWorld(Hasher& h, const TWorld& w) {
    h.Add(w.StartGold, w.MapWidth, w.MapHeight, w.TerrainSet);
    AddRegion(h, w, w.Terrain);
    AddRegion(h, w, w.Passability);
    AddRegion(h, w, w.Resources);
    AddRegion(h, w, w.Connectors);
}

}  // namespace

std::uint64_t StateHash(const Match& m) {
    Hasher h;
    AddWorld(h, m.World);
    for (const TGameObject& o : m.World.Objects) h.Add(o);
    h.Bytes(&m.World.LandingSectors[0][0], sizeof m.World.LandingSectors);
    h.Add(m.Players, m.CurrentPlayer, m.UseLandingSectors, m.GameId, m.Turn, m.Rng.Seed(), m.Log.Digest(),
          m.Log.RoundStart());
    h.Add(m.ClickMode, m.LastCreatedObject, m.SiteBuilder, m.SiteBuilderCol, m.SiteBuilderRow, m.ExitCandidates,
          m.ExitMarkers, m.ReadyLayerOn);
    h.Add(m.Notices);
    h.Add(m.PathOrders);
    h.Add(m.CombatLog);
    h.Add(m.Sight);
    return h.Value();
}

std::uint64_t PlayHash(const Match& m) {
    Hasher h;
    for (const TGameObject& o : m.World.Objects) h.Add(o);
    AddWorld(h, m.World);
    h.Bytes(&m.World.LandingSectors[0][0], sizeof m.World.LandingSectors);
    h.Add(m.Players, m.Turn, m.CurrentPlayer, m.UseLandingSectors);
    return h.Value();
}

}  // namespace tarq
