// Moving between pages, the application's activation, and the settings page handlers.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest/QTest>
#include "ui/Widgets.h"

#include "WindowFixture.h"

namespace tarq::testing {
namespace {

class PageFlowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteStandardPictures();
        OpenWindow();
    }
};

TEST_F(PageFlowTest, NewGameButtonOpensPageZeroAndTabsMoveFreely) {
    QTest::mouseClick(form->welcomePage()->Button12, Qt::LeftButton);
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    // Picking a tab other than the map keeps the drawing timer off.
    form->PageControl1->setCurrentIndex(3);
    EXPECT_FALSE(form->mapPage()->DXTimer->isActive());
    form->PageControl1->setCurrentIndex(2);
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
}

TEST_F(PageFlowTest, TechnicalPageOpensFromTheMenuAndClosesBackToTheMap) {
    form->PageControl1->setTabVisible(1, true);
    form->N41Click();
    EXPECT_TRUE(form->PageControl1->isTabVisible(4));
    EXPECT_EQ(form->PageControl1->currentIndex(), 4);
    QTest::mouseClick(form->technicalPage()->Button15, Qt::LeftButton);
    EXPECT_EQ(form->PageControl1->currentIndex(), 1);
    EXPECT_FALSE(form->PageControl1->isTabVisible(4));
    // Opened again from the menu, then the user picks the map tab: the page's tab hides again.
    form->N41Click();
    form->PageControl1->setCurrentIndex(1);
    EXPECT_FALSE(form->PageControl1->isTabVisible(4));
    EXPECT_TRUE(form->mapPage()->DXTimer->isActive());
    form->PageControl1->setCurrentIndex(3);
    EXPECT_FALSE(form->mapPage()->DXTimer->isActive());
}

TEST_F(PageFlowTest, CodeSwitchesDoNotStopTheDrawingTimer) {
    form->PageControl1->setTabVisible(1, true);
    form->PageControl1->setCurrentIndex(1);
    ASSERT_TRUE(form->mapPage()->DXTimer->isActive());
    form->N41Click();
    EXPECT_TRUE(form->mapPage()->DXTimer->isActive());
}

TEST_F(PageFlowTest, InnerPageChangeHidesThePurchaseCard) {
    form->newGamePage()->Image5->show();
    form->newGamePage()->StaticText4->show();
    form->newGamePage()->StaticText6->show();
    form->newGamePage()->PageControl2->setCurrentIndex(2);
    EXPECT_TRUE(form->newGamePage()->Image5->isHidden());
    EXPECT_TRUE(form->newGamePage()->StaticText4->isHidden());
    EXPECT_TRUE(form->newGamePage()->StaticText6->isHidden());
}

// The map draws unless pausing is on and the player switched to another
// application: also in a window never activated (a game opened from the
// command line behind another window), and in the next window when pausing
// is off in the settings file.
TEST_F(PageFlowTest, DrawingPausesOnlyWhileAwayWithPausingOn) {
    Game& g = form->game();
    EXPECT_EQ(g.AppActive, 1);
    g.RightDrag = 1;
    form->ApplicationEvents1Deactivate();
    EXPECT_EQ(g.AppActive, 0);
    EXPECT_EQ(g.RightDrag, 0);
    form->ApplicationEvents1Activate();
    EXPECT_EQ(g.AppActive, 1);
    form->ApplicationEvents1Deactivate();
    form->settingsPage()->CheckBox6->setChecked(false);  // unticked while away: drawing goes on
    EXPECT_EQ(g.AppActive, 1);
    g.RightDrag = 1;
    form->ApplicationEvents1Deactivate();
    EXPECT_EQ(g.AppActive, 1);
    EXPECT_EQ(g.RightDrag, 0);
    OpenWindow();
    ASSERT_EQ(form->game().Settings.PauseWhenInactive, 0);
    EXPECT_EQ(form->game().AppActive, 1);
}

TEST_F(PageFlowTest, HighResolutionGeologyNeedsItsFile) {
    // Without the file: any click ends unticked with the message.
    form->settingsPage()->CheckBox3->click();
    EXPECT_FALSE(form->settingsPage()->CheckBox3->isChecked());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Нет файла с картинками... Нарисуй сам. (размер спрайта 63х63), и назови "
                                          "его GEO1.bmp, цветность оставь ту же самую"));
    // With the file (any case of its name): the box ticks and unticks silently.
    WriteBitmap("graph/geo1.BMP", Bitmap(63 * 4, 63));
    form->settingsPage()->CheckBox3->click();
    EXPECT_TRUE(form->settingsPage()->CheckBox3->isChecked());
    form->settingsPage()->CheckBox3->click();
    EXPECT_FALSE(form->settingsPage()->CheckBox3->isChecked());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(PageFlowTest, StructureListShowsOneLinePerSlotInUse) {
    form->settingsPage()->Button17Click();
    EXPECT_EQ(form->settingsPage()->ListBox2->count(), 0);
    Game& g = form->game();
    auto place = [&](int slot, int owner, int type, int col, int row) {
        TGameObject& o = g.World.Objects[slot];
        o.Owner = static_cast<u8>(owner);
        o.TypeId = static_cast<i16>(type);
        for (auto& c : o.Cells) c = {static_cast<i16>(col), static_cast<i16>(row)};
    };
    place(1, 1, 38, 12, 40);
    place(2, 0, 3, 5, 5);  // owner 0: skipped
    place(7, 1, 64, 3, 101);
    form->settingsPage()->Button17Click();
    ASSERT_EQ(form->settingsPage()->ListBox2->count(), 2);
    EXPECT_EQ(form->settingsPage()->ListBox2->item(0)->text(), QStringLiteral("Завод тяжелой техники 12x40"));
    EXPECT_EQ(form->settingsPage()->ListBox2->item(1)->text(), QStringLiteral("Ракетница 3x101"));
}

}  // namespace
}  // namespace tarq::testing

namespace tarq::testing {
namespace {

TEST_F(PageFlowTest, OverlayButtonsSitInThreeRowsFromTheBottomOfTheirPanel) {
    form->show();
    form->mapPage()->PageControl1Resize();
    const QRect b7 = form->mapPage()->Button7->geometry(), b8 = form->mapPage()->Button8->geometry(),
                b9 = form->mapPage()->Button9->geometry();
    const QRect b4 = form->mapPage()->Button4->geometry(), b1 = form->mapPage()->Button1->geometry(),
                b11 = form->mapPage()->Button11->geometry();
    EXPECT_EQ(b7.left(), 1);
    EXPECT_EQ(b7.top() + b7.height(), form->mapPage()->Panel3->height());
    EXPECT_EQ(b8.left(), b7.left() + b7.width());
    EXPECT_EQ(b9.left(), b8.left() + b8.width());
    EXPECT_EQ(b8.top(), b7.top());
    EXPECT_EQ(b4.top(), b7.top() - b4.height());
    EXPECT_EQ(b1.top(), b4.top() - b1.height());
    EXPECT_EQ(b11.left(), 1);
    EXPECT_EQ(b11.top() + b11.height(), b1.top());
    EXPECT_TRUE(form->mapPage()->Button11->font().bold());
    EXPECT_TRUE(form->mapPage()->Button9->font().strikeOut());
}

}  // namespace
}  // namespace tarq::testing
