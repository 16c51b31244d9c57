// The map page, the side panel with the overlay buttons, memo and minimap, and
// the top strip of read-outs.
#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/MainWindow.h"
#include "ui/MapSurface.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"

namespace tarq {

QWidget* TMainForm::BuildMapPage() {
    auto* page = Named(new QWidget, "TabSheet1");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    DXDraw = Named(new MapSurface(page), "DXDraw");
    layout->addWidget(DXDraw);
    return page;
}

QWidget* TMainForm::BuildLeftPanel() {
    Panel1 = Named(new QFrame, "Panel1");
    Panel1->setFixedWidth(200);
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    Panel3 = Named(new QFrame(Panel1), "Panel3");
    Panel3->setFixedHeight(144);
    ENDTURN = Place(Named(new QPushButton(QStringLiteral("END TURN"), Panel3), "ENDTURN"), 1, 1, 98, 24);
    Button16 = Place(Named(new QPushButton(QStringLiteral("Quit"), Panel3), "Button16"), 101, 1, 96, 24);
    CheckBox1 = Place(Named(new QCheckBox(QStringLiteral("CheckBox1"), Panel3), "CheckBox1"), 1, 26, 120, 16);
    SScale = Place(Named(new QScrollBar(Qt::Horizontal, Panel3), "SScale"), 1, 44, 196, 17);
    SScale->setRange(5, 120);
    SScale->setPageStep(50);
    SScale->setSingleStep(5);
    SScale->setValue(15);
    SScale->setCursor(Qt::PointingHandCursor);

    auto button = [this](const char* name, const QString& text) {
        return Named(new QPushButton(text, Panel3), name);
    };
    Button1 = button("Button1", QStringLiteral("Геология"));
    Button2 = button("Button2", QStringLiteral("Хиты"));
    Button3 = button("Button3", QStringLiteral("Обзоры"));
    Button4 = button("Button4", QStringLiteral("Статус"));
    Button5 = button("Button5", QStringLiteral("Боезапас"));
    Button6 = button("Button6", QStringLiteral("Сетка"));
    Button7 = button("Button7", QStringLiteral("Подсветка"));
    Button8 = button("Button8", QStringLiteral("Радиус"));
    Button9 = button("Button9", QStringLiteral("Имена"));
    Button11 = button("Button11", QStringLiteral("Соединители"));
    QFont struck = Button9->font();
    struck.setStrikeOut(true);
    Button9->setFont(struck);
    QFont bold = Button11->font();
    bold.setBold(true);
    Button11->setFont(bold);
    // The designed places: three rows of three, the connectors button above the
    // first row. Every resize lays the rows out again from the panel's bottom up.
    QPushButton* grid[3][3] = {{Button1, Button2, Button3}, {Button4, Button5, Button6}, {Button7, Button8, Button9}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) Place(grid[row][col], 1 + col * 65, 84 + row * 20, 65, 20);
    Place(Button11, 1, 64, 100, 20);
    layout->addWidget(Panel3);

    Memo2 = Named(new QTextEdit(Panel1), "Memo2");
    Memo2->setReadOnly(true);
    Memo2->setStyleSheet(QStringLiteral("QTextEdit { background: #a6caf0; }"));
    layout->addWidget(Memo2, 1);

    Panel2 = Named(new QFrame(Panel1), "Panel2");
    Panel2->setFixedSize(198, 198);
    Panel2->setFrameShape(QFrame::StyledPanel);
    auto* wait = Place(new QLabel(QStringLiteral("Ждите..."), Panel2), 0, 0, 198, 198);
    wait->setAlignment(Qt::AlignCenter);
    Minimap = Place(Named(new ImageBox(Panel2), "Minimap"), 1, 1, 196, 196);
    Image1 = Place(Named(new ImageBox(Panel2), "Image1"), 1, 1, 196, 196);
    Image1->setTransparentKey(qRgb(255, 255, 255));
    Image1->raise();
    layout->addWidget(Panel2, 0, Qt::AlignHCenter);
    return Panel1;
}

QWidget* TMainForm::BuildTopStrip() {
    Panel5 = Named(new QFrame, "Panel5");
    Panel5->setFixedHeight(17);
    auto* layout = new QHBoxLayout(Panel5);
    layout->setContentsMargins(4, 0, 4, 0);
    StaticText9 = Named(new QLabel(Panel5), "StaticText9");
    StaticText8 = Named(new QLabel(Panel5), "StaticText8");
    layout->addWidget(StaticText9);
    layout->addStretch(1);
    layout->addWidget(StaticText8);
    return Panel5;
}

}  // namespace tarq
