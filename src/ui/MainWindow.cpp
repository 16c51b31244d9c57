#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "core/Paths.h"
#include "core/World.h"
#include "platform/BmpFile.h"
#include "setup/Purchases.h"
#include "setup/PurchaseListLines.h"
#include "ui/InfoTexts.h"
#include "ui/MapSurface.h"
#include "ui/QtBitmap.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"
#include "view/ColourStrip.h"

namespace tarq {

namespace {

void FillMemo(QTextEdit* memo, const QStringList& lines) {
    for (const QString& line : lines) memo->append(line);
}

}  // namespace

TMainForm::TMainForm(std::filesystem::path workDir, MessageSink sink, QWidget* parent)
    : QMainWindow(parent), game_(NewGame()), workDir_(std::move(workDir)), sink_(std::move(sink)) {
    BuildWindow();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::ShowMessage(const QString& text) {
    if (sink_) {
        sink_(text);
        return;
    }
    // Shown without a nested event loop, so timers keep their order; messages
    // raised while the window is being built wait until it is shown.
    auto show = [this, text] {
        auto* box = new QMessageBox(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    if (!isVisible()) {
        QTimer::singleShot(0, this, show);
        return;
    }
    show();
}

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
    TabSheet2 = BuildNewGamePage();
    TabSheet1 = BuildMapPage();
    TabSheet9 = BuildWelcomePage();
    TabSheet10 = BuildSettingsPage();
    TabSheet13 = BuildTechPage();
    TabSheet14 = BuildPreparationPage();
    PageControl1->addTab(TabSheet2, Icons[0], QStringLiteral("Начать новую игру"));
    PageControl1->addTab(TabSheet1, Icons[3], QStringLiteral("Карта (рабочая) :)"));
    PageControl1->addTab(TabSheet9, Icons[1], QStringLiteral("Приветствую!"));
    PageControl1->addTab(TabSheet10, Icons[2], QStringLiteral("Настройки"));
    PageControl1->addTab(TabSheet13, Icons[4], QStringLiteral("Технические характеристики"));
    PageControl1->addTab(TabSheet14, Icons[6], QStringLiteral("TabSheet14"));
    ShowTab(PageControl1, kPageTech, false);
    ShowTab(PageControl1, kPagePrepare, false);

    ScrollBar1 = Named(new QScrollBar(Qt::Horizontal, central), "ScrollBar1");
    ScrollBar2 = Named(new QScrollBar(Qt::Vertical, central), "ScrollBar2");
    ScrollBar1->setMinimum(0);
    ScrollBar2->setMinimum(0);
    ScrollBar1->hide();
    ScrollBar2->hide();

    grid->addWidget(BuildTopStrip(), 0, 0, 1, 3);
    grid->addWidget(BuildLeftPanel(), 1, 0, 2, 1);
    grid->addWidget(PageControl1, 1, 1);
    grid->addWidget(ScrollBar2, 1, 2);
    grid->addWidget(ScrollBar1, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    setCentralWidget(central);

    DXTimer = Named(new QTimer(this), "DXTimer");
    DXTimer->setInterval(1);
    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(250);
    Timer1->start();
    PMenu = Named(new QMenu(this), "PMenu");

    ConnectPageHandlers();
    ConnectNewGameHandlers();
    ConnectPurchaseHandlers();
    ConnectMapHandlers();
    ConnectClickHandlers();
}

// Page flow, the settings page and the application's activation.
void TMainForm::ConnectPageHandlers() {
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainForm::PageControl1Change);
    connect(PageControl2, &QTabWidget::currentChanged, this, &TMainForm::PageControl2Change);
    connect(Button12, &QPushButton::clicked, this, &TMainForm::Button12Click);
    connect(Button14, &QPushButton::clicked, this, &TMainForm::Button14Click);
    connect(Button16, &QPushButton::clicked, this, &TMainForm::Button14Click);
    connect(Button15, &QPushButton::clicked, this, &TMainForm::Button15Click);
    connect(CheckBox3, &QCheckBox::clicked, this, &TMainForm::CheckBox3Click);
    connect(Button17, &QPushButton::clicked, this, &TMainForm::Button17Click);
    ConnectSettingsCopies();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            ApplicationEvents1Activate();
        else
            ApplicationEvents1Deactivate();
    });
}

// The settings page's controls are copied into the game state as they change.
void TMainForm::ConnectSettingsCopies() {
    TSettings& s = game_->Settings;
    const auto copy = [this](QCheckBox* box, u8& field) {
        connect(box, &QCheckBox::toggled, this, [&field](bool on) { field = on ? 1 : 0; });
    };
    copy(CheckBox3, s.HighResGeology);
    copy(CheckBox4, s.FramelessMaximized);
    copy(CheckBox5, s.MaximizeAtLaunch);
    copy(CheckBox6, s.PauseWhenInactive);
    copy(CheckBox7, s.WaitForRetrace);
    copy(CheckBox10, s.ScrollBars);
    copy(CheckBox11, s.RightButtonScroll);
    copy(CheckBox12, s.ReverseRightScroll);
    connect(Winmode, &RadioGroup::clicked, this, [this] { game_->Settings.FullScreen = Winmode->itemIndex() == 1; });
    connect(RadioGroup2, &RadioGroup::clicked, this,
            [this] { game_->Settings.FullScreenMode = static_cast<u8>(std::max(RadioGroup2->itemIndex(), 0)); });
    connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = CheckListBox1->row(item);
        if (row >= 0 && row < kInfoItems)
            game_->Settings.InfoShown[static_cast<std::size_t>(row)] = item->checkState() == Qt::Checked;
    });
}

// Nineteen small pictures for the page tabs, drawn here.
void TMainForm::BuildIcons() {
    const QColor colours[] = {QColor(40, 120, 40),  QColor(200, 160, 30), QColor(90, 90, 160), QColor(30, 110, 190),
                              QColor(150, 60, 60),  QColor(20, 150, 140), QColor(120, 120, 120)};
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

// Start-up preparation, before the first page is shown.
void TMainForm::FormCreate() {
    Game& g = *game_;
    cursors_.registerCursors();
    DXDraw->setCursor(cursors_.cursor(1));
    g.MinimapDrag = 0;
    Str->setHorizontalHeaderLabels({QStringLiteral("Показатель"), QStringLiteral("Величина"),
                                    QStringLiteral("Стоим"), QStringLiteral("-"), QStringLiteral("+")});
    g.AppActive = 0;
    FillInformationMemos();
    BuildTerrainStrip();
    g.ClickMode = kClickNormal;
    g.BasePromptShown = 0;
    g.PulseAlpha = 0;

    // The world, the catalogue and the starting kit.
    InitData(g);
    ResetPurchases(g);
    RefreshPurchaseList();
    for (int i = 0; i < CheckListBox1->count(); ++i)
        CheckListBox1->item(i)->setCheckState(g.Settings.InfoShown[static_cast<std::size_t>(i)] ? Qt::Checked
                                                                                                 : Qt::Unchecked);
    Panel5->setFixedHeight(0);
    g.World.StartGold = 0;
    g.ViewSettings.Credits = 0;
    StaticText7->setText(QStringLiteral("Кредиты: ") + QString::number(0));
    g.ViewSettings.ShowConnectors = 1;
    g.ViewSettings.CurrentPlayer = 1;
    g.ViewSettings.UseLandingSectors = 0;
    g.ViewSettings.BasePlaced = 0;
    g.MapGenerated = 0;
    // The start values of the settings page's periods and of the zoom bar.
    g.SlowAnimPeriod = 10;
    g.TwoFrameAnimPeriod = 18;
    g.ViewSettings.Scale = static_cast<u16>(SScale->value());

    // The welcome page first; the map page and the side panel wait for the start button.
    ShowTab(PageControl1, kPageMap, false);
    ActivatePage(PageControl1, kPageWelcome);
    Panel1->setFixedWidth(0);
    ActivatePage(PageControl2, 0);
    random_.Reseed();
    PageControl1->setTabIcon(kPageMap, Icons[random_.Random(2) == 0 ? 5 : 3]);
    {
        const QSignalBlocker block(ComboBox1);
        ComboBox1->setCurrentIndex(0);
    }
    LoadClanPicture(0);
    NamePurchaseTreeNodes();
}

void TMainForm::FillInformationMemos() {
    Memo4->clear();
    FillMemo(Memo4, texts::Memo4Lines());
    Memo2->clear();
    FillMemo(Memo2, texts::Memo2Hints());
    FillMemo(Memo6, texts::Memo6Notes());
}

// The strip gives one colour per terrain code, from the green terrain sheet.
void TMainForm::BuildTerrainStrip() {
    const std::filesystem::path file = ResolveGamePath("graph\\Terrain0.bmp", workDir_);
    Bitmap sheet;
    const BitmapLoad load = LoadBitmapFile(file, sheet);
    if (!load.ok) {
        ShowMessage(QString::fromStdString(load.error) +
                    QStringLiteral("\nБез нее карта и миникарта будут без цветов местности."));
        terrainStrip_ = Bitmap(1, 1, 0xFFFFFFFFu);
        return;
    }
    terrainStrip_ = MakeTerrainColourStrip(sheet);
    b2->setImage(ToQImage(sheet));
    b1->setImage(ToQImage(terrainStrip_));
}

void TMainForm::LoadClanPicture(int clan) {
    const std::string name = "graph\\0" + std::to_string(clan) + ".bmp";
    Bitmap emblem;
    const BitmapLoad load = LoadBitmapFile(ResolveGamePath(name, workDir_), emblem);
    if (!load.ok) {
        Image4->setImage(QImage());
        ShowMessage(QString::fromStdString(load.error));
        return;
    }
    Image4->setImage(ToQImage(emblem));
}

void TMainForm::NamePurchaseTreeNodes() {
    std::function<void(QTreeWidgetItem*)> name = [&](QTreeWidgetItem* node) {
        const int imageIndex = node->data(0, Qt::UserRole).toInt();
        if (imageIndex > 0 && imageIndex <= kTypeCount)
            node->setText(0, QString::fromStdString(game_->UnitTypes[imageIndex].Name));
        for (int i = 0; i < node->childCount(); ++i) name(node->child(i));
    };
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) name(TreeView1->topLevelItem(i));
    TreeView1->sortItems(0, Qt::AscendingOrder);
}

// The card described a line of the old list: it goes with it.
void TMainForm::RefreshPurchaseList() {
    HideTypeCard();
    ListBox1->clear();
    for (const std::string& line : PurchaseListLines(*game_)) ListBox1->addItem(QString::fromStdString(line));
}

// --- Page flow -------------------------------------------------------------

void TMainForm::Button12Click() { ActivatePage(PageControl1, kPageNewGame); }

void TMainForm::Button14Click() {
    close();
    QCoreApplication::quit();
}

void TMainForm::PageControl1Change(int index) {
    if (index != kPageMap) {
        DXTimer->stop();
        return;
    }
    DXTimer->start();
    ShowTab(PageControl1, kPageTech, false);
}

void TMainForm::PageControl2Change(int) { HideTypeCard(); }

void TMainForm::N41Click() {
    ShowTab(PageControl1, kPageTech, true);
    ActivatePage(PageControl1, kPageTech);
}

void TMainForm::Button15Click() {
    ActivatePage(PageControl1, kPageMap);
    ShowTab(PageControl1, kPageTech, false);
}

void TMainForm::ApplicationEvents1Activate() {
    if (game_->Settings.PauseWhenInactive == 1) game_->AppActive = 1;
}

void TMainForm::ApplicationEvents1Deactivate() {
    game_->RightDrag = 0;
    if (game_->Settings.PauseWhenInactive == 1) game_->AppActive = 0;
}

// --- Settings ----------------------------------------------------------------

void TMainForm::CheckBox3Click() {
    if (GameFileExists("Graph\\GEO1.bmp", workDir_)) return;
    CheckBox3->setChecked(false);
    ShowMessage(QStringLiteral("Нет файла с картинками... Нарисуй сам. (размер спрайта 63х63), и назови его "
                               "GEO1.bmp, цветность оставь ту же самую"));
}

void TMainForm::Button17Click() {
    ListBox2->clear();
    for (int i = 1; i <= kMaxObjects; ++i) {
        const TGameObject& o = game_->World.Objects[i];
        if (o.Owner == 0) continue;
        const QString name = (o.TypeId >= 1 && o.TypeId <= kTypeCount)
                                 ? QString::fromStdString(game_->UnitTypes[o.TypeId].Name)
                                 : QString();
        ListBox2->addItem(QStringLiteral("%1 %2x%3").arg(name).arg(o.Cells[1].col).arg(o.Cells[1].row));
    }
}

void TMainForm::closeEvent(QCloseEvent* e) {
    DXTimer->stop();
    e->accept();
}

}  // namespace tarq
