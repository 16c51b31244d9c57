#include "ui/RestrictionsPage.h"

#include <QCheckBox>
#include <QGroupBox>

#include "setup/Shop.h"
#include "ui/PageHost.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"

namespace tarq {

RestrictionsPage::RestrictionsPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("TabSheet3"));
    QStringList gold;
    for (int v : kStartGoldChoices) gold << QString::number(v);
    Sstartmoney =
        Place(Named(new RadioGroup(QStringLiteral("Начальное золото"), gold, 2, this), "Sstartmoney"), 8, 8, 200, 200);
    Sstartmoney->setItemIndex(0);
    StrToBuy =
        Place(Named(new QCheckBox(QStringLiteral("Запретить покупать строения"), this), "StrToBuy"), 220, 8, 320, 20);
    AlienToBuy = Place(Named(new QCheckBox(QStringLiteral("Запретить покупать юниты пришельцев"), this), "AlienToBuy"),
                       220, 30, 320, 20);
    CheckBox9 = Place(Named(new QCheckBox(QStringLiteral("Включить мораторий"), this), "CheckBox9"), 220, 60, 320, 20);
    CheckBox9->setEnabled(false);
    GroupBox1 = Place(Named(new QGroupBox(QStringLiteral("Условия моратория"), this), "GroupBox1"), 220, 86, 320, 56);
    CheckBox8 =
        Place(Named(new QCheckBox(QStringLiteral("Не выходить за пределы стартовых секторов"), GroupBox1), "CheckBox8"),
              8, 22, 300, 20);
    GroupBox1->setEnabled(false);
    Label2 = Place(Named(new QLabel(QStringLiteral("Здесь я думаю расположить условия моратория и ограничения  на "
                                                   "типы войск"),
                                    this),
                         "Label2"),
                   220, 150, 320, 40);
    Label2->setWordWrap(true);
    connect(Sstartmoney, &RadioGroup::clicked, this, &RestrictionsPage::SstartmoneyClick);
    connect(StrToBuy, &QCheckBox::clicked, this, &RestrictionsPage::StrToBuyClick);
    connect(AlienToBuy, &QCheckBox::clicked, this, &RestrictionsPage::StrToBuyClick);
}

void RestrictionsPage::RefreshFromGame() {
    const Game& g = host_.game();
    for (int i = 0; i < Sstartmoney->count(); ++i)
        if (Sstartmoney->itemText(i).trimmed().toInt() == g.World.StartGold) Sstartmoney->setItemIndex(i);
    StrToBuy->setChecked(CurrentPlayerEntry(g).Restrictions.NoStructures == 1);
    AlienToBuy->setChecked(CurrentPlayerEntry(g).Restrictions.NoAlienUnits == 1);
}

void RestrictionsPage::SstartmoneyClick() {
    const int index = Sstartmoney->itemIndex();
    bool ok = false;
    const int gold = index >= 0 ? Sstartmoney->itemText(index).trimmed().toInt(&ok) : 0;
    if (!ok || !host_.Submit(host_.Mine(cmd::SetStartGold{gold})).accepted) return;
    emit startGoldChosen(QString::fromStdString(StartGoldLabel(gold)));
    host_.NewGameChoicesChanged();
}

void RestrictionsPage::StrToBuyClick() {
    const Order order = host_.Mine(cmd::SetRestrictions{static_cast<u8>(StrToBuy->isChecked() ? 1 : 0),
                                                        static_cast<u8>(AlienToBuy->isChecked() ? 1 : 0)});
    if (!host_.Submit(order).accepted) return;
    emit purchasesReset();
    host_.NewGameChoicesChanged();
}

}  // namespace tarq
