#include "ui/MainWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <QWheelEvent>

#include "core/Paths.h"
#include "core/World.h"
#include "orders/Execute.h"
#include "platform/BmpFile.h"
#include "setup/Purchases.h"
#include "ui/HandoverScreen.h"
#include "ui/InfoTexts.h"
#include "ui/MapPage.h"
#include "ui/NetPlay.h"
#include "ui/NewGamePage.h"
#include "ui/PreparationPage.h"
#include "ui/PurchasesPage.h"
#include "ui/QtBitmap.h"
#include "ui/SettingsPage.h"
#include "ui/TechnicalPage.h"
#include "ui/UiHelpers.h"
#include "ui/WelcomePage.h"
#include "view/ColourStrip.h"
#include "view/Overlays.h"

namespace tarq {

TMainForm::TMainForm(std::filesystem::path workDir, MessageSink sink, QWidget* parent)
    : QMainWindow(parent), game_(NewGame()), workDir_(std::move(workDir)), sink_(std::move(sink)) {
    BuildWindow();
    FormCreate();
    // Keys reach the focused widget first; the window sees them before it does.
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() { qApp->removeEventFilter(this); }

// The order carried out, and its outcome shown: the messages it raises, then
// the map page's part (panel, menu, zoom, pointer, END TURN, notice, frame),
// its sounds first, so they start with the change they answer.
Outcome TMainForm::Submit(const Order& order) {
    const Outcome out = Execute(*game_, order);
    PlayOutcome(order, out);
    for (const PlayerMessage& message : out.messages) ShowMessage(QString::fromStdString(message.text), message.weight);
    map_->ShowOutcome(out, PageControl1->currentIndex() == kPageMap);
    return out;
}

void TMainForm::ShowMessage(const QString& text, MessageWeight weight) {
    if (sink_) {
        sink_(text, weight);
        return;
    }
    const QMessageBox::Icon icon = weight == MessageWeight::Failure   ? QMessageBox::Critical
                                   : weight == MessageWeight::Warning ? QMessageBox::Warning
                                                                      : QMessageBox::Information;
    // Shown without a nested event loop, so timers keep their order; messages
    // raised while the window is being built wait until it is shown.
    auto show = [this, text, icon] {
        auto* box = new QMessageBox(icon, windowTitle(), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    if (!isVisible()) {
        QTimer::singleShot(0, this, show);
        return;
    }
    show();
}

// The pages in the page control, the map page's panels and scroll bars around it.
void TMainForm::BuildWindow() {
    setWindowTitle(texts::WindowTitle());
    // The designed font, or a narrow sans face with the same metrics where it is missing.
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    setFont(font);
    resize(776, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(776 / 2, 600 / 2));
    }
    BuildIcons();

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    PageControl1 = Named(new QTabWidget(central), "PageControl1");
    newGame_ = new NewGamePage(*this);
    map_ = new MapPage(*this);
    welcome_ = new WelcomePage;
    settings_ = new SettingsPage(*this);
    technical_ = new TechnicalPage;
    preparation_ = new PreparationPage;
    PageControl1->addTab(newGame_, Icons[0], QStringLiteral("Начать новую игру"));
    PageControl1->addTab(map_, Icons[3], QStringLiteral("Карта (рабочая) :)"));
    PageControl1->addTab(welcome_, Icons[1], QStringLiteral("Приветствую!"));
    PageControl1->addTab(settings_, Icons[2], QStringLiteral("Настройки"));
    PageControl1->addTab(technical_, Icons[4], QStringLiteral("Технические характеристики"));
    PageControl1->addTab(preparation_, Icons[6], QStringLiteral("TabSheet14"));
    ShowTab(PageControl1, kPageTech, false);
    ShowTab(PageControl1, kPagePrepare, false);

    grid->addWidget(map_->Panel5, 0, 0, 1, 3);
    grid->addWidget(map_->Panel1, 1, 0, 2, 1);
    grid->addWidget(PageControl1, 1, 1);
    grid->addWidget(map_->ScrollBar2, 1, 2);
    grid->addWidget(map_->ScrollBar1, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    setCentralWidget(central);
    handover_ = new HandoverScreen(central);
    BuildNetPlay();

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(250);
    Timer1->start();
    ConnectPages();
}

// The flows that cross pages.
void TMainForm::ConnectPages() {
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainForm::PageControl1Change);
    connect(welcome_, &WelcomePage::newGameRequested, this, &TMainForm::Button12Click);
    connect(welcome_, &WelcomePage::loadRequested, this, &TMainForm::Button13Click);
    connect(welcome_, &WelcomePage::quitRequested, this, &TMainForm::Button14Click);
    connect(map_, &MapPage::quitRequested, this, &TMainForm::Button14Click);
    connect(map_, &MapPage::saveRequested, this, &TMainForm::SaveGameClick);
    connect(map_, &MapPage::turnEnded, this, &TMainForm::TurnEnded);
    connect(handover_, &HandoverScreen::handedOver, this, &TMainForm::HandOver);
    connect(map_, &MapPage::technicalPageRequested, this, &TMainForm::N41Click);
    connect(map_, &MapPage::scaleLabelsChanged, settings_, &SettingsPage::ShowScaleLabels);
    ConnectSounds();
    connect(settings_, &SettingsPage::scrollBarsSwitched, map_, &MapPage::UpdateScrollBars);
    connect(settings_, &SettingsPage::resetRequested, this, &TMainForm::ResetSettingsClick);
    connect(technical_, &TechnicalPage::returnRequested, this, &TMainForm::Button15Click);
    connect(newGame_, &NewGamePage::launchRequested, this, &TMainForm::LaunchTARQClick);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            ApplicationEvents1Activate();
        else
            ApplicationEvents1Deactivate();
    });
    // Mouse moves over the page control's tabs end a drag, as over the side panel.
    PageControl1->tabBar()->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType())
        return KeyPressed(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    if (watched == PageControl1->tabBar() && (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove))
        map_->Panel1MouseMove();
    return QMainWindow::eventFilter(watched, event);
}

// Nineteen small pictures for the page tabs, drawn here.
void TMainForm::BuildIcons() {
    const QColor colours[] = {QColor(40, 120, 40), QColor(200, 160, 30), QColor(90, 90, 160),  QColor(30, 110, 190),
                              QColor(150, 60, 60), QColor(20, 150, 140), QColor(120, 120, 120)};
    for (int i = 0; i < 19; ++i) {
        QPixmap pix(16, 16);
        pix.fill(Qt::transparent);
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(colours[i % 7]);
        if (i % 3 == 0)
            p.drawEllipse(2, 2, 12, 12);
        else if (i % 3 == 1)
            p.drawRoundedRect(2, 3, 12, 10, 2, 2);
        else
            p.drawPolygon(QPolygon({QPoint(8, 1), QPoint(15, 14), QPoint(1, 14)}));
        Icons.append(QIcon(pix));
    }
}

// Start-up preparation, before the first page is shown: the game state takes
// its start values and every page shows them.
void TMainForm::FormCreate() {
    Game& g = *game_;
    cursors_.registerCursors();
    map_->SetMapCursor(1);
    welcome_->FillInformationMemos();
    map_->ShowControlHints();
    BuildTerrainStrip();
    SetStartValues(g);
    // The map draws from the start; only switching to another application
    // with pausing on holds it still. A window never activated yet (opened
    // from the command line behind another one) draws all the same.
    g.AppActive = 1;

    // The welcome page first; the map page and the side panel wait for the start button.
    map_->ShowPanels(false);
    ShowTab(PageControl1, kPageMap, false);
    ActivatePage(PageControl1, kPageWelcome);
    random().Reseed();
    PageControl1->setTabIcon(kPageMap, Icons[random().Random(2) == 0 ? 5 : 3]);
    newGame_->purchases()->NamePurchaseTreeNodes();
    RestoreStoredSettings();
    RefreshFromGame();
    keepChanges_ = true;
    net_->Start();
}

void TMainForm::RefreshFromGame() {
    const QScopedValueRollback quiet(keepChanges_, false);
    newGame_->RefreshFromGame();
    map_->RefreshFromGame();
    settings_->RefreshFromGame();
    technical_->RefreshFromGame(*game_);
}

// The strip gives one colour per terrain code, from the green terrain sheet.
void TMainForm::BuildTerrainStrip() {
    const std::filesystem::path file = ResolveGamePath("graph\\Terrain0.bmp", workDir_);
    Bitmap sheet;
    const BitmapLoad load = LoadBitmapFile(file, sheet);
    if (!load.ok) {
        ShowMessage(QString::fromStdString(load.error) +
                        QStringLiteral("\nБез нее карта и миникарта будут без цветов местности."),
                    MessageWeight::Warning);
        terrainStrip_ = Bitmap(1, 1, 0xFFFFFFFFu);
        return;
    }
    terrainStrip_ = MakeTerrainColourStrip(sheet);
    preparation_->ShowTerrainPictures(ToQImage(sheet), ToQImage(terrainStrip_));
}

// --- Page flow and the application's events ------------------------------------------

void TMainForm::Button12Click() { ActivatePage(PageControl1, kPageNewGame); }

// Closing may be refused once, when the autosave at quitting fails (closeEvent).
void TMainForm::Button14Click() {
    if (close()) QCoreApplication::quit();
}

void TMainForm::PageControl1Change(int index) {
    if (index != kPageMap) {
        map_->StopDrawing();
        return;
    }
    map_->StartDrawing();
    ShowTab(PageControl1, kPageTech, false);
}

void TMainForm::N41Click() {
    technical_->RefreshFromGame(*game_);
    ShowTab(PageControl1, kPageTech, true);
    ActivatePage(PageControl1, kPageTech);
}

void TMainForm::Button15Click() {
    ActivatePage(PageControl1, kPageMap);
    ShowTab(PageControl1, kPageTech, false);
}

void TMainForm::ApplicationEvents1Activate() { game_->AppActive = 1; }

void TMainForm::ApplicationEvents1Deactivate() {
    game_->RightDrag = 0;
    if (game_->Settings.PauseWhenInactive == 1) game_->AppActive = 0;
}

// The slow tick: the end of a refused purchase's warning and the map pointer's animation.
void TMainForm::Timer1Timer() {
    if (CountDownWarning(*game_)) newGame_->purchases()->EndWarning();
    map_->StepMapCursor();
}

// The wheel zooms the map wherever it turns over the window (unless a control
// takes it for itself).
void TMainForm::wheelEvent(QWheelEvent* e) {
    map_->WheelTurned(e->angleDelta().y());
    e->accept();
}

}  // namespace tarq
