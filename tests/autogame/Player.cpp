#include "Player.h"

#include <algorithm>
#include <limits>
#include <sstream>
#include <utility>
#include <vector>

#include "control/BasePlacement.h"
#include "core/World.h"
#include "setup/PurchaseListLines.h"
#include "view/Viewport.h"
#include "world/LandingSectors.h"

namespace tarq::autogame {

namespace {

template <typename... T>
std::string Text(const T&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

constexpr int kGold[] = {0, 50, 100, 150, 200, 250, 300, 400, 500, 600, 700, 800, 900};
// What a player may type into the animation period fields.
const char* const kPeriodTexts[] = {"10",     "18",    "0", "1",   "-1", "255", "300", "32767",
                                    "-32768", "32768", "",  " 7 ", "+3", "abc", "1e3", "5x"};

// Each kind of menu item, in the order of MenuAction: its name in the trace
// and how much the player likes it. Finishing what was started appeals more
// than abandoning it, so constructions run their course.
struct ItemKind {
    const char* name;
    int appeal;
};
ItemKind KindOf(MenuAction action) {
    static constexpr ItemKind kKinds[] = {{"close", 1}, {"move", 4},      {"technical data", 1}, {"destroy", 4},
                                          {"build", 8}, {"take out", 20}, {"cancel", 1}};
    return kKinds[static_cast<int>(action)];
}

// The leaves a player can reach: visible and enabled, under visible and enabled submenus.
void CollectLeaves(const MenuItem& item, std::vector<const MenuItem*>& leaves) {
    if (!item.visible || !item.enabled) return;
    if (item.children.empty()) leaves.push_back(&item);
    for (const MenuItem& child : item.children) CollectLeaves(child, leaves);
}

}  // namespace

Player::Player(std::uint64_t seed) : rng_(seed) {
    NewWindow();
}

void Player::NewWindow() {
    if (window_) pastEvents_ = Events();
    window_ = std::make_unique<WindowModel>([this] { return static_cast<std::uint32_t>(rng_()); });
    ++games_;
    setupLeft_ = Between(0, 80);
    gameLeft_ = Between(200, 3000);
}

void Player::OpenGame(std::uint64_t seed, std::unique_ptr<Game> game) {
    rng_.seed(seed);
    window_->OpenGame(std::move(game), 400, 300);
    gameLeft_ = std::numeric_limits<int>::max();
}

std::map<std::string, long> Player::Events() const {
    std::map<std::string, long> all = pastEvents_;
    for (const auto& [kind, count] : window_->events) all[kind] += count;
    return all;
}

std::string Player::Step() {
    if (--gameLeft_ < 0) {
        NewWindow();
        return Text("new window: game ", games_);
    }
    const WindowModel& w = *window_;
    if (!w.launched) return setupLeft_-- > 0 ? SetupAction() : LaunchAction();
    if (w.menu) return MenuAction();
    if (w.page != 1) return PageAction();
    return MapAction();
}

// --- Before the launch ----------------------------------------------------------------

void Player::RandomiseMapControls() {
    MapControls& c = window_->mapControls;
    c.mapSizeItem = Below(6);
    c.model = Below(2);
    c.ismass = Between(kIsmassRange.min, kIsmassRange.max);
    c.landMass = Between(kLandMassRange.min, kLandMassRange.max);
    c.stripCount = Between(kStripCountRange.min, kStripCountRange.max);
    c.stripLength = Between(kStripLengthRange.min, kStripLengthRange.max);
    c.stripWidth = Between(kStripWidthRange.min, kStripWidthRange.max);
    c.mountains = Between(kMountainsRange.min, kMountainsRange.max);
    c.stones = Between(kStonesRange.min, kStonesRange.max);
    c.deposits = Between(kDepositsRange.min, kDepositsRange.max);
}

std::string Player::SetupAction() {
    WindowModel& w = *window_;
    switch (Below(20)) {
        case 0:
            RandomiseMapControls();
            w.Button10Click();
            return Text("generate: size item ", w.mapControls.mapSizeItem, ", model ", w.mapControls.model);
        case 1:
            RandomiseMapControls();
            return "map controls changed";
        case 2:
        case 3: {
            const int x = Between(-4, kSectorPicture + 3), y = Between(-4, kSectorPicture + 3);
            w.Image2MouseDown(x, y);
            return Text("sector press (", x, ", ", y, ")");
        }
        case 4: {
            const bool on = w.game().UseLandingSectors == 0;
            w.CheckBox2Click(on);
            return Text("landing sectors ", on);
        }
        case 5: {
            const int clan = Below(7);  // the list takes no typed names
            w.ComboBox1Change(clan);
            return Text("clan ", clan);
        }
        case 6:
        case 7: {
            const int gold = kGold[Below(13)];
            w.SstartmoneyClick(gold);
            return Text("start gold ", gold);
        }
        case 8: {
            const TNewGameChoices& now = w.game().NewGameChoices;
            const bool first = Chance(50);
            const bool noStructures = (now.NoStructures == 1) != first, noAlienUnits = (now.NoAlienUnits == 1) == first;
            w.StrToBuyClick(noStructures, noAlienUnits);
            return Text("restrictions ", noStructures, " ", noAlienUnits);
        }
        case 9:
        case 10:
        case 11: {
            const int type = Between(0, kDefinedTypes);
            w.DragTypeToList(type);
            return Text("drag type ", type, " to the list");
        }
        case 12: {
            const int row = Below(static_cast<int>(PurchaseListLines(w.game()).size()) + 1);
            w.ListBox1Click(row);
            return Text("list row ", row);
        }
        case 13: {
            const int type = Between(1, kDefinedTypes);
            w.TreeView1Click(type);
            return Text("tree type ", type);
        }
        case 14:
        case 15:
        case 16:
        case 17: {
            if (w.card.rows.empty()) w.ListBox1Click(Below(static_cast<int>(PurchaseListLines(w.game()).size())));
            const int rows = static_cast<int>(w.card.rows.size());
            int row = Below(rows);
            for (int r = 0; r < rows; ++r)
                if (w.card.rows[static_cast<std::size_t>(r)][0] == "Груз" && Chance(80)) row = r;
            const int column = Chance(80) ? (Chance(75) ? 4 : 3) : Below(5);
            w.StrSelectCell(column, row);
            return Text("card entry ", w.cardEntry, " cell (", column, ", ", row, ")");
        }
        default:
            switch (Below(5)) {
                case 0:
                    w.sfps2 = kPeriodTexts[Below(16)];
                    return Text("SFPS2 '", w.sfps2, "'");
                case 1:
                    w.sfps3 = kPeriodTexts[Below(16)];
                    return Text("SFPS3 '", w.sfps3, "'");
                case 2:
                    w.PageControl2Change();
                    return "new-game page switched";
                case 3:
                    w.MouseWheel(Chance(50));
                    return "wheel before the launch";
                default:
                    return PageAction();
            }
    }
}

std::string Player::LaunchAction() {
    WindowModel& w = *window_;
    const int width = Between(200, 1400), height = Between(150, 1000);
    if (w.LaunchTARQClick(width, height)) return Text("launch on a ", width, " x ", height, " surface");
    // Refused: the player sometimes mends what the message named.
    if (Chance(50)) {
        w.sfps2 = "10";
        w.sfps3 = "18";
    }
    if (Chance(50)) w.Image2MouseDown(Below(kSectorPicture), Below(kSectorPicture));
    setupLeft_ = Between(0, 5);
    return "launch refused";
}

// --- The command menu ------------------------------------------------------------------

std::string Player::MenuAction() {
    WindowModel& w = *window_;
    std::vector<const MenuItem*> leaves;
    for (const MenuItem& item : *w.menu) CollectLeaves(item, leaves);
    int total = 0;
    for (const MenuItem* leaf : leaves) total += KindOf(leaf->action).appeal;
    const int r = Below(10);
    if (r == 0 || leaves.empty()) {
        w.CloseMenu();
        return "menu dismissed";
    }
    if (r == 1) return Ticks() + " with the menu open";
    int pick = Below(total);
    std::size_t k = 0;
    while ((pick -= KindOf(leaves[k]->action).appeal) >= 0) ++k;
    const MenuItem item = *leaves[k];
    w.ChooseMenuItem(item);
    return Text("menu: ", KindOf(item.action).name, " '", item.caption, "' value ", item.value);
}

// --- The map page ----------------------------------------------------------------------

std::string Player::MapAction() {
    // Saving in the middle of an order: the file must bring back the site or
    // the exit choice too.
    if (window_->game().ClickMode != kClickNormal && Chance(5)) {
        trouble_ = window_->SaveAndLoad();
        return "saved and loaded while placing or taking out";
    }
    const int r = Below(100);
    if (r < 42) {
        int col = 0, row = 0;
        PickCell(col, row);
        return ClickCell(col, row);
    }
    if (r < 48) return RightPress();
    if (r < 56) return MoveMouse();
    if (r < 66) {
        window_->ENDTURNClick();
        return window_->endTurnEnabled ? "END TURN" : "END TURN (disabled)";
    }
    if (r < 80) return Ticks();
    if (r < 93) return ViewAction();
    return PageAction();
}

Player::Point Player::AnyPixel() {
    const WindowModel& w = *window_;
    return {Below(w.surfaceWidth), Below(w.surfaceHeight)};
}

Player::Point Player::PixelOf(int col, int row) {
    WindowModel& w = *window_;
    const auto place = [&](Point& p) {
        const Game& g = w.game();
        const int cell = std::max<int>(1, g.CellPixels);
        p.x = (col - g.ViewSettings.FirstCol) * cell + g.ViewSettings.ViewOffsetX + Below(cell);
        p.y = (row - g.ViewSettings.FirstRow) * cell + g.ViewSettings.ViewOffsetY + Below(cell);
        return p.x >= 0 && p.x < w.surfaceWidth && p.y >= 0 && p.y < w.surfaceHeight;
    };
    Point p;
    if (place(p)) return p;
    const int width = std::max<int>(1, w.game().World.MapWidth), height = std::max<int>(1, w.game().World.MapHeight);
    const int size = WindowModel::kMinimapSize;
    w.MinimapPress(std::clamp((col * size + width - 1) / width, 0, size - 1),
                   std::clamp((row * size + height - 1) / height, 0, size - 1));
    w.MinimapRelease();
    return place(p) ? p : AnyPixel();
}

void Player::PickCell(int& col, int& row) {
    const Game& g = window_->game();
    const int width = g.World.MapWidth, height = g.World.MapHeight;
    const int r = Below(100);
    if (CurrentPlayerEntry(g).BasePlaced == 0 && r < 70) {
        for (int tries = 0; tries < 200; ++tries) {
            col = Between(1, width), row = Between(1, height);
            if (BaseCellAccepted(g, col, row)) return;
        }
    }
    if (g.ClickMode == kClickChooseExit && r < 60) {
        const TCellPos exit = g.ExitCandidates[static_cast<std::size_t>(Below(kExitSlots))][1];
        col = exit.col, row = exit.row;
        if (exit.col != 0) return;
    }
    const int selected = g.SelectedObject;
    if (r < 30 && selected >= 1 && selected <= kMaxObjects && SlotInUse(g.Object(selected))) {
        const TCellPos at = g.Object(selected).Cells[Between(1, 4)];
        col = at.col + (Chance(40) ? 0 : Between(-2, 2));
        row = at.row + (Chance(40) ? 0 : Between(-2, 2));
        return;
    }
    if (r < 65) {
        for (int slot = Between(1, kMaxObjects), n = 0; n < kMaxObjects; ++n, slot = slot % kMaxObjects + 1) {
            if (!SlotInUse(g.Object(slot))) continue;
            const TCellPos at = g.Object(slot).Cells[Between(1, 4)];
            col = at.col, row = at.row;
            return;
        }
    }
    col = Between(-2, width + 3);
    row = Between(-2, height + 3);
}

std::string Player::ClickCell(int col, int row) {
    return Click(PixelOf(col, row)) + Text(" aimed at (", col, ", ", row, ")");
}

// The pointer goes to the point (mostly), the button goes down and up there,
// now and then after a small slip.
std::string Player::Click(Point p) {
    WindowModel& w = *window_;
    if (Chance(85)) w.DXDrawMouseMove(p.x, p.y);
    w.DXDrawMouseDown(false, p.x, p.y);
    if (Chance(10)) {
        p = {std::clamp(p.x + Between(-3, 3), 0, w.surfaceWidth - 1),
             std::clamp(p.y + Between(-3, 3), 0, w.surfaceHeight - 1)};
        w.DXDrawMouseMove(p.x, p.y);
    }
    w.DXDrawMouseUp(false);
    w.DXDrawClick();
    const Game& g = w.game();
    return Text("click (", p.x, ", ", p.y, ") on cell (", g.HoverCol, ", ", g.HoverRow, ")");
}

// A right press, often dragging the view before the release.
std::string Player::RightPress() {
    WindowModel& w = *window_;
    Point p = AnyPixel();
    w.DXDrawMouseMove(p.x, p.y);
    w.DXDrawMouseDown(true, p.x, p.y);
    const int moves = Below(8);
    for (int i = 0; i < moves; ++i) {
        p.x += Between(-40, 40);
        p.y += Between(-40, 40);
        w.DXDrawMouseMove(p.x, p.y);
    }
    w.DXDrawMouseUp(true);
    return Text("right press, ", moves, " drag moves");
}

// Pointer moves; while a site is placed, around its builder.
std::string Player::MoveMouse() {
    WindowModel& w = *window_;
    const int moves = Between(1, 5);
    for (int i = 0; i < moves; ++i) {
        const Game& g = w.game();
        const Point p = g.ClickMode == kClickPlaceSite && Chance(80)
                            ? PixelOf(g.SiteBuilderCol + Between(-2, 2), g.SiteBuilderRow + Between(-2, 2))
                            : AnyPixel();
        w.DXDrawMouseMove(p.x, p.y);
    }
    return Text(moves, " pointer moves");
}

std::string Player::ViewAction() {
    WindowModel& w = *window_;
    switch (Below(10)) {
        case 0:
        case 1: {
            const bool up = Chance(50);
            const int notches = Between(1, 4);
            for (int i = 0; i < notches; ++i) w.MouseWheel(up);
            return Text("wheel ", up ? "up " : "down ", notches);
        }
        case 2: {
            const int position = Between(kScaleMin, kScaleMax);
            w.DragZoomBar(position);
            return Text("zoom bar to ", position);
        }
        case 3: {
            const int position = Between(0, w.colMax);
            w.ScrollBar1Scroll(position);
            return Text("column bar to ", position);
        }
        case 4: {
            const int position = Between(0, w.rowMax);
            w.ScrollBar2Scroll(position);
            return Text("row bar to ", position);
        }
        case 5:
        case 6: {
            const int size = WindowModel::kMinimapSize, moves = Below(4);
            w.MinimapPress(Below(size), Below(size));
            for (int i = 0; i < moves; ++i) w.MinimapMove(Between(-10, size + 10), Between(-10, size + 10));
            w.MinimapRelease();
            return Text("minimap press, ", moves, " moves");
        }
        case 7:
            w.Button1Click();
            return "geology button";
        case 8:
            w.Button6Click();
            return "grid button";
        default:
            w.Button11Click();
            return "connectors button";
    }
}

// Off the map page, or the window's other events: the settings page, the
// application losing and regaining the focus, a new size, the slow timer.
std::string Player::PageAction() {
    WindowModel& w = *window_;
    if (w.launched && w.page != 1 && Chance(50)) {
        w.ShowPage(1);
        return "back to the map page";
    }
    switch (Below(9)) {
        case 0:
        case 1:
        case 2: {
            // The boxes of the settings page the game reads on the map page.
            constexpr std::pair<const char*, u8 TSettings::*> kBoxes[] = {
                {"scroll bars", &TSettings::ScrollBars},
                {"right-button dragging", &TSettings::RightButtonScroll},
                {"dragging moves the screen", &TSettings::ReverseRightScroll},
                {"pause when inactive", &TSettings::PauseWhenInactive},
            };
            const auto& [name, field] = kBoxes[Below(4)];
            const bool on = w.game().Settings.*field == 0;
            w.SetSetting(field, on);
            return Text(name, " ", on);
        }
        case 3: {
            const int item = Below(kInfoItems);
            const bool on = w.game().Settings.InfoShown[static_cast<std::size_t>(item)] == 0;
            w.SetInfoShown(item, on);
            return Text("info item ", item, " ", on);
        }
        case 4:
            if (Chance(50))
                w.ApplicationDeactivate();
            else
                w.ApplicationActivate();
            return Text("application active ", int{w.game().AppActive});
        case 5: {
            const int width = Between(200, 1400), height = Between(150, 1000);
            w.Resize(width, height);
            return Text("resize to ", width, " x ", height);
        }
        case 6:
            w.Panel1MouseMove();
            return "pointer over the side panel";
        case 7:
            w.Timer1Timer();
            return "slow tick";
        default: {
            const int page = Chance(50) ? 3 : 4;
            w.ShowPage(page);
            return Text("page ", page);
        }
    }
}

std::string Player::Ticks() {
    const int ticks = Between(1, 8);
    for (int i = 0; i < ticks; ++i) window_->DXTimerTimer();
    if (Chance(20)) window_->Timer1Timer();
    return Text(ticks, " drawing ticks");
}

}  // namespace tarq::autogame
