#include "core/StateHash.h"

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
    void One(const std::string& s) { Bytes(s.data(), s.size()); }
    template <typename T, int N>
    void One(const Array1<T, N>& items) {
        for (const T& item : items) One(item);
    }
    template <typename T, std::size_t N>
    void One(const std::array<T, N>& items) {
        for (const T& item : items) One(item);
    }
    template <typename T>
    void One(const CellGrid<T>& grid) {
        Bytes(grid.cells.data(), grid.cells.size());
    }
    void One(const MapGrid& map) { One(map.Cells()); }
    void One(const TUnitStats& s) {
        Add(s.TypeId, s.Attack, s.Shots, s.Range, s.Ammo, s.Armour, s.Hits, s.Scan, s.Speed, s.Cost, s.ResourceKind1,
            s.ResourceAmount1, s.ResourceKind2, s.ResourceAmount2, s.ResourceKind3, s.ResourceAmount3, s.CargoKind,
            s.CargoCapacity, s.Output, s.Spare, s.Movement);
    }
    void One(const TUnitType& t) {
        Add(t.Name, t.Description, t.BuilderKind, t.Purchasable, t.Category, t.BuiltBy, t.BuildRate, t.CellCount);
    }
    void One(const TGameObject& o) {
        Add(o.Sprites, o.Owner, o.Active, o.Cells, o.Spare, o.CellCount, o.OrderState, o.TurnsLeft, o.MaterialPerTurn,
            o.BuildLink, o.TurnsTotal, o.SiteObject, o.Layer, o.SecondLayer, o.CellSprites, o.TypeId, o.ShotsLeft,
            o.AmmoLeft, o.HitsLeft, o.MovesLeft, o.CargoKind, o.Cargo, o.AnimClass, o.AnimTicks, o.Stats);
    }
    void One(const TWorld& w) {
        Add(w.StartGold, w.Terrain, w.Objects, w.Connectors, w.Resources, w.MapWidth, w.MapHeight, w.TerrainSet,
            w.Passability);
        Bytes(&w.LandingSectors[0][0], sizeof w.LandingSectors);
    }
    void One(const TViewSettings& v) {
        Add(v.ViewCenterCol, v.ViewCenterRow, v.ViewOffsetX, v.ViewOffsetY, v.ScreenCenterX, v.ScreenCenterY,
            v.FirstCol, v.FirstRow, v.Scale, v.ShowGeology, v.ShowGrid, v.UseLandingSectors, v.BasePlaced,
            v.CurrentPlayer, v.PlayerClan, v.Credits, v.ShowConnectors, v.Overlays.On);
    }

    void One(const TSettings& s) {
        Add(s.InfoShown, s.HighResGeology, s.FullScreen, s.FullScreenMode, s.MaximizeAtLaunch, s.FramelessMaximized,
            s.PauseWhenInactive, s.WaitForRetrace, s.ScrollBars, s.RightButtonScroll, s.ReverseRightScroll);
    }
    void One(const TNewGameChoices& c) { Add(c.NoStructures, c.NoAlienUnits); }
    void One(const TPlayer& p) {
        Add(p.Number, p.Clan, p.Colour, p.Joined, p.BaseLanded, p.Credits, p.Restrictions, p.Purchasable, p.Purchases);
        Bytes(&p.Sectors[0][0], sizeof p.Sectors);
        Add(p.FirstCol, p.FirstRow, p.ViewCenterCol, p.ViewCenterRow, p.Scale);
    }
    void One(const TPlayers& p) { Add(p.Count, p.Table); }

    std::uint64_t h_ = 0x6A09E667F3BCC909ull;
};

}  // namespace

std::uint64_t StateHash(const Game& g) {
    Hasher h;
    h.Add(g.World, g.ViewSettings, g.Settings, g.NewGameChoices, g.Players, g.Map, g.SpriteTable, g.UnitTypes, g.UnitStats, g.ObjectTemplate, g.NewObject,
          g.Footprint, g.PurchaseListStorage);
    h.Add(g.SelectedObject, g.LastCreatedObject, g.SlowAnimPeriod, g.TwoFrameAnimPeriod, g.VisibleCols, g.VisibleRows,
          g.CellPixels, g.HoverCol, g.HoverRow, g.MouseX, g.MouseY, g.MapGenerated, g.MinimapDirty, g.ViewChanged,
          g.AppActive, g.RightDrag, g.DragStartX, g.DragStartY, g.MinimapDrag);
    h.Add(g.GameId, g.Turn, g.Rng.Seed(), g.Log.Digest(), g.ClickMode, g.MoveArmed, g.ReadyLayerOn, g.BasePromptShown, g.PulseAlpha, g.PulseStep, g.WarnFlashTicks,
          g.SiteBuilder, g.SiteBuilderCol, g.SiteBuilderRow, g.ExitCandidates, g.ExitMarkers);
    return h.Value();
}

std::uint64_t PlayHash(const Game& g) {
    Hasher h;
    for (const TGameObject& o : g.World.Objects)
        h.Add(o.Sprites, o.Owner, o.Active, o.Cells, o.CellCount, o.OrderState, o.TurnsLeft, o.MaterialPerTurn,
              o.BuildLink, o.TurnsTotal, o.SiteObject, o.Layer, o.SecondLayer, o.TypeId, o.ShotsLeft, o.AmmoLeft,
              o.HitsLeft, o.MovesLeft, o.CargoKind, o.Cargo, o.Stats);
    const TWorld& w = g.World;
    h.Add(w.StartGold, w.Terrain, w.Connectors, w.Resources, w.MapWidth, w.MapHeight);
    h.Bytes(&w.LandingSectors[0][0], sizeof w.LandingSectors);
    const TViewSettings& v = g.ViewSettings;
    h.Add(g.Players, g.PurchaseListStorage, g.Turn, v.CurrentPlayer, v.Credits, v.BasePlaced, v.UseLandingSectors);
    return h.Value();
}

}  // namespace tarq
