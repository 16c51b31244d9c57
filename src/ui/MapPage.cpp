#include "ui/MapPage.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

#include "control/ClickOrders.h"
#include "control/MapClick.h"
#include "control/PathOrders.h"
#include "control/TurnPhases.h"
#include "core/Players.h"
#include "ui/Cursors.h"
#include "ui/InfoTexts.h"
#include "ui/MapSurface.h"
#include "ui/PageHost.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"
#include "view/Overlays.h"

namespace tarq {

namespace {
constexpr int kTopStripHeight = 18;
constexpr int kLeftPanelWidth = 200;
}  // namespace

MapPage::MapPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("TabSheet1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    DXDraw = Named(new MapSurface(this), "DXDraw");
    layout->addWidget(DXDraw);
    BuildLeftPanel();
    BuildTopStrip();
    ScrollBar1 = Named(new QScrollBar(Qt::Horizontal), "ScrollBar1");
    ScrollBar2 = Named(new QScrollBar(Qt::Vertical), "ScrollBar2");
    ScrollBar1->setMinimum(0);
    ScrollBar2->setMinimum(0);
    ScrollBar1->hide();
    ScrollBar2->hide();
    DXTimer = Named(new QTimer(this), "DXTimer");
    DXTimer->setInterval(1);
    PMenu = Named(new QMenu(this), "PMenu");
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    clock_ = [steady] { return static_cast<std::int64_t>(steady->elapsed()); };
    ConnectHandlers();
    SetToolTips();
}

QWidget* MapPage::BuildLeftPanel() {
    Panel1 = Named(new QFrame, "Panel1");
    Panel1->setFixedWidth(kLeftPanelWidth);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    Panel3 = Named(new QFrame(Panel1), "Panel3");
    Panel3->setFixedHeight(144);
    // "Сохранить" takes the first part of Quit's place beside END TURN.
    ENDTURN = Place(Named(new QPushButton(QStringLiteral("END TURN"), Panel3), "ENDTURN"), 1, 1, 98, 24);
    SaveGame = Place(Named(new QPushButton(QStringLiteral("Сохранить"), Panel3), "SaveGame"), 101, 1, 64, 24);
    Button16 = Place(Named(new QPushButton(QStringLiteral("Quit"), Panel3), "Button16"), 166, 1, 31, 24);
    CheckBox1 = Place(Named(new QCheckBox(QStringLiteral("CheckBox1"), Panel3), "CheckBox1"), 1, 26, 120, 16);
    NextUnit = Place(Named(new QPushButton(QStringLiteral("Следующий"), Panel3), "NextUnit"), 122, 26, 75, 17);
    SScale = Place(Named(new QScrollBar(Qt::Horizontal, Panel3), "SScale"), 1, 44, 196, 17);
    SScale->setRange(kScaleMin, kScaleMax);
    SScale->setPageStep(50);
    SScale->setSingleStep(5);
    SScale->setValue(15);
    SScale->setCursor(Qt::PointingHandCursor);

    auto button = [this](const char* name, const QString& text) { return Named(new QPushButton(text, Panel3), name); };
    Button1 = button("Button1", QStringLiteral("Геология"));
    Button2 = button("Button2", QStringLiteral("Хиты"));
    Button3 = button("Button3", QStringLiteral("Обзоры"));
    Button4 = button("Button4", QStringLiteral("Статус"));
    Button5 = button("Button5", QStringLiteral("Боезапас"));
    Button6 = button("Button6", QStringLiteral("Сетка"));
    Button7 = button("Button7", QStringLiteral("Подсветка"));
    Button8 = button("Button8", QStringLiteral("Радиус"));
    Button9 = button("Button9", QStringLiteral("Имена"));
    Button11 = button("Button11", QStringLiteral("Соединители"));
    QFont struck = Button9->font();
    struck.setStrikeOut(true);
    Button9->setFont(struck);
    SetBold(Button11, true);
    // The designed places: three rows of three, the connectors button above the
    // first row. Every resize lays the rows out again from the panel's bottom up.
    QPushButton* grid[3][3] = {{Button1, Button2, Button3}, {Button4, Button5, Button6}, {Button7, Button8, Button9}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) Place(grid[row][col], 1 + col * 65, 84 + row * 20, 65, 20);
    Place(Button11, 1, 64, 100, 20);
    // "Отменить" beside it.
    UndoButton = Place(Named(new QPushButton(QStringLiteral("Отменить"), Panel3), "UndoButton"), 102, 64, 95, 20);
    layout->addWidget(Panel3);
    // "Закупки": a row of its own under the switches.
    Purchases = Named(new QPushButton(QStringLiteral("Закупки"), Panel1), "Purchases");
    Purchases->setFixedHeight(20);
    layout->addWidget(Purchases);

    TurnSummary = Named(new QListWidget(Panel1), "TurnSummary");
    TurnSummary->setToolTip(QStringLiteral("Сводка хода: щелчок по строке показывает ее клетку"));
    TurnSummary->setStyleSheet(QStringLiteral("QListWidget { background: #f0e6a6; }"));
    TurnSummary->hide();
    layout->addWidget(TurnSummary, 1);

    Memo2 = Named(new QTextEdit(Panel1), "Memo2");
    Memo2->setReadOnly(true);
    Memo2->setStyleSheet(QStringLiteral("QTextEdit { background: #a6caf0; }"));
    layout->addWidget(Memo2, 1);

    Panel2 = Named(new QFrame(Panel1), "Panel2");
    Panel2->setFixedSize(198, 198);
    Panel2->setFrameShape(QFrame::StyledPanel);
    auto* wait = Place(new QLabel(QStringLiteral("Ждите..."), Panel2), 0, 0, 198, 198);
    wait->setAlignment(Qt::AlignCenter);
    Minimap = Place(Named(new ImageBox(Panel2), "Minimap"), 1, 1, 196, 196);
    Image1 = Place(Named(new ImageBox(Panel2), "Image1"), 1, 1, 196, 196);
    Image1->setTransparentKey(qRgb(255, 255, 255));
    Image1->raise();
    layout->addWidget(Panel2, 0, Qt::AlignHCenter);
    return Panel1;
}

QWidget* MapPage::BuildTopStrip() {
    Panel5 = Named(new QFrame, "Panel5");
    Panel5->setFixedHeight(17);
    auto* layout = new QHBoxLayout(Panel5);
    layout->setContentsMargins(4, 0, 4, 0);
    StaticText9 = Named(new QLabel(Panel5), "StaticText9");
    StaticText8 = Named(new QLabel(Panel5), "StaticText8");
    Notice = Named(new QLabel(Panel5), "Notice");
    TurnNumber = Named(new QLabel(Panel5), "TurnNumber");
    // Room for any frame rate, so the turn beside it never moves.
    StaticText9->setMinimumWidth(StaticText9->fontMetrics().horizontalAdvance(QStringLiteral("Fps=00000")));
    layout->addWidget(StaticText9);
    layout->addSpacing(8);
    layout->addWidget(TurnNumber);
    layout->addStretch(1);
    layout->addWidget(Notice);
    layout->addStretch(1);
    layout->addWidget(StaticText8);
    NoticeTimer = Named(new QTimer(this), "NoticeTimer");
    NoticeTimer->setSingleShot(true);
    NoticeTimer->setInterval(4000);
    connect(NoticeTimer, &QTimer::timeout, Notice, &QLabel::clear);
    return Panel5;
}

void MapPage::ConnectHandlers() {
    connect(SScale, &QScrollBar::valueChanged, this, &MapPage::SScaleChange);
    connect(TurnSummary, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { TurnSummaryClicked(TurnSummary->row(item)); });
    connect(SScale, &QScrollBar::actionTriggered, this, &MapPage::SScaleScroll);
    connect(ScrollBar1, &QScrollBar::actionTriggered, this, &MapPage::ScrollBar1Scroll);
    connect(ScrollBar2, &QScrollBar::actionTriggered, this, &MapPage::ScrollBar2Scroll);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &MapPage::ScrollBar1Change);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &MapPage::ScrollBar1Change);
    connect(Image1, &ImageBox::mousePressed, this, &MapPage::Image1MouseDown);
    connect(Image1, &ImageBox::mouseMoved, this, &MapPage::Image1MouseMove);
    connect(Image1, &ImageBox::mouseReleased, this, &MapPage::Image1MouseUp);
    connect(DXDraw, &MapSurface::mousePressed, this, &MapPage::DXDrawMouseDown);
    connect(DXDraw, &MapSurface::mouseMoved, this, &MapPage::DXDrawMouseMove);
    connect(DXDraw, &MapSurface::mouseReleased, this, &MapPage::DXDrawMouseUp);
    connect(DXDraw, &MapSurface::clicked, this, &MapPage::DXDrawClick);
    connect(DXDraw, &MapSurface::mouseMoved, this, &MapPage::DXDrawMouseMoveSite);
    connect(DXDraw, &MapSurface::initializedSurface, this, &MapPage::DXDrawInitialize);
    connect(DXDraw, &MapSurface::finalizedSurface, this, &MapPage::DXDrawFinalize);
    connect(DXTimer, &QTimer::timeout, this, &MapPage::DXTimerTimer);
    connect(ENDTURN, &QPushButton::clicked, this, &MapPage::ENDTURNClick);
    connect(Button16, &QPushButton::clicked, this, &MapPage::quitRequested);
    connect(NextUnit, &QPushButton::clicked, this, [this] { SelectNextUnit(false); });
    connect(UndoButton, &QPushButton::clicked, this, [this] { UndoLastOrder(); });
    connect(SaveGame, &QPushButton::clicked, this, &MapPage::saveRequested);
    connect(Button1, &QPushButton::clicked, this, &MapPage::Button1Click);
    connect(Button6, &QPushButton::clicked, this, &MapPage::Button6Click);
    connect(Button11, &QPushButton::clicked, this, &MapPage::Button11Click);
    connect(Purchases, &QPushButton::clicked, this, &MapPage::PurchasesClick);
    for (const auto& [button, overlay] : OverlaySwitches())
        connect(button, &QPushButton::clicked, this, [this, b = button, o = overlay] { OverlayButtonClick(b, o); });
    // Mouse moves over the side panel and its buttons end a drag.
    Panel1->setMouseTracking(true);
    Panel1->installEventFilter(this);
    Panel3->setMouseTracking(true);
    Panel3->installEventFilter(this);
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8, Button9, Button11})
        b->installEventFilter(this);
    DXDraw->installEventFilter(this);
    // The wheel over the zoom bar zooms as it does over the window, not by the bar's own steps.
    SScale->installEventFilter(this);
}

bool MapPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SScale) {
        if (event->type() != QEvent::Wheel) return false;
        WheelTurned(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    if (watched == DXDraw && event->type() == QEvent::Resize)
        PageControl1Resize();
    else if (watched != DXDraw && (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove))
        Panel1MouseMove();
    return false;
}

void MapPage::RefreshFromGame() {
    const Game& g = host_.game();
    {
        const QSignalBlocker block(SScale);
        SScale->setValue(g.ViewSettings.Scale);
    }
    SetBold(Button1, g.ViewSettings.ShowGeology == 1);
    SetBold(Button6, g.ViewSettings.ShowGrid == 1);
    SetBold(Button11, g.ViewSettings.ShowConnectors == 1);
    for (const auto& [button, overlay] : OverlaySwitches()) ShowOverlaySwitch(button, g.ViewSettings.Overlays[overlay]);
    ENDTURN->setEnabled(EndTurnEnabled(g));
    ShowTurn();
    ShowTurnSummary();
    if (DXDraw->initialized()) UpdateScrollBars();
}

void MapPage::ShowTurnSummary() {
    const std::vector<TNotice>& notices = NoticesOf(host_.game(), host_.game().CurrentPlayer);
    TurnSummary->clear();
    for (const TNotice& n : notices) TurnSummary->addItem(QString::fromStdString(n.Text));
    TurnSummary->setVisible(!notices.empty());
}

void MapPage::TurnSummaryClicked(int row) {
    const Game& g = host_.game();
    const std::vector<TNotice>& notices = NoticesOf(g, g.CurrentPlayer);
    if (row < 0 || static_cast<std::size_t>(row) >= notices.size()) return;
    const TNotice& n = notices[static_cast<std::size_t>(row)];
    if (n.Col == 0 || n.Row == 0) return;
    const auto first = [](int cell, int visible, int size) {
        return static_cast<i16>(std::clamp(cell - visible / 2, 1, std::max(1, size - visible + 1)));
    };
    Submit(
        cmd::ScrollTo{first(n.Col, g.VisibleCols, g.World.MapWidth), first(n.Row, g.VisibleRows, g.World.MapHeight)});
}

void MapPage::ShowTurn() { TurnNumber->setText(QStringLiteral("Ход %1").arg(host_.game().Turn)); }

void MapPage::ShowControlHints() {
    Memo2->clear();
    FillMemo(Memo2, texts::Memo2Hints());
}

void MapPage::ShowPanels(bool shown) {
    Panel5->setFixedHeight(shown ? kTopStripHeight : 0);
    Panel1->setFixedWidth(shown ? kLeftPanelWidth : 0);
}

namespace {

// Whether the pictures need team copies: several players, or one who chose
// another colour than the pictures' own.
bool TeamColoursInPlay(const Game& game) { return SeveralPlayers(game) || PlayerColourIndex(game, 1) != 0; }

// Every player's units and structures in their colour: one copy of the team
// sheets per colour in play.
void AddTeamCopies(const Game& game, ImageList& images) {
    if (!TeamColoursInPlay(game)) return;
    std::vector<int> colours;
    for (int p = 1; p <= game.Players.Count; ++p) colours.push_back(PlayerColourIndex(game, p));
    images.addTeamCopies(colours);
}

bool HasTeamCopies(const Game& game, const ImageList& images) {
    if (!TeamColoursInPlay(game)) return true;
    for (int p = 1; p <= game.Players.Count; ++p)
        if (!images.hasTeamColour(PlayerColourIndex(game, p))) return false;
    return true;
}

}  // namespace

// Loaded aside and taken only when every picture could be used, so a failure
// leaves the pictures of the game on show.
GraphicsLoad MapPage::LoadGraphics(const Game& game, int terrainSet, const CacheProgress& progress) {
    ImageList images;
    Bitmap palette;
    const bool highRes = game.Settings.HighResGeology == 1;
    const GraphicsLoad load =
        LoadGameGraphics(game, terrainSet, host_.workDir(), UserCacheDir(), highRes, images, palette, progress);
    if (!load.ok) return load;
    AddTeamCopies(game, images);
    images_ = std::move(images);
    minimapPalette_ = std::move(palette);
    graphicsTerrainSet_ = terrainSet;
    graphicsHighRes_ = highRes;
    cacheDir_ = load.cacheDir;
    frameCache_.Invalidate();
    return load;
}

bool MapPage::GraphicsFitFor(const Game& game) const {
    return images_.count() > 0 && HasTeamCopies(game, images_) && graphicsTerrainSet_ == game.World.TerrainSet &&
           graphicsHighRes_ == (game.Settings.HighResGeology == 1);
}

void MapPage::ApplyInitialView(int pageControlWidth) {
    Game& g = host_.game();
    // In device pixels, as the view is computed (see MapSurface).
    const qreal ratio = devicePixelRatioF();
    const InitialScale scale =
        StartInitialView(g, qRound(pageControlWidth * ratio), qRound(width() * ratio), qRound(height() * ratio),
                         SScale->value(), DXDraw->pixelWidth(), DXDraw->pixelHeight());
    {
        const QSignalBlocker block(SScale);
        SScale->setValue(scale.barPosition);
    }
    if (scale.changed) SetScaleLabels(scale.labels);
    UpdateScrollBars();
    DXDraw->initialize();
    FinishInitialView(g, DXDraw->pixelWidth(), DXDraw->pixelHeight());
}

void MapPage::ShowLoadedGame() {
    PMenu->hide();
    if (!DXDraw->initialized()) DXDraw->initialize();
    Game& g = host_.game();
    UpdateViewGeometry(g, DXDraw->pixelWidth(), DXDraw->pixelHeight());
    SetScaleLabels(ScaleLabelsOf(g));
    frameCache_.Invalidate();
    frameCache_.SetPath(ShownPath(g));
    RefreshFromGame();
    ShowSelectionInfo();
    StepMapCursor();
}

void MapPage::StartDrawing(int interval) {
    if (interval > 0) DXTimer->setInterval(interval);
    DXTimer->start();
}

void MapPage::StopDrawing() { DXTimer->stop(); }

void MapPage::SetMapCursor(int number) {
    cursorNumber_ = number;
    DXDraw->setCursor(host_.cursors().cursor(number));
}

void MapPage::StepMapCursor() {
    const Game& g = host_.game();
    if (!AttackReadout(g, g.HoverCol, g.HoverRow).empty()) {
        DXDraw->setCursor(QCursor(Qt::CrossCursor));
        return;
    }
    SetMapCursor(NextMapCursor(cursorNumber_, g.MoveArmed == 1 || g.AttackArmed == 1));
}

}  // namespace tarq
