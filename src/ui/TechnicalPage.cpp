#include "ui/TechnicalPage.h"

#include <QLabel>
#include <QPushButton>

#include "ui/InfoTexts.h"
#include "ui/UiHelpers.h"

namespace tarq {

TechnicalPage::TechnicalPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet13"));
    Place(new QLabel(texts::TechPagePlaceholder1(), this), 16, 16, 600, 20);
    Place(new QLabel(texts::TechPagePlaceholder2(), this), 16, 40, 600, 20);
    Button15 = Place(Named(new QPushButton(QStringLiteral("Возврат"), this), "Button15"), 16, 72, 120, 28);
    connect(Button15, &QPushButton::clicked, this, &TechnicalPage::returnRequested);
}

}  // namespace tarq
