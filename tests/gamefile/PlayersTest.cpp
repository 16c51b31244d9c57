// A game of three players through the engine: each joins, claims sectors
// (the others' are closed), buys and lands; the turns rotate with the
// counter; other players' objects take no orders; END TURN advances only the
// current player's objects.
#include <gtest/gtest.h>

#include "control/MapClick.h"
#include "control/Turns.h"
#include "core/Catalogue.h"
#include "core/Invariants.h"
#include "core/Players.h"
#include "core/StateHash.h"
#include "gamefile/GameFile.h"
#include "gamefile/GamePlay.h"
#include "setup/Players.h"
#include "world/LandingSectors.h"

namespace tarq::testing {
namespace {

constexpr int kConstructor = 1, kTank = 4, kMiningComplex = 39, kGenerator = 40;

bool RoomyAt(const Game& g, int c, int r) {
    for (int dc = -4; dc <= 4; ++dc)
        for (int dr = -4; dr <= 4; ++dr)
            if (!g.InMap(c + dc, r + dr) || g.World.Passability(c + dc, r + dr) != kPassLand) return false;
    return true;
}

// Three landing places with land all around, each in its own sector and far
// enough apart for three forces.
std::vector<TCellPos> LandingPlaces(const Game& g) {
    std::vector<TCellPos> found;
    for (int c = 5; c < g.World.MapWidth - 5 && found.size() < 3; ++c)
        for (int r = 5; r < g.World.MapHeight - 5 && found.size() < 3; ++r) {
            const bool apart = std::all_of(found.begin(), found.end(),
                                           [&](TCellPos p) { return std::abs(p.col - c) + std::abs(p.row - r) >= 30; });
            if (apart && RoomyAt(g, c, r)) found.push_back({static_cast<i16>(c), static_cast<i16>(r)});
        }
    EXPECT_EQ(found.size(), 3u) << "the map has no room for three bases";
    return found;
}

u8& SectorOfCell(Game& g, TCellPos p) {
    return g.World.LandingSectors[SectorOf(p.col, g.World.MapWidth)][SectorOf(p.row, g.World.MapHeight)];
}

void PressSector(Game& g, TCellPos p) {
    Image2MouseDownToggle(g, SectorOf(p.col, g.World.MapWidth) * kSectorPixels + 8,
                          SectorOf(p.row, g.World.MapHeight) * kSectorPixels + 8);
}

// The start button and the first click on the map, for the current player.
void JoinAndLand(Game& g, TCellPos at) {
    PressSector(g, at);
    ASSERT_TRUE(ApplyLandingSectors(g, false).ok);
    JoinCurrentPlayer(g);
    ASSERT_TRUE(BuyType(g, kTank).bought);
    ASSERT_TRUE(PlaceInitialForce(g, at.col, at.row));
    CentreViewOnBase(g, at.col, at.row);
}

int Owned(const Game& g, int player, int type) {
    for (int slot = 1; slot <= kMaxObjects; ++slot)
        if (g.Object(slot).Owner == player && g.Object(slot).TypeId == type) return slot;
    return 0;
}

// A click on cell (col, row) of a view that starts two cells before it.
ClickResult ClickAt(Game& g, int col, int row) {
    g.ViewSettings.FirstCol = static_cast<i16>(col - 2), g.ViewSettings.FirstRow = static_cast<i16>(row - 2);
    g.ViewSettings.ViewOffsetX = g.ViewSettings.ViewOffsetY = 0;
    g.MouseX = 2 * g.CellPixels + 1, g.MouseY = 2 * g.CellPixels + 1;
    ClickContext context;
    context.checks = DefaultInfoChecks();
    return DXDrawClick(g, context);
}
ClickResult ClickOn(Game& g, int slot) { return ClickAt(g, g.Object(slot).Cells[1].col, g.Object(slot).Cells[1].row); }

// END TURN, the game saved and played on from the file, as when it is passed on.
void EndTurnThroughFile(Game& g) {
    EndTurn(g);
    LoadedGame loaded = ReadGameFile(WriteGameFile(g), QStringLiteral("ход.tarq"), g);
    ASSERT_TRUE(loaded) << loaded.message.toStdString();
    ASSERT_EQ(StateDifference(*loaded.game, g), "");
    EXPECT_EQ(StateHash(*loaded.game), StateHash(g));
    g = std::move(*loaded.game);
}

TEST(PlayersTest, ThreePlayersJoinLandAndTakeTurns) {
    std::unique_ptr<Game> game = LaunchedGame(100);
    Game& g = *game;
    SetPlayerCount(g, 3);
    ASSERT_EQ(ChoosePlayerColour(g, 2), "") << "player 3 has not joined: the colours swap";
    EXPECT_EQ(g.Players.Table[3].Colour, 0);
    const std::vector<TCellPos> places = LandingPlaces(g);
    ASSERT_EQ(places.size(), 3u);
    JoinAndLand(g, places[0]);
    const i16 creditsLeft = CurrentPlayerEntry(g).Credits;
    for (int player = 2; player <= 3; ++player) {
        SCOPED_TRACE(player);
        EndTurnThroughFile(g);
        EXPECT_EQ(g.CurrentPlayer, player);
        EXPECT_EQ(g.Turn, 1);
        EXPECT_TRUE(JoiningPlayer(g));
        EXPECT_EQ(CurrentPlayerEntry(g).Credits, 150) << "the game's start gold, not what the others left";
        EXPECT_EQ(CurrentPlayerEntry(g).BasePlaced, 0);
        EXPECT_EQ(CurrentPlayerEntry(g).Purchasable[kGenerator], CataloguePurchasable(kGenerator))
            << "no one else's restrictions";
        // The sectors of the players before are taken and stay so.
        for (int before = 0; before < player - 1; ++before) {
            const TCellPos taken = places[static_cast<std::size_t>(before)];
            EXPECT_EQ(SectorOfCell(g, taken), kSectorTaken);
            PressSector(g, taken);
            EXPECT_EQ(SectorOfCell(g, taken), kSectorTaken);
            EXPECT_FALSE(BaseCellAccepted(g, taken.col, taken.row));
        }
        if (player == 2) ApplyPurchaseRestrictions(g, true, false);
        JoinAndLand(g, places[static_cast<std::size_t>(player - 1)]);
    }
    EXPECT_FALSE(ChoosePlayerColour(g, 1).empty()) << "player 2 has joined with colour 1";

    EndTurnThroughFile(g);
    EXPECT_EQ(g.CurrentPlayer, 1);
    EXPECT_EQ(g.Turn, 2);
    EXPECT_EQ(SectorOfCell(g, places[0]), kSectorClaimed);
    EXPECT_EQ(SectorOfCell(g, places[1]), kSectorTaken);
    EXPECT_EQ(CurrentPlayerEntry(g).Credits, creditsLeft);
    EXPECT_EQ(g.Players.Table[2].Purchasable[kGenerator], 0);
    EXPECT_EQ(g.Players.Table[2].Restrictions.NoStructures, 1);
    EXPECT_EQ(g.Players.Table[3].Restrictions.NoStructures, 0);
    for (int player = 1; player <= 3; ++player) {
        EXPECT_EQ(g.Players.Table[player].BasePlaced, 1);
        EXPECT_NE(Owned(g, player, kConstructor), 0);
        EXPECT_NE(Owned(g, player, kTank), 0);
    }

    // Player 1 looks at player 2's tank: name, owner and the hits it shows in sight, no menu, no move.
    const int theirTank = Owned(g, 2, kTank);
    for (int click = 0; click < 2; ++click) {
        const ClickResult r = ClickOn(g, theirTank);
        EXPECT_EQ(g.SelectedObject, theirTank);
        EXPECT_FALSE(r.openMenu);
        EXPECT_EQ(g.MoveArmed, 0);
        ASSERT_TRUE(r.memo);
        ASSERT_EQ(r.memo->size(), 3u);
        EXPECT_EQ((*r.memo)[1].text, "Владелец: игрок 2");
        EXPECT_EQ((*r.memo)[2].text, "Хиты 24/24");
    }
    const TCellPos tankAt = g.Object(theirTank).Cells[1];
    g.MoveArmed = 1;  // an armed move does not move another player's unit
    for (int dc = -1; dc <= 1; ++dc) ClickAt(g, tankAt.col + dc, tankAt.row + 1);
    EXPECT_EQ(g.Object(theirTank).Cells[1], tankAt);
    // ... and gives no orders to player 2's objects.
    g.SelectedObject = Owned(g, 2, kConstructor);
    EXPECT_FALSE(StartBuild(g, kMiningComplex, 3, 30).acted);
    g.SelectedObject = Owned(g, 2, kGenerator);
    EXPECT_FALSE(DestroyStructure(g));
    g.SelectedObject = Owned(g, 1, kGenerator);
    EXPECT_TRUE(DestroyStructure(g));

    // END TURN advances only the current player's objects.
    EndTurnThroughFile(g);  // to player 2, who starts a construction and moves away
    g.SelectedObject = Owned(g, 2, kConstructor);
    ASSERT_TRUE(StartBuild(g, kMiningComplex, 3, 30).acted);
    ConfirmSite(g);
    EndTurnThroughFile(g);  // player 2's construction takes its first turn
    const int builder = Owned(g, 2, kConstructor);
    EXPECT_EQ(g.Object(builder).TurnsLeft, 2);
    g.Object(theirTank).MovesLeft = 0;
    const int ownTank = Owned(g, 3, kTank);
    g.Object(ownTank).MovesLeft = 0;
    EndTurnThroughFile(g);  // player 3's
    EXPECT_EQ(g.Object(ownTank).MovesLeft, g.Object(ownTank).Stats.Speed);
    EXPECT_EQ(g.Object(theirTank).MovesLeft, 0);
    EXPECT_EQ(g.Object(builder).TurnsLeft, 2);
    EXPECT_FALSE(CancelConstruction(g, builder).acted) << "player 1 cannot cancel player 2's construction";
    EXPECT_EQ(g.Turn, 3);
    EXPECT_EQ(CheckInvariants(g), Violations{});
}

}  // namespace
}  // namespace tarq::testing
