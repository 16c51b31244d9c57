// Files a reader must refuse: every truncation, flipped bytes in the header
// and the body, a wrong magic, a newer version, sizes, counts, indexes and
// links past their limits. Each gets its problem and a message naming the
// file and the cause, and the game already loaded stays as it was.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <map>

#include "core/Factory.h"
#include "core/Invariants.h"
#include "gamefile/BytePlanes.h"
#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GameFileFormat.h"
#include "gamefile/GamePlay.h"

namespace tarq::testing {
namespace {

using P = GameFileProblem;
using Contents = GameFileContents;

constexpr int kConstructor = 1, kUnit = 3, kEngineer = 13;

// The short game after its first `stages` stages.
const Game& PlayedTo(std::size_t stages) {
    static std::map<std::size_t, std::unique_ptr<Game>> games;
    std::unique_ptr<Game>& game = games[stages];
    if (!game) {
        game = LaunchedGame(50);
        const std::vector<Stage> all = Stages();
        for (std::size_t i = 0; i < stages; ++i) all[i].act(*game);
    }
    return *game;
}

// A small played game: objects, a site with its ready marker, a marked layer 8.
const Game& Played() { return PlayedTo(4); }
const Game& Placing() { return PlayedTo(3); }   // a site being placed
const Game& Choosing() { return PlayedTo(5); }  // an exit being chosen

const QByteArray& Saved() {
    static const QByteArray bytes = WriteGameFile(Played());
    return bytes;
}

// The saved game with one value changed, in a file whose sizes and checksums are right.
QByteArray Altered(const std::function<void(Contents&)>& change, const Game& game = Played()) {
    std::unique_ptr<Contents> c = ContentsOf(game);
    change(*c);
    return gamefile::WrapBody(gamefile::EncodeBody(*c));
}

// The record of object `slot` in the contents.
TGameObject& Record(Contents& c, int slot) {
    for (SavedObject& o : c.Objects)
        if (o.Slot == slot) return o.Object;
    ADD_FAILURE() << "no object " << slot;
    return c.Objects.at(0).Object;
}

TConnectorCell& ConnectorOf(Contents& c, int col, int row) { return c.Connectors[c.Region().index(col, row)]; }

// A land cell of the map that no object covers.
TCellPos FreeLand(const Game& g) {
    for (int col = 2; col < g.World.MapWidth; ++col)
        for (int row = 2; row < g.World.MapHeight; ++row)
            if (g.World.Passability(col, row) == kPassLand && CanPlace(g, SingleCellFootprint(col, row), kMoveLand))
                return {static_cast<i16>(col), static_cast<i16>(row)};
    ADD_FAILURE() << "no free land";
    return {};
}

// The saved body's sections, changed by `change`, in a sound file.
using Sections = std::vector<std::pair<QByteArray, QByteArray>>;  // tag, payload
QByteArray Resectioned(const std::function<void(Sections&)>& change) {
    const QByteArray body = gamefile::UnwrapBody(Saved()).body;
    Sections sections;
    for (qsizetype at = 0; at < body.size();) {
        const qsizetype length = qFromBigEndian<quint32>(body.constData() + at + 4);
        sections.emplace_back(body.mid(at, 4), body.mid(at + 8, length));
        at += 8 + length;
    }
    change(sections);
    QByteArray rebuilt;
    for (const auto& [tag, payload] : sections) {
        rebuilt += tag;
        rebuilt.append(4, '\0');
        qToBigEndian<quint32>(static_cast<quint32>(payload.size()), rebuilt.data() + rebuilt.size() - 4);
        rebuilt += payload;
    }
    return gamefile::WrapBody(rebuilt);
}

// The saved file with a header field set (big-endian) and the header's checksum made right.
template <typename T>
QByteArray Reheadered(int offset, T value, const QByteArray& file = Saved()) {
    QByteArray bytes = file;
    qToBigEndian<T>(value, bytes.data() + offset);
    const auto crc = static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), 24));
    qToBigEndian<quint32>(crc, bytes.data() + 24);
    return bytes;
}

QByteArray Flipped(const QByteArray& bytes, qsizetype at) {
    QByteArray copy = bytes;
    copy[at] = static_cast<char>(copy[at] ^ 0xFF);
    return copy;
}

// Refused with `problem`, and the message names the file and says `says`;
// what it says of damage is in Russian words alone, no names of fields.
void ExpectRefused(const QByteArray& bytes, P problem, const std::string& says, const std::string& what) {
    const LoadedGame loaded = ReadGameFile(bytes, QStringLiteral("плохой.tarq"));
    const std::string message = loaded.message.toStdString();
    EXPECT_FALSE(loaded) << what;
    EXPECT_EQ(loaded.problem, problem) << what << ": " << message;
    EXPECT_NE(message.find("«плохой.tarq»"), std::string::npos) << what << ": " << message;
    EXPECT_NE(message.find(says), std::string::npos) << what << ": " << message;
    const QString detail = loaded.message.section(QStringLiteral("»"), 1);
    EXPECT_FALSE(problem == P::Damaged && detail.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        << what << ": " << message;
}

TEST(BadFileTest, EveryTruncationAndFlippedByteIsRefused) {
    const QByteArray& file = Saved();
    ASSERT_TRUE(ReadGameFile(file, "good.tarq"));
    for (qsizetype size = 0; size < file.size(); size += size < 64 ? 1 : file.size() / 60)
        ExpectRefused(file.left(size), P::Truncated, "обрезан", "cut at " + std::to_string(size));
    for (qsizetype at = 0; at < gamefile::kHeaderSize; ++at)
        ExpectRefused(Flipped(file, at), at < 8 ? P::NotAGameFile : P::Damaged, at < 8 ? "не является" : "поврежден",
                      "header byte " + std::to_string(at));
    for (qsizetype at = gamefile::kHeaderSize; at < file.size(); at += file.size() / 50)
        ExpectRefused(Flipped(file, at), P::Damaged, "контрольная сумма данных", "body byte " + std::to_string(at));
}

TEST(BadFileTest, ContainersPastTheirLimitsAreRefused) {
    QByteArray corrupt = Saved();
    corrupt[gamefile::kHeaderSize + 10] = static_cast<char>(corrupt[gamefile::kHeaderSize + 10] ^ 0x55);
    const quint32 corruptCrc =
        static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(corrupt.constData() + gamefile::kHeaderSize),
                                   static_cast<uInt>(corrupt.size() - 28)));
    const struct {
        const char* what;
        QByteArray bytes;
        P problem;
        const char* says;
    } cases[] = {
        {"a picture file", QByteArray("BM\x36\x10\0\0", 6) + Saved().mid(6), P::NotAGameFile, "не является"},
        {"a text", QByteArray("TARQ saved game\n"), P::NotAGameFile, "не является"},
        {"version 4", Reheadered<quint16>(8, 4), P::NewerVersion, "более новой версией игры (формат 4"},
        {"version 0", Reheadered<quint16>(8, 0), P::Damaged, "версия формата 0"},
        {"an unknown flag", Reheadered<quint16>(10, 3), P::Damaged, "неизвестные флаги"},
        {"a body past the largest", Reheadered<quint32>(12, gamefile::kMaxBodySize + 1), P::Damaged, "размеры"},
        {"more than zlib can inflate", Reheadered<quint32>(12, static_cast<quint32>((Saved().size() - 28) * 1033)),
         P::Damaged, "размеры"},
        {"a body of another size", Reheadered<quint32>(12, 1000), P::Damaged, "не распаковываются"},
        {"a byte past the body", Saved() + 'x', P::Damaged, "лишние байты"},
        {"deflate data not inflating", Reheadered<quint32>(20, corruptCrc, corrupt), P::Damaged, "не распаковываются"},
    };
    for (const auto& c : cases) ExpectRefused(c.bytes, c.problem, c.says, c.what);
}

// Flag 0: the body is stored as it is (what a fuzzer of the reader feeds).
TEST(BadFileTest, AStoredBodyLoadsLikeADeflatedOne) {
    const QByteArray body = gamefile::UnwrapBody(Saved()).body;
    QByteArray file = Saved().left(gamefile::kHeaderSize) + body;
    const auto crc = static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(body.constData()), static_cast<uInt>(body.size())));
    for (const auto& [offset, value] : {std::pair{16, static_cast<quint32>(body.size())}, std::pair{20, crc}})
        qToBigEndian<quint32>(value, file.data() + offset);
    const LoadedGame stored = ReadGameFile(Reheadered<quint16>(10, 0, file), "stored.tarq");
    ASSERT_TRUE(stored) << stored.message.toStdString();
    EXPECT_EQ(StateDifference(*stored.game, Played()), "");
}

TPlayers TwoPlayers() {
    TPlayers players = OnePlayer();
    players.Count = 2;
    players.Table[2].Number = 2;
    players.Table[2].Colour = 1;
    return players;
}

TEST(BadFileTest, ValuesPastTheirRangesAreRefused) {
    const auto object = [](int index, auto change) {
        return Altered([=](Contents& c) { change(c.Objects.at(static_cast<std::size_t>(index))); });
    };
    const struct {
        const char* what;
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {"map 49 wide", Altered([](Contents& c) { c.MapWidth = 49; }), "размер карты 49 на 50"},
        {"map 501 high", Altered([](Contents& c) { c.MapHeight = 501; }), "размер карты 50 на 501"},
        {"5001 objects", Altered([](Contents& c) { c.Objects.resize(5001, c.Objects[0]); }), "объектов 5001"},
        {"a site outside the table", object(0, [](SavedObject& o) { o.Object.SiteObject = 5001; }),
         "неверный номер стройки (5001)"},
        {"slot 0", object(0, [](SavedObject& o) { o.Slot = 0; }), "номер объекта 0"},
        {"a slot twice", object(1, [](SavedObject& o) { o.Slot = 1; }), "номер объекта 1"},
        {"a cell off the grid", object(2, [](SavedObject& o) { o.Object.Cells[3].col = 53; }), "(53, "},
        {"a type past the catalogue", object(0, [](SavedObject& o) { o.Object.TypeId = 68; }),
         "неизвестный тип объекта (68)"},
        {"an unpowered mark of 2", object(0, [](SavedObject& o) { o.Object.Unpowered = 2; }),
         "неверная отметка «без энергии» (2)"},
        {"a layer past eight", object(0, [](SavedObject& o) { o.Object.Layer = 8; }), "неверные слои картинок (8 и"},
        {"a picture of object 5001", object(0, [](SavedObject& o) { o.Object.Sprites[3].id = 5001; }),
         "картинка называет объект 5001 вне таблицы"},
        {"a sheet past the list", object(1, [](SavedObject& o) { o.Object.CellSprites[2].idU = 15; }),
         "нет листа картинок 15"},
        {"an animation successor past the table",
         object(0, [](SavedObject& o) { o.Object.CellSprites[1].SprNext = 1001; }),
         "неверный следующий кадр анимации (1001)"},
        {"passability 3", Altered([](Contents& c) { c.Passability[77] = 3; }), "неизвестный код проходимости (3)"},
        {"a flag of 2", Altered([](Contents& c) { c.ViewSettings.ShowGrid = 2; }), "неверный переключатель сетки (2)"},
        {"click mode 3", Altered([](Contents& c) { c.ClickMode = 3; }), "неизвестный режим щелчка (3)"},
        {"selection outside the table", Altered([](Contents& c) { c.SelectedObject = -1; }),
         "неверный номер выбранного объекта (-1)"},
        {"a zoom past any screen", Altered([](Contents& c) { c.ViewSettings.Scale = 600; }), "неверный масштаб (600)"},
        {"turn 0", Altered([](Contents& c) { c.Turn = 0; }), "неверный номер хода (0)"},
        {"a landing-sector switch of 2", Altered([](Contents& c) { c.UseLandingSectors = 2; }),
         "неверный признак секторов высадки (2)"},
        {"a purchase of type 70", Altered([](Contents& c) { c.Players.Table[1].Purchases[5].TypeId = 70; }),
         "игрок 1: неверный тип покупки (70)"},
        {"an exit marker outside the table", Altered([](Contents& c) { c.ExitMarkers[2] = 6000; }),
         "неверный номер отметки выхода (6000)"},
        {"no PLRS section", Resectioned([](Sections& s) { s.erase(s.begin() + 5); }), "вместо раздела «игроки»"},
        {"no LOG section", Resectioned([](Sections& s) { s.resize(6); }), "нет раздела «журнал»"},
        {"notices past their limit", Resectioned([](Sections& s) { s[7].second = QByteArray::fromHex("00C9"); }),
         "«сводки ходов» поврежден"},
        {"a path order of a slot past the table", Resectioned([](Sections& s) {
             s[8].second = QByteArray::fromHex(
                 "0001"
                 "7FFF"
                 "0002"
                 "0002");
         }),
         "неверный номер юнита 32767"},
        {"a path order to a cell off the map", Resectioned([](Sections& s) {
             s[8].second = QByteArray::fromHex(
                 "0001"
                 "0001"
                 "0000"
                 "0002");
         }),
         "клетка (0, 2) вне карты"},
        {"a path order of a structure", Altered([](Contents& c) {
             for (const SavedObject& o : c.Objects)
                 if (o.Object.Stats.Movement == kMoveStructure) c.PathOrders = {{static_cast<i16>(o.Slot), 3, 3}};
         }),
         "путь отдан объекту"},
        {"a shot of an unknown kind", Resectioned([](Sections& s) {
             s[9].second = QByteArray::fromHex(
                 "00000001"
                 "00000001"
                 "07010205"
                 "00"
                 "0001000300020003000A000A");
         }),
         "«журнал боя» поврежден"},
        {"fog of war cut short", Resectioned([](Sections& s) { s[10].second.chop(1); }), "«туман войны» поврежден"},
        {"a fog switch of 2", Altered([](Contents& c) { c.FogOn = 2; }), "неверный признак тумана войны (2)"},
        {"a remembered structure of nobody", Altered([](Contents& c) {
             TSeenStructure m;
             m.Slot = 9, m.TypeId = 55, m.Owner = 2, m.CellCount = 4, m.Cells = BlockFootprint(3, 3);
             c.Seen[1].push_back(m);
         }),
         "туман войны игрока 1: неверный владелец (2)"},
        {"two players of one colour", Altered([](Contents& c) { c.Players.Count = 2, c.Players.Table[2].Number = 2; }),
         "цвет игрока 2 уже занят"},
        {"a current player past the players",
         Altered([](Contents& c) { c.Players = TwoPlayers(), c.CurrentPlayer = 3; }),
         "неверный номер текущего игрока (3)"},
        {"a player past their number", Altered([](Contents& c) { c.Players.Table[4].PlayerClan = 1; }),
         "запись игрока 4"},
        {"sections swapped", Resectioned([](Sections& s) { std::swap(s[3], s[4]); }), "вместо раздела «вид»"},
        {"a longer VIEW", Resectioned([](Sections& s) { s[3].second += 'x'; }), "длина раздела «вид»"},
        {"a grid plane cut short", Resectioned([](Sections& s) { s[1].second.chop(1); }), "раздел «клетки»"},
        {"a section after the last", Resectioned([](Sections& s) { s.push_back(s[0]); }), "лишние данные"},
    };
    for (const auto& c : cases) ExpectRefused(c.bytes, P::Damaged, c.says, c.what);
}

// Players' data that breaks the game and links between records that the game
// cannot derive: each refused with its cause.
TEST(BadFileTest, BrokenLinksAndPlayersAreRefused) {
    const Game& g = Played();
    const int builder = FirstOfType(g, kConstructor), site = g.Object(builder).SiteObject;
    const int unit = FirstOfType(g, kUnit), marker = Choosing().ExitMarkers[0];
    const TCellPos land = FreeLand(g);
    const TCellPos connector = [&] {
        for (int slot = 1; slot <= kMaxObjects; ++slot)
            if (JoinsConnectorGrid(g.Object(slot))) return g.Object(slot).Cells[1];
        return TCellPos{};
    }();
    const QString unitNo = QString::number(unit);
    ASSERT_TRUE(builder != 0 && site != 0 && unit != 0 && marker != 0 && connector.col != 0);
    const struct {
        const char* what;
        QByteArray bytes;
        QString says;
    } cases[] = {
        {"a free slot that is not blank", Altered([&](Contents& c) { Record(c, unit).Owner = 0; }),
         "свободное место в таблице не пусто"},
        {"an object of a player past the players", Altered([&](Contents& c) { Record(c, unit).Owner = 2; }),
         "объект игрока 2, а игроков 1"},
        {"a connector of a player past the players",
         Altered([&](Contents& c) { ConnectorOf(c, connector.col, connector.row).Owner = 3; }),
         "соединитель игрока 3, а игроков 1"},
        {"a sector claimed by two players", Altered([](Contents& c) {
             c.Players = TwoPlayers(), c.CurrentPlayer = 1;
             c.Players.Table[1].Sectors[3][4] = 1, c.Players.Table[2].Sectors[3][4] = 1;
         }),
         "сектор (4, 5) заняли два игрока"},
        {"current player 0 of one", Altered([](Contents& c) { c.CurrentPlayer = 0; }),
         "неверный номер текущего игрока (0)"},
        {"a turn past the last", Altered([](Contents& c) { c.Turn = kMaxTurn + 1; }), "неверный номер хода (1000001)"},
        {"a builder of type 0", Altered([&](Contents& c) { Record(c, builder).BuildLink = 0; }),
         "строит неизвестный тип (0)"},
        {"a stored view past the map", Altered([](Contents& c) { c.PlayerViews[1].ViewCenterCol = 16049; }),
         "игрок 1: неверное положение вида (16049)"},
        {"a pulse step of 255", Altered([](Contents& c) { c.PulseStep = 255; }), "неверный шаг мерцания (255)"},
        {"an object in the connector layer",
         Altered([&](Contents& c) { Record(c, unit).Layer = kLayerConnectors - 1; }), "неверные слои картинок (4 и"},
        {"an object off the map", Altered([&](Contents& c) { Record(c, unit).Cells = SingleCellFootprint(0, 7); }),
         "объект стоит за краем карты (0, 7)"},
        {"a site whose builder is not at work on it",
         Altered([&](Contents& c) { Record(c, builder).OrderState = 0, Record(c, builder).SiteObject = 0; }),
         "стройку называет строитель"},
        {"a builder at work on no site of its", Altered([&](Contents& c) { Record(c, builder).SiteObject = unit; }),
         "строитель работает на стройке " + unitNo + ", которая не его"},
        {"a builder building another type", Altered([&](Contents& c) { Record(c, builder).BuildLink = 40; }),
         "строит не то, что стоит на стройке"},
        {"a connector under no structure", Altered([&](Contents& c) {
             ConnectorOf(c, land.col, land.row) = {1, 1};
         }),
         "не лежит под строением"},
        {"a connector outside the map", Altered([](Contents& c) {
             ConnectorOf(c, 0, 5) = {1, 1};
         }),
         "соединитель клетки (0, 5) не лежит под строением"},
        {"a log entry that does not read", Resectioned([](Sections& s) {
             s[6].second = QByteArray::fromHex(
                 "00000001"
                 "00000000"
                 "00000001"
                 "01C8");
         }),
         "запись журнала 1 не читается"},
        {"a view order in the log", Altered([](Contents& c) {
             c.Log = {{1, {1, cmd::Zoom{30}}}};
         }),
         "запись журнала 1: это не приказ партии"},
        {"a logged order of a player past the players", Altered([](Contents& c) {
             c.Log = {{1, {2, cmd::EndTurn{}}}};
         }),
         "запись журнала 1: неверный номер игрока (2)"},
        {"a round start past the entries", Altered([](Contents& c) { c.LogRoundStart = 1; }),
         "текущий круг начинается с записи 2, а в журнале их 0"},
        {"an exit marker outliving its choice", Altered([&](Contents& c) { c.ExitMarkers[0] = unit; }),
         "отметка выхода " + unitNo + ", а выход не выбирается"},
        {"a site placed without its site",
         Altered([&](Contents& c) { c.ClickMode = kClickPlaceSite, c.SiteBuilder = 0, c.LastCreatedObject = 0; }),
         "размещается стройка 0"},
        {"an exit marker naming a real unit", Altered([&](Contents& c) { c.ExitMarkers[0] = unit; }, Choosing()),
         "отметка выхода " + unitNo + " не на своей клетке"},
        {"a placed site's builder that is another object",
         Altered([&](Contents& c) { c.SiteBuilder = static_cast<i16>(unit); }, Placing()), "за краем карты"},
        {"a placed site's builder cell off the map", Altered([](Contents& c) { c.SiteBuilderCol = 0; }, Placing()),
         "строителю некуда вернуться: (0, "},
    };
    for (const auto& c : cases) ExpectRefused(c.bytes, P::Damaged, c.says.toStdString(), c.what);
}

// The picture layers and an object's own picture numbers are rebuilt at
// load: a file of format 2 with any layers at all loads as the same game, and
// damage to an object's pictures is mended, not carried into play.
TEST(BadFileTest, WhatTheGameDerivesIsRebuiltAtLoad) {
    const QString v2 = QStringLiteral(TARQ_GAMEFILE_GOLDEN_DIR "/v2.tarq");
    const LoadedGame golden = LoadGameFile(v2);
    ASSERT_TRUE(golden) << golden.message.toStdString();
    QFile file(v2);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray body = gamefile::UnwrapBody(file.readAll()).body;
    QByteArray scrambled;
    for (qsizetype at = 0; at < body.size();) {
        const qsizetype length = qFromBigEndian<quint32>(body.constData() + at + 4);
        QByteArray payload = body.mid(at + 8, length);
        if (body.mid(at, 4) == "LAYR") {
            // Every layer of every cell a picture of a free slot.
            TMapCell odd;
            for (TSpriteRef& layer : odd.Layers) layer = {1, 5, 4999, -1, 1};
            const std::vector<TMapCell> layers(CellRegion::ForMap(50, 50).cells(), odd);
            payload.clear();
            gamefile::AppendPlanes(payload, reinterpret_cast<const char*>(layers.data()), layers.size(),
                                   sizeof(TMapCell));
        }
        scrambled += body.mid(at, 4);
        scrambled.append(4, '\0');
        qToBigEndian<quint32>(static_cast<quint32>(payload.size()), scrambled.data() + scrambled.size() - 4);
        scrambled += payload;
        at += 8 + length;
    }
    const LoadedGame loaded =
        ReadGameFile(gamefile::WrapBody(scrambled, gamefile::BodyStorage::Deflated, 2), "layers.tarq");
    ASSERT_TRUE(loaded) << loaded.message.toStdString();
    EXPECT_EQ(StateDifference(*loaded.game, *golden.game), "");

    const Game& g = Played();
    const int unit = FirstOfType(g, kUnit);
    const TCellPos land = FreeLand(g);
    const LoadedGame renamed =
        ReadGameFile(Altered([&](Contents& c) { Record(c, unit).CellSprites[1].id = 1; }), "renamed.tarq");
    ASSERT_TRUE(renamed) << renamed.message.toStdString();
    EXPECT_EQ(StateDifference(*renamed.game, g), "") << "an object's picture naming another slot";
    // A record copied into a free slot, on a cell of its own: an object of its own.
    const LoadedGame copied = ReadGameFile(Altered([&](Contents& c) {
                                               SavedObject copy{4000, Record(c, unit)};
                                               copy.Object.Cells = SingleCellFootprint(land.col, land.row);
                                               c.Objects.push_back(copy);
                                           }),
                                           "copy.tarq");
    ASSERT_TRUE(copied) << copied.message.toStdString();
    for (const TSpriteRef& s : copied.game->Object(4000).CellSprites) EXPECT_EQ(s.id, 4000);
    EXPECT_EQ(copied.game->Map(land.col, land.row).Layers[g.Object(unit).Layer + 1].id, 4000);
    EXPECT_EQ(CheckInvariants(*copied.game), Violations{});
}

TEST(BadFileTest, ARefusedFileLeavesTheLoadedGameAsItWas) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.tarq"), bad = dir.filePath("bad.tarq");
    ASSERT_TRUE(SaveGameFile(Played(), good));
    LoadedGame current = LoadGameFile(good);
    ASSERT_TRUE(current) << current.message.toStdString();
    for (const QByteArray& bytes : {Saved().left(100), Flipped(Saved(), 40), QByteArray("plain text")}) {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        LoadedGame refused = LoadGameFile(bad);
        EXPECT_FALSE(refused);
        if (!refused) continue;
        current = std::move(refused);  // what a careless caller would do
    }
    EXPECT_EQ(StateDifference(*current.game, Played()), "");
    const struct {
        QString path;
        const char* says;
    } unreadable[] = {{dir.filePath("missing.tarq"), "такого файла нет"}, {dir.path(), "это папка"}};
    for (const auto& u : unreadable) {
        const LoadedGame loaded = LoadGameFile(u.path);
        EXPECT_EQ(loaded.problem, P::CannotOpen);
        EXPECT_NE(loaded.message.toStdString().find(u.says), std::string::npos) << loaded.message.toStdString();
    }
}

}  // namespace
}  // namespace tarq::testing
