#include "ui/WelcomePage.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

#include "ui/InfoTexts.h"
#include "ui/UiHelpers.h"

namespace tarq {

WelcomePage::WelcomePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet9"));
    StaticText1 = Place(Named(new QLabel(texts::TopNotice1(), this), "StaticText1"), 8, 4, 500, 18);
    QFont bold = StaticText1->font();
    bold.setBold(true);
    StaticText1->setFont(bold);
    StaticText3 = Place(Named(new QLabel(texts::TopNotice3(), this), "StaticText3"), 8, 22, 500, 18);
    Memo3 = MakeMemo(this, "Memo3", 8, 46, 370, 150);
    FillMemo(Memo3, texts::Memo3Lines());
    Memo6 = MakeMemo(this, "Memo6", 8, 202, 370, 190);
    FillMemo(Memo6, texts::Memo6DesignLines());
    Memo1 = MakeMemo(this, "Memo1", 390, 46, 370, 110);
    FillMemo(Memo1, texts::Memo1Lines());
    Memo4 = MakeMemo(this, "Memo4", 390, 162, 370, 230);
    StaticText12 =
        Place(Named(new QLabel(QStringLiteral("Не обольщайтесь, это еще не рабочая демка"), this), "StaticText12"), 390,
              398, 370, 18);
    StaticText12->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    Button12 = Place(Named(new QPushButton(QStringLiteral("Начать новую игру"), this), "Button12"), 390, 422, 180, 32);
    Button13 =
        Place(Named(new QPushButton(QStringLiteral("Загрузить игру из файла"), this), "Button13"), 580, 422, 180, 32);
    Button14 = Place(Named(new QPushButton(QStringLiteral("Закрыть"), this), "Button14"), 390, 460, 180, 32);
    LabelVersion = Place(Named(new QLabel(texts::VersionLabel(), this), "LabelVersion"), 580, 462, 180, 16);
    LabelAuthor = Place(Named(new QLabel(texts::AuthorLabel(), this), "LabelAuthor"), 580, 478, 180, 16);
    BuildNetGames();
    connect(Button12, &QPushButton::clicked, this, &WelcomePage::newGameRequested);
    connect(Button13, &QPushButton::clicked, this, &WelcomePage::loadRequested);
    connect(Button14, &QPushButton::clicked, this, &WelcomePage::quitRequested);
}

// Below the notes: the network games this machine plays, and its two buttons.
void WelcomePage::BuildNetGames() {
    Place(Named(new QLabel(QStringLiteral("Мои сетевые игры"), this), "NetGamesLabel"), 8, 396, 370, 16);
    NetGames = Place(Named(new QTreeWidget(this), "NetGames"), 8, 414, 370, 64);
    NetGames->setHeaderLabels({QStringLiteral("Место"), QStringLiteral("Чей ход"), QStringLiteral("С")});
    NetGames->setRootIsDecorated(false);
    NetGames->header()->setStretchLastSection(false);
    NetGames->setColumnWidth(0, 170);
    NetGames->setColumnWidth(1, 100);
    NetOpen = Place(Named(new QPushButton(QStringLiteral("Открыть"), this), "NetOpen"), 8, 482, 120, 22);
    NetJoin = Place(Named(new QPushButton(QStringLiteral("Присоединиться..."), this), "NetJoin"), 132, 482, 150, 22);
    const auto open = [this] {
        if (const QTreeWidgetItem* item = NetGames->currentItem())
            emit netGameOpenRequested(item->data(0, Qt::UserRole).toString());
    };
    connect(NetOpen, &QPushButton::clicked, this, open);
    connect(NetGames, &QTreeWidget::itemDoubleClicked, this, open);
    connect(NetJoin, &QPushButton::clicked, this, &WelcomePage::netGameJoinRequested);
}

void WelcomePage::FillInformationMemos() {
    Memo4->clear();
    FillMemo(Memo4, texts::Memo4Lines());
    FillMemo(Memo6, texts::Memo6Notes());
}

}  // namespace tarq
