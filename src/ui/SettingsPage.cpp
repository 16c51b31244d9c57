#include "ui/SettingsPage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabBar>
#include <QVBoxLayout>

#include "control/StructureList.h"
#include "core/Paths.h"
#include "core/World.h"
#include "ui/PageHost.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"

namespace tarq {

namespace {

QLineEdit* LabelledEdit(QWidget* parent, const char* name, const QString& caption, const QString& text, int x, int y) {
    Place(new QLabel(caption, parent), x, y, 360, 16);
    return Place(Named(new QLineEdit(text, parent), name), x, y + 17, 80, 22);
}

// An inner page of designed places in a scroll area: it scrolls where the
// window is smaller than the page's controls need.
QScrollArea* Scrolled(QWidget* page) {
    QRect used;
    for (const QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) used |= child->geometry();
    page->setMinimumSize(used.right() + 8, used.bottom() + 8);
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    return area;
}

// The check boxes of the system page and the settings they hold.
struct BoxField {
    QCheckBox* SettingsPage::*box;
    u8 TSettings::*field;
};
constexpr BoxField kBoxFields[] = {
    {&SettingsPage::CheckBox3, &TSettings::HighResGeology},
    {&SettingsPage::CheckBox4, &TSettings::FramelessMaximized},
    {&SettingsPage::CheckBox5, &TSettings::MaximizeAtLaunch},
    {&SettingsPage::CheckBox6, &TSettings::PauseWhenInactive},
    {&SettingsPage::CheckBox7, &TSettings::WaitForRetrace},
    {&SettingsPage::CheckBox10, &TSettings::ScrollBars},
    {&SettingsPage::CheckBox11, &TSettings::RightButtonScroll},
    {&SettingsPage::CheckBox12, &TSettings::ReverseRightScroll},
};

}  // namespace

SettingsPage::SettingsPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("TabSheet10"));
    PageControl4 = Named(new QTabWidget(this), "PageControl4");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl4);
    // Button-style inner pages. The style sheet goes on the tab strip only: on
    // the page control it would give the pages the application's font instead
    // of the window's.
    PageControl4->setDocumentMode(true);
    PageControl4->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { border: 2px outset #c0c0c0; background: #d4d0c8; padding: 3px 12px; margin: 2px; }"
        "QTabBar::tab:selected { border: 2px inset #c0c0c0; background: #e8e4dc; }"));
    PageControl4->addTab(Scrolled(BuildGameSettingsPage()), QStringLiteral("Игра"));
    PageControl4->addTab(Scrolled(BuildSystemSettingsPage()), QStringLiteral("Система"));
    ResetSettings = Named(new QPushButton(QStringLiteral("Сбросить настройки")), "ResetSettings");
    ResetSettings->setToolTip(QStringLiteral("Вернуть все настройки и выбор новой игры к начальным значениям"));
    PageControl4->setCornerWidget(ResetSettings, Qt::TopRightCorner);
    connect(ResetSettings, &QPushButton::clicked, this, &SettingsPage::resetRequested);
    connect(CheckBox3, &QCheckBox::clicked, this, &SettingsPage::CheckBox3Click);
    connect(Button17, &QPushButton::clicked, this, &SettingsPage::Button17Click);
    connect(CheckBox10, &QCheckBox::clicked, this, &SettingsPage::CheckBox10Click);
    ConnectSettingsCopies();
}

QWidget* SettingsPage::BuildGameSettingsPage() {
    auto* page = Named(new QWidget, "TabSheet11");
    SFPS2 = LabelledEdit(page, "SFPS2", QStringLiteral("Частота мерцания малокадровой графики,   fps/"),
                         QStringLiteral("10"), 8, 4);
    SFPS3 = LabelledEdit(page, "SFPS3", QStringLiteral("Частота мерцания двухкадровой графики,   fps/"),
                         QStringLiteral("18"), 8, 46);
    SFPS2->setToolTip(
        QStringLiteral("Через сколько кадров меняется картинка у медленно мерцающих объектов "
                       "(целое число; читается при старте игры)"));
    SFPS3->setToolTip(
        QStringLiteral("Через сколько кадров меняется картинка у двухкадровых объектов "
                       "(целое число; читается при старте игры)"));
    Place(new QLabel(QStringLiteral("Какие параметры отображать при выделении юнита/строения"), page), 8, 92, 380, 16);
    CheckListBox1 = Place(Named(new QListWidget(page), "CheckListBox1"), 8, 110, 260, 226);
    for (const char* text :
         {"Потребляемый ресурс", "Огневая мощь", "Броня", "Хиты", "Кол-во выстрелов", "Дальнобойность", "Боезапас",
          "Радиус обзора", "Кол-во ходов", "Цена", "Груз в кузове", "Груз в системе"}) {
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

    Button17 =
        Place(Named(new QPushButton(QStringLiteral("Обновить список строений"), page), "Button17"), 400, 112, 200, 26);
    ListBox2 = Place(Named(new QListWidget(page), "ListBox2"), 400, 142, 340, 194);
    ListBox2->setToolTip(QStringLiteral("Все объекты на карте: тип и клетка (столбец x строка)"));
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

QWidget* SettingsPage::BuildSystemSettingsPage() {
    auto* page = Named(new QWidget, "TabSheet16");
    auto check = [page](const char* name, const char* text, int y) {
        return Place(Named(new QCheckBox(QString::fromUtf8(text), page), name), 8, y, 750, 20);
    };
    CheckBox3 = check("CheckBox3", "Картинки с геологией в высоком разрешении", 4);
    Winmode = Place(Named(new RadioGroup(QStringLiteral("Оконный режим"),
                                         {QStringLiteral("Играть в оконном режиме"),
                                          QStringLiteral("Играть в полноэкранном режиме")},
                                         1, page),
                          "Winmode"),
                    8, 28, 360, 72);
    Winmode->setEnabled(false);
    RadioGroup2 = Place(Named(new RadioGroup(QStringLiteral("Разрешение экрана для полноэкранного режима"),
                                             {QStringLiteral("640х480х16"), QStringLiteral("800х600х16"),
                                              QStringLiteral("1024х768х16")},
                                             1, page),
                              "RadioGroup2"),
                        380, 28, 360, 92);
    RadioGroup2->setEnabled(false);
    CheckBox5 = check("CheckBox5", "Разворачивать окно при запуске", 128);
    CheckBox4 =
        check("CheckBox4", "Прятать рамку при разворачивании окна в оконном режиме (получается \"типа_полноэкранное\")",
              152);
    CheckBox6 = check("CheckBox6",
                      "Приостанавливать игру при переключении на другое приложение (стопорится и не мешает другим "
                      "приложениям)",
                      176);
    CheckBox7 = check("CheckBox7",
                      "Ждать вертикальной развертки... если включено то fps выше частоты экрана не поднимается... если "
                      "выключено то выше 100fps ...",
                      200);
    CheckBox10 = check("CheckBox10", "Использовать виндовозные ползунки в качестве средства для скроллинга карты", 224);
    CheckBox11 = check("CheckBox11", "Использовать правую клавишу мыши для скроллинга карты", 248);
    CheckBox12 = check("CheckBox12", "Реверсировать скроллинг правой клавишей мыши... двигать экран а не карту", 272);
    SoundOn = check("SoundOn", "Звук", 304);
    Place(new QLabel(QStringLiteral("Громкость"), page), 8, 330, 80, 20);
    SoundVolume = Place(Named(new QSlider(Qt::Horizontal, page), "SoundVolume"), 92, 330, 200, 20);
    SoundVolume->setRange(0, 100);
    SoundVolume->setPageStep(10);
    ShowSoundSettings({});
    return page;
}

// Each control goes into the game state as it changes.
void SettingsPage::ConnectSettingsCopies() {
    for (const BoxField& f : kBoxFields)
        connect(this->*f.box, &QCheckBox::toggled, this, [this, field = f.field](bool on) {
            host_.game().Settings.*field = on ? 1 : 0;
            host_.SettingsChanged();
        });
    connect(Winmode, &RadioGroup::clicked, this, [this] {
        host_.game().Settings.FullScreen = Winmode->itemIndex() == 1 ? 1 : 0;
        host_.SettingsChanged();
    });
    connect(RadioGroup2, &RadioGroup::clicked, this, [this] {
        host_.game().Settings.FullScreenMode = static_cast<u8>(std::max(RadioGroup2->itemIndex(), 0));
        host_.SettingsChanged();
    });
    connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = CheckListBox1->row(item);
        if (row >= 0 && row < kInfoItems)
            host_.game().Settings.InfoShown[static_cast<std::size_t>(row)] = item->checkState() == Qt::Checked;
        host_.SettingsChanged();
    });
    // The sound is the window's: it reads the controls when told of a change.
    connect(SoundOn, &QCheckBox::toggled, this, [this] { host_.SettingsChanged(); });
    connect(SoundVolume, &QSlider::valueChanged, this, [this] { host_.SettingsChanged(); });
    // The period fields stay text until the launch; what they hold is kept as typed.
    connect(SFPS2, &QLineEdit::textEdited, this, [this] { host_.SettingsChanged(); });
    connect(SFPS3, &QLineEdit::textEdited, this, [this] { host_.SettingsChanged(); });
}

void SettingsPage::RefreshFromGame() {
    const Game& g = host_.game();
    const TSettings& s = g.Settings;
    SFPS2->setText(QString::number(g.SlowAnimPeriod));
    SFPS3->setText(QString::number(g.TwoFrameAnimPeriod));
    for (int i = 0; i < CheckListBox1->count() && i < kInfoItems; ++i)
        CheckListBox1->item(i)->setCheckState(s.InfoShown[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
    for (const BoxField& f : kBoxFields) (this->*f.box)->setChecked(s.*f.field != 0);
    Winmode->setItemIndex(s.FullScreen);
    RadioGroup2->setItemIndex(s.FullScreenMode);
}

AnimPeriodFields SettingsPage::ReadAnimPeriodFields(const AnimPeriodFields& otherwise) const {
    AnimPeriodFields fields = otherwise;
    if (const auto slow = ParseSettingInteger(SFPS2->text().toStdString())) fields.slow = *slow;
    if (const auto twoFrame = ParseSettingInteger(SFPS3->text().toStdString())) fields.twoFrame = *twoFrame;
    return fields;
}

void SettingsPage::ShowAnimPeriodFields(const AnimPeriodFields& fields) {
    SFPS2->setText(QString::number(fields.slow));
    SFPS3->setText(QString::number(fields.twoFrame));
}

LaunchStep SettingsPage::ApplyAnimPeriods() {
    return ReadAnimPeriods(host_.game(), SFPS2->text().toStdString(), SFPS3->text().toStdString());
}

SoundSettings SettingsPage::ReadSoundSettings() const { return {SoundOn->isChecked(), SoundVolume->value()}; }

void SettingsPage::ShowSoundSettings(const SoundSettings& sound) {
    SoundOn->setChecked(sound.on);
    SoundVolume->setValue(sound.volume);
}

void SettingsPage::ShowScaleLabels(const ScaleLabels& labels) {
    Label17->setText(QString::fromStdString(labels.cols));
    Label18->setText(QString::fromStdString(labels.rows));
    Label22->setText(QString::fromStdString(labels.spriteSize));
}

void SettingsPage::CheckBox3Click() {
    if (GameFileExists("Graph\\GEO1.bmp", host_.workDir())) return;
    CheckBox3->setChecked(false);
    host_.ShowMessage(QStringLiteral("Нет файла с картинками... Нарисуй сам. (размер спрайта 63х63), и назови его "
                                     "GEO1.bmp, цветность оставь ту же самую"),
                      MessageWeight::Warning);
}

void SettingsPage::Button17Click() {
    const Game& g = host_.game();
    ListBox2->clear();
    for (int i = 1; i <= kMaxObjects; ++i)
        if (SlotInUse(g.World.Objects[i]))
            ListBox2->addItem(QString::fromStdString(ObjectPlaceText(g, g.World.Objects[i])));
}

// The map page shows or hides its scroll bars.
void SettingsPage::CheckBox10Click() { emit scrollBarsSwitched(); }

}  // namespace tarq
