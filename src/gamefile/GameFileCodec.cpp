#include "gamefile/GameFileCodec.h"

#include <zlib.h>

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

#include "core/CommandCodec.h"
#include "gamefile/BytePlanes.h"
#include "gamefile/GameFileFormat.h"

namespace tarq::gamefile {

namespace {

// Grid planes are the records' own bytes: their layout is part of the format.
static_assert(std::endian::native == std::endian::little, "grid planes hold the records' little-endian bytes");
static_assert(offsetof(TSpriteRef, idU) == 0 && offsetof(TSpriteRef, Spr) == 1 && offsetof(TSpriteRef, id) == 3 &&
              offsetof(TSpriteRef, SprNext) == 5 && offsetof(TSpriteRef, show) == 7 && sizeof(TMapCell) == 64);
static_assert(offsetof(TResourceCell, Kind) == 0 && offsetof(TResourceCell, Amount) == 1);
static_assert(offsetof(TConnectorCell, Owner) == 0 && offsetof(TConnectorCell, Present) == 1);
// The records written field by field below. A new field changes the size:
// give it its place in the body (and a new format version once files are out).
static_assert(sizeof(TGameObject) == 164 && sizeof(TUnitStats) == 24, "a field was added to the object records");
static_assert(sizeof(TViewSettings) == 32 && sizeof(TPlayerView) == 10 && sizeof(TPurchase) == 3,
              "a field was added to the view or purchases");
static_assert(sizeof(TSettings) == kInfoItems + 10 && sizeof(TNewGameChoices) == 2,
              "a field was added to the settings");
// A player's record: five bytes, a byte of padding and Credits make the 8;
// another byte of padding closes it.
static_assert(sizeof(TPlayer) == 8 + 2 + kTypeCount + 3 * kPurchaseEntries + kSectorGrid * kSectorGrid + 1,
              "a field was added to the players' table");

// ---- Grids: byte planes of the records as they lie in memory ----

template <typename T>
constexpr bool kPlaneRecord = std::is_trivially_copyable_v<T>&& std::has_unique_object_representations_v<T>;

template <typename T>
void AppendGrid(QByteArray& out, const std::vector<T>& cells) {
    static_assert(kPlaneRecord<T>);
    AppendPlanes(out, reinterpret_cast<const char*>(cells.data()), cells.size(), sizeof(T));
}

template <typename T>
bool ReadGrid(const char*& in, const char* end, std::vector<T>& cells, std::size_t n) {
    static_assert(kPlaneRecord<T>);
    cells.resize(n);
    return ReadPlanes(in, end, reinterpret_cast<char*>(cells.data()), n, sizeof(T));
}

// ---- Scalar fields, listed once for both directions ----

// The small sections go through QDataStream.
struct Writer {
    QDataStream& s;
    template <typename T>
    void operator()(const T& v) {
        s << v;
    }
    void operator()(const std::uint64_t& v) { s << static_cast<quint64>(v); }
};

struct Reader {
    QDataStream& s;
    template <typename T>
    void operator()(T& v) {
        s >> v;
    }
    void operator()(std::uint64_t& v) {
        quint64 q = 0;
        s >> q;
        v = q;
    }
};

// Fixed-size big-endian records for the object table: QDataStream's calls
// through its device for every value cost more than the rest of a save.
struct RecordWriter {
    char* p;
    template <typename T>
    void operator()(const T& v) {
        const auto u = static_cast<std::make_unsigned_t<T>>(v);
        for (int shift = 8 * (static_cast<int>(sizeof(T)) - 1); shift >= 0; shift -= 8)
            *p++ = static_cast<char>(u >> shift);
    }
    // A picture reference is packed: its fields are copied, never bound to references.
    void ref(const TSpriteRef& r) {
        (*this)(r.idU), (*this)(static_cast<i16>(r.Spr)), (*this)(static_cast<i16>(r.id));
        (*this)(static_cast<i16>(r.SprNext)), (*this)(r.show);
    }
};

struct RecordReader {
    const char* p;
    template <typename T>
    void operator()(T& v) {
        std::make_unsigned_t<T> u = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            u = static_cast<std::make_unsigned_t<T>>(u << 8 | static_cast<unsigned char>(*p++));
        v = static_cast<T>(u);
    }
    void ref(TSpriteRef& r) {
        u8 idU = 0, show = 0;
        i16 spr = 0, id = 0, next = 0;
        (*this)(idU), (*this)(spr), (*this)(id), (*this)(next), (*this)(show);
        r = TSpriteRef{idU, spr, id, next, show};
    }
};

// Counts a record's bytes.
struct RecordSize {
    std::size_t bytes = 0;
    template <typename T>
    void operator()(const T&) {
        bytes += sizeof(T);
    }
    void ref(const TSpriteRef&) { bytes += 8; }
};

template <typename Io, typename C>
void MapFields(Io& io, C& c) {
    io(c.MapWidth), io(c.MapHeight), io(c.TerrainSet), io(c.StartGold);
}

template <typename Io, typename F>
void FootprintFields(Io& io, F& footprint) {
    for (auto& p : footprint) io(p.col), io(p.row);
}

template <typename Io, typename S>
void StatsFields(Io& io, S& s) {
    io(s.TypeId), io(s.Attack), io(s.Shots), io(s.Range), io(s.Ammo), io(s.Armour), io(s.Hits), io(s.Scan);
    io(s.Speed), io(s.Cost), io(s.ResourceKind1), io(s.ResourceAmount1), io(s.ResourceKind2);
    io(s.ResourceAmount2), io(s.ResourceKind3), io(s.ResourceAmount3), io(s.CargoKind), io(s.CargoCapacity);
    io(s.Output), io(s.Spare), io(s.Movement);
}

template <typename Io, typename O>
void ObjectFields(Io& io, O& o) {
    for (auto& r : o.Sprites) io.ref(r);
    io(o.Owner), io(o.Active);
    FootprintFields(io, o.Cells);
    io(o.Unpowered), io(o.CellCount), io(o.OrderState), io(o.TurnsLeft), io(o.MaterialPerTurn), io(o.BuildLink);
    io(o.TurnsTotal), io(o.SiteObject), io(o.Layer), io(o.SecondLayer);
    for (auto& r : o.CellSprites) io.ref(r);
    io(o.TypeId), io(o.ShotsLeft), io(o.AmmoLeft), io(o.HitsLeft), io(o.MovesLeft), io(o.CargoKind), io(o.Cargo);
    io(o.AnimClass), io(o.AnimTicks);
    StatsFields(io, o.Stats);
}

// The view on the screen: position, zoom and switches, the geometry they
// gave, the selection and its blink; then each player's kept view.
template <typename Io, typename V>
void ScreenViewFields(Io& io, V& v) {
    io(v.ViewCenterCol), io(v.ViewCenterRow), io(v.ViewOffsetX), io(v.ViewOffsetY), io(v.ScreenCenterX);
    io(v.ScreenCenterY), io(v.FirstCol), io(v.FirstRow), io(v.Scale), io(v.ShowGeology), io(v.ShowGrid);
}

template <typename Io, typename K>
void KeptViewFields(Io& io, K& kept) {
    io(kept.FirstCol), io(kept.FirstRow), io(kept.ViewCenterCol), io(kept.ViewCenterRow), io(kept.Scale);
}

template <typename Io, typename C>
void ViewFields(Io& io, C& c) {
    ScreenViewFields(io, c.ViewSettings);
    io(c.ViewSettings.ShowConnectors);
    for (auto& on : c.ViewSettings.Overlays.On) io(on);
    io(c.VisibleCols), io(c.VisibleRows), io(c.CellPixels);
    io(c.SelectedObject), io(c.MoveArmed), io(c.BasePromptShown), io(c.PulseAlpha), io(c.PulseStep);
    for (auto& kept : c.PlayerViews) KeptViewFields(io, kept);
}

template <typename Io, typename C>
void OrderInProgressFields(Io& io, C& c) {
    io(c.SiteBuilder), io(c.SiteBuilderCol), io(c.SiteBuilderRow);
    for (auto& footprint : c.ExitCandidates) FootprintFields(io, footprint);
    for (auto& marker : c.ExitMarkers) io(marker);
}

template <typename Io, typename C>
void PlayFields(Io& io, C& c) {
    io(c.Turn), io(c.RandomSeed), io(c.GameId), io(c.CurrentPlayer), io(c.UseLandingSectors);
    io(c.LastCreatedObject), io(c.ClickMode), io(c.ReadyLayerOn);
    OrderInProgressFields(io, c);
}

template <typename Io, typename P>
void PlayerFields(Io& io, P& p) {
    io(p.Number), io(p.PlayerClan), io(p.Colour), io(p.Joined), io(p.BasePlaced), io(p.Credits);
    io(p.Restrictions.NoStructures), io(p.Restrictions.NoAlienUnits);
    for (auto& flag : p.Purchasable) io(flag);
    for (auto& purchase : p.Purchases) io(purchase.TypeId), io(purchase.Cargo), io(purchase.Price);
    for (auto& column : p.Sectors)
        for (auto& sector : column) io(sector);
}

template <typename Io, typename C>
void PlayersFields(Io& io, C& c) {
    io(c.Players.Count);
    for (auto& p : c.Players.Table) PlayerFields(io, p);
}

// An id for a file without one, from what stays the same through a whole
// game (the map's size, terrain set and terrain), so every file of one game
// gets the same id. FNV-1a; never 0.
std::uint64_t DerivedGameId(const GameFileContents& c) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    const auto add = [&h](std::uint64_t byte) { h = (h ^ byte) * 0x100000001B3ull; };
    for (int v : {static_cast<int>(c.MapWidth), static_cast<int>(c.MapHeight), static_cast<int>(c.TerrainSet)})
        for (int shift = 0; shift < 32; shift += 8) add(static_cast<std::uint64_t>(v >> shift) & 0xFF);
    for (u8 t : c.Terrain) add(t);
    return h != 0 ? h : 1;
}

// ---- Files of format 1 and 2 ----
//
// They kept the current player's values (clan, credits, landing, purchases,
// restrictions, claimed sectors) in working fields apart from the players'
// table, carried the picture layers, the settings page and the animation
// periods, and in format 2 each player's kept view in their entry. What is
// read of them here and not kept: the layers (rebuilt from the match, like
// every game's) and the preferences (a loaded game takes the loading
// user's, whatever the file's format).
struct OldValues {
    u8 MapGenerated = 0;
    std::array<std::array<u8, kSectorGrid>, kSectorGrid> LandingSectors{};
    u8 BasePlaced = 0;
    u8 PlayerClan = 0;
    i16 Credits = 0;
    TSettings Settings;
    i16 SlowAnimPeriod = 0;
    i16 TwoFrameAnimPeriod = 0;
    bool HasGameId = false;
    TNewGameChoices Restrictions;
    Array1<TPurchase, kPurchaseEntries> PurchaseList;
    Array1<u8, kTypeCount> Purchasable;
};

void OldMapFields(Reader& io, GameFileContents& c, OldValues& old) {
    io(c.MapWidth), io(c.MapHeight), io(c.TerrainSet), io(old.MapGenerated), io(c.StartGold);
    for (auto& column : old.LandingSectors)
        for (auto& sector : column) io(sector);
}

// The overlay switches close the view section from version 2 on; a section
// without them (version 1) leaves them off.
void OldViewFields(Reader& io, GameFileContents& c, OldValues& old) {
    ScreenViewFields(io, c.ViewSettings);
    io(c.UseLandingSectors), io(old.BasePlaced), io(c.CurrentPlayer), io(old.PlayerClan), io(old.Credits);
    io(c.ViewSettings.ShowConnectors);
    io(c.VisibleCols), io(c.VisibleRows), io(c.CellPixels);
    if (!io.s.atEnd())
        for (auto& on : c.ViewSettings.Overlays.On) io(on);
}

template <typename Io, typename C>
void SettingsFields(Io& io, C& c) {
    auto& s = c.Settings;
    for (auto& shown : s.InfoShown) io(shown);
    io(s.HighResGeology), io(s.FullScreen), io(s.FullScreenMode), io(s.MaximizeAtLaunch), io(s.FramelessMaximized);
    io(s.PauseWhenInactive), io(s.WaitForRetrace), io(s.ScrollBars), io(s.RightButtonScroll);
    io(s.ReverseRightScroll);
}

// The game id closes the play section; a section without it (a file written
// before it was added) leaves it to DerivedGameId.
void OldPlayFields(Reader& io, GameFileContents& c, OldValues& old) {
    io(c.Turn), io(c.RandomSeed), io(old.SlowAnimPeriod), io(old.TwoFrameAnimPeriod), io(c.SelectedObject);
    io(c.LastCreatedObject), io(c.ClickMode), io(c.MoveArmed), io(c.ReadyLayerOn), io(c.BasePromptShown);
    io(c.PulseAlpha), io(c.PulseStep);
    OrderInProgressFields(io, c);
    old.HasGameId = !io.s.atEnd();
    if (old.HasGameId) io(c.GameId);
}

void OldShopFields(Reader& io, OldValues& old) {
    io(old.Restrictions.NoStructures), io(old.Restrictions.NoAlienUnits);
    for (auto& p : old.PurchaseList) io(p.TypeId), io(p.Cargo), io(p.Price);
    for (auto& flag : old.Purchasable) io(flag);
}

void OldPlayersFields(Reader& io, GameFileContents& c) {
    io(c.Players.Count);
    for (int n = 1; n <= kMaxPlayers; ++n) {
        PlayerFields(io, c.Players.Table[n]);
        KeptViewFields(io, c.PlayerViews[n]);
    }
}

// The current player's working values are theirs: their entry was brought up
// to date from them only when the turn passed. A current player who is no
// player of the game is refused by the checks.
void AdoptWorkingValues(GameFileContents& c, const OldValues& old) {
    const int me = c.CurrentPlayer;
    if (me < 1 || me > c.Players.Count || me > kMaxPlayers) return;
    TPlayer& p = c.Players.Table[me];
    p.PlayerClan = old.PlayerClan;
    p.Credits = old.Credits;
    p.BasePlaced = old.BasePlaced;
    p.Restrictions = old.Restrictions;
    p.Purchasable = old.Purchasable;
    // A landed player's list held the force that landed; from then on it
    // holds the reinforcements bought during play, none in an older file.
    p.Purchases = old.BasePlaced == 1 ? decltype(p.Purchases){} : old.PurchaseList;
    for (std::size_t x = 0; x < kSectorGrid; ++x)
        for (std::size_t y = 0; y < kSectorGrid; ++y) p.Sectors[x][y] = old.LandingSectors[x][y] == 1 ? 1 : 0;
}

// An object slot's record: its number, then every field.
template <typename Io, typename S>
void SavedObjectFields(Io& io, S& o) {
    io(o.Slot);
    ObjectFields(io, o.Object);
}

std::size_t CountObjectRecord() {
    const SavedObject blank;
    RecordSize size;
    SavedObjectFields(size, blank);
    return size.bytes;
}
const std::size_t kObjectRecordSize = CountObjectRecord();

// ---- Sections ----

void PutU32(QByteArray& out, std::uint32_t v) {
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    out.append(bytes, 4);
}

std::uint32_t GetU32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

// Appends a section whose payload `fill` writes at the end of the body.
template <typename Fill>
void AppendSection(QByteArray& body, std::uint32_t tag, Fill fill) {
    PutU32(body, tag);
    PutU32(body, 0);
    const qsizetype start = body.size();
    fill(body);
    const auto length = static_cast<std::uint32_t>(body.size() - start);
    for (int i = 0; i < 4; ++i) body[start - 4 + i] = static_cast<char>(length >> (24 - 8 * i));
}

// A section of scalar fields written through QDataStream.
template <typename Fields>
void AppendFieldSection(QByteArray& body, std::uint32_t tag, Fields fields) {
    AppendSection(body, tag, [&](QByteArray& out) {
        QByteArray payload;
        QDataStream s(&payload, QIODevice::WriteOnly);
        s.setVersion(kStreamVersion);
        Writer w{s};
        fields(w);
        out.append(payload);
    });
}

// A section as the player's messages name it.
QString SectionName(std::uint32_t tag) {
    const std::pair<std::uint32_t, const char*> names[] = {
        {kSectionMap, "карта"},
        {kSectionGrid, "клетки"},
        {kSectionLayers, "слои картинок"},
        {kSectionObjects, "объекты"},
        {kSectionView, "вид"},
        {kSectionSettings, "настройки"},
        {kSectionPlay, "ход игры"},
        {kSectionShop, "покупки"},
        {kSectionPlayers, "игроки"},
        {kSectionLog, "журнал"},
        {kSectionNotices, "сводки ходов"},
        {kSectionPaths, "пути"},
        {kSectionCombat, "журнал боя"},
        {kSectionFog, "туман войны"},
    };
    for (const auto& [known, name] : names)
        if (known == tag) return QStringLiteral("«%1»").arg(QString::fromUtf8(name));
    return QStringLiteral("без имени");
}

// Walks the sections of a body in their order.
class SectionCursor {
public:
    explicit SectionCursor(const QByteArray& body) : body_(body) {}

    // The payload of the next section, which must carry `tag`; it shares the
    // body's bytes. Empty with `error` set otherwise.
    bool next(std::uint32_t tag, QByteArray& payload, QString& error) {
        const qsizetype left = body_.size() - pos_;
        if (left < 8) return fail(error, QStringLiteral("нет раздела %1").arg(SectionName(tag)));
        const std::uint32_t found = GetU32(body_.constData() + pos_);
        const std::uint32_t length = GetU32(body_.constData() + pos_ + 4);
        if (found != tag) return fail(error, QStringLiteral("вместо раздела %1 идет другой").arg(SectionName(tag)));
        if (length > static_cast<std::uint64_t>(left - 8))
            return fail(error, QStringLiteral("раздел %1 длиннее тела файла").arg(SectionName(tag)));
        payload = QByteArray::fromRawData(body_.constData() + pos_ + 8, static_cast<qsizetype>(length));
        pos_ += 8 + static_cast<qsizetype>(length);
        return true;
    }
    bool atEnd() const { return pos_ == body_.size(); }

private:
    static bool fail(QString& error, const QString& text) {
        error = text;
        return false;
    }
    const QByteArray& body_;
    qsizetype pos_ = 0;
};

// Reads a section of scalar fields; its length must match them exactly.
template <typename Fields>
bool ReadFieldSection(const QByteArray& payload, std::uint32_t tag, QString& error, Fields fields) {
    QDataStream s(payload);
    s.setVersion(kStreamVersion);
    Reader r{s};
    fields(r);
    if (s.status() == QDataStream::Ok && s.atEnd()) return true;
    error = QStringLiteral("длина раздела %1 не сходится с его полями").arg(SectionName(tag));
    return false;
}

bool ReadGrids(const QByteArray& payload, GameFileContents& c, QString& error) {
    const std::size_t cells = c.Region().cells();
    const char* in = payload.constData();
    const char* end = in + payload.size();
    if (ReadGrid(in, end, c.Terrain, cells) && ReadGrid(in, end, c.Passability, cells) &&
        ReadGrid(in, end, c.Resources, cells) && ReadGrid(in, end, c.Connectors, cells) && in == end)
        return true;
    error = QStringLiteral("раздел «клетки» не соответствует карте");
    return false;
}

// The picture layers of a file of format 1 or 2: read whole, so a damaged
// section is refused as before, and not kept.
bool ReadOldLayers(const QByteArray& payload, const CellRegion& region, QString& error) {
    const char* in = payload.constData();
    const char* end = in + payload.size();
    std::vector<TMapCell> layers;
    if (ReadGrid(in, end, layers, region.cells()) && in == end) return true;
    error = QStringLiteral("раздел «слои картинок» не соответствует карте");
    return false;
}

void AppendObjects(QByteArray& out, const std::vector<SavedObject>& objects) {
    std::vector<char> records(objects.size() * kObjectRecordSize);
    RecordWriter w{records.data()};
    for (const SavedObject& o : objects) SavedObjectFields(w, o);
    const auto count = static_cast<quint16>(objects.size());
    out.append(static_cast<char>(count >> 8)).append(static_cast<char>(count));
    AppendPlanes(out, records.data(), objects.size(), kObjectRecordSize);
}

bool ReadObjects(const QByteArray& payload, GameFileContents& c, QString& error) {
    error = QStringLiteral("раздел «объекты» поврежден");
    if (payload.size() < 2) return false;
    const char* in = payload.constData();
    const char* end = in + payload.size();
    const std::size_t count = static_cast<unsigned char>(in[0]) << 8 | static_cast<unsigned char>(in[1]);
    if (count > kMaxObjects) {
        error = QStringLiteral("объектов %1, а в таблице их %2").arg(count).arg(kMaxObjects);
        return false;
    }
    in += 2;
    std::vector<char> records(count * kObjectRecordSize);
    if (!ReadPlanes(in, end, records.data(), count, kObjectRecordSize) || in != end) return false;
    error.clear();
    c.Objects.resize(count);
    RecordReader r{records.data()};
    for (SavedObject& o : c.Objects) SavedObjectFields(r, o);
    return true;
}

// The command log: the count of entries and the entry where the current
// round begins (u32 each), then every entry: its turn (i32) and the order's
// canonical bytes (CommandCodec.h).
void AppendLog(QByteArray& out, const GameFileContents& c) {
    PutU32(out, static_cast<std::uint32_t>(c.Log.size()));
    PutU32(out, static_cast<std::uint32_t>(c.LogRoundStart));
    std::vector<std::uint8_t> bytes;
    for (const LoggedOrder& entry : c.Log) {
        PutU32(out, static_cast<std::uint32_t>(entry.turn));
        bytes.clear();
        EncodeOrder(entry.order, bytes);
        out.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    }
}

// The longest notice text a file may hold.
constexpr quint32 kMaxNoticeBytes = 1024;

void AppendNotices(QByteArray& out, const GameFileContents& c) {
    QDataStream s(&out, QIODevice::WriteOnly | QIODevice::Append);
    s.setVersion(kStreamVersion);
    for (const std::vector<TNotice>& list : c.Notices) {
        s << static_cast<quint16>(list.size());
        for (const TNotice& n : list) {
            s << n.Col << n.Row << static_cast<quint32>(n.Text.size());
            s.writeRawData(n.Text.data(), static_cast<int>(n.Text.size()));
        }
    }
}

bool ReadNotices(const QByteArray& payload, GameFileContents& c, QString& error) {
    QDataStream s(payload);
    s.setVersion(kStreamVersion);
    for (std::vector<TNotice>& list : c.Notices) {
        quint16 count = 0;
        s >> count;
        if (count > kMaxNotices) {
            s.setStatus(QDataStream::ReadCorruptData);
            break;
        }
        for (quint16 k = 0; k < count && s.status() == QDataStream::Ok; ++k) {
            TNotice n;
            quint32 length = 0;
            s >> n.Col >> n.Row >> length;
            if (length > kMaxNoticeBytes || n.Col < 0 || n.Row < 0 || n.Col > c.MapWidth || n.Row > c.MapHeight) {
                s.setStatus(QDataStream::ReadCorruptData);
                break;
            }
            n.Text.resize(length);
            if (s.readRawData(n.Text.data(), static_cast<int>(length)) != static_cast<int>(length)) break;
            list.push_back(std::move(n));
        }
        if (s.status() != QDataStream::Ok || list.size() != count) break;
    }
    if (s.status() == QDataStream::Ok && s.atEnd()) return true;
    error = QStringLiteral("раздел «сводки ходов» поврежден");
    return false;
}

void AppendPaths(QByteArray& out, const GameFileContents& c) {
    QDataStream s(&out, QIODevice::WriteOnly | QIODevice::Append);
    s.setVersion(kStreamVersion);
    s << static_cast<quint16>(c.PathOrders.size());
    for (const TPathOrder& o : c.PathOrders) s << o.Unit << o.Col << o.Row;
}

// Every order names a slot of the table once and a cell of the map; whether
// the slot holds a unit is a link, checked with the objects (GameFileLinks).
bool ReadPaths(const QByteArray& payload, GameFileContents& c, QString& error) {
    QDataStream s(payload);
    s.setVersion(kStreamVersion);
    quint16 count = 0;
    s >> count;
    std::vector<bool> seen(kMaxObjects + 1, false);
    for (quint16 k = 0; k < count && s.status() == QDataStream::Ok; ++k) {
        TPathOrder o;
        s >> o.Unit >> o.Col >> o.Row;
        if (s.status() != QDataStream::Ok) break;
        if (o.Unit < 1 || o.Unit > kMaxObjects || seen[static_cast<std::size_t>(o.Unit)]) {
            error = QStringLiteral("раздел «пути»: неверный номер юнита %1").arg(o.Unit);
            return false;
        }
        if (o.Col < 1 || o.Row < 1 || o.Col > c.MapWidth || o.Row > c.MapHeight) {
            error = QStringLiteral("раздел «пути»: клетка (%1, %2) вне карты").arg(o.Col).arg(o.Row);
            return false;
        }
        seen[static_cast<std::size_t>(o.Unit)] = true;
        c.PathOrders.push_back(o);
    }
    if (s.status() == QDataStream::Ok && s.atEnd()) return true;
    error = QStringLiteral("раздел «пути» поврежден");
    return false;
}

void AppendCombat(QByteArray& out, const GameFileContents& c) {
    QDataStream s(&out, QIODevice::WriteOnly | QIODevice::Append);
    s.setVersion(kStreamVersion);
    s << static_cast<quint32>(c.CombatLog.size());
    for (const TCombatEntry& e : c.CombatLog)
        s << e.Turn << e.Kind << e.AttackerOwner << e.TargetOwner << e.Damage << e.Destroyed << e.Attacker
          << e.AttackerType << e.Target << e.TargetType << e.Col << e.Row;
}

// A shot as the game writes it: known kind, owners and types, slots of the
// table and a cell of the map. The objects named may be gone since.
bool SoundShot(const TCombatEntry& e, const GameFileContents& c) {
    const auto slot = [](int v) { return v >= 1 && v <= kMaxObjects; };
    const auto type = [](int v) { return v >= 1 && v <= kTypeCount; };
    return e.Turn >= 1 && e.Turn <= kMaxTurn && e.Kind < kShotKinds && e.AttackerOwner <= kMaxPlayers &&
           e.TargetOwner >= 1 && e.TargetOwner <= kMaxPlayers && e.Destroyed <= 1 && slot(e.Attacker) &&
           slot(e.Target) && type(e.AttackerType) && type(e.TargetType) && e.Col >= 1 && e.Row >= 1 &&
           e.Col <= c.MapWidth && e.Row <= c.MapHeight;
}

bool ReadCombat(const QByteArray& payload, GameFileContents& c, QString& error) {
    QDataStream s(payload);
    s.setVersion(kStreamVersion);
    quint32 count = 0;
    s >> count;
    for (quint32 k = 0; k < count && count <= kMaxCombatEntries && s.status() == QDataStream::Ok; ++k) {
        TCombatEntry e;
        s >> e.Turn >> e.Kind >> e.AttackerOwner >> e.TargetOwner >> e.Damage >> e.Destroyed >> e.Attacker >>
            e.AttackerType >> e.Target >> e.TargetType >> e.Col >> e.Row;
        if (s.status() != QDataStream::Ok || !SoundShot(e, c)) break;
        c.CombatLog.push_back(e);
    }
    if (s.status() == QDataStream::Ok && s.atEnd() && c.CombatLog.size() == count) return true;
    error = QStringLiteral("раздел «журнал боя» поврежден");
    return false;
}

void AppendFog(QByteArray& out, const GameFileContents& c) {
    QDataStream s(&out, QIODevice::WriteOnly | QIODevice::Append);
    s.setVersion(kStreamVersion);
    s << c.FogOn;
    for (int p = 1; p <= kMaxPlayers; ++p) {
        // Contents read from an older file have no explored cells: none written as none.
        std::vector<u8> bits = c.Explored[p];
        bits.resize(c.ExploredBytes(), 0);
        s.writeRawData(reinterpret_cast<const char*>(bits.data()), static_cast<int>(bits.size()));
        s << static_cast<quint16>(c.Seen[p].size());
        for (const TSeenStructure& m : c.Seen[p]) {
            s << m.Slot << m.TypeId << m.Owner << m.CellCount << m.Layer << m.SecondLayer;
            for (const TCellPos& cell : m.Cells) s << cell.col << cell.row;
            for (const TSpriteRef& r : m.CellSprites) s << r.idU << r.Spr << r.id << r.SprNext << r.show;
        }
    }
}

// The values are checked with the rest of the contents (GameFileChecks.cpp).
bool ReadFog(const QByteArray& payload, GameFileContents& c, QString& error) {
    QDataStream s(payload);
    s.setVersion(kStreamVersion);
    s >> c.FogOn;
    const std::size_t bytes = c.ExploredBytes();
    for (int p = 1; p <= kMaxPlayers && s.status() == QDataStream::Ok; ++p) {
        std::vector<u8>& bits = c.Explored[p];
        bits.resize(bytes);
        if (s.readRawData(reinterpret_cast<char*>(bits.data()), static_cast<int>(bytes)) != static_cast<int>(bytes))
            break;
        quint16 count = 0;
        s >> count;
        if (count > kMaxObjects) break;
        for (quint16 k = 0; k < count && s.status() == QDataStream::Ok; ++k) {
            TSeenStructure m;
            s >> m.Slot >> m.TypeId >> m.Owner >> m.CellCount >> m.Layer >> m.SecondLayer;
            for (TCellPos& cell : m.Cells) s >> cell.col >> cell.row;
            for (TSpriteRef& r : m.CellSprites) {
                // Packed fields are read through locals.
                qint16 spr = 0, id = 0, next = 0;
                s >> r.idU >> spr >> id >> next >> r.show;
                r.Spr = spr, r.id = id, r.SprNext = next;
            }
            c.Seen[p].push_back(m);
        }
        if (c.Seen[p].size() != count) break;
    }
    if (s.status() == QDataStream::Ok && s.atEnd() && c.Explored[kMaxPlayers].size() == bytes &&
        c.Seen[kMaxPlayers].size() <= kMaxObjects)
        return true;
    error = QStringLiteral("раздел «туман войны» поврежден");
    return false;
}

// The smallest entry: its turn, the player and the command's number.
constexpr std::size_t kSmallestLogEntry = 6;

bool ReadLog(const QByteArray& payload, GameFileContents& c, QString& error) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(payload.constData());
    const auto size = static_cast<std::size_t>(payload.size());
    if (size < 8) {
        error = QStringLiteral("раздел «журнал» поврежден");
        return false;
    }
    const std::uint32_t count = GetU32(payload.constData());
    if (count > (size - 8) / kSmallestLogEntry) {
        error = QStringLiteral("в журнале %1 записей, а места в разделе меньше").arg(count);
        return false;
    }
    c.LogRoundStart = GetU32(payload.constData() + 4);
    c.Log.reserve(count);
    std::size_t pos = 8;
    for (std::uint32_t n = 1; n <= count; ++n) {
        LoggedOrder entry;
        bool read = size - pos >= 4;
        if (read) {
            entry.turn = static_cast<std::int32_t>(GetU32(payload.constData() + pos));
            pos += 4;
            read = DecodeOrder(data, size, pos, entry.order);
        }
        if (!read) {
            error = QStringLiteral("запись журнала %1 не читается").arg(n);
            return false;
        }
        c.Log.push_back(entry);
    }
    if (pos == size) return true;
    error = QStringLiteral("лишние данные в конце журнала");
    return false;
}

// ---- Container ----

std::uint32_t Crc32(const char* data, qsizetype size) {
    return static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

// Raw deflate: the header's CRC-32 guards the stored bytes, so zlib's own
// wrapper and its Adler-32 over the whole body (a third of the time) are left out.
constexpr int kRawDeflate = -15;

QByteArray Deflate(const QByteArray& body) {
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, kRawDeflate, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
    QByteArray out(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(body.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(body.constData()));
    z.avail_in = static_cast<uInt>(body.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, Z_FINISH);
    out.truncate(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    return rc == Z_STREAM_END ? out : QByteArray();
}

// Inflates `stored` into exactly `size` bytes, all of `stored` used; false otherwise.
bool Inflate(const char* stored, std::uint32_t storedSize, std::uint32_t size, QByteArray& out) {
    z_stream z{};
    if (inflateInit2(&z, kRawDeflate) != Z_OK) return false;
    out = QByteArray(static_cast<qsizetype>(size), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stored));
    z.avail_in = storedSize;
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = size;
    const int rc = inflate(&z, Z_FINISH);
    const bool whole = rc == Z_STREAM_END && z.total_out == size && z.avail_in == 0;
    inflateEnd(&z);
    return whole;
}

struct Header {
    std::uint16_t version = 0, flags = 0;
    std::uint32_t bodySize = 0, storedSize = 0, bodyCrc = 0, headerCrc = 0;
};

Header ReadHeader(const char* p) {
    const auto u16 = [](const char* q) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(q[0]) << 8 | static_cast<unsigned char>(q[1]));
    };
    return {u16(p + 8), u16(p + 10), GetU32(p + 12), GetU32(p + 16), GetU32(p + 20), GetU32(p + 24)};
}

Unwrapped Refuse(GameFileProblem problem, const QString& detail) { return {QByteArray(), 0, problem, detail}; }

// What the header promises, checked before the body is touched.
Unwrapped CheckHeader(const Header& h, qsizetype fileSize) {
    using P = GameFileProblem;
    if (h.version == 0) return Refuse(P::Damaged, QStringLiteral("версия формата 0"));
    if (h.version > kGameFileVersion)
        return Refuse(
            P::NewerVersion,
            QStringLiteral("формат %1, а эта версия игры читает форматы до %2").arg(h.version).arg(kGameFileVersion));
    if ((h.flags & ~kFlagDeflated) != 0) return Refuse(P::Damaged, QStringLiteral("неизвестные флаги"));
    const bool deflated = (h.flags & kFlagDeflated) != 0;
    if (h.bodySize > kMaxBodySize || (!deflated && h.storedSize != h.bodySize) ||
        (deflated && h.bodySize > static_cast<std::uint64_t>(h.storedSize) * kMaxInflateRatio))
        return Refuse(P::Damaged, QStringLiteral("невозможные размеры тела"));
    const std::uint64_t expected = static_cast<std::uint64_t>(kHeaderSize) + h.storedSize;
    if (static_cast<std::uint64_t>(fileSize) < expected)
        return Refuse(P::Truncated, QStringLiteral("%1 байт вместо %2").arg(fileSize).arg(expected));
    if (static_cast<std::uint64_t>(fileSize) > expected)
        return Refuse(P::Damaged, QStringLiteral("лишние байты после тела"));
    return {};
}

}  // namespace

QByteArray EncodeBody(const GameFileContents& c) {
    QByteArray body;
    body.reserve(static_cast<qsizetype>(c.Region().cells() * 6 + c.Objects.size() * kObjectRecordSize +
                                        c.Log.size() * 16 + 4096));
    AppendFieldSection(body, kSectionMap, [&](Writer& w) { MapFields(w, c); });
    AppendSection(body, kSectionGrid, [&](QByteArray& out) {
        AppendGrid(out, c.Terrain);
        AppendGrid(out, c.Passability);
        AppendGrid(out, c.Resources);
        AppendGrid(out, c.Connectors);
    });
    AppendSection(body, kSectionObjects, [&](QByteArray& out) { AppendObjects(out, c.Objects); });
    AppendFieldSection(body, kSectionView, [&](Writer& w) { ViewFields(w, c); });
    AppendFieldSection(body, kSectionPlay, [&](Writer& w) { PlayFields(w, c); });
    AppendFieldSection(body, kSectionPlayers, [&](Writer& w) { PlayersFields(w, c); });
    AppendSection(body, kSectionLog, [&](QByteArray& out) { AppendLog(out, c); });
    AppendSection(body, kSectionNotices, [&](QByteArray& out) { AppendNotices(out, c); });
    AppendSection(body, kSectionPaths, [&](QByteArray& out) { AppendPaths(out, c); });
    AppendSection(body, kSectionCombat, [&](QByteArray& out) { AppendCombat(out, c); });
    AppendSection(body, kSectionFog, [&](QByteArray& out) { AppendFog(out, c); });
    return body;
}

namespace {

// Reads the sections of one body into `c`, in the order they must come.
class BodyReader {
public:
    BodyReader(const QByteArray& body, GameFileContents& c, QString& error) : sections_(body), c_(c), error_(error) {}

    // The next section, which must be `tag`, read by `read(payload, contents, error)`.
    template <typename Read>
    bool section(std::uint32_t tag, Read read) {
        return sections_.next(tag, payload_, error_) && read(payload_, c_, error_);
    }
    // The next section, which must be `tag`, of scalar fields read by `visit(reader)`.
    template <typename Visit>
    bool fields(std::uint32_t tag, Visit visit) {
        return sections_.next(tag, payload_, error_) && ReadFieldSection(payload_, tag, error_, visit);
    }
    // The map size decides the grids' sizes: it is checked before them.
    bool mapSized() {
        if (c_.MapWidth >= kMinMapSide && c_.MapWidth <= kMaxMapSide && c_.MapHeight >= kMinMapSide &&
            c_.MapHeight <= kMaxMapSide)
            return true;
        error_ = QStringLiteral("размер карты %1 на %2 вне %3..%4")
                     .arg(c_.MapWidth)
                     .arg(c_.MapHeight)
                     .arg(kMinMapSide)
                     .arg(kMaxMapSide);
        return false;
    }
    bool atEnd() {
        if (sections_.atEnd()) return true;
        error_ = QStringLiteral("лишние данные после последнего раздела");
        return false;
    }

private:
    SectionCursor sections_;
    GameFileContents& c_;
    QString& error_;
    QByteArray payload_;
};

bool ReadBody(BodyReader& in, GameFileContents& c) {
    return in.fields(kSectionMap, [&](Reader& r) { MapFields(r, c); }) && in.mapSized() &&
           in.section(kSectionGrid, ReadGrids) && in.section(kSectionObjects, ReadObjects) &&
           in.fields(kSectionView, [&](Reader& r) { ViewFields(r, c); }) &&
           in.fields(kSectionPlay, [&](Reader& r) { PlayFields(r, c); }) &&
           in.fields(kSectionPlayers, [&](Reader& r) { PlayersFields(r, c); }) && in.section(kSectionLog, ReadLog) &&
           in.section(kSectionNotices, ReadNotices) && in.section(kSectionPaths, ReadPaths) &&
           in.section(kSectionCombat, ReadCombat) && in.section(kSectionFog, ReadFog) && in.atEnd();
}

bool ReadOldBody(BodyReader& in, GameFileContents& c, std::uint16_t version) {
    OldValues old;
    const auto layers = [](const QByteArray& payload, GameFileContents& g, QString& error) {
        return ReadOldLayers(payload, g.Region(), error);
    };
    const bool read = in.fields(kSectionMap, [&](Reader& r) { OldMapFields(r, c, old); }) && in.mapSized() &&
                      in.section(kSectionGrid, ReadGrids) && in.section(kSectionLayers, layers) &&
                      in.section(kSectionObjects, ReadObjects) &&
                      in.fields(kSectionView, [&](Reader& r) { OldViewFields(r, c, old); }) &&
                      in.fields(kSectionSettings, [&](Reader& r) { SettingsFields(r, old); }) &&
                      in.fields(kSectionPlay, [&](Reader& r) { OldPlayFields(r, c, old); }) &&
                      in.fields(kSectionShop, [&](Reader& r) { OldShopFields(r, old); }) &&
                      (version < 2 || in.fields(kSectionPlayers, [&](Reader& r) { OldPlayersFields(r, c); })) &&
                      in.atEnd();
    if (!read) return false;
    AdoptWorkingValues(c, old);
    if (!old.HasGameId) c.GameId = DerivedGameId(c);
    return true;
}

}  // namespace

std::unique_ptr<GameFileContents> DecodeBody(const QByteArray& body, QString& error, std::uint16_t version) {
    auto c = std::make_unique<GameFileContents>();
    BodyReader in(body, *c, error);
    if (!(version >= 3 ? ReadBody(in, *c) : ReadOldBody(in, *c, version))) return nullptr;
    return c;
}

QByteArray WrapBody(const QByteArray& body, BodyStorage storage, std::uint16_t version) {
    const bool deflate = storage == BodyStorage::Deflated;
    const QByteArray stored = deflate ? Deflate(body) : body;
    QByteArray file;
    file.reserve(kHeaderSize + stored.size());
    {
        QDataStream s(&file, QIODevice::WriteOnly);
        s.setVersion(kStreamVersion);
        s.writeRawData(kMagic.data(), static_cast<int>(kMagic.size()));
        s << version << (deflate ? kFlagDeflated : std::uint16_t{0}) << static_cast<quint32>(body.size())
          << static_cast<quint32>(stored.size()) << Crc32(stored.constData(), stored.size());
        s << Crc32(file.constData(), file.size());
    }
    file.append(stored);
    return file;
}

Unwrapped UnwrapBody(const QByteArray& file) {
    using P = GameFileProblem;
    const qsizetype magicBytes = std::min<qsizetype>(file.size(), static_cast<qsizetype>(kMagic.size()));
    if (std::memcmp(file.constData(), kMagic.data(), static_cast<std::size_t>(magicBytes)) != 0)
        return Refuse(P::NotAGameFile, {});
    if (file.size() < kHeaderSize)
        return Refuse(P::Truncated,
                      QStringLiteral("%1 байт, а один заголовок занимает %2").arg(file.size()).arg(kHeaderSize));
    const Header h = ReadHeader(file.constData());
    if (Crc32(file.constData(), kHeaderSize - 4) != h.headerCrc)
        return Refuse(P::Damaged, QStringLiteral("не сходится контрольная сумма заголовка"));
    if (Unwrapped refused = CheckHeader(h, file.size()); refused.problem != P::None) return refused;
    const char* stored = file.constData() + kHeaderSize;
    if (Crc32(stored, h.storedSize) != h.bodyCrc)
        return Refuse(P::Damaged, QStringLiteral("не сходится контрольная сумма данных"));
    Unwrapped out;
    out.version = h.version;
    if ((h.flags & kFlagDeflated) == 0)
        out.body = QByteArray(stored, static_cast<qsizetype>(h.storedSize));
    else if (!Inflate(stored, h.storedSize, h.bodySize, out.body))
        return Refuse(P::Damaged, QStringLiteral("сжатые данные не распаковываются"));
    return out;
}

}  // namespace tarq::gamefile
