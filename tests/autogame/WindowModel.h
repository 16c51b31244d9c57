// The main window as the engine sees it: the values of the controls its
// handlers read, and each handler as the engine calls it makes, in the same
// order as the window's own handlers (src/ui). The autogame drives this
// instead of the widgets; the engine cannot tell the difference.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/CommandMenu.h"
#include "control/InfoPanel.h"
#include "core/GameState.h"
#include "setup/TypeCard.h"
#include "view/BackBuffer.h"
#include "view/ImageList.h"
#include "view/Renderer.h"
#include "world/MapParameters.h"

namespace tarq::autogame {

class WindowModel {
public:
    // `seeds` stands for the clock the window reseeds its random source from.
    explicit WindowModel(std::function<std::uint32_t()> seeds);

    Game& game() { return *game_; }
    const Game& game() const { return *game_; }

    // --- Controls (their values as the player left them) ---
    MapControls mapControls;
    std::string sfps2 = "10", sfps3 = "18";
    int surfaceWidth = 400, surfaceHeight = 300;           // DXDraw, hidden until the launch
    int scaleBar = 15;                                     // SScale
    int colPage = 1, rowPage = 1, colMax = 0, rowMax = 0;  // ScrollBar1 and ScrollBar2
    int page = 2;                                          // PageControl1: the welcome page
    bool launched = false;
    bool endTurnEnabled = true;
    int cardEntry = -1;                  // list entry whose card is shown, -1 for none or a tree node
    TypeCard card;                       // rows of the characteristics grid
    std::optional<CommandMenu> menu;     // the popup command menu while it is open
    std::map<std::string, long> events;  // what the engine did, counted for the figures

    // --- New-game pages ---
    void Button10Click();                // generate the map
    void Image2MouseDown(int x, int y);  // a press on the sector grid
    void CheckBox2Click(bool checked);
    void ComboBox1Change(int index);  // the clan
    void SstartmoneyClick(int gold);
    void StrToBuyClick(bool noStructures, bool noAlienUnits);
    void TreeView1Click(int type);
    void DragTypeToList(int type);  // drag-over, then the drop when accepted
    void ListBox1Click(int row);
    void StrSelectCell(int column, int row);
    void PageControl2Change();
    bool LaunchTARQClick(int surfaceWidth, int surfaceHeight);

    // --- Map page ---
    void DXDrawMouseDown(bool right, int x, int y);
    void DXDrawMouseMove(int x, int y);
    void DXDrawMouseUp(bool right);
    void DXDrawClick();
    void ChooseMenuItem(const MenuItem& item);  // closes the menu, then the item acts
    void CloseMenu() { menu.reset(); }
    void ENDTURNClick();
    void MouseWheel(bool up);
    void DragZoomBar(int position);  // the thumb dragged to `position`
    void ScrollBar1Scroll(int position);
    void ScrollBar2Scroll(int position);
    void MinimapPress(int x, int y);
    void MinimapMove(int x, int y);
    void MinimapRelease();
    void Button1Click();   // geology
    void Button6Click();   // grid
    void Button11Click();  // connectors
    // A box of the settings page: the game keeps its value; the scroll-bar box
    // also shows or hides the map page's bars.
    void SetSetting(u8 TSettings::*field, bool on);
    void SetInfoShown(int item, bool on);  // CheckListBox1
    void UpdateScrollBars();
    void Resize(int width, int height);
    void DXTimerTimer();
    void Timer1Timer();
    void ApplicationActivate();
    void ApplicationDeactivate();
    void Panel1MouseMove();
    void ShowPage(int index);  // a tab picked, or a page the window switches to

    // The game saved to a file's bytes and read back into a fresh game, which
    // takes the running one's place as a loaded game does; on the map page
    // with no menu open. Returns what went wrong, empty when nothing did.
    std::string SaveAndLoad();

    // A game read from a file takes the running one's place, as a load from
    // the welcome page does: shown on the map page, on a surface of
    // `width` x `height`.
    void OpenGame(std::unique_ptr<Game> loaded, int width, int height);

    static constexpr int kMinimapSize = 196;  // Image1

private:
    void TakeLoadedGame(std::unique_ptr<Game> loaded);
    void RenderAndPresent();
    void SyncViewControlsToWidgets();
    void SetScrollBarRanges();
    void ShowTypeCard(int type, CardSource source, int entry);
    void HideTypeCard();
    void ConstructionOrder(MenuAction action, int value, const std::string& caption);
    void Show(const std::vector<std::string>& texts) { events["message"] += static_cast<long>(texts.size()); }

    std::unique_ptr<Game> game_;
    std::function<std::uint32_t()> seeds_;
    Bitmap terrainStrip_;
    ImageList images_;
    Bitmap minimapPalette_;
    BackBuffer back_;
    FrameCache frameCache_;
    bool surfaceInitialized_ = false;
    bool drawTimerOn_ = false;
    int scrollValue1_ = 0, scrollValue2_ = 0;
};

}  // namespace tarq::autogame
