// A network game in the window: player 1 puts the game in a shared folder and
// ends the turn; the turn goes there, the handover leads back to the welcome
// page, whose list follows the game; player 2's machine (an exchange of its
// own) answers, and the window tells player 1 and opens their turn.
#include <QTemporaryDir>
#include <QTreeWidget>

#include <QSpinBox>

#include "MapWindowFixture.h"
#include "control/EndTurn.h"
#include "gamefile/GameFile.h"
#include "ui/HandoverScreen.h"
#include "ui/NetPlay.h"
#include "ui/NewGamePage.h"
#include "ui/StartConditionsPage.h"
#include "ui/UiHelpers.h"
#include "ui/WelcomePage.h"

namespace tarq::testing {
namespace {

TEST_F(MapWindowTest, NetworkGameGoesToItsPlaceAndComesBack) {
    OpenOnSyntheticGraph();
    form->newGamePage()->startConditions()->PlayersCount->setValue(2);
    form->newGamePage()->startConditions()->Button10->click();
    for (int sx = 0; sx < 5; ++sx)
        for (int sy = 0; sy < kSectorGrid; ++sy)
            form->newGamePage()->startConditions()->Image2MouseDown(Qt::LeftButton, sx * kSectorPixels + 8,
                                                                    sy * kSectorPixels + 8);
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(form->PageControl1->currentIndex(), kPageMap) << messages.join("\n").toStdString();
    LandBase(false, true);

    QTemporaryDir shared, otherMachine;
    net::GamePlace place;
    place.folder = shared.path();
    place.gameId = QStringLiteral("flow-game");
    form->netPlay()->SetPollSeconds(2);
    form->netPlay()->Add(place, {}, &game());
    form->mapPage()->ENDTURN->click();
    HandoverScreen* handover = form->handoverScreen();
    ASSERT_TRUE(handover->isVisible());
    EXPECT_TRUE(handover->Hint->text().startsWith(QStringLiteral("Ход отправлен в «")))
        << handover->Hint->text().toStdString();
    QTest::mouseClick(handover, Qt::LeftButton);
    EXPECT_EQ(form->PageControl1->currentIndex(), kPageWelcome) << "player 2 plays on another machine";
    EXPECT_FALSE(form->PageControl1->isTabVisible(kPageMap));
    QTreeWidget* list = form->welcomePage()->NetGames;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return list->topLevelItemCount() == 1 && list->topLevelItem(0)->text(1) == QStringLiteral("ход 1: игрок 2");
    }));

    // Player 2's machine takes the turn, ends it and puts it back.
    place.seat = 2;
    net::ExchangeOptions options;
    options.dataFolder = otherMachine.path();
    options.pollMs = 200;
    net::TurnExchange other(place, net::MakeBackend(place, {}, 5000), options);
    QString received;
    QObject::connect(&other, &net::TurnExchange::turnReceived, [&](auto&, const QString& path) { received = path; });
    other.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }));
    LoadedGame theirs = LoadGameFile(received);
    ASSERT_TRUE(theirs);
    EndTurn(*theirs.game);
    other.Send(WriteGameFile(*theirs.game), theirs.game->Turn, 1);

    ASSERT_TRUE(
        QTest::qWaitFor([&] { return list->topLevelItem(0)->text(1) == QStringLiteral("ход 2: ваш ход"); }, 8000));
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Ваш ход!")));
    ASSERT_TRUE(form->OpenNetGame(place.gameId));
    EXPECT_FALSE(form->windowTitle().startsWith(QStringLiteral("Ваш ход!")));
    QTest::mouseClick(handover, Qt::LeftButton);
    EXPECT_EQ(form->PageControl1->currentIndex(), kPageMap);
    EXPECT_EQ(game().CurrentPlayer, 1);
    EXPECT_EQ(game().Turn, 2);
    EXPECT_EQ(form->netPlay()->shown(), place.gameId);
}

}  // namespace
}  // namespace tarq::testing
