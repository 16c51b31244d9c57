// The executor's rules over every command: whose turn it is, whose object,
// what the click mode allows; a refused order leaves the match as it was. And
// the command log: canonical bytes that read back, and a replay that reaches
// the same state.
#include <gtest/gtest.h>

#include <functional>
#include <variant>

#include "core/CommandCodec.h"
#include "core/FactoryFixture.h"
#include "core/StateHash.h"
#include "orders/Execute.h"
#include "orders/Replay.h"
#include "setup/Launch.h"
#include "setup/Purchases.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"

namespace tarq::testing {
namespace {

constexpr int kConstructor = 1, kTank = 3, kEngineer = 13, kMiningComplex = 39, kStorage = 55;

class ExecuteTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(20, 20, kPassLand);
        game->Players.Count = 2;
        for (int p = 1; p <= 2; ++p) {
            game->Players.Table[p].Number = static_cast<u8>(p);
            game->Players.Table[p].Colour = static_cast<u8>(p - 1);
            game->Players.Table[p].Joined = game->Players.Table[p].BasePlaced = 1;
        }
        CurrentPlayerEntry(*game).BasePlaced = 1;
        own = {Make(1, kEngineer, 3, 3), Make(1, kTank, 5, 3), Make(1, kStorage, 8, 3)};
        other = {Make(2, kEngineer, 3, 12), Make(2, kTank, 5, 12), Make(2, kStorage, 8, 12)};
    }
    int Make(int owner, int type, int col, int row) {
        game->CurrentPlayer = static_cast<u8>(owner);
        EXPECT_EQ(CreateObject(*game, col, row, type, 0), 1);
        game->Object(game->LastCreatedObject).Cargo = 60;
        game->CurrentPlayer = 1;
        return game->LastCreatedObject;
    }
    Outcome Run(Command c, u8 player = 1) { return Execute(*game, {player, c}); }

    struct Set {
        int engineer, tank, storage;
    };
    Set own{}, other{};
};

// Each command that names an object, built for a given set of objects.
struct ObjectCase {
    const char* name;
    std::function<Command(int engineer, int tank, int storage)> make;
};

const ObjectCase kObjectCases[] = {
    {"Step",
     [](int, int t, int) {
         return cmd::Step{static_cast<i16>(t), 9, 9};
     }},
    {"StartConstruction",
     [](int e, int, int) {
         return cmd::StartConstruction{static_cast<i16>(e), kStorage, 1, 20};
     }},
    {"CancelConstruction", [](int e, int, int) { return cmd::CancelConstruction{static_cast<i16>(e)}; }},
    {"DestroyStructure", [](int, int, int s) { return cmd::DestroyStructure{static_cast<i16>(s)}; }},
    {"TakeOutBuilder",
     [](int, int, int s) {
         return cmd::TakeOutBuilder{static_cast<i16>(s), 0};
     }},
    {"OpenMenu",
     [](int, int t, int) {
         return cmd::OpenMenu{static_cast<i16>(t), 1};
     }},
};

// Own objects take orders (where the object can do it); another player's and
// a free slot never do, and leave the match untouched.
TEST_F(ExecuteTest, OrdersTakeOnlyTheCurrentPlayersOwnObjects) {
    const std::vector<std::string> acceptedForOwn = {"Step", "StartConstruction", "DestroyStructure", "OpenMenu"};
    for (const ObjectCase& c : kObjectCases) {
        for (int whose = 0; whose < 3; ++whose) {
            SetUp();
            const Set s = whose == 0 ? own : whose == 1 ? other : Set{4000, 4001, 4002};
            const std::uint64_t before = StateHash(*game);
            const Outcome out = Run(c.make(s.engineer, s.tank, s.storage));
            const bool expected =
                whose == 0 && std::find(acceptedForOwn.begin(), acceptedForOwn.end(), c.name) != acceptedForOwn.end();
            EXPECT_EQ(out.accepted, expected) << c.name << " whose " << whose << " " << out.reason;
            if (!out.accepted) {
                EXPECT_EQ(StateHash(*game), before) << c.name << " whose " << whose;
            }
        }
    }
}

// Every match command of a player whose turn it is not is refused with the reason.
TEST_F(ExecuteTest, MatchCommandsOfAnotherPlayerAreRefused) {
    const Command commands[] = {cmd::EndTurn{}, cmd::Step{static_cast<i16>(other.tank), 5, 11}, cmd::LandBase{4, 4},
                                cmd::BuyType{kTank}, cmd::ConfirmSite{}};
    for (const Command& c : commands) {
        const std::uint64_t before = StateHash(*game);
        const Outcome out = Run(c, 2);
        EXPECT_FALSE(out.accepted) << CommandName(c);
        EXPECT_EQ(out.reason, "Сейчас ход игрока 1") << CommandName(c);
        EXPECT_EQ(StateHash(*game), before);
    }
    EXPECT_TRUE(Run(cmd::Select{static_cast<i16>(other.tank)}, 1).accepted) << "anyone's object can be looked at";
}

// While a site waits for its place only the site's orders (and the view) go;
// END TURN says why.
TEST_F(ExecuteTest, ClickModesAllowOnlyTheirOrders) {
    const int constructor = Make(1, kConstructor, 14, 6);
    game->Object(constructor).Cargo = 255;
    const u8 cost = static_cast<u8>(game->UnitStats[kMiningComplex].Cost);
    ASSERT_TRUE(Run(cmd::StartConstruction{static_cast<i16>(constructor), kMiningComplex, 1, cost}).accepted);
    ASSERT_EQ(game->ClickMode, kClickPlaceSite);
    const Outcome end = Run(cmd::EndTurn{});
    EXPECT_FALSE(end.accepted);
    EXPECT_NE(end.reason.find("стройку"), std::string::npos);
    EXPECT_FALSE(Run(cmd::Step{static_cast<i16>(own.tank), 9, 9}).accepted);
    EXPECT_FALSE(Run(cmd::ChooseExit{4, 4}).accepted);
    EXPECT_TRUE(Run(cmd::Zoom{50}).accepted);
    EXPECT_TRUE(Run(cmd::ConfirmSite{}).accepted);
    EXPECT_FALSE(Run(cmd::ConfirmSite{}).accepted);
    game->ClickMode = kClickChooseExit;
    EXPECT_FALSE(Run(cmd::EndTurn{}).accepted);
    EXPECT_FALSE(Run(cmd::Select{static_cast<i16>(own.tank)}).accepted);
    EXPECT_TRUE(Run(cmd::CancelExitChoice{}).accepted);
    EXPECT_FALSE(Run(cmd::CancelExitChoice{}).accepted) << "back in the normal mode";
}

// Player 1 back on the new-game page of a game player 2 has joined: not
// landed, their kit bought, sector (2, 2) (cells 4..5 of the 20 x 20 map) theirs.
void Unlanded(Game& g) {
    g.Players.Table[1].Joined = g.Players.Table[1].BasePlaced = 0;
    CurrentPlayerEntry(g).BasePlaced = 0;
    g.UseLandingSectors = 1;
    ResetPurchases(g);
    g.World.LandingSectors[2][2] = kSectorClaimed;
    ShowLandingArea(g, true);
}

// Refusals as the game tells them: the start's reasons, a colour or cargo
// refused, and work the rules allow that finds no room (its handler refuses
// it with the message). Nothing is changed or logged.
TEST_F(ExecuteTest, RefusedOrdersTellWhyAndLeaveNoTrace) {
    struct Case {
        const char* name;
        std::function<void(Game&)> setup;
        Command command;
        std::string reason, message;  // what the refusal says (a part of it)
    };
    const Case cases[] = {
        {"a landing without room for the whole force", Unlanded, cmd::LandBase{5, 5}, "",
         "Войскам не хватает места в ваших секторах"},
        {"a start with no sector claimed", [](Game& g) { Unlanded(g), g.World.LandingSectors[2][2] = kSectorFree; },
         cmd::Join{0}, kSectorsRequiredMessage, ""},
        {"a start with more sectors than the share",
         [](Game& g) {
             Unlanded(g);
             for (int sx = 0; sx < 6; ++sx)
                 for (int sy = 0; sy < 10; ++sy) g.World.LandingSectors[sx][sy] = kSectorClaimed;
         },
         cmd::Join{0}, "Отмечено секторов: 60", ""},
        {"a start whose sectors hold no land",
         [](Game& g) {
             Unlanded(g);
             for (int c = 4; c <= 5; ++c)
                 for (int r = 4; r <= 5; ++r) g.World.Passability(c, r) = kPassWater;
         },
         cmd::Join{0}, kNoLandInSectorsMessage, ""},
        {"a colour player 2 has kept", Unlanded, cmd::SetColour{1}, "Этот цвет уже выбрал игрок 2", ""},
        {"cargo without credits",
         [](Game& g) { Unlanded(g), g.PurchaseList(2).Cargo = 50, CurrentPlayerEntry(g).Credits = 0; },
         cmd::CargoStep{2, 1}, "Не хватает кредитов", ""},
        {"cargo beyond the hold", Unlanded, cmd::CargoStep{2, 1}, "", ""},
        {"a step of a structure a file gave moves",
         [](Game& g) {
             ASSERT_EQ(g.Object(3).TypeId, kStorage);  // player 1's, made third
             g.Object(3).MovesLeft = 2;
         },
         cmd::Step{3, 9, 9}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.setup(*game);
        const std::uint64_t before = StateHash(*game);
        const Outcome out = Run(c.command);
        EXPECT_FALSE(out.accepted);
        EXPECT_EQ(out.reason.substr(0, c.reason.size()), c.reason);
        EXPECT_EQ(out.messages.empty(), c.message.empty());
        if (!out.messages.empty()) {
            EXPECT_EQ(out.messages[0].text.substr(0, c.message.size()), c.message);
        }
        EXPECT_EQ(StateHash(*game), before);
    }
}

// The map of a generation follows from the order's seed alone, whatever the
// game's own random source was: a replay makes the same map.
TEST(GenerationOrderTest, TheMapFollowsFromTheSeed) {
    const auto generated = [](std::uint32_t ownSeed, std::uint32_t orderSeed) {
        auto game = NewGame();
        SetStartValues(*game);
        game->Rng = RandomSource([ownSeed] { return ownSeed; });
        game->Rng.Reseed();
        game->GameId = 1;
        cmd::GenerateMap order;
        order.sizeItem = 0;
        order.seed = orderSeed;
        EXPECT_TRUE(Execute(*game, {1, order}).accepted);
        return game;
    };
    const auto a = generated(1, 77), b = generated(2, 77), c = generated(1, 78);
    EXPECT_EQ(StateHash(*a), StateHash(*b));
    EXPECT_FALSE(a->World.Terrain.cells == c->World.Terrain.cells);
}

// Every kind of command writes bytes that read back as the same order, and
// no shorter prefix reads as one.
TEST(CommandCodecTest, EveryCommandReadsBackFromItsBytes) {
    for (std::size_t kind = 0; kind < std::variant_size_v<Command>; ++kind) {
        std::vector<std::uint8_t> bytes;
        Order order{3, {}};
        std::vector<std::uint8_t> probe = {3, static_cast<std::uint8_t>(kind)};
        probe.resize(64, 0x41);  // every field 0x4141...
        std::size_t pos = 0;
        ASSERT_TRUE(DecodeOrder(probe.data(), probe.size(), pos, order)) << kind;
        EncodeOrder(order, bytes);
        EXPECT_EQ(bytes.size(), pos) << kind;
        Order back;
        std::size_t at = 0;
        ASSERT_TRUE(DecodeOrder(bytes.data(), bytes.size(), at, back));
        EXPECT_EQ(back, order) << OrderText(order);
        std::size_t none = 0;
        if (bytes.size() > 2) {
            EXPECT_FALSE(DecodeOrder(bytes.data(), bytes.size() - 1, none, back)) << kind;
        }
    }
    std::size_t pos = 0;
    Order out;
    const std::uint8_t unknown[] = {1, 200};
    EXPECT_FALSE(DecodeOrder(unknown, 2, pos, out));
}

// The log of a few turns, replayed from the state they started from, reaches
// the same state; a tampered entry is refused where it stops following.
TEST_F(ExecuteTest, ReplayOfTheLogReachesTheSameState) {
    const auto start = std::make_unique<Game>(*game);
    ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(own.tank), 9, 9}).accepted);
    ASSERT_TRUE(Run(cmd::StartConstruction{static_cast<i16>(own.engineer), kStorage, 1, 20}).accepted);
    ASSERT_TRUE(Run(cmd::EndTurn{}).accepted);
    ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(other.tank), 9, 20}, 2).accepted);
    ASSERT_TRUE(Run(cmd::EndTurn{}, 2).accepted);
    ASSERT_EQ(game->Log.Entries().size(), 5u);
    EXPECT_EQ(game->Log.RoundStart(), 5u);

    auto again = std::make_unique<Game>(*start);
    const ReplayResult replay = Replay(*again, game->Log.Entries(), 0, game->Log.Entries().size());
    EXPECT_TRUE(replay.ok);
    EXPECT_EQ(replay.hash, StateHash(*game));

    std::vector<LoggedOrder> forged = game->Log.Entries();
    std::get<cmd::Step>(forged[3].order.command).unit = static_cast<i16>(own.tank);  // player 2 moving player 1's tank
    auto forgedGame = std::make_unique<Game>(*start);
    const ReplayResult refused = Replay(*forgedGame, forged, 0, forged.size());
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.failedAt, 3u);
}

}  // namespace
}  // namespace tarq::testing
