// Network games through a real WebDAV server and through a shared folder:
// three machines play a game of three players, two commit at once, the
// server goes away during an upload, a password is wrong, the quota is used
// up, and a turn file arrives half-written.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <iostream>

#include "gamefile/GameFile.h"
#include "gamefile/GamePlay.h"
#include "net/DavServer.h"
#include "net/NetHome.h"
#include "orders/Execute.h"
#include "setup/Players.h"

namespace tarq::testing {
namespace {

using net::GamePlace;

class NetPlayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        NetTestApplication();
        server = new DavServer;
        if (!server->Start()) FAIL() << server->error().toStdString();
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    GamePlace Place(GamePlace::Kind kind, const QString& path = QStringLiteral("/dav")) {
        GamePlace place;
        place.kind = kind;
        place.gameId = net::NewGameId();
        if (kind == GamePlace::Kind::Folder) {
            place.folder = shared.path();
        } else {
            place.address = server->Url(path);
            place.user = QLatin1String(DavServer::kUser);
        }
        return place;
    }
    static QString Password() { return QString::fromUtf8(DavServer::kPassword); }

    // A new game of three players, as player 1 has it before their first END TURN.
    static std::unique_ptr<Game> ThreePlayerGame() {
        std::unique_ptr<Game> game = LaunchedGame(50);
        SetPlayerCount(*game, 3);
        return game;
    }
    // END TURN through the executor, and the file the next player gets.
    static QByteArray EndTurnFile(Game& g) {
        EXPECT_TRUE(Execute(g, {g.CurrentPlayer, cmd::EndTurn{}}).accepted);
        return WriteGameFile(g);
    }

    static DavServer* server;
    QTemporaryDir shared;  // the synced folder every machine sees
};
DavServer* NetPlayTest::server = nullptr;

const GamePlace::Kind kKinds[] = {GamePlace::Kind::WebDav, GamePlace::Kind::Folder};
const char* Name(GamePlace::Kind kind) { return kind == GamePlace::Kind::WebDav ? "WebDAV" : "folder"; }

// Player 1 creates the game; each END TURN goes to the place and the next
// player's machine notices it and fetches it (a 2 s poll, and the folder's
// watcher), until the turn is back with player 1.
TEST_F(NetPlayTest, ThreeMachinesPlayARound) {
    for (GamePlace::Kind kind : kKinds) {
        SCOPED_TRACE(Name(kind));
        const GamePlace place = Place(kind);
        std::vector<std::unique_ptr<NetHome>> homes;
        for (int seat = 1; seat <= 3; ++seat) {
            GamePlace mine = place;
            mine.seat = seat;
            homes.push_back(std::make_unique<NetHome>(mine, Password(), QuickOptions()));
            homes.back()->exchange->Start();
        }
        std::unique_ptr<Game> game = ThreePlayerGame();
        homes[0]->exchange->Send(WriteGameFile(*game), game->Turn, 1);
        ASSERT_TRUE(WaitFor([&] { return !homes[0]->sent.isEmpty(); }, 5000));
        const qint64 serverBefore = kind == GamePlace::Kind::WebDav ? server->BytesReceived() : 0;
        qint64 sentBefore = homes[0]->exchange->bytesSent();
        std::vector<qint64> delays, turnBytes;
        for (int handover = 0; handover < 3; ++handover) {
            const int seat = game->CurrentPlayer;
            NetHome& from = *homes[static_cast<std::size_t>(seat - 1)];
            const QByteArray file = EndTurnFile(*game);
            const int next = game->CurrentPlayer;
            NetHome& to = *homes[static_cast<std::size_t>(next - 1)];
            const qint64 endedAt = to.clock.elapsed();
            const net::TurnPointer expected = net::PointerFor(file, game->Turn, next);
            from.exchange->Send(file, game->Turn, next);
            ASSERT_TRUE(WaitFor([&] { return to.received.contains(expected); }, 10000)) << handover;
            delays.push_back(to.receivedAt.last() - endedAt);
            turnBytes.push_back(from.exchange->bytesSent() - (seat == 1 ? sentBefore : 0));
            LoadedGame loaded = LoadGameFile(to.exchange->LatestFile());
            ASSERT_TRUE(loaded) << loaded.message.toStdString();
            EXPECT_EQ(StateDifference(*loaded.game, *game), "");
            game = std::move(loaded.game);
        }
        EXPECT_EQ(game->CurrentPlayer, 1);
        EXPECT_EQ(game->Turn, 2);
        for (const auto& home : homes) EXPECT_TRUE(home->problems.isEmpty()) << home->problems.join(' ').toStdString();
        std::cout << "figure (" << Name(kind) << ", 2 s poll): END TURN to the next player's notice, ms:";
        for (qint64 d : delays) std::cout << ' ' << d;
        std::cout << "; bytes sent per turn (files and pointer):";
        for (qint64 b : turnBytes) std::cout << ' ' << b;
        if (kind == GamePlace::Kind::WebDav)
            std::cout << "; the server received " << server->BytesReceived() - serverBefore
                      << " bytes in all during the round (3 turns, all polls, headers included)";
        std::cout << std::endl;
    }
}

// Two machines hold the same turn and both commit: exactly one wins, the
// other is told, keeps its turn and then gets the winner's. The same turn
// file name (the same seat on two machines) and two different names.
TEST_F(NetPlayTest, TwoCommitsAtOnceExactlyOneWins) {
    for (GamePlace::Kind kind : kKinds) {
        for (bool sameName : {true, false}) {
            SCOPED_TRACE(std::string(Name(kind)) + (sameName ? " same name" : " other name"));
            const GamePlace place = Place(kind);
            NetHome a(place, Password(), QuickOptions(500)), b(place, Password(), QuickOptions(500));
            std::unique_ptr<Game> game = ThreePlayerGame();
            a.exchange->Start();
            a.exchange->Send(WriteGameFile(*game), 1, 1);
            ASSERT_TRUE(WaitFor([&] { return !a.sent.isEmpty(); }, 5000));
            b.exchange->Start();
            ASSERT_TRUE(WaitFor([&] { return !b.received.isEmpty(); }, 5000));
            Game& g = *game;
            const QByteArray second = EndTurnFile(g);
            g.Rng.Random(7);  // the other machine's game differs
            const QByteArray other = sameName ? WriteGameFile(g) : EndTurnFile(g);
            a.exchange->Send(second, 1, 2);
            b.exchange->Send(other, 1, sameName ? 2 : 3);
            ASSERT_TRUE(
                WaitFor([&] { return a.sent.size() + a.refusals.size() + b.sent.size() + b.refusals.size() == 3; },
                        10000));
            EXPECT_EQ(a.sent.size() + b.sent.size(), 2) << "the first file, and one of the two";
            NetHome& loser = a.refusals.isEmpty() ? b : a;
            ASSERT_EQ(loser.refusals.size(), 1);
            EXPECT_TRUE(loser.refusals[0].startsWith(QStringLiteral("Ход уже сделал другой игрок: ")))
                << loser.refusals[0].toStdString();
            EXPECT_FALSE(loser.exchange->Sending());
            ASSERT_TRUE(WaitFor(
                [&] {
                    return !loser.received.isEmpty() &&
                           loser.received.last() == *(&loser == &a ? b : a).exchange->latest();
                },
                // after its refusal the loser polls with backoff; a loaded machine stretches that
                20000))
                << "the loser gets the winner's turn";
        }
    }
}

// The server is frozen during a large upload and then killed: the turn stays
// in the outbox, the fault is told once, and the turn goes out once the
// server is back.
TEST_F(NetPlayTest, ServerGoneDuringUploadKeepsTheTurnAndSendsItLater) {
    const GamePlace place = Place(GamePlace::Kind::WebDav);
    NetHome home(place, Password(), QuickOptions());
    home.exchange->Start();
    QByteArray large(32 << 20, '\0');
    for (qsizetype i = 0; i < large.size(); i += 4096) large[i] = static_cast<char>(i / 4096);
    server->Freeze();
    home.exchange->Send(large, 1, 1);
    Wait(400);
    EXPECT_TRUE(QFile::exists(home.Outbox()));
    server->Kill();
    ASSERT_TRUE(WaitFor([&] { return !home.problems.isEmpty(); }, 5000));
    EXPECT_TRUE(home.problems[0].startsWith(QStringLiteral("Нет связи с «"))) << home.problems[0].toStdString();
    Wait(1500);  // retries meanwhile
    ASSERT_TRUE(server->Start()) << server->error().toStdString();
    ASSERT_TRUE(WaitFor([&] { return !home.sent.isEmpty(); }, 10000));
    EXPECT_EQ(home.problems.size(), 1) << home.problems.join('\n').toStdString();
    EXPECT_FALSE(QFile::exists(home.Outbox()));
    QFile there(QDir(server->Folder()).filePath(place.gameId + QStringLiteral("/turn-1-player-1.tarq")));
    ASSERT_TRUE(there.open(QIODevice::ReadOnly));
    EXPECT_TRUE(there.readAll() == large);
}

// A wrong password and a used-up quota: told once however often the
// exchange tries, the turn kept in the outbox.
TEST_F(NetPlayTest, RefusingServerIsToldOnceAndTheTurnKept) {
    struct Case {
        const char* path;
        const char* password;
        const char* told;
    } cases[] = {{"/dav", "wrong", "(401)"}, {"/full", DavServer::kPassword, "507"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        NetHome home(Place(GamePlace::Kind::WebDav, QLatin1String(c.path)), QString::fromUtf8(c.password),
                     QuickOptions(200));
        home.exchange->Start();
        std::unique_ptr<Game> game = ThreePlayerGame();
        home.exchange->Send(WriteGameFile(*game), 1, 1);
        Wait(1500);
        ASSERT_EQ(home.problems.size(), 1) << home.problems.join('\n').toStdString();
        EXPECT_TRUE(home.problems[0].contains(QLatin1String(c.told))) << home.problems[0].toStdString();
        EXPECT_TRUE(home.sent.isEmpty());
        EXPECT_TRUE(home.exchange->Sending());
        EXPECT_TRUE(QFile::exists(home.Outbox()));
    }
}

// A pointer that names a turn file only half there (a sync in progress) is
// waited for, told once, and the file taken once it is whole.
TEST_F(NetPlayTest, HalfWrittenTurnIsWaitedFor) {
    for (GamePlace::Kind kind : kKinds) {
        SCOPED_TRACE(Name(kind));
        const GamePlace place = Place(kind);
        NetHome home(place, Password(), QuickOptions(200));
        home.exchange->Start();
        std::unique_ptr<Game> game = ThreePlayerGame();
        const QByteArray file = WriteGameFile(*game);
        const net::TurnPointer pointer = net::PointerFor(file, 1, 1);
        std::unique_ptr<net::PlaceBackend> other = net::MakeBackend(place, Password(), 5000);
        bool done = false;
        const auto put = [&](const QString& name, const QByteArray& bytes, const QString& tag) {
            done = false;
            other->Put(name, bytes, tag, [&](const net::Reply& r) { done = r.status == net::Status::Ok; });
            ASSERT_TRUE(WaitFor([&] { return done; }, 5000));
        };
        put(pointer.fileName(), file.left(file.size() / 2), {});
        put(QLatin1String(net::kPointerName), net::EncodePointer(pointer), {});
        Wait(1000);
        EXPECT_TRUE(home.received.isEmpty());
        ASSERT_EQ(home.problems.size(), 1);
        EXPECT_TRUE(home.problems[0].contains(QStringLiteral("не записан полностью")))
            << home.problems[0].toStdString();
        QString tag;
        other->Read(pointer.fileName(), {}, [&](const net::Reply& r) { tag = r.tag; });
        ASSERT_TRUE(WaitFor([&] { return !tag.isEmpty(); }, 5000));
        put(pointer.fileName(), file, tag);
        ASSERT_TRUE(WaitFor([&] { return !home.received.isEmpty(); }, 5000));
        EXPECT_EQ(home.received[0], pointer);
        EXPECT_EQ(home.problems.size(), 1);
    }
}

}  // namespace
}  // namespace tarq::testing
