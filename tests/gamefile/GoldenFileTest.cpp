// Game files of every format version keep loading. The file of each version
// was written by that version from the short game of GamePlay.h on the
// smallest map (a game of one player). Until the newest format is released, its file is written
// again whenever the format changes:
//   TARQ_WRITE_GOLDEN=1 build/dev/tests/tarq_gamefile_tests --gtest_filter='Golden*'
#include <gtest/gtest.h>

#include <QFile>

#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GameFileFormat.h"
#include "gamefile/GamePlay.h"

namespace tarq::testing {
namespace {

QString GoldenFile(int version) {
    return QStringLiteral(TARQ_GAMEFILE_GOLDEN_DIR "/v%1.tarq").arg(version);
}

int ObjectsInUse(const Game& g) {
    int n = 0;
    for (const TGameObject& o : g.World.Objects) n += SlotInUse(o) ? 1 : 0;
    return n;
}

TEST(GoldenFileTest, EveryFormatVersionLoads) {
    if (qEnvironmentVariableIsSet("TARQ_WRITE_GOLDEN")) {
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
    }
    // The newest file is written exactly as this version writes it.
    QFile newest(GoldenFile(gamefile::kGameFileVersion));
    ASSERT_TRUE(newest.open(QIODevice::ReadOnly));
    const QByteArray bytes = newest.readAll();
    const ParsedGameFile parsed = ParseGameFile(bytes);
    ASSERT_TRUE(parsed.contents);
    EXPECT_TRUE(gamefile::EncodeBody(*ContentsOf(*BuildGame(*parsed.contents))) == gamefile::UnwrapBody(bytes).body);
}

}  // namespace
}  // namespace tarq::testing
