#include "ui/StartConditionsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>

#include "core/Paths.h"
#include "core/Players.h"
#include "platform/BmpFile.h"
#include "setup/Launch.h"
#include "setup/Players.h"
#include "ui/InfoTexts.h"
#include "ui/PageHost.h"
#include "ui/QtBitmap.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"
#include "world/MapPreview.h"

namespace tarq {

StartConditionsPage::StartConditionsPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("TabSheet4"));
    MapType = Place(Named(new RadioGroup(QString(), {QStringLiteral("Случайная"), QStringLiteral("Из файла")}, 1, this),
                          "MapType"),
                    8, 4, 180, 56);
    MapType->setItemIndex(0);
    MapType->setEnabled(false);
    MapType->setToolTip(QStringLiteral("Откуда взять карту: случайная или из файла (пока только случайная)"));
    CheckBox2 =
        Place(Named(new QCheckBox(QStringLiteral("Указывать сектора для высадки"), this), "CheckBox2"), 8, 66, 260, 20);
    StaticText2 =
        Place(Named(new QLabel(QStringLiteral("Задайте сектора которые вы забиваете под точку своей высадку"), this),
                    "StaticText2"),
              8, 88, 260, 32);
    StaticText2->setWordWrap(true);
    StaticText2->hide();

    Place(new QLabel(QStringLiteral("Выберите свой клан"), this), 8, 124, 160, 16);
    ComboBox1 = Place(Named(new QComboBox(this), "ComboBox1"), 8, 142, 160, 22);
    ComboBox1->addItems({QStringLiteral("Кварры"), QStringLiteral("Дельмоты"), QStringLiteral("Орсины"),
                         QStringLiteral("Тавейцы"), QStringLiteral("Лумбары"), QStringLiteral("Зеренги"),
                         QStringLiteral("Вольхи")});
    Image4 = Place(Named(new ImageBox(this), "Image4"), 180, 124, 78, 78);
    LabelColorBox1 =
        Place(Named(new QLabel(QStringLiteral("Выберите себе цвет"), this), "LabelColorBox1"), 268, 124, 115, 16);
    ColorBox1 = Place(Named(new QComboBox(this), "ColorBox1"), 268, 142, 115, 22);
    for (const TeamColour& colour : TeamColours()) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor::fromRgb(colour.base));
        ColorBox1->addItem(QIcon(swatch), QString::fromUtf8(colour.name));
    }
    Place(new QLabel(QStringLiteral("Игроков"), this), 200, 8, 60, 16);
    PlayersCount = Place(Named(new QSpinBox(this), "PlayersCount"), 200, 26, 60, 22);
    PlayersCount->setRange(1, kMaxPlayers);
    PlayersCount->setToolTip(QStringLiteral("Сколько игроков играют по очереди одним файлом игры"));
    FogBox = Place(Named(new QCheckBox(QStringLiteral("Туман войны"), this), "FogBox"), 268, 26, 118, 22);
    FogBox->setToolTip(QStringLiteral("Каждый игрок видит только то, что видят его юниты и строения"));
    Label6 = Place(Named(new QLabel(texts::JokeLabel(), this), "Label6"), 268, 168, 115, 36);
    Label6->setWordWrap(true);

    // The preview and, exactly over it, the see-through sector grid.
    Image3 = Place(Named(new ImageBox(this), "Image3"), 390, 8, 160, 160);
    Image3->setBackground(Qt::white);
    Image2 = Place(Named(new ImageBox(this), "Image2"), 390, 8, 160, 160);
    Image2->raise();
    Image2->setToolTip(QStringLiteral("Карта; щелчок отмечает сектор для высадки или снимает отметку"));
    SectorShareLine = Place(Named(new QLabel(this), "SectorShareLine"), 390, 170, 160, 34);
    SectorShareLine->setWordWrap(true);
    SectorShareLine->hide();
    ColorBox1->setToolTip(QStringLiteral("Цвет ваших юнитов и строений; у двух игроков цвета разные"));

    PageControl3 = Place(Named(new QTabWidget(this), "PageControl3"), 4, 208, 553, 266);
    PageControl3->addTab(BuildMapGeneratorPage(), QStringLiteral("Параметры RandomMap"));

    connect(Button10, &QPushButton::clicked, this, &StartConditionsPage::Button10Click);
    connect(Image2, &ImageBox::mousePressed, this, &StartConditionsPage::Image2MouseDown);
    connect(Image2, &ImageBox::clicked, this, &StartConditionsPage::Image2Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &StartConditionsPage::CheckBox2Click);
    connect(FogBox, &QCheckBox::clicked, this, &StartConditionsPage::FogBoxClick);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &StartConditionsPage::ComboBox1Change);
    connect(ColorBox1, &QComboBox::activated, this, &StartConditionsPage::ColorBox1Change);
    connect(PlayersCount, &QSpinBox::valueChanged, this, &StartConditionsPage::PlayersCountChange);
    ConnectMapChoiceCopies();
}

namespace {

// The scroll bars of the random-map page and the choices they hold.
struct BarField {
    QScrollBar* StartConditionsPage::*bar;
    int MapControls::*field;
};
constexpr BarField kBarFields[] = {
    {&StartConditionsPage::ismass, &MapControls::ismass},
    {&StartConditionsPage::LandMass, &MapControls::landMass},
    {&StartConditionsPage::Estripcount, &MapControls::stripCount},
    {&StartConditionsPage::EstripL, &MapControls::stripLength},
    {&StartConditionsPage::EstripW, &MapControls::stripWidth},
    {&StartConditionsPage::Mountains, &MapControls::mountains},
    {&StartConditionsPage::Stones, &MapControls::stones},
    {&StartConditionsPage::Emaxmstrj, &MapControls::deposits},
};

}  // namespace

// Each control of the random-map page goes into the game state as it changes.
void StartConditionsPage::ConnectMapChoiceCopies() {
    auto copy = [this](int MapControls::*field, int value) {
        host_.game().MapChoices.*field = value;
        host_.NewGameChoicesChanged();
    };
    for (const BarField& f : kBarFields)
        connect(this->*f.bar, &QScrollBar::valueChanged, this, [copy, f](int value) { copy(f.field, value); });
    connect(MapSize, &RadioGroup::itemChanged, this, [copy](int item) { copy(&MapControls::mapSizeItem, item); });
    connect(PageControl5, &QTabWidget::currentChanged, this, [copy](int page) { copy(&MapControls::model, page); });
}

QWidget* StartConditionsPage::BuildMapGeneratorPage() {
    auto* page = Named(new QWidget, "TabSheet6");
    MapSize =
        Place(Named(new RadioGroup(QStringLiteral("Размер карты"),
                                   {QStringLiteral("  50Х50  "), QStringLiteral("100Х100"), QStringLiteral("150Х150"),
                                    QStringLiteral("200Х200"), QStringLiteral("300Х300"), QStringLiteral("400Х400")},
                                   1, page),
                    "MapSize"),
              4, 2, 105, 186);
    MapSize->setItemIndex(1);
    Ttype = Place(Named(new RadioGroup(QStringLiteral("Тип территории"),
                                       {QStringLiteral("Зеленая"), QStringLiteral("Грязная"),
                                        QStringLiteral("Песчанная"), QStringLiteral("Снежная")},
                                       1, page),
                        "Ttype"),
                  113, 2, 100, 120);
    Ttype->setItemIndex(0);
    Ttype->setEnabled(false);
    Button10 =
        Place(Named(new QPushButton(QStringLiteral("Создать/Пересоздать карту"), page), "Button10"), 4, 196, 209, 32);
    Mountains = CaptionedBar(page, "Mountains", QStringLiteral("Густота крупных препятствий"), 0, 200, 40, 219, 2, 154);
    Stones = CaptionedBar(page, "Stones", QStringLiteral("Густота мелких препятствий"), 0, 200, 80, 219, 40, 154);
    Emaxmstrj = CaptionedBar(page, "Emaxmstrj", QStringLiteral("Количество месторождений"), 0, 500, 100, 219, 78, 154);

    PageControl5 = Place(Named(new QTabWidget(page), "PageControl5"), 377, 0, 168, 232);
    auto* islands = Named(new QWidget, "TabSheet12");
    Place(new QLabel(QStringLiteral("Островная модель карты"), islands), 2, 0, 158, 16);
    ismass = CaptionedBar(islands, "ismass", QStringLiteral("Количество островов"), 0, 600, 400, 2, 20, 158);
    LandMass = CaptionedBar(islands, "LandMass", QStringLiteral("Размер каждого островка"), 0, 40, 10, 2, 60, 158);
    auto* strips = Named(new QWidget, "TabSheet15");
    Place(new QLabel(QStringLiteral("Ленточная модель карты"), strips), 2, 0, 158, 16);
    Estripcount = CaptionedBar(strips, "Estripcount", QStringLiteral("Количество лент"), 0, 100, 15, 2, 20, 158);
    EstripL = CaptionedBar(strips, "EstripL", QStringLiteral("Макс длина каждой ленты"), 1, 100, 20, 2, 60, 158);
    EstripW = CaptionedBar(strips, "EstripW", QStringLiteral("Макс толщина каждой ленты"), 0, 20, 10, 2, 100, 158);
    PageControl5->addTab(islands, QStringLiteral("Тип1"));
    PageControl5->addTab(strips, QStringLiteral("Тип 2"));
    PageControl5->setCurrentIndex(1);
    PageControl5->setTabToolTip(0, QStringLiteral("Карта из островов"));
    PageControl5->setTabToolTip(1, QStringLiteral("Карта из лент суши"));
    return page;
}

void StartConditionsPage::RefreshFromGame() {
    const Game& g = host_.game();
    const MapControls map = g.MapChoices;  // each control copies itself back as it is set
    MapSize->setItemIndex(map.mapSizeItem);
    PageControl5->setCurrentIndex(map.model);
    for (const BarField& f : kBarFields) (this->*f.bar)->setValue(map.*f.field);
    ShowSectorChoice();
    const int clan = CurrentPlayerEntry(g).PlayerClan < ComboBox1->count() ? CurrentPlayerEntry(g).PlayerClan : -1;
    {
        const QSignalBlocker block(ComboBox1);
        ComboBox1->setCurrentIndex(clan);
    }
    ShowClan(clan);
    {
        const QSignalBlocker block(PlayersCount);
        PlayersCount->setValue(g.Players.Count);
    }
    ShowPlayerColour();
    if (g.MapGenerated == 1) Image2Click();
}

void StartConditionsPage::ShowPlayerColour() {
    const Game& g = host_.game();
    const QSignalBlocker block(ColorBox1);
    ColorBox1->setCurrentIndex(PlayerColourIndex(g, std::max<int>(g.CurrentPlayer, 1)));
}

// With several players the sectors always count: the box shows it ticked and
// stays so. Under the grid, how many sectors each player may claim.
void StartConditionsPage::ShowSectorChoice() {
    const Game& g = host_.game();
    const bool several = SeveralPlayers(g);
    CheckBox2->setChecked(several || g.UseLandingSectors == 1);
    CheckBox2->setEnabled(!several && PlayersCount->isEnabled());
    // The fog is chosen with the players: a game of one has none.
    FogBox->setChecked(several && g.Sight.On == 1);
    FogBox->setEnabled(several && PlayersCount->isEnabled());
    if (CheckBox2->isChecked()) StaticText2->show();
    SectorShareLine->setText(QStringLiteral("Каждому игроку не больше %1 секторов; у вас отмечено %2")
                                 .arg(SectorShare(g))
                                 .arg(ClaimedSectorCount(g)));
    SectorShareLine->setVisible(several);
}

void StartConditionsPage::SetJoining(bool joining) {
    for (QWidget* w : {static_cast<QWidget*>(PageControl3), static_cast<QWidget*>(PlayersCount)})
        w->setEnabled(!joining);
    ShowSectorChoice();
    if (!joining) return;
    const Game& g = host_.game();
    StaticText2->setText(QStringLiteral("Игрок %1: задайте сектора для своей высадки; красные заняты другими игроками")
                             .arg(g.CurrentPlayer));
    StaticText2->show();
    Image3->setImage(ToQImage(MakeMapPreview(g, host_.terrainStrip())));
    Image2Click();
}

// A colour another player has already taken is refused and the box shows
// the player's own again.
void StartConditionsPage::ColorBox1Change(int index) {
    const Outcome out = host_.Submit(host_.Mine(cmd::SetColour{static_cast<u8>(index)}));
    if (!out.reason.empty()) host_.ShowMessage(QString::fromStdString(out.reason), MessageWeight::Warning);
    ShowPlayerColour();
}

// Several players always claim sectors: the box is ticked as by a click
// (which makes the map the sectors are claimed on).
void StartConditionsPage::PlayersCountChange(int count) {
    host_.Submit(host_.Mine(cmd::SetPlayerCount{static_cast<u8>(std::clamp(count, 1, kMaxPlayers))}));
    ShowPlayerColour();
    if (SeveralPlayers(host_.game()) && host_.game().UseLandingSectors == 0) {
        CheckBox2->setChecked(true);
        CheckBox2Click();
    }
    ShowSectorChoice();
}

MapControls StartConditionsPage::ReadMapControls() const { return host_.game().MapChoices; }

// The page's parameters are read for a generation only: a map made with
// "Создать/Пересоздать карту" keeps its own size even when the size list was
// changed since, so the world never claims cells it has not got. A game under
// way keeps its map (others may have landed on it): the order is refused.
void StartConditionsPage::GenerateForLaunch() {
    if (MapType->itemIndex() == 0 && host_.game().MapGenerated == 0) host_.Submit(GenerationOrder(false));
}

// The page's controls and a fresh seed from the window's random source.
Order StartConditionsPage::GenerationOrder(bool byButton) {
    const MapControls m = ReadMapControls();
    host_.random().Reseed();
    const auto field = [](int value) { return static_cast<i16>(value); };
    return host_.Mine(cmd::GenerateMap{static_cast<u8>(m.mapSizeItem), static_cast<u8>(m.model), field(m.ismass),
                                       field(m.landMass), field(m.stripCount), field(m.stripLength),
                                       field(m.stripWidth), field(m.mountains), field(m.stones), field(m.deposits),
                                       host_.random().Seed(), static_cast<u8>(byButton ? 1 : 0)});
}

int StartConditionsPage::TerrainSetChoice() const { return Ttype->itemIndex(); }

void StartConditionsPage::ShowPreview(const QImage& picture) { Image3->setImage(picture); }

void StartConditionsPage::Button10Click() {
    if (!host_.Submit(GenerationOrder(true)).accepted) return;
    Image3->setImage(ToQImage(MakeMapPreview(host_.game(), host_.terrainStrip())));
    Image2Click();
}

// The grid is redrawn at once: a press that is no click (another button, or
// released elsewhere) still toggles the sector the launch will read. Presses
// outside the grid's picture are nobody's.
void StartConditionsPage::Image2MouseDown(Qt::MouseButton, int x, int y) {
    if (x >= 0 && y >= 0 && x < kSectorPicture && y < kSectorPicture)
        host_.Submit(
            host_.Mine(cmd::ToggleSector{static_cast<u8>(x / kSectorPixels), static_cast<u8>(y / kSectorPixels)}));
    Image2Click();
}

void StartConditionsPage::Image2Click() {
    Image2->setImage(ToQImage(DrawSectorGrid(host_.game()), QImage::Format_ARGB32));
    ShowSectorChoice();
}

void StartConditionsPage::CheckBox2Click() {
    host_.Submit(host_.Mine(cmd::UseSectors{static_cast<u8>(CheckBox2->isChecked() ? 1 : 0)}));
    if (host_.game().MapGenerated == 0) Button10Click();
    StaticText2->show();
}

void StartConditionsPage::FogBoxClick() {
    host_.Submit(host_.Mine(cmd::UseFog{static_cast<u8>(FogBox->isChecked() ? 1 : 0)}));
    ShowSectorChoice();
}

void StartConditionsPage::ComboBox1Change(int index) {
    host_.Submit(host_.Mine(cmd::SetClan{static_cast<u8>(index)}));
    host_.NewGameChoicesChanged();
    ShowClan(index);
}

// A typed clan name that matches no item has index -1: the picture is cleared.
void StartConditionsPage::ShowClan(int index) {
    if (index < 0) {
        Image4->setImage(QImage());
        return;
    }
    LoadClanPicture(index);
}

void StartConditionsPage::LoadClanPicture(int clan) {
    const std::string name = "graph\\0" + std::to_string(clan) + ".bmp";
    Bitmap emblem;
    const BitmapLoad load = LoadBitmapFile(ResolveGamePath(name, host_.workDir()), emblem);
    if (!load.ok) {
        Image4->setImage(QImage());
        host_.ShowMessage(QString::fromStdString(load.error), MessageWeight::Warning);
        return;
    }
    Image4->setImage(ToQImage(emblem));
}

}  // namespace tarq
