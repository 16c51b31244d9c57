#include "gamefile/GameFileChecks.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "core/TypeSetup.h"
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
constexpr int kLastCargoKind = kCargoGold;
constexpr int kLastAnimClass = 3;
constexpr int kLastOrderState = 2;  // 1 a builder at work, 2 its site
constexpr int kLastResourceKind = 3;
constexpr int kMaxPulse = 255;
constexpr int kPulseStep = 20;  // the pulse moves by this much each step, up or down
constexpr int kMaxScreenCentre = 32767;

bool IsMovementClass(int m) {
    for (int c :
         {kMoveAircraft, kMoveLand, kMoveLandCoast, kMoveWater, kMoveWaterCoast, kMoveStructure, kMoveAmphibious})
        if (m == c) return true;
    return false;
}

bool IsPassability(int p) { return p == kPassBlocked || p == kPassLand || p == kPassCoast || p == kPassWater; }

bool ValidPicture(const TSpriteRef& s) {
    return s.idU < kImageListItems && s.Spr >= 0 && s.Spr <= kMaxPictureNumber && s.id >= 0 && s.id <= kMaxObjects &&
           s.SprNext >= -1 && s.SprNext < kSpriteTableSize && s.show <= 1;
}

// What is wrong with a picture reference that is not ValidPicture.
QString PictureProblem(const TSpriteRef& s) {
    if (s.idU >= kImageListItems) return QStringLiteral("нет листа картинок %1").arg(s.idU);
    if (s.Spr < 0 || s.Spr > kMaxPictureNumber) return QStringLiteral("неверный номер картинки (%1)").arg(s.Spr);
    if (s.id < 0 || s.id > kMaxObjects) return QStringLiteral("картинка называет объект %1 вне таблицы").arg(s.id);
    if (s.SprNext < -1 || s.SprNext >= kSpriteTableSize)
        return QStringLiteral("неверный следующий кадр анимации (%1)").arg(s.SprNext);
    return QStringLiteral("неверный признак показа картинки (%1)").arg(s.show);
}

// Keeps the first problem found; every later check is skipped. Messages are
// composed only for a failing value, so passing contents cost no strings.
// Each says in the player's words what is wrong, then the value.
class Checker {
public:
    explicit Checker(const GameFileContents& c) : region_(c.Region()) {}

    bool failed() const { return !problem_.isEmpty(); }
    QString problem() const { return problem_; }
    // Later messages start with `prefix` ("объект 5: "); empty for none.
    void at(const QString& prefix) { prefix_ = prefix; }

    // `text` is called for the message only when `ok` is false.
    template <typename Text>
    void that(bool ok, Text text) {
        if (failed() || ok) return;
        problem_ = prefix_ + text();
    }
    void range(const char* what, long long value, long long lo, long long hi) {
        that(value >= lo && value <= hi,
             [&] { return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(what)).arg(value); });
    }
    void flag(const char* what, int value) { range(what, value, 0, 1); }
    void object(const char* what, long long value) { range(what, value, 0, kMaxObjects); }
    void cell(const char* what, int col, int row) {
        that(region_.contains(col, row), [&] {
            return QStringLiteral("%1 (%2, %3) вне карты и ее края").arg(QString::fromUtf8(what)).arg(col).arg(row);
        });
    }
    void footprint(const char* what, const TFootprint& f) {
        for (const TCellPos& p : f) cell(what, p.col, p.row);
    }
    void picture(const TSpriteRef& s) {
        that(ValidPicture(s), [&] { return PictureProblem(s); });
    }

private:
    CellRegion region_;
    QString prefix_;
    QString problem_;
};

void CheckMap(const GameFileContents& c, Checker& k) {
    k.range("неизвестный набор местности", c.TerrainSet, 0, kTerrainSets - 1);
}

bool CellSound(const GameFileContents& c, std::size_t i) {
    const TConnectorCell& connector = c.Connectors[i];
    bool ok = c.Terrain[i] <= kTerrainObstacleLast && IsPassability(c.Passability[i]) &&
              c.Resources[i].Kind <= kLastResourceKind && connector.Present <= 1 &&
              (connector.Present == 0 || (connector.Owner >= 1 && connector.Owner <= c.Players.Count));
    return ok;
}

// What is wrong with a cell that is not CellSound.
QString CellProblem(const GameFileContents& c, std::size_t i) {
    const TConnectorCell& connector = c.Connectors[i];
    if (c.Terrain[i] > kTerrainObstacleLast) return QStringLiteral("неизвестный код местности (%1)").arg(c.Terrain[i]);
    if (!IsPassability(c.Passability[i]))
        return QStringLiteral("неизвестный код проходимости (%1)").arg(c.Passability[i]);
    if (c.Resources[i].Kind > kLastResourceKind)
        return QStringLiteral("неизвестный вид ископаемого (%1)").arg(c.Resources[i].Kind);
    if (connector.Present > 1) return QStringLiteral("неверная отметка соединителя (%1)").arg(connector.Present);
    if (connector.Present == 1 && (connector.Owner < 1 || connector.Owner > c.Players.Count))
        return QStringLiteral("соединитель игрока %1, а игроков %2").arg(connector.Owner).arg(c.Players.Count);
    return {};
}

// The grids cell by cell; the first bad cell is looked at field by field.
void CheckCells(const GameFileContents& c, Checker& k) {
    const CellRegion region = c.Region();
    for (int col = 0; col < region.width; ++col)
        for (int row = 0; row < region.height; ++row) {
            const std::size_t i = region.index(col, row);
            if (CellSound(c, i)) continue;
            k.that(false, [&] { return QStringLiteral("клетка (%1, %2): ").arg(col).arg(row) + CellProblem(c, i); });
            return;
        }
}

void CheckStats(const TUnitStats& s, Checker& k) {
    k.range("неверный тип в характеристиках", s.TypeId, 0, kTypeCount);
    k.range("неизвестный вид груза в характеристиках", s.CargoKind, 0, kLastCargoKind);
    k.that(IsMovementClass(s.Movement),
           [&] { return QStringLiteral("неизвестный класс движения (%1)").arg(s.Movement); });
}

// The picture layers the game gives an object: its type's, or the still look
// of a fixed construction site (layer 2 alone).
bool LayersOfItsType(const TGameObject& o, const TypeSetup& setup) {
    const bool typeLook = o.Layer == setup.Layer && o.SecondLayer == setup.SecondLayer;
    const bool siteLook = o.OrderState == 2 && o.Layer == kLayerFlat - 1 && o.SecondLayer == 0;
    return typeLook || siteLook;
}

// A slot the file lists is in use (a free slot is blank, and blank slots are
// not written), by a player of the game, with a type of the catalogue laid
// out on the map as that type is.
void CheckObject(const TGameObject& o, int players, Checker& k) {
    k.that(o.Owner != 0, [] { return QStringLiteral("свободное место в таблице не пусто"); });
    k.that(o.Owner <= players,
           [&] { return QStringLiteral("объект игрока %1, а игроков %2").arg(o.Owner).arg(players); });
    k.range("неизвестный тип объекта", o.TypeId, 1, kDefinedTypes);
    if (k.failed()) return;
    const TypeSetup& setup = *FindTypeSetup(o.TypeId);
    k.that(o.CellCount == (setup.TwoByTwo ? 4 : 1),
           [&] { return QStringLiteral("неверное число клеток (%1)").arg(o.CellCount); });
    k.flag("неверный признак активности", o.Active);
    k.footprint("клетка объекта", o.Cells);
    k.range("неверное состояние приказа", o.OrderState, 0, kLastOrderState);
    if (o.OrderState == 1)
        k.that(FindTypeSetup(o.BuildLink) != nullptr,
               [&] { return QStringLiteral("строит неизвестный тип (%1)").arg(o.BuildLink); });
    k.object("неверный номер стройки", o.SiteObject);
    k.that(LayersOfItsType(o, setup),
           [&] { return QStringLiteral("неверные слои картинок (%1 и %2)").arg(o.Layer).arg(o.SecondLayer); });
    k.range("неизвестный вид груза", o.CargoKind, 0, kLastCargoKind);
    k.range("неверная отметка «без энергии»", o.Unpowered, 0, 1);
    k.range("неизвестный вид анимации", o.AnimClass, 0, kLastAnimClass);
    for (const TSpriteRef& s : o.Sprites) k.picture(s);
    for (const TSpriteRef& s : o.CellSprites) k.picture(s);
    CheckStats(o.Stats, k);
}

void CheckObjects(const GameFileContents& c, Checker& k) {
    int previous = 0;
    for (const SavedObject& o : c.Objects) {
        k.at({});
        k.that(o.Slot > previous && o.Slot <= kMaxObjects,
               [&] { return QStringLiteral("номер объекта %1 вне таблицы или не по порядку").arg(o.Slot); });
        if (k.failed()) return;
        previous = o.Slot;
        k.at(QStringLiteral("объект %1: ").arg(o.Slot));
        CheckObject(o.Object, c.Players.Count, k);
    }
    k.at({});
}

// A view position as the view keeps it: within a map's width (or height) of the map.
void CheckViewPosition(const char* what, int col, int row, const GameFileContents& c, Checker& k) {
    k.range(what, col, -c.MapWidth, 2 * c.MapWidth);
    k.range(what, row, -c.MapHeight, 2 * c.MapHeight);
}

void CheckView(const GameFileContents& c, Checker& k) {
    const TViewSettings& v = c.ViewSettings;
    CheckViewPosition("неверное положение вида", v.ViewCenterCol, v.ViewCenterRow, c, k);
    CheckViewPosition("неверное положение вида", v.FirstCol, v.FirstRow, c, k);
    k.range("неверный центр экрана", v.ScreenCenterX, 0, kMaxScreenCentre);
    k.range("неверный центр экрана", v.ScreenCenterY, 0, kMaxScreenCentre);
    k.range("неверный масштаб", v.Scale, 0, kMaxScale);
    k.range("неверный размер клетки на экране", c.CellPixels, 0, kMaxScale);
    k.range("неверные размеры вида", c.VisibleCols, 0, c.MapWidth);
    k.range("неверные размеры вида", c.VisibleRows, 0, c.MapHeight);
    k.flag("неверный переключатель геологии", v.ShowGeology);
    k.flag("неверный переключатель сетки", v.ShowGrid);
    k.flag("неверный переключатель соединителей", v.ShowConnectors);
    for (u8 on : v.Overlays.On) k.flag("неверный переключатель наложений", on);
    k.object("неверный номер выбранного объекта", c.SelectedObject);
    k.flag("неверный признак приказа движения", c.MoveArmed);
    k.flag("неверный признак подсказки о базе", c.BasePromptShown);
    k.range("неверная яркость мерцания", c.PulseAlpha, 0, kMaxPulse);
    k.that(c.PulseStep == 0 || c.PulseStep == kPulseStep || c.PulseStep == -kPulseStep,
           [&] { return QStringLiteral("неверный шаг мерцания (%1)").arg(c.PulseStep); });
}

void CheckPlay(const GameFileContents& c, Checker& k) {
    k.range("неверный номер хода", c.Turn, 1, kMaxTurn);
    k.flag("неверный признак секторов высадки", c.UseLandingSectors);
    k.object("неверный номер созданного объекта", c.LastCreatedObject);
    k.object("неверный номер строителя", c.SiteBuilder);
    k.range("неизвестный режим щелчка", c.ClickMode, kClickNormal, kClickChooseExit);
    k.flag("неверный признак готовых строек", c.ReadyLayerOn);
    k.cell("место строителя", c.SiteBuilderCol, c.SiteBuilderRow);
    for (const TFootprint& f : c.ExitCandidates) k.footprint("клетка выхода", f);
    for (i32 marker : c.ExitMarkers) k.object("неверный номер отметки выхода", marker);
}

// One player's entry, player `n` of the game.
void CheckPlayer(const GameFileContents& c, int n, Checker& k) {
    const TPlayer& p = c.Players.Table[n];
    k.at(QStringLiteral("игрок %1: ").arg(n));
    k.range("неверный номер", p.Number, n, n);
    k.range("неизвестный клан", p.PlayerClan, 0, kClanCount - 1);
    k.range("неизвестный цвет", p.Colour, 0, kTeamColourCount - 1);
    k.flag("неверный признак вступления в игру", p.Joined);
    k.flag("неверный признак высадки базы", p.BasePlaced);
    k.flag("неверное ограничение покупок", p.Restrictions.NoStructures);
    k.flag("неверное ограничение покупок", p.Restrictions.NoAlienUnits);
    for (u8 f : p.Purchasable) k.flag("неверный признак продажи типа", f);
    for (const TPurchase& purchase : p.Purchases) k.range("неверный тип покупки", purchase.TypeId, 0, kDefinedTypes);
    for (const auto& column : p.Sectors)
        for (u8 sector : column) k.flag("неверная отметка сектора высадки", sector);
    // The view they come back to when their turn begins.
    const TPlayerView& kept = c.PlayerViews[n];
    CheckViewPosition("неверное положение вида", kept.ViewCenterCol, kept.ViewCenterRow, c, k);
    CheckViewPosition("неверное положение вида", kept.FirstCol, kept.FirstRow, c, k);
    k.range("неверный масштаб", kept.Scale, 0, kMaxScale);
    k.at({});
}

// No sector is claimed by two players.
void CheckSectorClaims(const GameFileContents& c, Checker& k) {
    const TPlayers& players = c.Players;
    for (std::size_t sx = 0; sx < kSectorGrid; ++sx)
        for (std::size_t sy = 0; sy < kSectorGrid; ++sy) {
            int claims = 0;
            for (int n = 1; n <= players.Count; ++n) claims += players.Table[n].Sectors[sx][sy] != 0 ? 1 : 0;
            k.that(claims <= 1,
                   [&] { return QStringLiteral("сектор (%1, %2) заняли два игрока").arg(sx + 1).arg(sy + 1); });
        }
}

// Players 1..Count numbered in order with colours of their own, the entries
// past them blank; the current player is one of them.
void CheckPlayers(const GameFileContents& c, Checker& k) {
    const TPlayers& players = c.Players;
    k.range("неверное число игроков", players.Count, 1, kMaxPlayers);
    if (k.failed()) return;
    unsigned colours = 0;
    for (int n = 1; n <= kMaxPlayers; ++n) {
        const TPlayer& p = players.Table[n];
        if (n > players.Count) {
            k.that(p == TPlayer{} && c.PlayerViews[n] == TPlayerView{},
                   [&] { return QStringLiteral("запись игрока %1 сверх их числа не пуста").arg(n); });
            continue;
        }
        CheckPlayer(c, n, k);
        const unsigned colour = 1u << (p.Colour % kTeamColourCount);
        k.that((colours & colour) == 0, [&] { return QStringLiteral("цвет игрока %1 уже занят").arg(n); });
        colours |= colour;
    }
    k.range("неверный номер текущего игрока", c.CurrentPlayer, 1, players.Count);
    CheckSectorClaims(c, k);
}

// Every entry is an order of the match by a player of the game, given in a
// turn up to the game's, no earlier than the entry before it; the current
// round begins within the log.
void CheckLog(const GameFileContents& c, Checker& k) {
    std::int32_t previous = 1;
    for (std::size_t i = 0; i < c.Log.size() && !k.failed(); ++i) {
        const LoggedOrder& e = c.Log[i];
        k.at(QStringLiteral("запись журнала %1: ").arg(i + 1));
        k.that(IsMatchCommand(e.order.command), [] { return QStringLiteral("это не приказ партии"); });
        k.range("неверный номер игрока", e.order.player, 1, c.Players.Count);
        k.range("неверный номер хода", e.turn, previous, c.Turn);
        previous = e.turn;
    }
    k.at({});
    k.that(c.LogRoundStart <= c.Log.size(), [&] {
        return QStringLiteral("текущий круг начинается с записи %1, а в журнале их %2")
            .arg(c.LogRoundStart + 1)
            .arg(c.Log.size());
    });
}

// A remembered structure: one of the catalogue's, of another player of the
// game, laid out on the map as its type is, with pictures the game can draw.
void CheckSeen(const GameFileContents& c, int player, const TSeenStructure& m, Checker& k) {
    k.range("неизвестный тип объекта", m.TypeId, 1, kDefinedTypes);
    k.range("неверный владелец", m.Owner, 1, c.Players.Count);
    k.that(m.Owner != player, [] { return QStringLiteral("игрок помнит свое же строение"); });
    if (k.failed()) return;
    const TypeSetup& setup = *FindTypeSetup(m.TypeId);
    k.that(m.CellCount == (setup.TwoByTwo ? 4 : 1),
           [&] { return QStringLiteral("неверное число клеток (%1)").arg(m.CellCount); });
    for (const TCellPos& p : m.Cells)
        k.that(p.col >= 1 && p.row >= 1 && p.col <= c.MapWidth && p.row <= c.MapHeight,
               [&] { return QStringLiteral("клетка (%1, %2) вне карты").arg(p.col).arg(p.row); });
    k.range("неверный слой картинок", m.Layer, 0, kLayers - 1);
    k.range("неверный второй слой картинок", m.SecondLayer, 0, kLayers - 1);
    for (const TSpriteRef& s : m.CellSprites) k.picture(s);
}

// Each player's explored cells and remembered structures, by slot in order;
// the entries past the players of the game hold nothing.
void CheckFog(const GameFileContents& c, Checker& k) {
    k.flag("неверный признак тумана войны", c.FogOn);
    for (int p = 1; p <= kMaxPlayers && !k.failed(); ++p) {
        k.at(QStringLiteral("туман войны игрока %1: ").arg(p));
        const std::vector<u8>& bits = c.Explored[p];
        k.that(bits.empty() || bits.size() == c.ExploredBytes(), [] { return QStringLiteral("неверная длина"); });
        if (p > c.Players.Count) {
            k.that(std::all_of(bits.begin(), bits.end(), [](u8 b) { return b == 0; }) && c.Seen[p].empty(),
                   [] { return QStringLiteral("такого игрока нет"); });
            continue;
        }
        int previous = 0;
        for (const TSeenStructure& m : c.Seen[p]) {
            k.that(m.Slot > previous && m.Slot <= kMaxObjects,
                   [&] { return QStringLiteral("номер объекта %1 вне таблицы или не по порядку").arg(m.Slot); });
            previous = m.Slot;
            CheckSeen(c, p, m, k);
        }
    }
    k.at({});
}

}  // namespace

QString CheckContents(const GameFileContents& contents) {
    Checker k(contents);
    // The players first: the owners of objects and connectors are checked against them.
    CheckPlayers(contents, k);
    CheckMap(contents, k);
    CheckCells(contents, k);
    CheckObjects(contents, k);
    CheckView(contents, k);
    CheckPlay(contents, k);
    CheckLog(contents, k);
    CheckFog(contents, k);
    return k.problem();
}

}  // namespace tarq
