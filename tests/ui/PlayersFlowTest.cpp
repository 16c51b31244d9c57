// Two players through the window: on one machine with the handover screen
// between their turns, and by passing the game file to a second window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QToolTip>

#include "MapWindowFixture.h"
#include "control/Sight.h"
#include "core/Catalogue.h"
#include "core/Players.h"
#include "gamefile/Autosave.h"
#include "setup/Launch.h"
#include "ui/HandoverScreen.h"
#include "ui/QtBitmap.h"
#include "ui/UiHelpers.h"
#include "view/Viewport.h"

namespace tarq::testing {
namespace {

class PlayersFlowTest : public MapWindowTest {
protected:
    void SetUp() override {}  // each test sets up its players first

    StartConditionsPage* conditions() { return form->newGamePage()->startConditions(); }
    u8 Sector(int sx) { return game().World.LandingSectors[sx][5]; }
    // Presses every sector of columns first..last on the grid over the preview.
    void PressSectors(int first, int last) {
        for (int sx = first; sx <= last; ++sx)
            for (int sy = 0; sy < kSectorGrid; ++sy)
                conditions()->Image2MouseDown(Qt::LeftButton, sx * kSectorPixels + 8, sy * kSectorPixels + 8);
    }
    // Player 1 of two sets up a game, lands in the left half and ends the turn.
    void FirstPlayerPlays() {
        OpenOnSyntheticGraph();
        conditions()->PlayersCount->setValue(2);
        EXPECT_TRUE(conditions()->FogBox->isChecked()) << "the fog is on for several players";
        if (!fog) conditions()->FogBox->click();
        conditions()->Button10->click();
        PressSectors(0, 4);
        form->newGamePage()->LaunchTARQ->click();
        ASSERT_EQ(form->PageControl1->currentIndex(), kPageMap) << messages.join("\n").toStdString();
        LandBase(false, true);
        form->mapPage()->ENDTURN->click();
    }
    // The joining page for player 2: the game's map and gold, player 1's sectors
    // taken and closed; they take a colour, claim the right half, start and land.
    void SecondPlayerJoins() {
        EXPECT_EQ(form->PageControl1->currentIndex(), kPageNewGame);
        EXPECT_FALSE(form->PageControl1->isTabVisible(kPageMap)) << "the map stays hidden until the start";
        EXPECT_FALSE(conditions()->PageControl3->isEnabled());
        EXPECT_FALSE(form->newGamePage()->restrictions()->Sstartmoney->isEnabled());
        EXPECT_EQ(CurrentPlayerEntry(game()).Credits, game().World.StartGold);
        EXPECT_EQ(Sector(0), kSectorTaken);
        PressSectors(0, 0);
        EXPECT_EQ(Sector(0), kSectorTaken);
        conditions()->ColorBox1Change(0);  // player 1's colour
        EXPECT_EQ(messages.size(), 1);
        conditions()->ColorBox1Change(3);
        EXPECT_EQ(conditions()->ColorBox1->currentIndex(), 3);
        PressSectors(5, 9);
        form->newGamePage()->LaunchTARQ->click();
        ASSERT_EQ(form->PageControl1->currentIndex(), kPageMap) << messages.join("\n").toStdString();
        EXPECT_EQ(game().CurrentPlayer, 2);
        LandBase(false, true);
        int theirs = 0;
        for (const TGameObject& o : game().World.Objects) theirs += o.Owner == 2 ? 1 : 0;
        EXPECT_GT(theirs, 0);
        EXPECT_EQ(game().Players.Table[2].Colour, 3);
    }
    HandoverScreen* handover() { return form->handoverScreen(); }
    bool fog = true;  // "Туман войны" left on
    // After END TURN the screen names the autosave to pass on; after a load, no file.
    void ExpectHandoverTo(int player, bool afterEndTurn = true) {
        ASSERT_TRUE(handover()->isVisible());
        EXPECT_EQ(handover()->Title->text(), QStringLiteral("Ход игрока %1").arg(player));
        EXPECT_EQ(handover()->geometry(), form->centralWidget()->rect()) << "it covers the whole window";
        EXPECT_EQ(handover()->Hint->text().contains(AutosaveFileName(game().GameId, 1)), afterEndTurn);
    }
};

TEST_F(PlayersFlowTest, TwoPlayersOnOneMachine) {
    fog = false;  // each sees the other's structures
    FirstPlayerPlays();
    EXPECT_EQ(game().Sight.On, 0);
    ExpectHandoverTo(2);
    QTest::keyClick(handover(), Qt::Key_Return);  // no END TURN behind the screen
    EXPECT_EQ(game().CurrentPlayer, 2);
    QTest::mouseClick(handover(), Qt::LeftButton);
    EXPECT_FALSE(handover()->isVisible());
    SecondPlayerJoins();
    form->mapPage()->ENDTURN->click();
    ExpectHandoverTo(1);
    QTest::mouseClick(handover(), Qt::LeftButton);
    EXPECT_EQ(form->PageControl1->currentIndex(), kPageMap);
    EXPECT_EQ(game().CurrentPlayer, 1);
    EXPECT_EQ(game().Turn, 2);
    EXPECT_EQ(Sector(0), kSectorClaimed);
    EXPECT_EQ(Sector(9), kSectorTaken);
    // The technical page lists both players' structures; the selected one is current.
    for (int slot = 1; slot <= kMaxObjects; ++slot)
        if (game().Object(slot).Owner == 2 && IsStructureType(game(), game().Object(slot).TypeId))
            game().SelectedObject = slot;
    ASSERT_GT(game().SelectedObject, 0);
    form->N41Click();
    const QListWidget* list = form->technicalPage()->StructureList;
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->currentItem()->data(Qt::UserRole).toInt(), game().SelectedObject);
    EXPECT_TRUE(list->currentItem()->text().endsWith(QStringLiteral(" — Игрок 2 (желтый)")));
    EXPECT_FALSE(list->findItems(QStringLiteral(" — Игрок 1 (синий)"), Qt::MatchEndsWith).isEmpty());
}

TEST_F(PlayersFlowTest, TheSecondPlayerJoinsFromTheFile) {
    FirstPlayerPlays();
    const QString file = QDir(form->autosave().folder()).filePath(AutosaveFileName(game().GameId, 1));
    form.reset();
    OpenWindow();
    form->show();
    ASSERT_TRUE(form->OpenGameFile(file)) << messages.join("\n").toStdString();
    ExpectHandoverTo(2, false);
    QTest::mouseClick(handover(), Qt::LeftButton);
    SecondPlayerJoins();
    form->mapPage()->ENDTURN->click();
    ExpectHandoverTo(1);
}

TEST_F(PlayersFlowTest, APlayerWhoHasNotLandedChoosesTheirSectorsAgainOnTheirTurn) {
    OpenOnSyntheticGraph();
    conditions()->PlayersCount->setValue(2);
    EXPECT_TRUE(conditions()->CheckBox2->isChecked()) << "several players always claim sectors";
    EXPECT_FALSE(conditions()->CheckBox2->isEnabled());
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages.last(), QString::fromUtf8(kSectorsRequiredMessage));
    PressSectors(0, 9);  // the first of two players gets half of them
    EXPECT_EQ(ClaimedSectorCount(game()), 50);
    EXPECT_FALSE(conditions()->SectorShareLine->isHidden());
    EXPECT_TRUE(conditions()->SectorShareLine->text().contains(QStringLiteral("не больше 50")));
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(form->PageControl1->currentIndex(), kPageMap) << messages.join("\n").toStdString();
    form->mapPage()->ENDTURN->click();  // without landing
    QTest::mouseClick(handover(), Qt::LeftButton);

    // Player 2 starts on the game's map, even one a start made without marking it generated.
    game().MapGenerated = 0;
    const auto terrain = game().World.Passability.cells;
    PressSectors(5, 9);
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(form->PageControl1->currentIndex(), kPageMap) << messages.join("\n").toStdString();
    EXPECT_TRUE(game().World.Passability.cells == terrain);
    LandBase(false, true);
    form->mapPage()->ENDTURN->click();
    QTest::mouseClick(handover(), Qt::LeftButton);

    // Player 1 gets the new-game page again and changes their sectors.
    EXPECT_EQ(game().CurrentPlayer, 1);
    EXPECT_EQ(form->PageControl1->currentIndex(), kPageNewGame);
    EXPECT_FALSE(form->PageControl1->isTabVisible(kPageMap));
    EXPECT_EQ(Sector(0), kSectorClaimed);
    PressSectors(0, 0);
    EXPECT_EQ(Sector(0), kSectorFree);
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(form->PageControl1->currentIndex(), kPageMap) << messages.join("\n").toStdString();
    LandBase(false, true);
}

}  // namespace
}  // namespace tarq::testing

namespace tarq::testing {
namespace {

// Under the fog (on by default for two players): the handover closes a menu
// and a tooltip of the player before, and player 1, back on the map, reads
// nothing of player 2's side far away, on the technical page or the minimap.
TEST_F(PlayersFlowTest, UnderTheFogNothingOfTheOtherSideShows) {
    FirstPlayerPlays();
    ASSERT_EQ(game().Sight.On, 1);
    QTest::mouseClick(handover(), Qt::LeftButton);
    SecondPlayerJoins();
    form->mapPage()->PMenu->addAction(QStringLiteral("Идти"));
    form->mapPage()->PMenu->popup(QPoint(20, 20));
    QToolTip::showText(QPoint(30, 30), QStringLiteral("подсказка игрока 2"), form->mapPage());
    form->mapPage()->ENDTURN->click();
    ExpectHandoverTo(1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu of player 2 over the screen";
    EXPECT_FALSE(QToolTip::isVisible());
    QTest::mouseClick(handover(), Qt::LeftButton);
    std::vector<TCellPos> hidden;
    for (int slot = 1; slot <= kMaxObjects; ++slot)
        if (game().Object(slot).Owner == 2 && !SeesObject(game(), 1, slot))
            hidden.push_back(game().Object(slot).Cells[1]);
    ASSERT_FALSE(hidden.empty()) << "player 2 landed out of player 1's sight";
    form->N41Click();
    const QListWidget* list = form->technicalPage()->StructureList;
    EXPECT_TRUE(list->findItems(QStringLiteral(" — Игрок 2 (желтый)"), Qt::MatchEndsWith).isEmpty());
    const QImage minimap = ToQImage(RebuildMinimap(game(), Bitmap(1, 1, 0xFF808080u)));
    for (const TCellPos& p : hidden)
        EXPECT_NE(minimap.pixel(p.col, p.row), QColor::fromRgb(TeamColourAt(3).base).rgb()) << p.col << "x" << p.row;
}

}  // namespace
}  // namespace tarq::testing
