// Game files of every format version keep loading. The file of each version
// was written by that version from the short game of GamePlay.h on the
// smallest map (a game of one player). The file of format 2 was written
// before the game id closed its play section and stays as it is, a file
// without the id; the file of a newer format is written again whenever that
// format changes, until it is released:
//   TARQ_WRITE_GOLDEN=1 build/dev/tests/tarq_gamefile_tests --gtest_filter='Golden*'
#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GameFileFormat.h"
#include "gamefile/GamePlay.h"

namespace tarq::testing {
namespace {

QString GoldenFile(int version) {
    return QStringLiteral(TARQ_GAMEFILE_GOLDEN_DIR "/v%1.tarq").arg(version);
}

// A body with the game id taken off the end of its play section, as files
// were written before the id was added.
QByteArray WithoutGameId(QByteArray body) {
    for (qsizetype at = 0; at + 8 <= body.size();) {
        const auto length = qFromBigEndian<quint32>(body.constData() + at + 4);
        if (body.mid(at, 4) == "PLAY") {
            qToBigEndian<quint32>(length - 8, body.data() + at + 4);
            return body.remove(at + 8 + length - 8, 8);
        }
        at += 8 + static_cast<qsizetype>(length);
    }
    return {};
}

int ObjectsInUse(const Game& g) {
    int n = 0;
    for (const TGameObject& o : g.World.Objects) n += SlotInUse(o) ? 1 : 0;
    return n;
}

TEST(GoldenFileTest, EveryFormatVersionLoads) {
    if (qEnvironmentVariableIsSet("TARQ_WRITE_GOLDEN") && gamefile::kGameFileVersion > 2) {
        std::unique_ptr<Game> game = LaunchedGame(50);
        for (const Stage& stage : Stages()) stage.act(*game);
        ASSERT_TRUE(SaveGameFile(*game, GoldenFile(gamefile::kGameFileVersion)));
    }
    // What each version's file holds.
    const struct {
        int version, turn, objects;
        u8 readyLayerOn;
        TMapOverlays overlays;  // version 1 has no switches: all off
    } files[] = {{1, 6, 8, 1, {}}, {2, 6, 8, 1, {{1, 0, 1, 1, 1, 1, 1}}}};
    ASSERT_EQ(std::size(files), gamefile::kGameFileVersion) << "a golden file for every version";
    std::uint64_t id = 0;
    for (const auto& f : files) {
        SCOPED_TRACE(f.version);
        const LoadedGame loaded = LoadGameFile(GoldenFile(f.version));
        ASSERT_TRUE(loaded) << loaded.message.toStdString();
        const Game& g = *loaded.game;
        EXPECT_EQ(g.World.MapWidth, 50);
        EXPECT_EQ(g.Turn, f.turn);
        EXPECT_EQ(ObjectsInUse(g), f.objects);
        EXPECT_EQ(g.ReadyLayerOn, f.readyLayerOn);
        EXPECT_EQ(g.ViewSettings.BasePlaced, 1);
        EXPECT_TRUE(g.Players == OnePlayer());
        EXPECT_TRUE(g.ViewSettings.Overlays == f.overlays);
        // Neither file has a game id: each gets one from its map, the same
        // map's the same, and keeps it once saved again.
        EXPECT_NE(g.GameId, 0u);
        EXPECT_EQ(g.GameId, id != 0 ? id : g.GameId);
        id = g.GameId;
        EXPECT_EQ(ReadGameFile(WriteGameFile(g), "again.tarq").game->GameId, id);
    }
    // The newest file is written exactly as this version writes it, but for
    // the game id added since.
    QFile newest(GoldenFile(gamefile::kGameFileVersion));
    ASSERT_TRUE(newest.open(QIODevice::ReadOnly));
    const QByteArray bytes = newest.readAll();
    const ParsedGameFile parsed = ParseGameFile(bytes);
    ASSERT_TRUE(parsed.contents);
    const QByteArray again = gamefile::EncodeBody(*ContentsOf(*BuildGame(*parsed.contents)));
    EXPECT_TRUE(WithoutGameId(again) == gamefile::UnwrapBody(bytes).body);
}

}  // namespace
}  // namespace tarq::testing
