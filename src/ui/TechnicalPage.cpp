#include "ui/TechnicalPage.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "control/StructureList.h"
#include "ui/InfoTexts.h"
#include "ui/UiHelpers.h"

namespace tarq {

TechnicalPage::TechnicalPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet13"));
    Place(new QLabel(texts::TechPagePlaceholder1(), this), 16, 16, 600, 20);
    Place(new QLabel(texts::TechPagePlaceholder2(), this), 16, 40, 600, 20);
    Button15 = Place(Named(new QPushButton(QStringLiteral("Возврат"), this), "Button15"), 16, 72, 120, 28);
    connect(Button15, &QPushButton::clicked, this, &TechnicalPage::returnRequested);
    Place(new QLabel(QStringLiteral("Строения на карте:"), this), 16, 112, 300, 16);
    StructureList = Place(Named(new QListWidget(this), "StructureList"), 16, 130, 520, 360);
    StructureList->setToolTip(QStringLiteral("Строения: тип, клетка (столбец x строка) и владелец"));
}

void TechnicalPage::RefreshFromGame(const Game& game) {
    StructureList->clear();
    for (const StructureEntry& entry : ListStructures(game)) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.text), StructureList);
        item->setData(Qt::UserRole, entry.slot);
        if (entry.slot == game.SelectedObject) StructureList->setCurrentItem(item);
    }
}

}  // namespace tarq
