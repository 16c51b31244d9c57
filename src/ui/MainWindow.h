// The main window: every page and control of the game, and the handlers that
// read the controls, call the engine and write the controls back. Each control
// carries its own name as objectName, so tests and tools can find it.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>

#include "control/CommandMenu.h"
#include "core/GameState.h"
#include "setup/TypeCard.h"
#include "ui/Cursors.h"
#include "core/Bitmap.h"
#include "view/ImageList.h"
#include "view/Renderer.h"
#include "view/Viewport.h"
#include "world/Random.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QWidget;

namespace tarq {

class ImageBox;
class MapSurface;
class PieGauge;
class RadioGroup;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    using MessageSink = std::function<void(const QString&)>;

    // `workDir` is the game's working folder (where graph/ lies). `sink`
    // receives every message the player must see; by default a message box.
    explicit TMainForm(std::filesystem::path workDir = std::filesystem::current_path(), MessageSink sink = {},
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    Game& game() { return *game_; }
    const std::filesystem::path& workDir() const { return workDir_; }
    RandomSource& random() { return random_; }
    const CursorSet& cursors() const { return cursors_; }
    // Terrain colour strip built at start (one pixel per terrain code).
    const Bitmap& terrainStrip() const { return terrainStrip_; }

    // Every message the player must see goes through here.
    void ShowMessage(const QString& text);

    // Opens a saved game straight on the map page (the command line's FILE,
    // a file manager's double click). A file that cannot be opened gets its
    // message and the current page stays.
    bool OpenGameFile(const QString& path);

public slots:
    // Page flow and application events.
    void Button12Click();
    void Button14Click();
    void PageControl1Change(int index);
    void PageControl2Change(int index);
    void N41Click();
    void Button15Click();
    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    // Settings page.
    void CheckBox3Click();
    void Button17Click();
    // Purchase list display.
    void RefreshPurchaseList();
    // Start conditions: the map generator, its preview and the landing sectors.
    void Button10Click();
    void Image2MouseDown(Qt::MouseButton button, int x, int y);
    void Image2Click();
    void CheckBox2Click();
    void ComboBox1Change(int index);
    // Purchases: start gold, restrictions, buying by drag and drop, the type card.
    void SstartmoneyClick();
    void StrToBuyClick();
    void TreeView1Click();
    bool ListBox1DragOver(QObject* source);
    void ListBox1DragDrop(QObject* source);
    void ListBox1Click();
    void StrSelectCell(int column, int row);
    // The card of `type`; `entry` is the purchase list entry it describes (-1 for a tree node).
    void ShowTypeCard(int type, CardSource source, int entry = -1);
    // Hides the card and empties its grid, so no "+" or "-" of a card not shown acts.
    void HideTypeCard();
    // The start button.
    void LaunchTARQClick();
    // Map view: zoom, scrolling, minimap, dragging, resizing.
    void SScaleChange();
    void SScaleScroll();
    void FormMouseWheelUp();
    void FormMouseWheelDown();
    void ScrollBar1Scroll();
    void ScrollBar2Scroll();
    void ScrollBar1Change();
    void CheckBox10Click();
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void Image1MouseMove(int x, int y);
    void Image1MouseUp();
    void Panel1MouseMove();
    void PageControl1Resize();
    void DXDrawMouseDown(Qt::MouseButton button, int x, int y);
    void DXDrawMouseMove(int x, int y);
    void DXDrawMouseUp(Qt::MouseButton button, int x, int y);
    // Map clicks and selection, and the construction site that follows the mouse.
    void DXDrawClick();
    void DXDrawMouseMoveSite(int x, int y);
    // The command menu's own items and the end of the turn.
    void N81Click();
    void N4Click();
    void ENDTURNClick();

private:
    void ConnectClickHandlers();
    void ConnectMenuHandlers();
    // PMenu filled from the engine's menu for SelectedObject.
    void BuildCommandMenu();
    void AddMenuItem(QMenu* menu, const MenuItem& item);
    void MenuItemChosen(MenuAction action, int value, const std::string& caption);
    // Carries out a construction order chosen in the menu (a build option,
    // taking the builder out, cancelling): the item's action, value and
    // caption. Set by the construction handlers; while empty, those items do
    // nothing.
    // A construction order carried out by the engine; its messages shown,
    // END TURN enabled exactly in the normal click mode.
    void ConstructionOrder(MenuAction action, int value, const std::string& caption);

public slots:
    // Drawing, animation and overlays.
    void DXTimerTimer();
    void DXDrawInitialize();
    void DXDrawFinalize();
    void Button1Click();
    void Button6Click();
    void Button11Click();
    void Timer1Timer();
    // One frame drawn and shown at once, outside the drawing timer.
    void RenderAndPresent();

    const ImageList& images() const { return images_; }
    int cursorNumber() const { return cursorNumber_; }
    int framesPerSecond() const { return fps_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void FormCreate();
    void FillInformationMemos();
    void BuildWindow();
    QWidget* BuildWelcomePage();
    QWidget* BuildNewGamePage();
    QWidget* BuildStartConditionsPage();
    QWidget* BuildMapGeneratorPage();
    QWidget* BuildRestrictionsPage();
    QWidget* BuildPurchasesPage();
    QWidget* BuildSettingsPage();
    QWidget* BuildGameSettingsPage();
    QWidget* BuildSystemSettingsPage();
    QWidget* BuildMapPage();
    QWidget* BuildTechPage();
    QWidget* BuildPreparationPage();
    QWidget* BuildLeftPanel();
    QWidget* BuildTopStrip();
    void BuildPurchaseTree();
    void BuildIcons();
    void BuildTerrainStrip();
    void LoadClanPicture(int clan);
    void NamePurchaseTreeNodes();
    void ConnectPageHandlers();
    void ConnectSettingsCopies();
    void ConnectNewGameHandlers();
    void ConnectPurchaseHandlers();
    void ConnectMapHandlers();
    bool LoadGraphicsForLaunch();
    void ShowMapPage();
    void ApplyInitialView();
    void DrawFrame();
    void RebuildMinimapPicture();
    void SyncViewControlsToWidgets();
    void SetScrollBarRanges(int colMax, int rowMax);
    void SetScaleLabels(const ScaleLabels& labels);
    void SetMapCursor(int number);
    void LayOutOverlayButtonGrid();
    void CountFrame();
    bool eventFilter(QObject* watched, QEvent* event) override;
    struct MapControls ReadMapControls() const;

public:
    // Controls, by their names.
    QFrame* Panel5 = nullptr;
    QFrame* Panel1 = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel2 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QTabWidget* PageControl3 = nullptr;
    QTabWidget* PageControl4 = nullptr;
    QTabWidget* PageControl5 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QScrollBar* ScrollBar2 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet9 = nullptr;
    QWidget* TabSheet10 = nullptr;
    QWidget* TabSheet13 = nullptr;
    QWidget* TabSheet14 = nullptr;

    // Welcome page.
    QPushButton* Button12 = nullptr;
    QPushButton* Button13 = nullptr;
    QPushButton* Button14 = nullptr;
    QTextEdit* Memo1 = nullptr;
    QTextEdit* Memo3 = nullptr;
    QTextEdit* Memo4 = nullptr;
    QTextEdit* Memo6 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* StaticText12 = nullptr;
    QLabel* LabelVersion = nullptr;
    QLabel* LabelAuthor = nullptr;

    // New game: start button and the purchase card.
    QPushButton* LaunchTARQ = nullptr;
    ImageBox* Image5 = nullptr;
    QLabel* StaticText4 = nullptr;
    QLabel* StaticText6 = nullptr;

    // Start conditions.
    RadioGroup* MapType = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLabel* StaticText2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    ImageBox* Image4 = nullptr;
    QComboBox* ColorBox1 = nullptr;
    QLabel* LabelColorBox1 = nullptr;
    QLabel* Label6 = nullptr;
    ImageBox* Image3 = nullptr;
    ImageBox* Image2 = nullptr;
    // Map generator parameters.
    RadioGroup* MapSize = nullptr;
    RadioGroup* Ttype = nullptr;
    QPushButton* Button10 = nullptr;
    QScrollBar* Mountains = nullptr;
    QScrollBar* Stones = nullptr;
    QScrollBar* Emaxmstrj = nullptr;
    QScrollBar* ismass = nullptr;
    QScrollBar* LandMass = nullptr;
    QScrollBar* Estripcount = nullptr;
    QScrollBar* EstripL = nullptr;
    QScrollBar* EstripW = nullptr;

    // Restrictions.
    RadioGroup* Sstartmoney = nullptr;
    QCheckBox* StrToBuy = nullptr;
    QCheckBox* AlienToBuy = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox8 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QLabel* Label2 = nullptr;

    // Purchases.
    QTreeWidget* TreeView1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QFrame* Panel4 = nullptr;
    QTableWidget* Str = nullptr;
    QLabel* StaticText7 = nullptr;
    QLabel* StaticText5 = nullptr;

    // Settings.
    QLineEdit* SFPS2 = nullptr;
    QLineEdit* SFPS3 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QLabel* Label8 = nullptr;
    QFrame* Panel6 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label22 = nullptr;
    QPushButton* Button17 = nullptr;
    QListWidget* ListBox2 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    RadioGroup* Winmode = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QCheckBox* CheckBox12 = nullptr;

    // Technical data and graphics preparation pages.
    QPushButton* Button15 = nullptr;
    PieGauge* Gauge1 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label27 = nullptr;
    ImageBox* b1 = nullptr;
    ImageBox* b2 = nullptr;

    // Map page and side panel.
    MapSurface* DXDraw = nullptr;
    QPushButton* ENDTURN = nullptr;
    QPushButton* Button16 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
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
    ImageBox* Minimap = nullptr;
    ImageBox* Image1 = nullptr;
    QLabel* StaticText8 = nullptr;
    QLabel* StaticText9 = nullptr;

    // Non-visual parts.
    QTimer* DXTimer = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* PMenu = nullptr;
    QList<QIcon> Icons;

private:
    std::unique_ptr<Game> game_;
    std::filesystem::path workDir_;
    MessageSink sink_;
    RandomSource random_;
    CursorSet cursors_;
    Bitmap terrainStrip_;
    ImageList images_;
    Bitmap minimapPalette_;
    FrameCache frameCache_;
    std::filesystem::path cacheDir_;
    int cursorNumber_ = 1;
    int fps_ = 0;
    int framesThisSecond_ = 0;
    qint64 fpsWindowStart_ = -1;
    int cardEntry_ = -1;  // the purchase list entry whose card is shown, -1 for none or a tree node
    int wheelRest_ = 0;   // wheel units turned since the last whole notch
};

}  // namespace tarq
