// The map page's keys, the next-unit button and the hints of the left panel.
// Keys do what the mouse does: the arrows scroll like the scroll bars, + and -
// zoom like a wheel notch, Enter presses END TURN, Esc is a right press, Space
// a second click on the selection, Tab finds the next unit that can move,
// Ctrl+Z takes back the last order.
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "ui/MapPage.h"
#include "ui/MapSurface.h"
#include "ui/PageHost.h"
#include "ui/Widgets.h"

namespace tarq {

bool MapPage::KeyPressed(QKeyCombination key, bool autoRepeat) {
    if (!DXDraw->initialized()) return false;  // not launched yet
    const Qt::KeyboardModifiers mods = key.keyboardModifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier && key.key() == Qt::Key_Z) {
        if (!autoRepeat) UndoLastOrder();
        return true;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const bool shift = mods & Qt::ShiftModifier;
    const Game& g = host_.game();
    // A held key repeats the view's moves only: one press, one turn or menu.
    switch (key.key()) {
        case Qt::Key_Left: ScrollByKeys(-(shift ? g.VisibleCols : 1), 0); return true;
        case Qt::Key_Right: ScrollByKeys(shift ? g.VisibleCols : 1, 0); return true;
        case Qt::Key_Up: ScrollByKeys(0, -(shift ? g.VisibleRows : 1)); return true;
        case Qt::Key_Down: ScrollByKeys(0, shift ? g.VisibleRows : 1); return true;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            FormMouseWheelUp();
            RenderAndPresent();
            return true;
        case Qt::Key_Minus:
            FormMouseWheelDown();
            RenderAndPresent();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!autoRepeat) ENDTURN->click();
            return true;
        case Qt::Key_Escape:
            if (!autoRepeat) CancelWaiting();
            return true;
        case Qt::Key_Space:
            if (!autoRepeat) OpenSelectionMenu();
            return true;
        case Qt::Key_A:
            if (!autoRepeat) Submit(cmd::ArmAttack{});
            return true;
        case Qt::Key_Tab: SelectNextUnit(false); return true;
        case Qt::Key_Backtab: SelectNextUnit(true); return true;
        default: return false;
    }
}

void MapPage::ScrollByKeys(int dcol, int drow) {
    Submit(cmd::ScrollBy{static_cast<i16>(dcol), static_cast<i16>(drow)});
}

void MapPage::SelectNextUnit(bool backwards) { Submit(cmd::NextUnit{static_cast<u8>(backwards ? 1 : 0)}); }

void MapPage::OpenSelectionMenu() { Submit(cmd::OpenSelectionMenu{}); }

// Ctrl+Z and "Отменить": the player's last order of this turn is taken back,
// or the notice strip says why not.
void MapPage::UndoLastOrder() {
    if (Submit(cmd::Undo{}).accepted) ShowTurnSummary();
}

void MapPage::ShowNotice(const QString& text) {
    Notice->setText(text);
    if (text.isEmpty())
        NoticeTimer->stop();
    else
        NoticeTimer->start();
}

void MapPage::SetToolTips() {
    const std::pair<QWidget*, const char*> tips[] = {
        {ENDTURN, "Закончить ход: юниты снова получают ходы, стройки продвигаются (Enter)"},
        {Button16, "Выйти из игры"},
        {NextUnit, "Следующий юнит, который еще может ходить (Tab; Shift+Tab — предыдущий)"},
        {UndoButton, "Отменить последний приказ этого хода (Ctrl+Z)"},
        {CheckBox1, "Пока ни на что не влияет"},
        {SScale, "Масштаб карты (колесо мыши, клавиши + и -)"},
        {Button1, "Показать или скрыть залежи ископаемых"},
        {Button2, "Показать или скрыть хиты юнитов"},
        {Button3, "Показать или скрыть радиусы обзора"},
        {Button4, "Показать или скрыть состояние юнитов"},
        {Button5, "Показать или скрыть боезапас юнитов"},
        {Button6, "Показать или скрыть сетку клеток"},
        {Button7, "Подсветить или нет свои юниты"},
        {Button8, "Показать или скрыть радиусы стрельбы"},
        {Button9, "Показать или скрыть имена юнитов"},
        {Button11, "Показать или скрыть соединители между строениями"},
        {Image1, "Миникарта: рамка — видимая часть; щелчок или перетаскивание переносит туда вид"},
    };
    for (const auto& [widget, text] : tips) widget->setToolTip(QString::fromUtf8(text));
}

}  // namespace tarq
