// The map page (TabSheet1): the drawing surface DXDraw, and around the page
// control the parts that serve it: the left panel (END TURN, Save, Quit, the zoom bar,
// the overlay buttons, the side panel memo, the minimap), the top strip of
// read-outs and the two scroll bars. The window places those parts; this
// class builds them and carries their handlers, the drawing timer and the
// command menu.
#pragma once

#include <QKeyCombination>
#include <QMetaType>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "control/CommandMenu.h"
#include "core/Bitmap.h"
#include "core/Command.h"
#include "orders/Outcome.h"
#include "platform/GraphicsCacheFiles.h"
#include "view/Animation.h"
#include "view/ImageList.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

// The order a command menu action submits rides on its data.
Q_DECLARE_METATYPE(tarq::Order)

class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QListWidget;
class QTextEdit;
class QTimer;

namespace tarq {

class ImageBox;
class MapSurface;
class PageHost;

class MapPage : public QWidget {
    Q_OBJECT
public:
    explicit MapPage(PageHost& host, QWidget* parent = nullptr);

    // The zoom bar, the overlay buttons, END TURN and the scroll bars from the game state.
    void RefreshFromGame();
    // The two control hints of the side panel, written at start.
    void ShowControlHints();
    // The left panel and the top strip take their size (the launch) or none (the start).
    void ShowPanels(bool shown);

    // The launch's part: the picture cache, the image list and the minimap
    // palette for `game` (a launched or a loaded game) on terrain set
    // `terrainSet`. On failure the pictures loaded before stay.
    GraphicsLoad LoadGraphics(const Game& game, int terrainSet, const CacheProgress& progress);
    // Whether the pictures loaded are the ones `game` draws with.
    bool GraphicsFitFor(const Game& game) const;
    const Bitmap& minimapPalette() const { return minimapPalette_; }
    // The initial view for a page control `pageControlWidth` wide, then the surface.
    void ApplyInitialView(int pageControlWidth);
    // A loaded game on this page as it was saved: its view and zoom on this
    // surface (made ready if the map was not shown in this run yet), the
    // controls, the selection's panel, the pointer; the command menu closed.
    void ShowLoadedGame();
    // The drawing timer; `interval` in ms when it changes (1, or paced to the screen).
    void StartDrawing(int interval = 0);
    void StopDrawing();
    // The clock the drawing tick measures elapsed time by, in milliseconds
    // (a steady clock by default; a test gives one of its own).
    void SetClock(std::function<std::int64_t()> clock);

    // The map page's part of an order's outcome (Submit in PageHost): side
    // panel, command menu, zoom bar, pointer, END TURN, notice strip (`onShow`:
    // the map is the page on show, so a refusal is told there) and a frame.
    void ShowOutcome(const Outcome& out, bool onShow);

    // The map pointer: frames of the animated pointer, or the move pointer.
    void SetMapCursor(int number);
    void StepMapCursor();
    // The window's wheel: angleDelta units, one zoom step per whole notch.
    void WheelTurned(int delta);

    const ImageList& images() const { return images_; }
    int cursorNumber() const { return cursorNumber_; }
    int framesPerSecond() const { return fps_; }

    // Zoom, scroll bars, minimap, dragging, resizing (MapView.cpp).
    void SScaleChange();
    void SScaleScroll();
    void FormMouseWheelUp();
    void FormMouseWheelDown();
    void ScrollBar1Scroll();
    void ScrollBar2Scroll();
    void ScrollBar1Change();
    // What CheckBox10 switches: the scroll bars' ranges, and their
    // visibility while this page is the one shown.
    void UpdateScrollBars();
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void Image1MouseMove(int x, int y);
    void Image1MouseUp();
    void Panel1MouseMove();
    void PageControl1Resize();
    void DXDrawMouseDown(Qt::MouseButton button, int x, int y);
    void DXDrawMouseMove(int x, int y);
    void DXDrawMouseUp(Qt::MouseButton button, int x, int y);
    // Drawing, animation and overlays (MapView.cpp).
    void DXTimerTimer();
    void DXDrawInitialize();
    void DXDrawFinalize();
    void Button1Click();    // "Геология"
    void Button6Click();    // "Сетка"
    void Button11Click();   // "Соединители"
    void PurchasesClick();  // "Закупки": the purchases menu (MapPurchases.cpp)
    // The seven overlays drawn by the renderer ("Хиты" .. "Имена"): their
    // buttons with the switch each flips, and a button showing its switch.
    std::array<std::pair<QPushButton*, MapOverlay>, kMapOverlays> OverlaySwitches() const;
    void ShowOverlaySwitch(QPushButton* button, bool on);
    void OverlayButtonClick(QPushButton* button, MapOverlay overlay);
    // One frame drawn and shown at once, outside the drawing timer.
    void RenderAndPresent();
    // Clicks, the command menu and the end of the turn (MapOrders.cpp).
    void DXDrawClick();
    void DXDrawMouseMoveSite(int x, int y);
    void ENDTURNClick();
    // What a right press cancels: the site being placed, the exit choice, the armed move.
    void CancelWaiting();
    // The keys of the map page (MapKeys.cpp). True when the key is the page's,
    // even if it had nothing to do; nothing acts before the launch.
    bool KeyPressed(QKeyCombination key, bool autoRepeat);
    // Tab, Shift+Tab and NextUnit: the next (previous) own unit that can still move.
    void SelectNextUnit(bool backwards);
    // Space: the command menu of the selection at its cell.
    void OpenSelectionMenu();
    // Ctrl+Z and UndoButton: the last order of this turn taken back.
    void UndoLastOrder();
    // A short note in the middle of the top strip, gone after a few seconds.
    void ShowNotice(const QString& text);
    // "Ход N" in the top strip.
    void ShowTurn();

signals:
    void technicalPageRequested();  // the menu's N41 " Технические характеристики"
    void quitRequested();           // Button16 "Quit"
    void saveRequested();           // SaveGame "Сохранить"
    void turnEnded();               // after END TURN's work
    void scaleLabelsChanged(const ScaleLabels& labels);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The scroll bars lie outside the page, beside the page control: they
    // show with the page and hide with it.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* BuildLeftPanel();
    QWidget* BuildTopStrip();
    void ConnectHandlers();
    void SetToolTips();
    // The view moved by whole cells (arrow keys).
    void ScrollByKeys(int dcol, int drow);
    // Submits an order of the player on show, the surface's size made known first.
    Outcome Submit(const Order& order);
    Outcome Submit(Command command);
    // One frame of the game as it is, and the window's part of it (minimap, view controls).
    void DrawFrame();
    void RebuildMinimapPicture();
    void SyncViewControlsToWidgets();
    void SetScrollBarRanges(int colMax, int rowMax);
    void SetScaleLabels(const ScaleLabels& labels);
    void LayOutOverlayButtonGrid();
    void CountFrame();
    // The selected object's characteristics in Memo2, or the control hints.
    void ShowSelectionInfo();
    // The current player's start-of-turn summary above Memo2, hidden while empty.
    void ShowTurnSummary();
    // A click on a line of the summary centres the map on its cell.
    void TurnSummaryClicked(int row);
    // PMenu filled from the engine's menu for SelectedObject.
    void BuildCommandMenu();
    void AddMenuItem(QMenu* menu, const MenuItem& item);
    void MenuItemChosen(const MenuItem& item);

    PageHost& host_;
    ImageList images_;
    Bitmap minimapPalette_;
    FrameCache frameCache_;
    std::filesystem::path cacheDir_;
    // What the loaded pictures were chosen by: the terrain sheet and the geology's resolution.
    int graphicsTerrainSet_ = -1;
    bool graphicsHighRes_ = false;
    int cursorNumber_ = 1;
    std::function<std::int64_t()> clock_;
    std::int64_t lastTick_ = -1;  // the clock at the last drawing tick, -1 before the first
    AnimationClock animationClock_;
    int fps_ = 0;
    int framesThisSecond_ = 0;
    qint64 fpsWindowStart_ = -1;
    int wheelRest_ = 0;  // wheel units turned since the last whole notch

public:
    MapSurface* DXDraw = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel5 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QScrollBar* ScrollBar2 = nullptr;
    QPushButton* ENDTURN = nullptr;
    QPushButton* Button16 = nullptr;
    QPushButton* NextUnit = nullptr;    // the next unit that can move (Tab)
    QPushButton* UndoButton = nullptr;  // "Отменить": the last order of the turn taken back (Ctrl+Z)
    QPushButton* Purchases = nullptr;   // "Закупки": reinforcements for credits during play
    QPushButton* SaveGame = nullptr;    // "Сохранить": the game to a file
    QCheckBox* CheckBox1 = nullptr;     // read by nothing
    QScrollBar* SScale = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button11 = nullptr;
    QTextEdit* Memo2 = nullptr;
    QListWidget* TurnSummary = nullptr;  // "Сводка хода": what happened since the player's last turn
    ImageBox* Minimap = nullptr;
    ImageBox* Image1 = nullptr;
    QLabel* StaticText8 = nullptr;
    QLabel* StaticText9 = nullptr;
    QLabel* Notice = nullptr;  // the top strip's note (ShowNotice)
    QTimer* NoticeTimer = nullptr;
    QLabel* TurnNumber = nullptr;  // "Ход N"
    QTimer* DXTimer = nullptr;
    QMenu* PMenu = nullptr;
};

}  // namespace tarq
