#include "ui/PreparationPage.h"

#include <QLabel>

#include "ui/UiHelpers.h"
#include "ui/Widgets.h"

namespace tarq {

PreparationPage::PreparationPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet14"));
    Label15 = Place(Named(new QLabel(QStringLiteral("Подготавливаю графику к первому использованию... все хранится в "
                                                    "директории TEMPGRAPH"),
                                     this),
                          "Label15"),
                    1, 40, 760, 20);
    Label15->setAlignment(Qt::AlignCenter);
    Gauge1 = Place(Named(new PieGauge(this), "Gauge1"), 305, 90, 160, 160);
    Label27 = Place(Named(new QLabel(this), "Label27"), 8, 300, 64, 64);
    Label27->hide();
    b1 = Named(new ImageBox(this), "b1");
    b2 = Named(new ImageBox(this), "b2");
    b1->hide();
    b2->hide();
}

void PreparationPage::BeginProgress(int steps, int width) {
    Label15->setGeometry(1, Label15->y(), width - 2, Label15->height());
    Gauge1->setMaxValue(steps);
    Gauge1->setProgress(0);
}

void PreparationPage::SetProgress(int position) { Gauge1->setProgress(position); }

void PreparationPage::ShowTerrainPictures(const QImage& sheet, const QImage& strip) {
    b2->setImage(sheet);
    b1->setImage(strip);
}

}  // namespace tarq
