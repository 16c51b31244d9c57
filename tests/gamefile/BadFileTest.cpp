// Files a reader must refuse: every truncation, flipped bytes in the header
// and the body, a wrong magic, a newer version, sizes, counts, indexes and
// links past their limits. Each gets its problem and a message naming the
// file and the cause, and the game already loaded stays as it was.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>

#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GameFileFormat.h"
#include "gamefile/GamePlay.h"

namespace tarq::testing {
namespace {

using P = GameFileProblem;
using Contents = GameFileContents;

// A small played game: objects, a site with its ready marker, a marked layer 8.
const Game& Played() {
    static const std::unique_ptr<Game> game = [] {
        auto g = LaunchedGame(50);
        const std::vector<Stage> stages = Stages();
        for (std::size_t i = 0; i < 4; ++i) stages[i].act(*g);
        return g;
    }();
    return *game;
}

const QByteArray& Saved() {
    static const QByteArray bytes = WriteGameFile(Played());
    return bytes;
}

// The saved game with one value changed, in a file whose sizes and checksums are right.
QByteArray Altered(const std::function<void(Contents&)>& change) {
    std::unique_ptr<Contents> c = ContentsOf(Played());
    change(*c);
    return gamefile::WrapBody(gamefile::EncodeBody(*c));
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

// Refused with `problem`, and the message names the file and says `says`.
void ExpectRefused(const QByteArray& bytes, P problem, const std::string& says, const std::string& what) {
    const LoadedGame loaded = ReadGameFile(bytes, QStringLiteral("плохой.tarq"));
    const std::string message = loaded.message.toStdString();
    EXPECT_FALSE(loaded) << what;
    EXPECT_EQ(loaded.problem, problem) << what << ": " << message;
    EXPECT_NE(message.find("«плохой.tarq»"), std::string::npos) << what << ": " << message;
    EXPECT_NE(message.find(says), std::string::npos) << what << ": " << message;
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
    const quint32 corruptCrc = static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(corrupt.constData() + gamefile::kHeaderSize),
              static_cast<uInt>(corrupt.size() - 28)));
    const struct {
        const char* what;
        QByteArray bytes;
        P problem;
        const char* says;
    } cases[] = {
        {"a picture file", QByteArray("BM\x36\x10\0\0", 6) + Saved().mid(6), P::NotAGameFile, "не является"},
        {"a text", QByteArray("TARQ saved game\n"), P::NotAGameFile, "не является"},
        {"version 3", Reheadered<quint16>(8, 3), P::NewerVersion, "более новой версией игры (формат 3"},
        {"version 0", Reheadered<quint16>(8, 0), P::Damaged, "версия формата 0"},
        {"an unknown flag", Reheadered<quint16>(10, 3), P::Damaged, "неизвестные флаги"},
        {"a body past the largest", Reheadered<quint32>(12, gamefile::kMaxBodySize + 1), P::Damaged, "размеры"},
        {"more than zlib can inflate", Reheadered<quint32>(12, static_cast<quint32>((Saved().size() - 28) * 1033)), P::Damaged, "размеры"},
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
    const auto crc = static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), static_cast<uInt>(body.size())));
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
    const auto cell = [](Contents& c, int col, int row) -> TMapCell& { return c.Map[c.Region().index(col, row)]; };
    const struct {
        const char* what;
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {"map 49 wide", Altered([](Contents& c) { c.MapWidth = 49; }), "размер карты 49 x 50"},
        {"map 501 high", Altered([](Contents& c) { c.MapHeight = 501; }), "размер карты 50 x 501"},
        {"5001 objects", Altered([](Contents& c) { c.Objects.resize(5001, c.Objects[0]); }), "объектов 5001"},
        {"a site outside the table", object(0, [](SavedObject& o) { o.Object.SiteObject = 5001; }),
         "SiteObject = 5001 вне 0..5000"},
        {"slot 0", object(0, [](SavedObject& o) { o.Slot = 0; }), "номер объекта 0"},
        {"a slot twice", object(1, [](SavedObject& o) { o.Slot = 1; }), "номер объекта 1"},
        {"a cell off the grid", object(2, [](SavedObject& o) { o.Object.Cells[3].col = 53; }), "(53, "},
        {"a type past the catalogue", object(0, [](SavedObject& o) { o.Object.TypeId = 68; }), "TypeId = 68"},
        {"a layer past eight", object(0, [](SavedObject& o) { o.Object.Layer = 8; }), "Layer = 8"},
        {"a picture of object 5001", Altered([&](Contents& c) { cell(c, 3, 4).Layers[kLayerUnits].id = 5001; }),
         "клетка (3, 4): слой 4"},
        {"a sheet past the list", Altered([&](Contents& c) { cell(c, 0, 0).Layers[1].idU = 15; }), "idU 15"},
        {"an animation successor past the table",
         object(0, [](SavedObject& o) { o.Object.CellSprites[1].SprNext = 1001; }), "SprNext 1001"},
        {"passability 3", Altered([](Contents& c) { c.Passability[77] = 3; }), "код проходимости 3"},
        {"a flag of 2", Altered([](Contents& c) { c.ViewSettings.ShowGrid = 2; }), "ShowGrid = 2"},
        {"click mode 3", Altered([](Contents& c) { c.ClickMode = 3; }), "ClickMode = 3"},
        {"selection outside the table", Altered([](Contents& c) { c.SelectedObject = -1; }), "SelectedObject = -1"},
        {"a zoom past any screen", Altered([](Contents& c) { c.ViewSettings.Scale = 600; }), "Scale = 600"},
        {"turn 0", Altered([](Contents& c) { c.Turn = 0; }), "Turn = 0"},
        {"full-screen mode 3", Altered([](Contents& c) { c.Settings.FullScreenMode = 3; }), "FullScreenMode = 3"},
        {"a purchase of type 70", Altered([](Contents& c) { c.PurchaseList[5].TypeId = 70; }), "тип покупки = 70"},
        {"an exit marker outside the table", Altered([](Contents& c) { c.ExitMarkers[2] = 6000; }), "ExitMarkers"},
        {"no PLRS section", Resectioned([](Sections& s) { s.pop_back(); }), "нет раздела PLRS"},
        {"two players of one colour", Altered([](Contents& c) { c.Players.Count = 2, c.Players.Table[2].Number = 2; }),
         "цвет игрока 2 уже занят"},
        {"a current player past the players",
         Altered([](Contents& c) { c.Players = TwoPlayers(), c.ViewSettings.CurrentPlayer = 3; }), "CurrentPlayer = 3"},
        {"a player past their number", Altered([](Contents& c) { c.Players.Table[4].Clan = 1; }), "запись игрока 4"},
        {"sections swapped", Resectioned([](Sections& s) { std::swap(s[4], s[5]); }), "вместо раздела VIEW"},
        {"a longer VIEW", Resectioned([](Sections& s) { s[4].second += 'x'; }), "длина раздела VIEW"},
        {"a grid plane cut short", Resectioned([](Sections& s) { s[1].second.chop(1); }), "раздел GRID"},
        {"a section after the last", Resectioned([](Sections& s) { s.push_back(s[0]); }), "лишние данные"},
    };
    for (const auto& c : cases) ExpectRefused(c.bytes, P::Damaged, c.says, c.what);
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
