// "Закупки" on the map page: reinforcements bought with credits during play.
// The menu lists the types the player may buy with their price; choosing one
// submits the order, which pays now and lands the purchase at the start of
// the player's next turn (control/Economy.h).
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "core/Command.h"
#include "ui/MapPage.h"
#include "ui/PageHost.h"

namespace tarq {

void MapPage::PurchasesClick() {
    const Game& g = host_.game();
    const TPlayer& me = CurrentPlayerEntry(g);
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PurchasesMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSection(QStringLiteral("Кредиты: %1").arg(me.Credits));
    for (int type = 1; type <= kDefinedTypes; ++type) {
        if (me.Purchasable[type] == 0) continue;
        const int cost = g.UnitStats[type].Cost;
        QAction* buy =
            menu->addAction(QStringLiteral("%1 — %2").arg(QString::fromStdString(g.UnitTypes[type].Name)).arg(cost));
        buy->setEnabled(me.Credits >= cost && me.BasePlaced == 1);
        connect(buy, &QAction::triggered, this, [this, type] { Submit(cmd::BuyReinforcement{static_cast<u8>(type)}); });
    }
    menu->popup(Purchases->mapToGlobal(QPoint(0, Purchases->height())));
}

}  // namespace tarq
