#include "Monkey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <vector>

#include "setup/Launch.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/MapSurface.h"
#include "ui/NewGamePage.h"
#include "ui/PurchasesPage.h"
#include "ui/RestrictionsPage.h"
#include "ui/StartConditionsPage.h"
#include "ui/UiHelpers.h"
#include "ui/WelcomePage.h"
#include "ui/Widgets.h"

namespace tarq::monkey {
namespace {

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
const Key kKeys[] = {{Qt::Key_Tab, {}},
                     {Qt::Key_Backtab, Qt::ShiftModifier},
                     {Qt::Key_Tab, Qt::ControlModifier},
                     {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
                     {Qt::Key_Left, {}},
                     {Qt::Key_Right, {}},
                     {Qt::Key_Up, {}},
                     {Qt::Key_Down, {}},
                     {Qt::Key_Escape, {}},
                     {Qt::Key_A, {}},
                     {Qt::Key_Return, {}},
                     {Qt::Key_Enter, Qt::KeypadModifier},
                     {Qt::Key_Space, {}},
                     {Qt::Key_PageUp, {}},
                     {Qt::Key_PageDown, {}},
                     {Qt::Key_Home, {}},
                     {Qt::Key_End, {}},
                     {Qt::Key_Backspace, {}},
                     {Qt::Key_Delete, {}},
                     {Qt::Key_7, {}},
                     {Qt::Key_0, {}},
                     {Qt::Key_X, {}},
                     {Qt::Key_Minus, {}},
                     {Qt::Key_Plus, {}},
                     {Qt::Key_F1, {}},
                     {Qt::Key_A, Qt::ControlModifier},
                     {Qt::Key_C, Qt::ControlModifier},
                     {Qt::Key_V, Qt::ControlModifier},
                     {Qt::Key_S, Qt::ControlModifier},
                     {Qt::Key_Z, Qt::ControlModifier},
                     {Qt::Key_O, Qt::ControlModifier},
                     {Qt::Key_N, Qt::AltModifier}};
// What a player presses in a menu or a dialog.
const Key kAnswerKeys[] = {{Qt::Key_Up, {}},    {Qt::Key_Down, {}},   {Qt::Key_Left, {}},
                           {Qt::Key_Right, {}}, {Qt::Key_Return, {}}, {Qt::Key_Escape, {}},
                           {Qt::Key_Space, {}}, {Qt::Key_Tab, {}},    {Qt::Key_End, {}}};

QWidget* OpenPopupOrModal() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return QApplication::activeModalWidget();
}

// The widget's name, or its class and its nearest named ancestor; buttons add their caption.
std::string Describe(const QWidget* w) {
    QString name = w->objectName();
    if (name.isEmpty()) {
        name = QString::fromLatin1(w->metaObject()->className());
        const QWidget* a = w->parentWidget();
        while (a && a->objectName().isEmpty()) a = a->parentWidget();
        if (a) name += QStringLiteral(" in ") + a->objectName();
    }
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) name += QStringLiteral(" '%1'").arg(b->text());
    return name.toStdString();
}

std::string Where(QPoint p) { return " at " + std::to_string(p.x()) + "," + std::to_string(p.y()); }

bool Usable(const QWidget* w) { return w->isVisible() && w->isEnabled() && w->width() > 0 && w->height() > 0; }

bool IsControl(const QWidget* w) {
    for (const char* kind : {"QAbstractButton", "QAbstractSlider", "QComboBox", "QLineEdit", "QTabBar",
                             "QAbstractScrollArea", "tarq::PointerWidget"})
        if (w->inherits(kind)) return true;
    return false;
}

// The visible, enabled widgets of `root`'s window (controls only, or any).
// The frame-rate read-out is left out: its width follows the clock, and so
// would the point picked in it.
std::vector<QWidget*> Reachable(QWidget* root, bool controlsOnly) {
    std::vector<QWidget*> found;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (Usable(w) && w->window() == root->window() && (!controlsOnly || IsControl(w)) &&
            w->objectName() != QLatin1String("StaticText9"))
            found.push_back(w);
    return found;
}

// The widget shown on top at `p` of `w`, as the window system would find it;
// `p` becomes its coordinates.
QWidget* OnTop(QWidget* w, QPoint& p) {
    QWidget* top = w->window();
    const QPoint inTop = w->mapTo(top, p);
    QWidget* hit = top->childAt(inTop);
    if (!hit) hit = top;
    p = hit->mapFrom(top, inTop);
    return hit;
}

// Slots of the current player's objects.
std::vector<int> OwnObjects(const Game& g) {
    std::vector<int> own;
    for (int slot = 1; slot <= kMaxObjects; ++slot)
        if (g.Object(slot).Owner == g.CurrentPlayer && g.Object(slot).CellCount > 0) own.push_back(slot);
    return own;
}

bool QuitButton(const QWidget* w) {
    return w->objectName() == QLatin1String("Button14") || w->objectName() == QLatin1String("Button16");
}

}  // namespace

Monkey::Monkey(std::uint64_t seed, std::filesystem::path workDir) : rng_(seed), workDir_(std::move(workDir)) {
    // Outside the window's loop timers never fire; inside a nested one (a
    // dialog's exec) this one answers what waits there.
    guard_.setInterval(0);
    QObject::connect(&guard_, &QTimer::timeout, [this] {
        if (QWidget* open = OpenPopupOrModal()) guardLog_ += "; in a nested loop, " + Answer(open);
    });
    OpenWindow();
}

Monkey::~Monkey() {
    form_.reset();
    Settle();
}

void Monkey::OpenWindow() {
    form_.reset();
    Settle();
    // The offscreen platform reports the application active once per process,
    // never inactive: a later window is told what the first one heard.
    const bool active = QGuiApplication::applicationState() == Qt::ApplicationActive;
    form_ = std::make_unique<TMainForm>(workDir_);
    form_->random() = RandomSource([this] { return static_cast<std::uint32_t>(rng_()); });
    // The game id the window took from the clock, from the monkey's source
    // instead: it names the autosaves a file dialog lists.
    form_->game().GameId = NewGameId(form_->random());
    form_->random().Reseed();
    // The drawing tick's clock: each tick a few milliseconds on, from the seed.
    form_->mapPage()->SetClock([this] { return now_ += R(40); });
    // A player never heard, on the same clock: every order's sounds go through
    // the mapping and the player's limits, and no audio device is opened.
    SoundLimits unheard;
    unheard.silent = true;
    form_->UseSound(workDir_ / "sounds", unheard, [this] { return now_; });
    form_->show();
    form_->activateWindow();
    Settle();
    if (active) form_->ApplicationEvents1Activate();
    launched_ = landed_ = false;
}

void Monkey::Settle() {
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool Monkey::InPlay() const {
    return form_ && form_->isVisible() && form_->PageControl1->currentIndex() == kPageMap &&
           CurrentPlayerEntry(form_->game()).BasePlaced == 1;
}

std::string Monkey::Count(const std::string& kind, std::string done) {
    ++counts_[kind];
    return kind + ": " + done;
}

// --- One event ------------------------------------------------------------------------

std::string Monkey::Step() {
    if (!form_->isVisible()) {
        OpenWindow();
        return Count("window", "the window was closed; a new one");
    }
    // The offscreen platform gives the focus back to no window when a dialog
    // or menu closes; a desktop gives it back to the main window.
    if (!QApplication::activeWindow()) {
        form_->activateWindow();
        Settle();
    }
    guardLog_.clear();
    guard_.start();
    std::string done;
    const int page = form_->PageControl1->currentIndex();
    const bool launched = form_->PageControl1->isTabVisible(kPageMap);
    MapPage* map = form_->mapPage();
    const int roll = R(100);
    if (QWidget* open = OpenPopupOrModal())
        done = Count("answer", Answer(open));
    else if (page == kPageMap && roll < 35)
        done = Count("map", ClickMap());
    else if (page == kPageMap && roll < 42)
        done = Count("end turn", ClickNamed(map->ENDTURN));
    else if (page == kPageMap && roll < 50)
        done = Count("tick", Tick());
    else if (page == kPageMap && roll < 53)
        done = Count("minimap", Click(map->Image1, PointIn(map->Image1)));
    else if (page != kPageMap && launched && roll < 30)
        done = Count("to the map", Reach(map->DXDraw));
    else if (page == kPageWelcome && roll < 30)
        done = Count("setup", Reach(form_->welcomePage()->Button12));
    else if (page == kPageNewGame && roll < 40)
        done = Count("setup", Setup());
    else if (!launched && page != kPageNewGame && roll < 20)
        done = Count("setup", Reach(form_->newGamePage()->LaunchTARQ));
    else
        done = Generic();
    Settle();
    guard_.stop();
    if (!form_->isVisible()) return done;
    if (!launched_ && form_->PageControl1->isTabVisible(kPageMap)) ++counts_["launches"];
    if (!landed_ && CurrentPlayerEntry(form_->game()).BasePlaced == 1) ++counts_["landings"];
    launched_ = form_->PageControl1->isTabVisible(kPageMap);
    landed_ = CurrentPlayerEntry(form_->game()).BasePlaced == 1;
    return done + guardLog_;
}

std::string Monkey::Generic() {
    // Windows of their own that leave the main window usable (the card of keys).
    std::vector<QDialog*> dialogs;
    for (QDialog* dialog : form_->findChildren<QDialog*>())
        if (dialog->isVisible()) dialogs.push_back(dialog);
    if (!dialogs.empty() && Chance(20))
        return Count("dialog", AnswerDialog(dialogs[static_cast<std::size_t>(R(static_cast<int>(dialogs.size())))]));
    const int roll = R(100);
    if (roll < 45) return Count("control", ClickControl(true));
    if (roll < 58) return Count("widget", ClickControl(false));
    if (roll < 80) return Count("key", PressKey(nullptr));
    if (roll < 88) return Count("tab", ClickTab());
    if (roll < 94) return Count("wheel", TurnWheel());
    if (roll < 98) return Count("tick", Tick());
    return Count("resize", Resize());
}

// The window manager resizes the window, maximizes it or gives it back its size.
std::string Monkey::Resize() {
    const int how = R(4);
    if (how == 0)
        form_->showMaximized();
    else if (how == 1)
        form_->showNormal();
    else
        form_->resize(400 + R(900), 300 + R(700));
    const QSize size = form_->size();
    return std::to_string(size.width()) + " x " + std::to_string(size.height());
}

// The new-game page's way to a game: gold, purchases, a map, the start button.
std::string Monkey::Setup() {
    NewGamePage* page = form_->newGamePage();
    const int roll = R(100);
    if (roll < 40) return Buy();
    if (roll < 60) {
        const auto golds = page->restrictions()->Sstartmoney->findChildren<QRadioButton*>();
        return Reach(golds[R(static_cast<int>(golds.size()))]);
    }
    if (roll < 68) return Reach(page->startConditions()->Button10);
    if (roll < 76) return FixNumberField();
    if (roll < 84) {  // a landing sector
        ImageBox* sectors = page->startConditions()->Image2;
        return Usable(sectors) ? LeftClick(sectors, PointIn(sectors)) : Reach(sectors);
    }
    if (roll < 88) {  // a game of up to three players
        QSpinBox* players = page->startConditions()->PlayersCount;
        if (!Usable(players)) return Reach(players);
        players->setValue(1 + R(3));
        return "Игроков " + std::to_string(players->value());
    }
    return Reach(page->LaunchTARQ);
}

// A number field that keys made no number gets a number again: the field
// clicked, its text selected and typed over.
std::string Monkey::FixNumberField() {
    for (QLineEdit* field : form_->findChildren<QLineEdit*>()) {
        bool number = false;
        field->text().toInt(&number);
        if (number || field->parentWidget()->inherits("QComboBox")) continue;
        if (!Usable(field)) return Reach(field);
        std::string done = LeftClick(field, field->rect().center());
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::number(1 + R(30)));
        return done + ", typed " + field->text().toStdString();
    }
    return Reach(form_->newGamePage()->LaunchTARQ);
}

// --- Mouse ------------------------------------------------------------------------------

// A press on a window other than the active one makes it active first, as
// a desktop does (menus and other popups are never made active).
void Monkey::Activate(QWidget* w) {
    QWidget* window = w->window();
    if (QApplication::activeWindow() == window || window->windowType() == Qt::Popup) return;
    window->activateWindow();
    Settle();
}

void Monkey::Hover(QWidget* w, QPoint p) {
    QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QSpontaneKeyEvent::setSpontaneous(&move);
    qApp->notify(w, &move);
}

std::string Monkey::Click(QWidget* w, QPoint p, bool allowDrag) {
    // Where a drag would end: in `w` or a little beyond it.
    const QPoint end = w->mapToGlobal(QPoint(R(w->width() + 40) - 20, R(w->height() + 40) - 20));
    QPointer<QWidget> target = OnTop(w, p);
    std::string done = Describe(target) + Where(p);
    Activate(target);
    Hover(target, p);
    if (!target) return done;
    const int b = R(100);
    const Qt::MouseButton button = b < 75 ? Qt::LeftButton : b < 95 ? Qt::RightButton : Qt::MiddleButton;
    const char* name = button == Qt::LeftButton ? "" : button == Qt::RightButton ? " right" : " middle";
    const int how = R(100);
    if (how < 75 || !allowDrag) {
        // Now and then with Shift: on the map, a path planned and ordered.
        const bool shift = Chance(10);
        QTest::mouseClick(target, button, shift ? Qt::ShiftModifier : Qt::KeyboardModifiers{}, p);
        return done + name + (shift ? " shift+click" : " click");
    }
    // The release goes where the press went (to the window when that widget is gone).
    auto release = [&](QPoint at) { QTest::mouseRelease(target ? target.data() : form_.get(), button, {}, at); };
    if (how < 85) {
        QTest::mouseClick(target, button, {}, p);
        if (!target) return done + name + " click";
        QTest::mouseDClick(target, button, {}, p);
        release(p);
        return done + name + " double click";
    }
    // A drag within the widget and sometimes beyond it.
    const QPoint to = target->mapFromGlobal(end);
    QTest::mousePress(target, button, {}, p);
    for (int step = 1; step <= 3 && target; ++step) QTest::mouseMove(target, p + (to - p) * step / 3);
    release(to);
    return done + name + " drag to" + Where(to);
}

std::string Monkey::LeftClick(QWidget* w, QPoint p) {
    Activate(w);
    Hover(w, p);
    QTest::mouseClick(w, Qt::LeftButton, {}, p);
    return Describe(w) + Where(p) + " click";
}

std::string Monkey::ClickNamed(QWidget* control) {
    return Usable(control) ? LeftClick(control, control->rect().center()) : Generic();
}

// Clicks `control` when it is on show, otherwise the tab of the page that holds it.
std::string Monkey::Reach(QWidget* control) {
    if (Usable(control)) return ClickNamed(control);
    for (QWidget* w = control; w && w->parentWidget(); w = w->parentWidget()) {
        auto* pages = qobject_cast<QTabWidget*>(w->parentWidget()->parentWidget());
        const int index = pages ? pages->indexOf(w) : -1;
        if (index < 0 || !pages->isVisible() || pages->currentIndex() == index) continue;
        if (!pages->isTabVisible(index) || !pages->isTabEnabled(index)) break;
        LeftClick(pages->tabBar(), pages->tabBar()->tabRect(index).center());
        return "tab '" + pages->tabText(index).toStdString() + "' of " + Describe(pages);
    }
    return Generic();
}

std::string Monkey::ClickControl(bool controlsOnly) {
    std::vector<QWidget*> widgets = Reachable(form_.get(), controlsOnly);
    QWidget* w = widgets.empty() ? form_.get() : Pick(widgets);
    // Players seldom quit; a quit leaves the game for a new window.
    if (QuitButton(w) && !Chance(20)) w = Pick(widgets);
    return Click(w, PointIn(w));
}

std::string Monkey::ClickTab() {
    std::vector<QTabBar*> bars;
    for (QTabBar* bar : form_->findChildren<QTabBar*>())
        if (Usable(bar)) bars.push_back(bar);
    if (bars.empty()) return ClickControl(true);
    QTabBar* bar = Pick(bars);
    std::vector<int> shown;
    for (int i = 0; i < bar->count(); ++i)
        if (bar->isTabVisible(i)) shown.push_back(i);
    if (shown.empty()) return ClickControl(true);
    const int index = shown[static_cast<std::size_t>(R(static_cast<int>(shown.size())))];
    LeftClick(bar, bar->tabRect(index).center());
    return Describe(bar) + " tab '" + bar->tabText(index).toStdString() + "'";
}

// On the map page: the player's own units and structures (to select them and
// open their menu), cells around the last pointer cell or the builder (sites,
// exits, steps), land cells before the landing, and any point.
std::string Monkey::ClickMap() {
    const Game& g = form_->game();
    MapSurface* surface = form_->mapPage()->DXDraw;
    QPoint p = PointIn(surface);
    std::string what = "any point";
    const std::vector<int> own = OwnObjects(g);
    const int where = R(100);
    bool plain = false;  // selecting and opening the menu take plain left clicks
    if (g.CellPixels == 0) {
    } else if (where < 45 && !own.empty()) {
        const bool again = g.SelectedObject > 0 && g.Object(g.SelectedObject).Owner == g.CurrentPlayer;
        const int slot =
            again && Chance(50) ? g.SelectedObject : own[static_cast<std::size_t>(R(static_cast<int>(own.size())))];
        const TCellPos cell = g.Object(slot).Cells[1];
        p = CellPoint(cell.col, cell.row);
        what = "object " + std::to_string(slot);
        plain = Chance(85);
        if (!OnSurface(p)) {
            // Out of view: the minimap brings it into view, as a player would.
            ImageBox* minimap = form_->mapPage()->Image1;
            const QPoint at((2 * cell.col - 1) * minimap->width() / (2 * g.World.MapWidth),
                            (2 * cell.row - 1) * minimap->height() / (2 * g.World.MapHeight));
            return "minimap to " + what + ", " + LeftClick(minimap, at);
        }
    } else if (where < 75) {
        const bool site = g.ClickMode != kClickNormal;
        const int col = site ? g.SiteBuilderCol : g.HoverCol, row = site ? g.SiteBuilderRow : g.HoverRow;
        p = CellPoint(col + R(7) - 3, row + R(7) - 3);
        what = site ? "near the builder" : "near the last cell";
    } else if (where < 90 && CurrentPlayerEntry(g).BasePlaced == 0) {
        for (int tries = 0; tries < 20; ++tries) {
            const QPoint q = PointIn(surface);
            const QPoint device = q * surface->devicePixelRatioF();
            const int col = g.ViewSettings.FirstCol + (device.x() - g.ViewSettings.ViewOffsetX) / g.CellPixels;
            const int row = g.ViewSettings.FirstRow + (device.y() - g.ViewSettings.ViewOffsetY) / g.CellPixels;
            if (g.InMap(col, row) && g.World.Passability(col, row) == kPassLand) {
                p = q;
                what = "land";
                break;
            }
        }
    }
    if (!OnSurface(p)) p = PointIn(surface);
    return what + ", " + (plain ? LeftClick(surface, p) : Click(surface, p));
}

// The middle of the cell as the surface's own point (the view is computed in device pixels).
QPoint Monkey::CellPoint(int col, int row) const {
    const Game& g = form_->game();
    const TViewSettings& v = g.ViewSettings;
    return form_->mapPage()->DXDraw->toLogical((col - v.FirstCol) * g.CellPixels + v.ViewOffsetX + g.CellPixels / 2,
                                               (row - v.FirstRow) * g.CellPixels + v.ViewOffsetY + g.CellPixels / 2);
}

bool Monkey::OnSurface(QPoint p) const { return form_->mapPage()->DXDraw->rect().contains(p); }

// A type from the catalogue tree, clicked and carried onto the purchase list.
// The offscreen platform runs no drag loop, so the drag is played through the
// page's drag handlers with the tree as the source, as the platform would.
std::string Monkey::Buy() {
    PurchasesPage* shop = form_->newGamePage()->purchases();
    if (!shop->isVisible()) return Reach(shop->TreeView1);
    std::vector<QTreeWidgetItem*> types;
    for (QTreeWidgetItemIterator it(shop->TreeView1); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toInt() > 0) types.push_back(*it);
    QTreeWidgetItem* node = types[static_cast<std::size_t>(R(static_cast<int>(types.size())))];
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent()) up->setExpanded(true);
    shop->TreeView1->scrollToItem(node);
    const QPoint at = shop->TreeView1->visualItemRect(node).center();
    QTest::mouseClick(shop->TreeView1->viewport(), Qt::LeftButton, {}, at);
    const bool accepted = shop->ListBox1DragOver(shop->TreeView1);
    if (accepted) shop->ListBox1DragDrop(shop->TreeView1);
    return node->text(0).toStdString() + (accepted ? " dropped on the list" : " refused");
}

// --- Keys, wheel and time -------------------------------------------------------------

std::string Monkey::PressKey(QWidget* target) {
    const Key key = target ? kAnswerKeys[R(static_cast<int>(std::size(kAnswerKeys)))]
                           : kKeys[R(static_cast<int>(std::size(kKeys)))];
    if (!target) {
        // The keyboard goes to the active window's focus widget.
        QWidget* focus = QApplication::focusWidget();
        target = focus ? focus : QApplication::activeWindow() ? QApplication::activeWindow() : form_.get();
    }
    const std::string done =
        QKeySequence(QKeyCombination(key.modifiers, key.key)).toString().toStdString() + " to " + Describe(target);
    QTest::keyClick(target, key.key, key.modifiers);
    return done;
}

std::string Monkey::TurnWheel() {
    const std::vector<QWidget*> widgets = Reachable(form_.get(), false);
    QWidget* w = widgets.empty() ? form_.get() : Pick(widgets);
    QPoint p = PointIn(w);
    w = OnTop(w, p);
    const int delta = (R(2) == 0 ? 1 : -1) * (Chance(80) ? 120 : 40);
    const Qt::KeyboardModifiers modifiers = Chance(15) ? Qt::ControlModifier : Qt::NoModifier;
    QWheelEvent wheel(p, w->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(w, &wheel);
    return std::to_string(delta) + (modifiers ? " with Ctrl" : "") + " over " + Describe(w) + Where(p);
}

// Time passes: each running timer of the window fires once or a few times.
std::string Monkey::Tick() {
    const int times = 1 + R(4);
    std::string fired;
    for (QTimer* timer : form_->findChildren<QTimer*>()) {
        if (timer->objectName().isEmpty() || !timer->isActive()) continue;
        // Appended, not "literal" + std::string: GCC 12 at -O3 falsely warns (-Wrestrict) on that.
        fired.append(" ").append(timer->objectName().toStdString());
        for (int i = 0; i < times && timer->isActive(); ++i) {
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    }
    return std::to_string(times) + " x" + (fired.empty() ? " nothing" : fired);
}

// --- Menus, popups and dialogs --------------------------------------------------------

std::string Monkey::Answer(QWidget* open) {
    if (auto* menu = qobject_cast<QMenu*>(open)) return AnswerMenu(menu);
    if (auto* files = qobject_cast<QFileDialog*>(open)) return AnswerFileDialog(files);
    if (auto* box = qobject_cast<QMessageBox*>(open))
        return "\"" + box->text().toStdString() + "\", " + AnswerDialog(open);
    return AnswerDialog(open);
}

// A click anywhere in it, keys, closing it, or (a popup) a click beside it.
std::string Monkey::AnswerDialog(QWidget* open) {
    const int how = R(100);
    if (how < 55) {
        const std::vector<QWidget*> inside = Reachable(open, false);
        QWidget* w = inside.empty() ? open : inside[static_cast<std::size_t>(R(static_cast<int>(inside.size())))];
        return Click(w, PointIn(w), false);
    }
    if (how < 85) return PressKey(open->focusWidget() ? open->focusWidget() : open);
    if (how < 93 || QApplication::activePopupWidget() != open) {
        open->close();
        return Describe(open) + " closed";
    }
    QTest::mouseClick(open, Qt::LeftButton, {}, QPoint(-5, -5));
    return Describe(open) + " click outside";
}

// Cancelled, or a file of the window's saves folder (the play's own) chosen:
// a random click in a file dialog would walk the real file system and save
// or make folders there.
std::string Monkey::AnswerFileDialog(QFileDialog* dialog) {
    const QDir saves(form_->autosave().folder());
    // A folder asked for (a network game's shared folder): the saves folder, or none.
    if (dialog->fileMode() == QFileDialog::Directory) {
        if (Chance(50) || !saves.exists()) {
            dialog->reject();
            return Describe(dialog) + " cancelled";
        }
        dialog->setDirectory(saves);
        dialog->selectFile(saves.absolutePath());
        static_cast<QDialog*>(dialog)->accept();
        return Describe(dialog) + " the saves folder";
    }
    const QStringList files = saves.entryList({QStringLiteral("*.tarq")}, QDir::Files, QDir::Name);
    const bool save = dialog->acceptMode() == QFileDialog::AcceptSave;
    if (Chance(25) || (!save && files.isEmpty())) {
        dialog->reject();
        return Describe(dialog) + " cancelled";
    }
    const QString name = save ? QStringLiteral("monkey-%1").arg(R(3)) : files[R(static_cast<int>(files.size()))];
    // Typed into the name field, as a player does; an earlier save of that
    // name is replaced without the question, which would wait in a nested loop.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(saves.filePath(name));
    static_cast<QDialog*>(dialog)->accept();
    return Describe(dialog) + " " + name.toStdString();
}

// An action clicked (its submenu opened by the key that opens it), keys, or a
// click beside the menu.
std::string Monkey::AnswerMenu(QMenu* menu) {
    std::vector<QAction*> actions;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator() && !menu->actionGeometry(a).isEmpty()) actions.push_back(a);
    const int how = R(100);
    if (how < 70 && !actions.empty()) {
        QAction* action = actions[static_cast<std::size_t>(R(static_cast<int>(actions.size())))];
        const std::string done = Describe(menu) + " '" + action->text().toStdString() + "'";
        const QPoint at = menu->actionGeometry(action).center();
        Hover(menu, at);
        if (action->menu() || how >= 55) {
            const Qt::Key key = Chance(50) ? Qt::Key_Right : Qt::Key_Return;
            QTest::keyClick(menu, key);
            return done + (key == Qt::Key_Right ? " Right" : " Enter");
        }
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        return done + " click";
    }
    if (how < 90) return PressKey(menu);
    QTest::mouseClick(menu, Qt::LeftButton, {}, QPoint(-5, menu->height() / 2));
    return Describe(menu) + " click outside";
}

}  // namespace tarq::monkey
