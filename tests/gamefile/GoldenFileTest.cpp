// Game files of every format version keep loading. The file of each version
// was written by that version from the short game of GamePlay.h on the
// smallest map (a game of one player); from format 3 on the game then goes
// on by orders, so the file holds a command log. The files of formats 1 and
// 2 stay as they are (format 2's without the game id, which closed its play
// section later); the file of a newer format is written again whenever that
// format changes, until it is released:
//   TARQ_WRITE_GOLDEN=1 build/dev/tests/tarq_gamefile_tests --gtest_filter='Golden*'
#include <gtest/gtest.h>

#include <QFile>

#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GameFileFormat.h"
#include "gamefile/GamePlay.h"
#include "orders/Execute.h"

namespace tarq::testing {
namespace {

QString GoldenFile(int version) { return QStringLiteral(TARQ_GAMEFILE_GOLDEN_DIR "/v%1.tarq").arg(version); }

int ObjectsInUse(const Game& g) {
    int n = 0;
    for (const TGameObject& o : g.World.Objects) n += SlotInUse(o) ? 1 : 0;
    return n;
}

// The short game, its start counted as the "Старт" order counts it, then a
// step and END TURN given as orders.
std::unique_ptr<Game> GoldenGame() {
    std::unique_ptr<Game> game = LaunchedGame(50);
    for (const Stage& stage : Stages()) stage.act(*game);
    game->GameId = 0x5441'5251'0000'0003ull;
    game->Players.Table[1].Joined = 1;
    const int tank = FirstOfType(*game, 3);
    const TCellPos at = game->Object(tank).Cells[1];
    EXPECT_TRUE(Execute(*game, {1, cmd::Step{static_cast<i16>(tank), static_cast<i16>(at.col + 2), at.row}}).accepted);
    EXPECT_TRUE(Execute(*game, {1, cmd::EndTurn{}}).accepted);
    return game;
}

TEST(GoldenFileTest, EveryFormatVersionLoads) {
    if (qEnvironmentVariableIsSet("TARQ_WRITE_GOLDEN")) {
        ASSERT_TRUE(SaveGameFile(*GoldenGame(), GoldenFile(gamefile::kGameFileVersion)));
    }
    // What each version's file holds.
    const struct {
        int version, turn, objects;
        u8 readyLayerOn;
        TMapOverlays overlays;  // version 1 has no switches: all off
        std::size_t logged;
    } files[] = {{1, 6, 8, 1, {}, 0},
                 {2, 6, 8, 1, {{1, 0, 1, 1, 1, 1, 1}}, 0},
                 {3, 8, 8, 1, {{1, 0, 1, 1, 1, 1, 1}}, 2}};
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
        EXPECT_EQ(g.Players.Count, 1);
        EXPECT_EQ(CurrentPlayerEntry(g).BasePlaced, 1);
        EXPECT_EQ(CurrentPlayerEntry(g).Credits, 150 - g.UnitStats[3].Cost) << "the start gold less the tank";
        EXPECT_TRUE(g.ViewSettings.Overlays == f.overlays);
        EXPECT_EQ(g.Log.Entries().size(), f.logged);
        EXPECT_EQ(g.Log.RoundStart(), f.logged);
        EXPECT_NE(g.GameId, 0u);
        EXPECT_EQ(ReadGameFile(WriteGameFile(g), "again.tarq").game->GameId, g.GameId) << "kept once saved again";
        if (f.version > 2) continue;
        // Neither old file has a game id: each gets one from its map, the same
        // map's the same.
        EXPECT_EQ(g.GameId, id != 0 ? id : g.GameId);
        id = g.GameId;
    }
    // The newest file is written exactly as this version writes it, and the
    // game writes it the same every time.
    QFile newest(GoldenFile(gamefile::kGameFileVersion));
    ASSERT_TRUE(newest.open(QIODevice::ReadOnly));
    const QByteArray bytes = newest.readAll();
    const ParsedGameFile parsed = ParseGameFile(bytes);
    ASSERT_TRUE(parsed.contents);
    EXPECT_TRUE(gamefile::EncodeBody(*ContentsOf(*BuildGame(*parsed.contents))) == gamefile::UnwrapBody(bytes).body);
    EXPECT_TRUE(WriteGameFile(*GoldenGame()) == bytes);
}

}  // namespace
}  // namespace tarq::testing
