// The command menu through the window: a second click on an object fills and
// opens PMenu; choosing an item acts; END TURN gives the moves back.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "MapWindowFixture.h"
#include "control/MapClick.h"
#include "ui/MapPage.h"
#include "ui/MapSurface.h"
#include "view/CacheTestSupport.h"

namespace tarq::testing {
namespace {

// The starting kit lands in this order.
constexpr int kGeneratorSlot = 2;
constexpr int kEngineerSlot = 4;
constexpr int kGeologistSlot = 5;

class CommandMenuWindowTest : public MapWindowTest {
protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        LandBase();
    }
    // Two clicks on the object: the first selects it, the second opens its menu.
    void OpenMenuOf(int slot) {
        const TCellPos at = game().Object(slot).Cells[1];
        ASSERT_EQ(ObjectAt(game(), at.col, at.row).object, slot);
        form->mapPage()->PMenu->hide();
        if (game().SelectedObject != slot) ClickCell(at.col, at.row);
        ClickCell(at.col, at.row);
        ASSERT_TRUE(form->mapPage()->PMenu->isVisible());
    }
    static QStringList Shown(const QMenu* menu) {
        QStringList shown;
        for (const QAction* action : menu->actions())
            if (action->isVisible()) shown << action->text();
        return shown;
    }
    static QAction* Find(const QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) return action;
            if (action->menu())
                if (QAction* inner = Find(action->menu(), text)) return inner;
        }
        return nullptr;
    }
};

const QString kTech = QStringLiteral(" Технические характеристики");

TEST_F(CommandMenuWindowTest, AUnitMenuArmsTheMoveAndEndTurnGivesTheMovesBack) {
    Game& g = game();
    TGameObject& geologist = g.Object(kGeologistSlot);
    ASSERT_EQ(geologist.TypeId, 9);
    OpenMenuOf(kGeologistSlot);
    EXPECT_EQ(Shown(form->mapPage()->PMenu), (QStringList{kTech, "Идти", "Отмена", "Путь"}));
    EXPECT_EQ(g.MoveArmed, 0);
    QAction* go = Find(form->mapPage()->PMenu, "Идти");
    ASSERT_NE(go, nullptr);
    go->trigger();
    EXPECT_EQ(g.MoveArmed, 1);
    EXPECT_GE(form->mapPage()->cursorNumber(), 9);  // the move pointer

    geologist.MovesLeft = 1;
    ASSERT_TRUE(form->mapPage()->ENDTURN->isEnabled());
    form->mapPage()->ENDTURN->click();
    EXPECT_EQ(geologist.MovesLeft, geologist.Stats.Speed);
    EXPECT_GT(geologist.MovesLeft, 1);
}

TEST_F(CommandMenuWindowTest, ABuilderListsItsTypesWithTheirOptions) {
    Game& g = game();
    ASSERT_EQ(g.Object(kEngineerSlot).Cargo, 40);
    OpenMenuOf(kEngineerSlot);
    EXPECT_EQ(Shown(form->mapPage()->PMenu), (QStringList{"Инженер Строить", kTech, "Идти", "Отмена", "Путь"}));
    QAction* generator = Find(form->mapPage()->PMenu, "Энергогенератор");
    ASSERT_NE(generator, nullptr);
    ASSERT_NE(generator->menu(), nullptr);
    EXPECT_TRUE(generator->isEnabled());
    EXPECT_EQ(Shown(generator->menu()), (QStringList{"Строить за 4  ходов (8/40)", "Строить за 2  ходов (16/40)",
                                                     "Строить за 1  ходов (24/40)"}));
    // Each option carries its order: the engineer builds type 40 in those turns with that material.
    QList<Order> orders;
    for (const QAction* option : generator->menu()->actions()) orders << option->data().value<Order>();
    const auto build = [](u8 turns, u8 material) {
        return Order{1, cmd::StartConstruction{kEngineerSlot, 40, turns, material}};
    };
    EXPECT_EQ(orders, (QList<Order>{build(4, 8), build(2, 16), build(1, 24)}));
    // Reopening rebuilds the menu instead of adding to it.
    const auto submenus = form->mapPage()->PMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly).size();
    OpenMenuOf(kEngineerSlot);
    EXPECT_EQ(form->mapPage()->PMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly).size(), submenus);
    EXPECT_EQ(form->mapPage()->PMenu->actions().size(), 11);
}

TEST_F(CommandMenuWindowTest, TechnicalDataAndTheDestructionOfAStructure) {
    Game& g = game();
    ASSERT_EQ(g.Object(kGeneratorSlot).TypeId, 40);
    OpenMenuOf(kGeneratorSlot);
    EXPECT_EQ(Shown(form->mapPage()->PMenu), (QStringList{kTech, "Уничтожить Энергогенератор", "Отмена"}));
    constexpr int kTechPage = 4;
    ASSERT_FALSE(form->PageControl1->isTabVisible(kTechPage));
    Find(form->mapPage()->PMenu, kTech)->trigger();
    EXPECT_TRUE(form->PageControl1->isTabVisible(kTechPage));
    EXPECT_EQ(form->PageControl1->currentIndex(), kTechPage);
    QAction* destroy = Find(form->mapPage()->PMenu, "Уничтожить строение");
    ASSERT_NE(destroy, nullptr);
    ASSERT_EQ(destroy->menu(), nullptr);
    destroy->trigger();
    EXPECT_EQ(g.Object(kGeneratorSlot).Owner, 0);
}

}  // namespace
}  // namespace tarq::testing
