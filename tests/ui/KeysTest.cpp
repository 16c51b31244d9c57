// The map page's keys on a landed base: what each key changes (and that it
// changes nothing else), the next-unit order, and the states in which keys
// must do nothing.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "MapWindowFixture.h"
#include "control/KeyOrders.h"
#include "ui/KeysCard.h"

namespace tarq::testing {
namespace {

// The starting kit lands in this order: two structures, then three units.
constexpr int kConstructorSlot = 3;
constexpr int kEngineerSlot = 4;
constexpr int kGeologistSlot = 5;

// What a key may change.
struct Seen {
    int firstCol, firstRow, centreCol, centreRow, scale, moveArmed, selected, engineerMoves;
    bool menu;
    bool operator==(const Seen&) const = default;
};

// The first visible cell of a view centred on `centre`, as the next frame holds it.
int FirstFor(int centre, int visible, int mapSize) {
    return std::clamp(centre - visible / 2, 1, std::max(1, mapSize - visible));
}

// The expected view moved by whole cells within the map, its centre following.
void ExpectScrolled(Seen& s, const Game& g, int dcol, int drow) {
    s.firstCol = std::clamp(s.firstCol + dcol, 1, std::max(1, g.World.MapWidth - g.VisibleCols));
    s.firstRow = std::clamp(s.firstRow + drow, 1, std::max(1, g.World.MapHeight - g.VisibleRows));
    s.centreCol = s.firstCol + g.VisibleCols / 2, s.centreRow = s.firstRow + g.VisibleRows / 2;
}

// Centres the expected view on the object in `slot`.
void ExpectCentredOn(Seen& s, const Game& g, int slot) {
    const TCellPos at = g.Object(slot).Cells[1];
    s.centreCol = at.col, s.centreRow = at.row;
    s.firstCol = FirstFor(at.col, g.VisibleCols, g.World.MapWidth);
    s.firstRow = FirstFor(at.row, g.VisibleRows, g.World.MapHeight);
}

class KeysTest : public MapWindowTest {
protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        LandBase();
        CentreViewOn(game(), 25, 25);
        form->mapPage()->RenderAndPresent();
    }
    Seen Look() {
        const Game& g = game();
        const TViewSettings& v = g.ViewSettings;
        return {v.FirstCol,
                v.FirstRow,
                v.ViewCenterCol,
                v.ViewCenterRow,
                v.Scale,
                g.MoveArmed,
                g.SelectedObject,
                g.Object(kEngineerSlot).MovesLeft,
                form->mapPage()->PMenu->isVisible()};
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(form->mapPage()->DXDraw, key, mods); }
};

TEST_F(KeysTest, EachKeyMakesItsChangeAndNoOther) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        void (*prepare)(Game&, MapPage&);
        void (*expect)(Seen&, const Game&);
    };
    auto none = [](Game&, MapPage&) {};
    const Case cases[] = {
        {"right", Qt::Key_Right, {}, none, [](Seen& s, const Game& g) { ExpectScrolled(s, g, 1, 0); }},
        {"left", Qt::Key_Left, {}, none, [](Seen& s, const Game& g) { ExpectScrolled(s, g, -1, 0); }},
        {"down", Qt::Key_Down, {}, none, [](Seen& s, const Game& g) { ExpectScrolled(s, g, 0, 1); }},
        {"up", Qt::Key_Up, {}, none, [](Seen& s, const Game& g) { ExpectScrolled(s, g, 0, -1); }},
        {"shift right", Qt::Key_Right, Qt::ShiftModifier, none,
         [](Seen& s, const Game& g) { ExpectScrolled(s, g, g.VisibleCols, 0); }},
        {"shift up", Qt::Key_Up, Qt::ShiftModifier, none,
         [](Seen& s, const Game& g) { ExpectScrolled(s, g, 0, -g.VisibleRows); }},
        {"plus",
         Qt::Key_Plus,
         {},
         none,
         [](Seen& s, const Game& g) {
             s.scale += 2, s.firstCol = s.centreCol - g.VisibleCols / 2, s.firstRow = s.centreRow - g.VisibleRows / 2;
         }},
        {"keypad minus", Qt::Key_Minus, Qt::KeypadModifier, none,
         [](Seen& s, const Game& g) {
             s.scale -= 2, s.firstCol = s.centreCol - g.VisibleCols / 2, s.firstRow = s.centreRow - g.VisibleRows / 2;
         }},
        {"enter ends the turn",
         Qt::Key_Return,
         {},
         [](Game& g, MapPage&) { g.Object(kEngineerSlot).MovesLeft = 0; },
         [](Seen& s, const Game& g) { s.engineerMoves = g.Object(kEngineerSlot).Stats.Speed; }},
        {"keypad enter while END TURN is off", Qt::Key_Enter, Qt::KeypadModifier,
         [](Game& g, MapPage& page) { g.Object(kEngineerSlot).MovesLeft = 0, page.ENDTURN->setEnabled(false); },
         [](Seen&, const Game&) {}},
        {"escape disarms",
         Qt::Key_Escape,
         {},
         [](Game& g, MapPage&) { g.MoveArmed = 1; },
         [](Seen& s, const Game&) { s.moveArmed = 0; }},
        {"space opens the menu",
         Qt::Key_Space,
         {},
         [](Game& g, MapPage&) {
             g.SelectedObject = kEngineerSlot;
             CentreViewOn(g, g.Object(kEngineerSlot).Cells[1].col, g.Object(kEngineerSlot).Cells[1].row);
         },
         [](Seen& s, const Game&) { s.menu = true; }},
        {"space on a selection off the surface centres on it",
         Qt::Key_Space,
         {},
         [](Game& g, MapPage&) { g.SelectedObject = kEngineerSlot; },
         [](Seen& s, const Game& g) { s.menu = true, ExpectCentredOn(s, g, kEngineerSlot); }},
        {"space without a selection",
         Qt::Key_Space,
         {},
         [](Game& g, MapPage&) { g.SelectedObject = 0; },
         [](Seen&, const Game&) {}},
        {"tab",
         Qt::Key_Tab,
         {},
         [](Game& g, MapPage&) { g.SelectedObject = 0; },
         [](Seen& s, const Game& g) {
             s.selected = kConstructorSlot, s.moveArmed = 1, ExpectCentredOn(s, g, kConstructorSlot);
         }},
        {"ctrl+right is no key of the map", Qt::Key_Right, Qt::ControlModifier, none, [](Seen&, const Game&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CentreViewOn(game(), 25, 25);
        form->mapPage()->RenderAndPresent();
        form->mapPage()->PMenu->hide();
        c.prepare(game(), *form->mapPage());
        ClampView(game());
        Seen expected = Look();
        Press(c.key, c.mods);
        c.expect(expected, game());
        ClampView(game());
        EXPECT_EQ(Look(), expected);
        form->mapPage()->ENDTURN->setEnabled(true);
    }
}

TEST_F(KeysTest, TabGoesRoundTheUnitsThatCanMoveByNumber) {
    Game& g = game();
    // The constructor has spent its moves and the geologist has an order: only
    // the engineer and a second unit made here are left.
    g.Object(kConstructorSlot).MovesLeft = 0;
    g.Object(kGeologistSlot).OrderState = 1;
    g.Object(7) = g.Object(kEngineerSlot);
    g.Object(6) = g.Object(kEngineerSlot);
    g.Object(6).Owner = 2;  // not ours
    const struct {
        Qt::KeyboardModifiers mods;
        int selected;
    } steps[] = {
        {{}, kEngineerSlot}, {{}, 7}, {{}, kEngineerSlot}, {Qt::ShiftModifier, 7}, {Qt::ShiftModifier, kEngineerSlot}};
    g.SelectedObject = 0;
    for (const auto& step : steps) {
        Press(step.mods ? Qt::Key_Backtab : Qt::Key_Tab, step.mods);
        EXPECT_EQ(g.SelectedObject, step.selected);
    }
    EXPECT_TRUE(form->mapPage()->Notice->text().isEmpty());
    form->mapPage()->NextUnit->click();
    EXPECT_EQ(g.SelectedObject, 7);
    g.Object(kEngineerSlot).MovesLeft = g.Object(7).MovesLeft = 0;
    Press(Qt::Key_Tab);
    EXPECT_EQ(g.SelectedObject, 7);
    EXPECT_EQ(form->mapPage()->Notice->text(), QStringLiteral("Все юниты походили"));
}

TEST_F(KeysTest, NoKeyActsWhileAMenuADialogOrATextFieldHasIt) {
    struct Case {
        const char* name;
        QWidget* (*open)(TMainForm&);  // what has the key
    };
    const Case cases[] = {
        {"command menu",
         [](TMainForm& f) -> QWidget* {
             f.game().SelectedObject = kEngineerSlot;
             f.mapPage()->OpenSelectionMenu();
             return f.mapPage()->PMenu;
         }},
        {"keys card",
         [](TMainForm& f) -> QWidget* {
             f.ShowKeysCard();
             return f.keysCard();
         }},
        {"modal dialog over the map",
         [](TMainForm& f) -> QWidget* {
             auto* box = new QDialog(&f);
             box->setAttribute(Qt::WA_DeleteOnClose);
             box->open();
             return f.mapPage()->DXDraw;
         }},
        {"settings field",
         [](TMainForm& f) -> QWidget* {
             f.PageControl1->setCurrentIndex(3);
             f.settingsPage()->SFPS2->setFocus();
             return f.settingsPage()->SFPS2;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* target = c.open(*form);
        const Seen before = Look();
        game().Object(kEngineerSlot).MovesLeft = 0;
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Plus, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Space})
            QTest::keyClick(target, key);
        Seen after = Look();
        after.menu = before.menu;  // the menu's own keys may close it
        EXPECT_EQ(after, (Seen{before.firstCol, before.firstRow, before.centreCol, before.centreRow, before.scale,
                               before.moveArmed, before.selected, 0, before.menu}));
        form->mapPage()->PMenu->hide();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        if (form->keysCard()) form->keysCard()->hide();
        form->PageControl1->setCurrentIndex(1);
    }
    EXPECT_EQ(form->settingsPage()->SFPS2->text(), QStringLiteral("10+ "));  // typed, not taken as commands
}

}  // namespace
}  // namespace tarq::testing
