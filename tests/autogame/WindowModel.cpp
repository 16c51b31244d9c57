#include "WindowModel.h"

#include <algorithm>

#include "control/Construction.h"
#include "control/EndTurn.h"
#include "control/MapClick.h"
#include "control/SitePreview.h"
#include "core/World.h"
#include "gamefile/GameFile.h"
#include "setup/Launch.h"
#include "setup/PurchaseListLines.h"
#include "setup/Purchases.h"
#include "setup/Shop.h"
#include "view/Animation.h"
#include "view/Overlays.h"
#include "view/Viewport.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"
#include "world/MapPreview.h"

namespace tarq::autogame {

namespace {

constexpr Pixel kBlack = 0xFF000000u;

// Fifteen sheets of 2 x 2 patterns standing in for the picture files: every
// pattern number the game uses exists, and opaque, keyed and empty patterns
// alternate, so the renderer takes each of its paths.
void MakePictures(ImageList& images) {
    constexpr int kPerRow = 64, kRows = 32, kSide = 2;
    constexpr Pixel kKey = 0xFFFF00FFu;
    images.clear();
    for (int item = 0; item < 15; ++item) {
        Bitmap sheet(kPerRow * kSide, kRows * kSide, kKey);
        for (int p = 0; p < kPerRow * kRows; ++p) {
            const int mode = (p + 2) % 3;  // pattern 0 is all key, so pixel (1, 1) is the key colour
            const Pixel colour = 0xFF000000u | ((static_cast<Pixel>(p) * 2654435761u + item) & 0xFEFEFEu);
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x)
                    if (mode == 0 || (mode == 1 && x != y))
                        sheet.at((p % kPerRow) * kSide + x, (p / kPerRow) * kSide + y) = colour;
        }
        SetSheet(images.append(), std::move(sheet), kSide, kSide, item != 0);
    }
}

Bitmap ColourStrip() {
    Bitmap strip(256, 1);
    for (int code = 0; code < 256; ++code) strip.at(code, 0) = 0xFF000000u | static_cast<Pixel>(code * 0x010305);
    return strip;
}

}  // namespace

// FormCreate's part of the game, and the application becoming active.
WindowModel::WindowModel(std::function<std::uint32_t()> seeds)
    : game_(NewGame()), seeds_(std::move(seeds)), terrainStrip_(ColourStrip()) {
    Game& g = *game_;
    g.Rng = RandomSource(seeds_);
    SetStartValues(g);
    g.Rng.Reseed();
    g.Rng.Random(2);  // the map tab's icon
    ApplicationActivate();
}

// --- New-game pages --------------------------------------------------------------

void WindowModel::Button10Click() {
    GenerateFromControls(*game_, mapControls, game_->Rng);
    MakeMapPreview(*game_, terrainStrip_);
    DrawSectorGrid(*game_);
}

void WindowModel::Image2MouseDown(int x, int y) {
    Image2MouseDownToggle(*game_, x, y);
    DrawSectorGrid(*game_);
}

void WindowModel::CheckBox2Click(bool checked) {
    game_->UseLandingSectors = checked ? 1 : 0;
    if (game_->MapGenerated == 0) Button10Click();
}

void WindowModel::ComboBox1Change(int index) {
    CurrentPlayerEntry(*game_).PlayerClan = static_cast<u8>(index);
}

void WindowModel::SstartmoneyClick(int gold) {
    ChooseStartGold(*game_, gold);
    HideTypeCard();
}

void WindowModel::StrToBuyClick(bool noStructures, bool noAlienUnits) {
    TNewGameChoices& choices = game_->NewGameChoices;
    choices.NoStructures = noStructures ? 1 : 0;
    choices.NoAlienUnits = noAlienUnits ? 1 : 0;
    ApplyPurchaseRestrictions(*game_, noStructures, noAlienUnits);
    ResetPurchases(*game_);
    HideTypeCard();
}

void WindowModel::TreeView1Click(int type) {
    if (type >= 1 && type <= kTypeCount) ShowTypeCard(type, CardSource::Tree, -1);
}

void WindowModel::DragTypeToList(int type) {
    if (JudgeDragOver(*game_, type) != DragVerdict::Accept) return;
    if (BuyType(*game_, type).bought) HideTypeCard();
}

void WindowModel::ListBox1Click(int row) {
    const int lines = static_cast<int>(PurchaseListLines(*game_).size());
    if (row < 0 || row >= lines || row >= kPurchaseEntries) return;
    const int type = game_->PurchaseList(row).TypeId;
    if (type != 0) ShowTypeCard(type, CardSource::List, row);
}

void WindowModel::StrSelectCell(int column, int row) {
    if (row < 0 || row >= static_cast<int>(card.rows.size()) || column < 0 || column > 4) return;
    const CardRow cells = card.rows[static_cast<std::size_t>(row)];
    const CargoStepResult step = SelectCargoCell(*game_, cardEntry, cells[0], cells[static_cast<std::size_t>(column)]);
    if (step.cargoRow && step.showCardAgain) {
        ShowTypeCard(game_->PurchaseList(cardEntry).TypeId, CardSource::List, cardEntry);
        PurchaseListLines(*game_);
    }
}

void WindowModel::PageControl2Change() {
    HideTypeCard();
}

void WindowModel::ShowTypeCard(int type, CardSource source, int entry) {
    card = MakeTypeCard(*game_, type, source, entry);
    cardEntry = entry;
}

void WindowModel::HideTypeCard() {
    card = TypeCard{};
    cardEntry = -1;
}

// The start button, with the graphics replaced by the stand-in sheets.
bool WindowModel::LaunchTARQClick(int width, int height) {
    Game& g = *game_;
    const LaunchStep periods = ReadAnimPeriods(g, sfps2, sfps3);
    if (!periods.ok) {
        Show({periods.message});
        return false;
    }
    SetLaunchPlayer(g);
    if (g.MapGenerated == 0) GenerateMap(g, ReadMapParameters(g, mapControls), game_->Rng);
    const LaunchStep sectors = ApplyLandingSectors(g, g.UseLandingSectors == 1);
    if (!sectors.ok) {
        Show({sectors.message});
        return false;
    }
    ApplyLaunchChoices(g, 0, CurrentPlayerEntry(g).PlayerClan);
    MakePictures(images_);
    minimapPalette_ = terrainStrip_;
    frameCache_.Invalidate();
    // The map page is shown: the surface takes its size.
    launched = true;
    surfaceWidth = width;
    surfaceHeight = height;
    ShowPage(1);
    const InitialScale scale = StartInitialView(g, width + 4, width, height, scaleBar, width, height);
    scaleBar = scale.barPosition;
    UpdateScrollBars();
    back_ = BackBuffer(width, height);
    surfaceInitialized_ = true;
    frameCache_.Invalidate();
    FinishInitialView(g, width, height);
    MarkViewForFirstFrame(g);
    drawTimerOn_ = true;
    return true;
}

// --- Map page ----------------------------------------------------------------------

void WindowModel::RenderAndPresent() {
    if (!surfaceInitialized_) return;
    FrameHooks hooks;
    hooks.RebuildMinimap = [this] { RebuildMinimap(*game_, minimapPalette_); };
    hooks.SyncViewControls = [this] { SyncViewControlsToWidgets(); };
    RenderFrame(*game_, images_, back_, frameCache_, hooks);
    back_.Pixels();
    back_.TakeChanges();
}

// A scroll bar holds its value within its range.
void WindowModel::SetScrollBarRanges() {
    colMax = std::max(0, game_->World.MapWidth - colPage + 1);
    rowMax = std::max(0, game_->World.MapHeight - rowPage + 1);
    scrollValue1_ = std::clamp(scrollValue1_, 0, colMax);
    scrollValue2_ = std::clamp(scrollValue2_, 0, rowMax);
}

void WindowModel::SyncViewControlsToWidgets() {
    const ViewSync sync = SyncViewControls(*game_, surfaceWidth, surfaceHeight);
    colPage = std::max(1, sync.colPage);
    rowPage = std::max(1, sync.rowPage);
    SetScrollBarRanges();
    scrollValue1_ = std::clamp(sync.colPosition, 0, colMax);
    scrollValue2_ = std::clamp(sync.rowPosition, 0, rowMax);
    DrawMinimapFrame(game_->World.MapWidth, game_->World.MapHeight, sync.frame);
}

void WindowModel::DXDrawMouseDown(bool right, int x, int y) {
    Game& g = *game_;
    g.DragStartX = x;
    g.DragStartY = y;
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    if (!right) return;
    if (g.Settings.RightButtonScroll == 1) g.RightDrag = 1;
    const ConstructionResult cancelled = RightPress(g);
    if (cancelled.acted) ++events["right press cancelled"];
    endTurnEnabled = EndTurnEnabled(g);
    if (cancelled.acted) RenderAndPresent();
}

// DXDrawMouseMove, then the site's DXDrawMouseMoveSite.
void WindowModel::DXDrawMouseMove(int x, int y) {
    Game& g = *game_;
    DragView(g, x, y, g.Settings.ReverseRightScroll == 1);
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    if (g.ClickMode != kClickPlaceSite) return;
    if (MoveSiteWithMouse(g)) RenderAndPresent();
}

void WindowModel::DXDrawMouseUp(bool right) {
    if (right) game_->RightDrag = 0;
}

void WindowModel::DXDrawClick() {
    InfoChecks shown{};
    for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = game_->Settings.InfoShown[i] != 0;
    const ClickContext context{scaleBar, surfaceWidth, surfaceHeight, shown};
    const u8 mode = game_->ClickMode;
    const ClickResult result = tarq::DXDrawClick(*game_, context);
    if (result.baseLanded) ++events["base landed"];
    if (mode != game_->ClickMode) ++events[mode == kClickPlaceSite ? "site confirmed" : "exit cell chosen"];
    if (result.zoomTo100) scaleBar = kBaseZoom;
    endTurnEnabled = EndTurnEnabled(*game_);
    Show(result.messages);
    RenderAndPresent();
    if (result.openMenu) menu = BuildCommandMenu(*game_);
}

void WindowModel::ChooseMenuItem(const MenuItem& item) {
    const MenuItem chosen = item;  // the item lives in the menu, which closes first
    menu.reset();
    switch (chosen.action) {
        case MenuAction::None:
            return;
        case MenuAction::Move:
            game_->MoveArmed = 1;
            return;
        case MenuAction::TechnicalPage:
            ShowPage(4);
            return;
        case MenuAction::DestroyStructure:
            ++events["structure destroyed"];
            DeleteObject(*game_, game_->SelectedObject);
            RenderAndPresent();
            return;
        case MenuAction::StartConstruction:
        case MenuAction::TakeOutBuilder:
        case MenuAction::CancelConstruction:
            ConstructionOrder(chosen.action, chosen.value, chosen.caption);
            return;
    }
}

void WindowModel::ConstructionOrder(MenuAction action, int value, const std::string& caption) {
    ConstructionResult result;
    if (action == MenuAction::StartConstruction) result = StartConstruction(*game_, value, caption);
    if (action == MenuAction::TakeOutBuilder) result = TakeOutBuilder(*game_, value);
    if (action == MenuAction::CancelConstruction) result = CancelConstruction(*game_, value);
    if (result.acted)
        ++events[action == MenuAction::StartConstruction ? "construction started"
                 : action == MenuAction::TakeOutBuilder  ? (value < 0 ? "builder taken out" : "exit choice")
                                                         : "construction cancelled"];
    endTurnEnabled = EndTurnEnabled(*game_);
    Show(result.messages);
    if (result.acted) RenderAndPresent();
}

void WindowModel::ENDTURNClick() {
    if (!endTurnEnabled) return;
    EndTurn(*game_);
    ++events["turn ended"];
    if (game_->ReadyLayerOn == 1) ++events["turn ended with ready markers"];
}

// A whole notch: the bar moves, and its change runs when the value changed.
void WindowModel::MouseWheel(bool up) {
    const WheelZoom zoom = MouseWheelZoom(*game_, scaleBar, up);
    if (!zoom.changed) return;
    scaleBar = zoom.position;
    SScaleChange(*game_, scaleBar, surfaceWidth, surfaceHeight);
}

// The thumb's action shows the frame at the old position, then the value changes.
void WindowModel::DragZoomBar(int position) {
    SScaleChange(*game_, scaleBar, surfaceWidth, surfaceHeight);
    RenderAndPresent();
    position = std::clamp(position, kScaleMin, kScaleMax);
    if (position == scaleBar) return;
    scaleBar = position;
    SScaleChange(*game_, scaleBar, surfaceWidth, surfaceHeight);
}

void WindowModel::ScrollBar1Scroll(int position) {
    if (game_->Settings.ScrollBars != 1) return;  // hidden
    scrollValue1_ = std::clamp(position, 0, colMax);
    ScrollColumnsTo(*game_, scrollValue1_);
    RenderAndPresent();
}

void WindowModel::ScrollBar2Scroll(int position) {
    if (game_->Settings.ScrollBars != 1) return;
    scrollValue2_ = std::clamp(position, 0, rowMax);
    ScrollRowsTo(*game_, scrollValue2_);
    RenderAndPresent();
}

void WindowModel::MinimapPress(int x, int y) {
    tarq::MinimapPress(*game_, x, y, kMinimapSize, kMinimapSize);
    RenderAndPresent();
}

void WindowModel::MinimapMove(int x, int y) {
    if (tarq::MinimapMove(*game_, x, y, kMinimapSize, kMinimapSize)) RenderAndPresent();
}

void WindowModel::MinimapRelease() {
    tarq::MinimapRelease(*game_);
}

void WindowModel::Button1Click() {
    ToggleGeology(*game_);
}
void WindowModel::Button6Click() {
    ToggleGrid(*game_);
}
void WindowModel::Button11Click() {
    ToggleConnectors(*game_);
}

void WindowModel::SetSetting(u8 TSettings::*field, bool on) {
    game_->Settings.*field = on ? 1 : 0;
    if (field == &TSettings::ScrollBars) UpdateScrollBars();
    if (game_->Settings.PauseWhenInactive == 0) game_->AppActive = 1;
}

void WindowModel::SetInfoShown(int item, bool on) {
    game_->Settings.InfoShown[static_cast<std::size_t>(item)] = on ? 1 : 0;
}

void WindowModel::UpdateScrollBars() {
    ScrollBarsFor(*game_, game_->Settings.ScrollBars == 1);
    SetScrollBarRanges();
}

void WindowModel::Resize(int width, int height) {
    surfaceWidth = width;
    surfaceHeight = height;
    if (!surfaceInitialized_) return;
    UpdateViewGeometry(*game_, width, height);
    back_ = BackBuffer(width, height);
    frameCache_.Invalidate();
    drawTimerOn_ = true;
    game_->ViewChanged = 1;
}

void WindowModel::DXTimerTimer() {
    Game& g = *game_;
    if (!drawTimerOn_ || g.AppActive != 1 || !surfaceInitialized_) return;
    AdvanceAnimations(g);
    back_.Clear(kBlack);
    RenderAndPresent();
    if (g.BasePromptShown == 0) {
        g.BasePromptShown = 1;
        if (CurrentPlayerEntry(g).BasePlaced == 0) Show({"base prompt"});
    }
}

void WindowModel::Timer1Timer() {
    CountDownWarning(*game_);
}

void WindowModel::ApplicationActivate() { game_->AppActive = 1; }

void WindowModel::ApplicationDeactivate() {
    game_->RightDrag = 0;
    if (game_->Settings.PauseWhenInactive == 1) game_->AppActive = 0;
}

void WindowModel::Panel1MouseMove() {
    game_->RightDrag = 0;
}

// PageControl1Change: the drawing timer runs only on the map page.
void WindowModel::ShowPage(int index) {
    if (index == page) return;
    page = index;
    drawTimerOn_ = index == 1 && launched;
}

std::string WindowModel::SaveAndLoad() {
    if (!launched || menu || page != 1 || !HasSavableMap(*game_)) return {};
    const QByteArray bytes = WriteGameFile(*game_);
    LoadedGame loaded = ReadGameFile(bytes, QStringLiteral("autogame.tarq"));
    if (!loaded) return "a saved game is refused: " + loaded.message.toStdString();
    if (WriteGameFile(*loaded.game) != bytes) return "a loaded game saves to other bytes";
    TakeLoadedGame(std::move(loaded.game));
    ++events["saved and loaded"];
    return {};
}

// The window's part of a load: its clock behind the random source, the
// application's state, its surface's geometry, the controls shown again.
void WindowModel::TakeLoadedGame(std::unique_ptr<Game> loaded) {
    Game& g = *loaded;
    const std::uint32_t seed = g.Rng.Seed();
    g.Rng = RandomSource(seeds_);
    g.Rng.SetSeed(seed);
    g.AppActive = game_->AppActive;
    UpdateViewGeometry(g, surfaceWidth, surfaceHeight);
    game_ = std::move(loaded);
    scaleBar = std::clamp<int>(g.ViewSettings.Scale, kScaleMin, kScaleMax);
    endTurnEnabled = EndTurnEnabled(g);
    UpdateScrollBars();
    frameCache_.Invalidate();
}

void WindowModel::OpenGame(std::unique_ptr<Game> loaded, int width, int height) {
    menu.reset();
    HideTypeCard();
    if (images_.count() == 0) MakePictures(images_);
    minimapPalette_ = terrainStrip_;
    launched = true;
    surfaceWidth = width;
    surfaceHeight = height;
    back_ = BackBuffer(width, height);
    surfaceInitialized_ = true;
    page = 1;
    drawTimerOn_ = true;
    TakeLoadedGame(std::move(loaded));
    MarkViewForFirstFrame(*game_);
}

}  // namespace tarq::autogame
