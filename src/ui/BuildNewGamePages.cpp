// The new-game page: start conditions with the map generator, restrictions,
// purchases, and the start button.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/InfoTexts.h"
#include "ui/MainWindow.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"

namespace tarq {

QWidget* TMainForm::BuildNewGamePage() {
    auto* page = Named(new QWidget, "TabSheet2");
    PageControl2 = Place(Named(new QTabWidget(page), "PageControl2"), 0, 0, 565, 505);
    PageControl2->addTab(BuildStartConditionsPage(), QStringLiteral("Начальные условия"));
    PageControl2->addTab(BuildRestrictionsPage(), QStringLiteral("Ограничения"));
    PageControl2->addTab(BuildPurchasesPage(), QStringLiteral("Покупки"));
    PageControl2->addTab(Named(new QWidget, "TabSheet8"), QStringLiteral("Разногласия"));
    ShowTab(PageControl2, 3, false);

    LaunchTARQ = Place(Named(new QPushButton(QStringLiteral("Старт"), page), "LaunchTARQ"), 585, 8, 161, 97);
    QFont big = LaunchTARQ->font();
    big.setPointSize(18);
    big.setBold(true);
    LaunchTARQ->setFont(big);
    Image5 = Place(Named(new ImageBox(page), "Image5"), 630, 120, 64, 64);
    Image5->setStretch(false);
    StaticText6 = Place(Named(new QLabel(page), "StaticText6"), 575, 112, 190, 18);
    StaticText4 = Place(Named(new QLabel(page), "StaticText4"), 575, 200, 190, 200);
    StaticText4->setWordWrap(true);
    StaticText4->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Image5->hide();
    StaticText4->hide();
    StaticText6->hide();
    return page;
}

QWidget* TMainForm::BuildStartConditionsPage() {
    auto* page = Named(new QWidget, "TabSheet4");
    MapType = Place(Named(new RadioGroup(QString(), {QStringLiteral("Случайная"), QStringLiteral("Из файла")}, 1, page),
                          "MapType"),
                    8, 4, 180, 56);
    MapType->setItemIndex(0);
    MapType->setEnabled(false);
    CheckBox2 = Place(Named(new QCheckBox(QStringLiteral("Указывать сектора для высадки"), page), "CheckBox2"), 8, 66,
                      260, 20);
    StaticText2 = Place(Named(new QLabel(QStringLiteral("Задайте сектора которые вы забиваете под точку своей высадку"),
                                         page),
                              "StaticText2"),
                        8, 88, 260, 32);
    StaticText2->setWordWrap(true);
    StaticText2->hide();

    Place(new QLabel(QStringLiteral("Выберите свой клан"), page), 8, 124, 160, 16);
    ComboBox1 = Place(Named(new QComboBox(page), "ComboBox1"), 8, 142, 160, 22);
    ComboBox1->addItems({QStringLiteral("Кварры"), QStringLiteral("Дельмоты"), QStringLiteral("Орсины"),
                         QStringLiteral("Тавейцы"), QStringLiteral("Лумбары"), QStringLiteral("Зеренги"),
                         QStringLiteral("Вольхи")});
    Image4 = Place(Named(new ImageBox(page), "Image4"), 180, 124, 78, 78);
    LabelColorBox1 = Place(Named(new QLabel(QStringLiteral("Выберите себе цвет"), page), "LabelColorBox1"), 268, 124,
                           115, 16);
    LabelColorBox1->setEnabled(false);
    ColorBox1 = Place(Named(new QComboBox(page), "ColorBox1"), 268, 142, 115, 22);
    for (const char* name : {"red", "blue", "green", "yellow", "magenta", "cyan", "white"}) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor(QString::fromLatin1(name)));
        ColorBox1->addItem(QIcon(swatch), QString::fromLatin1(name));
    }
    Label6 = Place(Named(new QLabel(texts::JokeLabel(), page), "Label6"), 268, 168, 115, 36);
    Label6->setWordWrap(true);

    // The preview and, exactly over it, the see-through sector grid.
    Image3 = Place(Named(new ImageBox(page), "Image3"), 390, 8, 160, 160);
    Image3->setBackground(Qt::white);
    Image2 = Place(Named(new ImageBox(page), "Image2"), 390, 8, 160, 160);
    Image2->raise();

    PageControl3 = Place(Named(new QTabWidget(page), "PageControl3"), 4, 208, 553, 266);
    PageControl3->addTab(BuildMapGeneratorPage(), QStringLiteral("Параметры RandomMap"));
    return page;
}

QWidget* TMainForm::BuildMapGeneratorPage() {
    auto* page = Named(new QWidget, "TabSheet6");
    MapSize = Place(Named(new RadioGroup(QStringLiteral("Размер карты"),
                                         {QStringLiteral("  50Х50  "), QStringLiteral("100Х100"),
                                          QStringLiteral("150Х150"), QStringLiteral("200Х200"),
                                          QStringLiteral("300Х300"), QStringLiteral("400Х400")},
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
    Button10 = Place(Named(new QPushButton(QStringLiteral("Создать/Пересоздать карту"), page), "Button10"), 4, 196,
                     209, 32);
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
    return page;
}

QWidget* TMainForm::BuildRestrictionsPage() {
    auto* page = Named(new QWidget, "TabSheet3");
    QStringList gold;
    for (int v : {0, 50, 100, 150, 200, 250, 300, 400, 500, 600, 700, 800, 900}) gold << QString::number(v);
    Sstartmoney = Place(Named(new RadioGroup(QStringLiteral("Начальное золото"), gold, 2, page), "Sstartmoney"), 8, 8,
                        200, 200);
    Sstartmoney->setItemIndex(0);
    StrToBuy = Place(Named(new QCheckBox(QStringLiteral("Запретить покупать строения"), page), "StrToBuy"), 220, 8,
                     320, 20);
    AlienToBuy = Place(Named(new QCheckBox(QStringLiteral("Запретить покупать юниты пришельцев"), page), "AlienToBuy"),
                       220, 30, 320, 20);
    CheckBox9 = Place(Named(new QCheckBox(QStringLiteral("Включить мораторий"), page), "CheckBox9"), 220, 60, 320, 20);
    CheckBox9->setEnabled(false);
    GroupBox1 = Place(Named(new QGroupBox(QStringLiteral("Условия моратория"), page), "GroupBox1"), 220, 86, 320, 56);
    CheckBox8 = Place(Named(new QCheckBox(QStringLiteral("Не выходить за пределы стартовых секторов"), GroupBox1),
                            "CheckBox8"),
                      8, 22, 300, 20);
    GroupBox1->setEnabled(false);
    Label2 = Place(Named(new QLabel(QStringLiteral("Здесь я думаю расположить условия моратория и ограничения  на "
                                                   "типы войск"),
                                    page),
                         "Label2"),
                   220, 150, 320, 40);
    Label2->setWordWrap(true);
    return page;
}

QWidget* TMainForm::BuildPurchasesPage() {
    auto* page = Named(new QWidget, "TabSheet5");
    TreeView1 = Place(Named(new QTreeWidget(page), "TreeView1"), 4, 4, 200, 468);
    TreeView1->setHeaderHidden(true);
    TreeView1->setDragEnabled(true);
    BuildPurchaseTree();
    ListBox1 = Place(Named(new QListWidget(page), "ListBox1"), 210, 4, 170, 200);
    ListBox1->setAcceptDrops(true);
    StaticText5 = Place(Named(new QLabel(QStringLiteral("Просто перетащи себе то что ты хочешь купить. Улучшай здесь "
                                                        "же. Убедись что правильно указал ограничения на вкладке "
                                                        "\"Ограничения\""),
                                         page),
                              "StaticText5"),
                        386, 4, 170, 110);
    StaticText5->setWordWrap(true);
    StaticText5->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    StaticText7 = Place(Named(new QLabel(page), "StaticText7"), 386, 120, 170, 20);
    StaticText7->setAutoFillBackground(true);

    Panel4 = Place(Named(new QFrame(page), "Panel4"), 210, 210, 345, 200);
    Panel4->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(Panel4);
    layout->setContentsMargins(1, 1, 1, 1);
    Str = Named(new QTableWidget(0, 5, Panel4), "Str");
    Str->horizontalHeader()->setMinimumSectionSize(20);  // the "-" and "+" columns are narrower than Qt's default
    const int widths[] = {150, 71, 54, 20, 21};
    for (int c = 0; c < 5; ++c) Str->setColumnWidth(c, widths[c]);
    Str->verticalHeader()->hide();
    Str->verticalHeader()->setDefaultSectionSize(18);
    Str->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(Str);
    return page;
}

// Headings carry no type (image index -1); every other node's image index is its type.
void TMainForm::BuildPurchaseTree() {
    struct Group {
        const char* heading;
        const char* subheading;
        std::vector<int> types;
    };
    const Group groups[] = {
        {"Боевые юниты", "Наземные+амфибии", {2, 3, 4, 7, 5, 6, 19, 18, 32}},
        {"Боевые юниты", "Воздушные", {28, 29}},
        {"Боевые юниты", "Наводные", {22, 25, 23, 21, 20, 33}},
        {"Небоевые юниты", "Наземные+Амфибии", {1, 13, 17, 9, 8, 10, 11, 12, 16, 14, 15}},
        {"Небоевые юниты", "Воздушные", {30, 31}},
        {"Небоевые юниты", "Наводные", {26, 27, 24}},
        {"Строения", nullptr, {39, 40, 41, 42, 38, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52,
                               53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67}},
        {"Экзотика", nullptr, {35, 34, 36, 37}},
    };
    auto heading = [](QTreeWidgetItem* node, const char* text) {
        node->setText(0, QString::fromUtf8(text));
        node->setData(0, Qt::UserRole, -1);
        return node;
    };
    QTreeWidgetItem* top = nullptr;
    for (const Group& g : groups) {
        if (!top || top->text(0) != QString::fromUtf8(g.heading))
            top = heading(new QTreeWidgetItem(TreeView1), g.heading);
        QTreeWidgetItem* parent = g.subheading ? heading(new QTreeWidgetItem(top), g.subheading) : top;
        for (int type : g.types) {
            auto* node = new QTreeWidgetItem(parent);
            node->setText(0, QStringLiteral("Тип %1").arg(type));
            node->setData(0, Qt::UserRole, type);
        }
    }
}

}  // namespace tarq
