// The welcome, settings, technical-data and graphics-preparation pages.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include "ui/InfoTexts.h"
#include "ui/MainWindow.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"

namespace tarq {

namespace {

QTextEdit* MakeMemo(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* memo = Place(Named(new QTextEdit(parent), name), x, y, w, h);
    memo->setReadOnly(true);
    return memo;
}

QLineEdit* LabelledEdit(QWidget* parent, const char* name, const QString& caption, const QString& text, int x, int y) {
    Place(new QLabel(caption, parent), x, y, 360, 16);
    return Place(Named(new QLineEdit(text, parent), name), x, y + 17, 80, 22);
}

}  // namespace

QWidget* TMainForm::BuildWelcomePage() {
    auto* page = Named(new QWidget, "TabSheet9");
    StaticText1 = Place(Named(new QLabel(texts::TopNotice1(), page), "StaticText1"), 8, 4, 500, 18);
    QFont bold = StaticText1->font();
    bold.setBold(true);
    StaticText1->setFont(bold);
    StaticText3 = Place(Named(new QLabel(texts::TopNotice3(), page), "StaticText3"), 8, 22, 500, 18);
    Memo3 = MakeMemo(page, "Memo3", 8, 46, 370, 150);
    for (const QString& line : texts::Memo3Lines()) Memo3->append(line);
    Memo6 = MakeMemo(page, "Memo6", 8, 202, 370, 300);
    for (const QString& line : texts::Memo6DesignLines()) Memo6->append(line);
    Memo1 = MakeMemo(page, "Memo1", 390, 46, 370, 110);
    for (const QString& line : texts::Memo1Lines()) Memo1->append(line);
    Memo4 = MakeMemo(page, "Memo4", 390, 162, 370, 230);
    StaticText12 = Place(Named(new QLabel(QStringLiteral("Не обольщайтесь, это еще не рабочая демка"), page),
                               "StaticText12"),
                         390, 398, 370, 18);
    StaticText12->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    Button12 = Place(Named(new QPushButton(QStringLiteral("Начать новую игру"), page), "Button12"), 390, 422, 180, 32);
    Button13 = Place(Named(new QPushButton(QStringLiteral("Загрузить игру из файла"), page), "Button13"), 580, 422,
                     180, 32);
    Button14 = Place(Named(new QPushButton(QStringLiteral("Закрыть"), page), "Button14"), 390, 460, 180, 32);
    LabelVersion = Place(Named(new QLabel(texts::VersionLabel(), page), "LabelVersion"), 580, 462, 180, 16);
    LabelAuthor = Place(Named(new QLabel(texts::AuthorLabel(), page), "LabelAuthor"), 580, 478, 180, 16);
    return page;
}

QWidget* TMainForm::BuildSettingsPage() {
    auto* page = Named(new QWidget, "TabSheet10");
    PageControl4 = Place(Named(new QTabWidget(page), "PageControl4"), 0, 0, 770, 510);
    // Button-style inner pages. The style sheet goes on the tab strip only: on
    // the page control it would give the pages the application's font instead
    // of the window's.
    PageControl4->setDocumentMode(true);
    PageControl4->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { border: 2px outset #c0c0c0; background: #d4d0c8; padding: 3px 12px; margin: 2px; }"
        "QTabBar::tab:selected { border: 2px inset #c0c0c0; background: #e8e4dc; }"));
    PageControl4->addTab(BuildGameSettingsPage(), QStringLiteral("Игра"));
    PageControl4->addTab(BuildSystemSettingsPage(), QStringLiteral("Система"));
    return page;
}

QWidget* TMainForm::BuildGameSettingsPage() {
    auto* page = Named(new QWidget, "TabSheet11");
    SFPS2 = LabelledEdit(page, "SFPS2", QStringLiteral("Частота мерцания малокадровой графики,   fps/"),
                         QStringLiteral("10"), 8, 4);
    SFPS3 = LabelledEdit(page, "SFPS3", QStringLiteral("Частота мерцания двухкадровой графики,   fps/"),
                         QStringLiteral("18"), 8, 46);
    Place(new QLabel(QStringLiteral("Какие параметры отображать при выделении юнита/строения"), page), 8, 92, 380, 16);
    CheckListBox1 = Place(Named(new QListWidget(page), "CheckListBox1"), 8, 110, 260, 226);
    for (const char* text : {"Потребляемый ресурс", "Огневая мощь", "Броня", "Хиты", "Кол-во выстрелов",
                             "Дальнобойность", "Боезапас", "Радиус обзора", "Кол-во ходов", "Цена", "Груз в кузове",
                             "Груз в системе"}) {
        auto* item = new QListWidgetItem(QString::fromUtf8(text), CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    Label8 = Place(Named(new QLabel(QStringLiteral("Если параметра нет, то ясно дело он показываться не будет"), page),
                         "Label8"),
                   8, 340, 380, 16);

    Panel6 = Place(Named(new QFrame(page), "Panel6"), 400, 4, 340, 100);
    Panel6->setFrameShape(QFrame::StyledPanel);
    Place(new QLabel(QStringLiteral("немного статистики"), Panel6), 6, 4, 320, 16);
    Place(new QLabel(QStringLiteral("Число выводимых клеток карты на экран"), Panel6), 6, 24, 240, 16);
    Label17 = Place(Named(new QLabel(Panel6), "Label17"), 250, 24, 30, 16);
    Place(new QLabel(QStringLiteral("Х"), Panel6), 282, 24, 12, 16);
    Label18 = Place(Named(new QLabel(Panel6), "Label18"), 296, 24, 30, 16);
    Place(new QLabel(QStringLiteral("Выходной размер каждого спрайтика"), Panel6), 6, 48, 240, 16);
    Label22 = Place(Named(new QLabel(Panel6), "Label22"), 250, 48, 80, 16);

    Button17 = Place(Named(new QPushButton(QStringLiteral("Обновить список строений"), page), "Button17"), 400, 112,
                     200, 26);
    ListBox2 = Place(Named(new QListWidget(page), "ListBox2"), 400, 142, 340, 194);
    RadioGroup1 = Place(Named(new RadioGroup(QStringLiteral("Фунамент под зданиями"),
                                             {QStringLiteral("Всегда рисовать под строениями фундамент (как в "
                                                             "св.TARQ)"),
                                              QStringLiteral("Рисовать строения на том что под ними (рисовать "
                                                             "изображения послойно)")},
                                             1, page),
                              "RadioGroup1"),
                        8, 364, 732, 72);
    RadioGroup1->setItemIndex(0);
    RadioGroup1->setEnabled(false);
    return page;
}

QWidget* TMainForm::BuildSystemSettingsPage() {
    auto* page = Named(new QWidget, "TabSheet16");
    auto check = [page](const char* name, const char* text, int y, bool checked) {
        auto* box = Place(Named(new QCheckBox(QString::fromUtf8(text), page), name), 8, y, 750, 20);
        box->setChecked(checked);
        return box;
    };
    CheckBox3 = check("CheckBox3", "Картинки с геологией в высоком разрешении", 4, false);
    Winmode = Place(Named(new RadioGroup(QStringLiteral("Оконный режим"),
                                         {QStringLiteral("Играть в оконном режиме"),
                                          QStringLiteral("Играть в полноэкранном режиме")},
                                         1, page),
                          "Winmode"),
                    8, 28, 360, 72);
    Winmode->setItemIndex(0);
    Winmode->setEnabled(false);
    RadioGroup2 = Place(Named(new RadioGroup(QStringLiteral("Разрешение экрана для полноэкранного режима"),
                                             {QStringLiteral("640х480х16"), QStringLiteral("800х600х16"),
                                              QStringLiteral("1024х768х16")},
                                             1, page),
                              "RadioGroup2"),
                        380, 28, 360, 92);
    RadioGroup2->setItemIndex(2);
    RadioGroup2->setEnabled(false);
    CheckBox5 = check("CheckBox5", "Разворачивать окно при запуске", 128, false);
    CheckBox4 = check("CheckBox4",
                      "Прятать рамку при разворачивании окна в оконном режиме (получается \"типа_полноэкранное\")",
                      152, false);
    CheckBox6 = check("CheckBox6",
                      "Приостанавливать игру при переключении на другое приложение (стопорится и не мешает другим "
                      "приложениям)",
                      176, true);
    CheckBox7 = check("CheckBox7",
                      "Ждать вертикальной развертки... если включено то fps выше частоты экрана не поднимается... если "
                      "выключено то выше 100fps ...",
                      200, false);
    CheckBox10 = check("CheckBox10", "Использовать виндовозные ползунки в качестве средства для скроллинга карты", 224,
                       true);
    CheckBox11 = check("CheckBox11", "Использовать правую клавишу мыши для скроллинга карты", 248, true);
    CheckBox12 = check("CheckBox12", "Реверсировать скроллинг правой клавишей мыши... двигать экран а не карту", 272,
                       false);
    return page;
}

QWidget* TMainForm::BuildTechPage() {
    auto* page = Named(new QWidget, "TabSheet13");
    Place(new QLabel(texts::TechPagePlaceholder1(), page), 16, 16, 600, 20);
    Place(new QLabel(texts::TechPagePlaceholder2(), page), 16, 40, 600, 20);
    Button15 = Place(Named(new QPushButton(QStringLiteral("Возврат"), page), "Button15"), 16, 72, 120, 28);
    return page;
}

QWidget* TMainForm::BuildPreparationPage() {
    auto* page = Named(new QWidget, "TabSheet14");
    Label15 = Place(Named(new QLabel(QStringLiteral("Подготавливаю графику к первому использованию... все хранится в "
                                                    "директории TEMPGRAPH"),
                                     page),
                          "Label15"),
                    1, 40, 760, 20);
    Label15->setAlignment(Qt::AlignCenter);
    Gauge1 = Place(Named(new PieGauge(page), "Gauge1"), 305, 90, 160, 160);
    Label27 = Place(Named(new QLabel(page), "Label27"), 8, 300, 64, 64);
    Label27->hide();
    b1 = Named(new ImageBox(page), "b1");
    b2 = Named(new ImageBox(page), "b2");
    b1->hide();
    b2->hide();
    return page;
}

}  // namespace tarq
