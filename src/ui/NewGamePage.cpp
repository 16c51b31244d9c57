#include "ui/NewGamePage.h"

#include <QPushButton>
#include <QTabWidget>

#include "core/Paths.h"
#include "platform/BmpFile.h"
#include "ui/PageHost.h"
#include "ui/PurchasesPage.h"
#include "ui/QtBitmap.h"
#include "ui/RestrictionsPage.h"
#include "ui/StartConditionsPage.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"

namespace tarq {

NewGamePage::NewGamePage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("TabSheet2"));
    startConditions_ = new StartConditionsPage(host);
    restrictions_ = new RestrictionsPage(host);
    purchases_ = new PurchasesPage(host);
    PageControl2 = Place(Named(new QTabWidget(this), "PageControl2"), 0, 0, 565, 505);
    PageControl2->addTab(startConditions_, QStringLiteral("Начальные условия"));
    PageControl2->addTab(restrictions_, QStringLiteral("Ограничения"));
    PageControl2->addTab(purchases_, QStringLiteral("Покупки"));
    PageControl2->addTab(Named(new QWidget, "TabSheet8"), QStringLiteral("Разногласия"));
    ShowTab(PageControl2, 3, false);

    LaunchTARQ = Place(Named(new QPushButton(QStringLiteral("Старт"), this), "LaunchTARQ"), 585, 8, 161, 97);
    QFont big = LaunchTARQ->font();
    big.setPointSize(18);
    big.setBold(true);
    LaunchTARQ->setFont(big);
    Image5 = Place(Named(new ImageBox(this), "Image5"), 630, 132, 64, 64);  // under the name
    Image5->setStretch(false);
    StaticText6 = Place(Named(new QLabel(this), "StaticText6"), 575, 112, 190, 18);
    StaticText4 = Place(Named(new QLabel(this), "StaticText4"), 575, 200, 190, 200);
    StaticText4->setWordWrap(true);
    StaticText4->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    HideCard();

    connect(LaunchTARQ, &QPushButton::clicked, this, &NewGamePage::launchRequested);
    connect(PageControl2, &QTabWidget::currentChanged, this, &NewGamePage::PageControl2Change);
    connect(purchases_, &PurchasesPage::cardShown, this, &NewGamePage::ShowCard);
    connect(purchases_, &PurchasesPage::cardHidden, this, &NewGamePage::HideCard);
    connect(restrictions_, &RestrictionsPage::purchasesReset, purchases_, &PurchasesPage::RefreshPurchaseList);
    connect(restrictions_, &RestrictionsPage::startGoldChosen, this, [this](const QString& creditsText) {
        purchases_->SetCreditsText(creditsText);
        purchases_->RefreshPurchaseList();
    });
}

void NewGamePage::RefreshFromGame() {
    startConditions_->RefreshFromGame();
    restrictions_->RefreshFromGame();
    purchases_->RefreshFromGame();
}

void NewGamePage::SetJoining(bool joining) {
    startConditions_->SetJoining(joining);
    restrictions_->Sstartmoney->setEnabled(!joining);
    if (joining) PageControl2->setCurrentIndex(0);
}

void NewGamePage::PageControl2Change(int) { purchases_->HideTypeCard(); }

// A type without a readable picture shows its card without one: the player is
// only browsing, so no message interrupts.
void NewGamePage::ShowCard(const QString& picture, const QString& name, const QString& description) {
    Bitmap image;
    const bool loaded = LoadBitmapFile(ResolveGamePath(picture.toStdString(), host_.workDir()), image).ok;
    if (loaded) {
        Image5->setImage(ToQImage(image));
        Image5->resize(image.width, image.height);
        Image5->move(PageControl2->width() + (PageControlWidth() - PageControl2->width() - Image5->width()) / 2,
                     Image5->y());
        Image5->show();
    } else {
        Image5->setImage(QImage());
        Image5->hide();
    }
    StaticText4->setText(description);
    StaticText4->move(StaticText4->x(), loaded ? Image5->y() + Image5->height() + 8 : Image5->y());
    StaticText4->show();
    StaticText6->setText(name);
    StaticText6->show();
}

void NewGamePage::HideCard() {
    Image5->hide();
    StaticText4->hide();
    StaticText6->hide();
}

// The width of the page control that shows this page.
int NewGamePage::PageControlWidth() const {
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (const auto* pages = qobject_cast<const QTabWidget*>(w)) return pages->width();
    return width();
}

}  // namespace tarq
