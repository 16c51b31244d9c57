#include "gamefile/GameFileChecks.h"

#include <cstdint>
#include <initializer_list>

#include "view/GraphicsCache.h"
#include "world/TerrainTables.h"

namespace tarq {

namespace {

// No sheet holds more pictures than this; larger numbers mean damage.
constexpr int kMaxPictureNumber = 1023;
// The zoom bar holds 5..120, but the launch can keep a larger raw scale on a
// wide screen (page width / map width x 1.5625, below 512 for any screen up
// to 16384 pixels); a cell is never larger than 512 pixels either.
constexpr int kMaxScale = 512;
constexpr int kClanCount = 7;
constexpr int kTerrainSets = 4;
constexpr int kLastSectorMark = 2;
constexpr int kLastCargoKind = kCargoGold;
constexpr int kLastAnimClass = 3;
constexpr int kLastOrderState = 2;  // 1 a builder at work, 2 its site
constexpr int kLastResourceKind = 3;
constexpr int kMaxPulse = 255;
constexpr int kMaxScreenCentre = 32767;
constexpr int kLastFullScreenMode = 2;  // 640 x 480, 800 x 600, 1024 x 768

bool IsMovementClass(int m) {
    for (int c :
         {kMoveAircraft, kMoveLand, kMoveLandCoast, kMoveWater, kMoveWaterCoast, kMoveStructure, kMoveAmphibious})
        if (m == c) return true;
    return false;
}

bool IsPassability(int p) {
    return p == kPassBlocked || p == kPassLand || p == kPassCoast || p == kPassWater;
}

bool ValidPicture(const TSpriteRef& s) {
    return s.idU < kImageListItems && s.Spr >= 0 && s.Spr <= kMaxPictureNumber && s.id >= 0 && s.id <= kMaxObjects &&
           s.SprNext >= -1 && s.SprNext < kSpriteTableSize && s.show <= 1;
}

QString Describe(const TSpriteRef& s) {
    return QStringLiteral("{idU %1, Spr %2, id %3, SprNext %4, show %5}")
        .arg(s.idU)
        .arg(s.Spr)
        .arg(s.id)
        .arg(s.SprNext)
        .arg(s.show);
}

// Keeps the first problem found; every later check is skipped. Messages are
// composed only for a failing value, so passing contents cost no strings.
class Checker {
public:
    explicit Checker(const GameFileContents& c) : region_(c.Region()) {}

    bool failed() const { return !problem_.isEmpty(); }
    QString problem() const { return problem_; }
    // Later messages name this object slot (0: none).
    void atObject(int slot) { slot_ = slot; }

    // `text` is called for the message only when `ok` is false.
    template <typename Text>
    void that(bool ok, Text text) {
        if (failed() || ok) return;
        problem_ = text();
        if (slot_ != 0) problem_ = QStringLiteral("объект %1: ").arg(slot_) + problem_;
    }
    void range(const char* what, long long value, long long lo, long long hi) {
        that(value >= lo && value <= hi, [&] {
            return QStringLiteral("%1 = %2 вне %3..%4").arg(QString::fromUtf8(what)).arg(value).arg(lo).arg(hi);
        });
    }
    void flag(const char* what, int value) { range(what, value, 0, 1); }
    void object(const char* what, long long value) { range(what, value, 0, kMaxObjects); }
    void cell(const char* what, int col, int row) {
        that(region_.contains(col, row), [&] {
            return QStringLiteral("%1 (%2, %3) вне клеток карты и ее края")
                .arg(QString::fromUtf8(what))
                .arg(col)
                .arg(row);
        });
    }
    void footprint(const char* what, const TFootprint& f) {
        for (const TCellPos& p : f) cell(what, p.col, p.row);
    }
    void picture(const char* what, const TSpriteRef& s) {
        that(ValidPicture(s), [&] {
            return QStringLiteral("%1: недопустимая ссылка на картинку %2").arg(QString::fromUtf8(what), Describe(s));
        });
    }

private:
    CellRegion region_;
    int slot_ = 0;
    QString problem_;
};

void CheckMap(const GameFileContents& c, Checker& k) {
    k.range("TerrainSet", c.TerrainSet, 0, kTerrainSets - 1);
    k.flag("MapGenerated", c.MapGenerated);
    for (const auto& column : c.LandingSectors)
        for (u8 sector : column) k.range("LandingSectors", sector, 0, kLastSectorMark);
}

bool CellSound(const GameFileContents& c, std::size_t i) {
    bool ok = c.Terrain[i] <= kTerrainObstacleLast && IsPassability(c.Passability[i]) &&
              c.Resources[i].Kind <= kLastResourceKind && c.Connectors[i].Present <= 1;
    for (const TSpriteRef& s : c.Map[i].Layers) ok = ok && ValidPicture(s);
    return ok;
}

// The grids cell by cell; the first bad cell is looked at field by field.
void CheckCells(const GameFileContents& c, Checker& k) {
    const CellRegion region = c.Region();
    for (int col = 0; col < region.width; ++col)
        for (int row = 0; row < region.height; ++row) {
            const std::size_t i = region.index(col, row);
            if (CellSound(c, i)) continue;
            k.that(false, [&] {
                QString what = QStringLiteral("клетка (%1, %2): ").arg(col).arg(row);
                if (c.Terrain[i] > kTerrainObstacleLast)
                    return what + QStringLiteral("код местности %1").arg(c.Terrain[i]);
                if (!IsPassability(c.Passability[i]))
                    return what + QStringLiteral("код проходимости %1").arg(c.Passability[i]);
                if (c.Resources[i].Kind > kLastResourceKind)
                    return what + QStringLiteral("вид ископаемого %1").arg(c.Resources[i].Kind);
                if (c.Connectors[i].Present > 1)
                    return what + QStringLiteral("Connectors.Present %1").arg(c.Connectors[i].Present);
                for (int layer = 1; layer <= kLayers; ++layer)
                    if (!ValidPicture(c.Map[i].Layers[layer]))
                        return what + QStringLiteral("слой %1: недопустимая ссылка на картинку %2")
                                          .arg(layer)
                                          .arg(Describe(c.Map[i].Layers[layer]));
                return what;
            });
            return;
        }
}

void CheckStats(const TUnitStats& s, Checker& k) {
    k.range("Stats.TypeId", s.TypeId, 0, kTypeCount);
    k.range("Stats.CargoKind", s.CargoKind, 0, kLastCargoKind);
    k.that(IsMovementClass(s.Movement), [&] { return QStringLiteral("класс движения %1").arg(s.Movement); });
}

void CheckObject(const TGameObject& o, Checker& k) {
    const bool inUse = o.Owner != 0;
    // A slot in use holds a defined type on one or four cells; a free slot holds no type.
    k.range(inUse ? "TypeId" : "TypeId свободного места", o.TypeId, inUse ? 1 : 0, inUse ? kDefinedTypes : 0);
    k.that(o.CellCount == 1 || o.CellCount == 4 || (!inUse && o.CellCount == 0),
           [&] { return QStringLiteral("CellCount %1").arg(o.CellCount); });
    k.flag("Active", o.Active);
    k.footprint("клетка", o.Cells);
    k.range("OrderState", o.OrderState, 0, kLastOrderState);
    if (o.OrderState == 1) k.range("BuildLink", o.BuildLink, 0, kDefinedTypes);
    k.object("SiteObject", o.SiteObject);
    k.range("Layer", o.Layer, 0, kLayers - 1);
    k.range("SecondLayer", o.SecondLayer, 0, kLayers - 1);
    k.range("CargoKind", o.CargoKind, 0, kLastCargoKind);
    k.range("AnimClass", o.AnimClass, 0, kLastAnimClass);
    for (const TSpriteRef& s : o.Sprites) k.picture("Sprites", s);
    for (const TSpriteRef& s : o.CellSprites) k.picture("CellSprites", s);
    CheckStats(o.Stats, k);
}

void CheckObjects(const GameFileContents& c, Checker& k) {
    int previous = 0;
    for (const SavedObject& o : c.Objects) {
        k.atObject(0);
        k.that(o.Slot > previous && o.Slot <= kMaxObjects,
               [&] { return QStringLiteral("номер объекта %1 вне таблицы или не по порядку").arg(o.Slot); });
        if (k.failed()) return;
        previous = o.Slot;
        k.atObject(o.Slot);
        CheckObject(o.Object, k);
    }
    k.atObject(0);
}

void CheckView(const GameFileContents& c, Checker& k) {
    const TViewSettings& v = c.ViewSettings;
    const int w = c.MapWidth, h = c.MapHeight;
    k.range("ViewCenterCol", v.ViewCenterCol, -w, 2 * w);
    k.range("FirstCol", v.FirstCol, -w, 2 * w);
    k.range("ViewCenterRow", v.ViewCenterRow, -h, 2 * h);
    k.range("FirstRow", v.FirstRow, -h, 2 * h);
    k.range("ScreenCenterX", v.ScreenCenterX, 0, kMaxScreenCentre);
    k.range("ScreenCenterY", v.ScreenCenterY, 0, kMaxScreenCentre);
    k.range("Scale", v.Scale, 0, kMaxScale);
    k.range("CellPixels", c.CellPixels, 0, kMaxScale);
    k.range("VisibleCols", c.VisibleCols, 0, w);
    k.range("VisibleRows", c.VisibleRows, 0, h);
    k.range("PlayerClan", v.PlayerClan, 0, kClanCount - 1);
    k.flag("ShowGeology", v.ShowGeology);
    k.flag("ShowGrid", v.ShowGrid);
    k.flag("UseLandingSectors", v.UseLandingSectors);
    k.flag("BasePlaced", v.BasePlaced);
    k.flag("ShowConnectors", v.ShowConnectors);
    for (u8 on : v.Overlays.On) k.flag("Overlays", on);
}

void CheckSettings(const GameFileContents& c, Checker& k) {
    const TSettings& s = c.Settings;
    for (u8 shown : s.InfoShown) k.flag("InfoShown", shown);
    k.range("FullScreenMode", s.FullScreenMode, 0, kLastFullScreenMode);
    for (u8 f : {s.HighResGeology, s.FullScreen, s.MaximizeAtLaunch, s.FramelessMaximized, s.PauseWhenInactive,
                 s.WaitForRetrace, s.ScrollBars, s.RightButtonScroll, s.ReverseRightScroll})
        k.flag("переключатель настроек", f);
    k.flag("NoStructures", c.NewGameChoices.NoStructures);
    k.flag("NoAlienUnits", c.NewGameChoices.NoAlienUnits);
}

void CheckPlay(const GameFileContents& c, Checker& k) {
    k.range("Turn", c.Turn, 1, INT32_MAX);
    k.object("SelectedObject", c.SelectedObject);
    k.object("LastCreatedObject", c.LastCreatedObject);
    k.object("SiteBuilder", c.SiteBuilder);
    k.range("ClickMode", c.ClickMode, kClickNormal, kClickChooseExit);
    k.flag("MoveArmed", c.MoveArmed);
    k.flag("ReadyLayerOn", c.ReadyLayerOn);
    k.flag("BasePromptShown", c.BasePromptShown);
    k.range("PulseAlpha", c.PulseAlpha, 0, kMaxPulse);
    k.range("PulseStep", c.PulseStep, -kMaxPulse, kMaxPulse);
    k.cell("место строителя", c.SiteBuilderCol, c.SiteBuilderRow);
    for (const TFootprint& f : c.ExitCandidates) k.footprint("клетка выхода", f);
    for (i32 marker : c.ExitMarkers) k.object("ExitMarkers", marker);
}

void CheckShop(const GameFileContents& c, Checker& k) {
    for (const TPurchase& p : c.PurchaseList) k.range("тип покупки", p.TypeId, 0, kDefinedTypes);
    for (u8 f : c.Purchasable) k.flag("Purchasable", f);
}

// Players 1..Count numbered in order with colours of their own, the entries
// past them blank; in a game of several the current player is one of them.
void CheckPlayers(const GameFileContents& c, Checker& k) {
    const TPlayers& players = c.Players;
    k.range("число игроков", players.Count, 1, kMaxPlayers);
    if (k.failed()) return;
    unsigned colours = 0;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        const TPlayer& p = players.Table[n];
        if (n > players.Count) {
            k.that(p == TPlayer{}, [&] { return QStringLiteral("запись игрока %1 сверх их числа не пуста").arg(n); });
            continue;
        }
        k.range("номер игрока", p.Number, n, n);
        k.range("клан игрока", p.Clan, 0, kClanCount - 1);
        k.range("цвет игрока", p.Colour, 0, kTeamColourCount - 1);
        k.that((colours & 1u << (p.Colour % kTeamColourCount)) == 0,
               [&] { return QStringLiteral("цвет игрока %1 уже занят").arg(n); });
        colours |= 1u << (p.Colour % kTeamColourCount);
        k.flag("игрок вступил", p.Joined);
        k.flag("база игрока высажена", p.BaseLanded);
        k.flag("NoStructures игрока", p.Restrictions.NoStructures);
        k.flag("NoAlienUnits игрока", p.Restrictions.NoAlienUnits);
        for (u8 f : p.Purchasable) k.flag("Purchasable игрока", f);
        for (const TPurchase& purchase : p.Purchases) k.range("тип покупки игрока", purchase.TypeId, 0, kDefinedTypes);
        for (const auto& column : p.Sectors)
            for (u8 sector : column) k.flag("сектор игрока", sector);
        k.range("Scale игрока", p.Scale, 0, kMaxScale);
    }
    if (players.Count > 1) k.range("CurrentPlayer", c.ViewSettings.CurrentPlayer, 1, players.Count);
}

}  // namespace

QString CheckContents(const GameFileContents& contents) {
    Checker k(contents);
    CheckMap(contents, k);
    CheckCells(contents, k);
    CheckObjects(contents, k);
    CheckView(contents, k);
    CheckSettings(contents, k);
    CheckPlay(contents, k);
    CheckShop(contents, k);
    CheckPlayers(contents, k);
    return k.problem();
}

}  // namespace tarq
