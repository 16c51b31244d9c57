// Clicks on the map: the engine decides what a click means; these handlers
// read the controls it needs and carry out what it asks for (the side panel's
// lines, the command menu, the zoom after the base has landed, the pointer).
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "control/MapClick.h"
#include "control/SitePreview.h"
#include "ui/MainWindow.h"
#include "ui/MapSurface.h"
#include "view/Overlays.h"

namespace tarq {

namespace {

QColor FromBgrValue(u32 bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QColor ColourOf(InfoColour colour, const QTextEdit* memo) {
    switch (colour) {
        case InfoColour::Navy: return FromBgrValue(kInfoNavyBgr);
        case InfoColour::Red: return FromBgrValue(kInfoRedBgr);
        case InfoColour::WindowText: break;
    }
    return memo->palette().color(QPalette::Text);
}

// Rewrites the memo, each line with its own weight and colour.
void WriteMemo(QTextEdit* memo, const std::vector<InfoLine>& lines) {
    memo->clear();
    QTextCursor cursor(memo->document());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QTextCharFormat format;
        format.setFontWeight(lines[i].bold ? QFont::Bold : QFont::Normal);
        format.setForeground(ColourOf(lines[i].colour, memo));
        if (i > 0) cursor.insertBlock(QTextBlockFormat(), format);
        cursor.setCharFormat(format);
        cursor.insertText(QString::fromStdString(lines[i].text), format);
    }
}

InfoChecks ShownItems(const TSettings& settings) {
    InfoChecks checks{};
    for (std::size_t i = 0; i < checks.size(); ++i) checks[i] = settings.InfoShown[i] != 0;
    return checks;
}

}  // namespace

void TMainForm::ConnectClickHandlers() {
    connect(DXDraw, &MapSurface::clicked, this, &TMainForm::DXDrawClick);
    connect(DXDraw, &MapSurface::mouseMoved, this, &TMainForm::DXDrawMouseMoveSite);
    ConnectMenuHandlers();
}

void TMainForm::DXDrawClick() {
    const ClickContext context{SScale->value(), DXDraw->width(), DXDraw->height(), ShownItems(game_->Settings)};
    const ClickResult result = tarq::DXDrawClick(*game_, context);
    if (result.memo) WriteMemo(Memo2, *result.memo);
    if (result.zoomTo100) {
        // The engine has already applied the zoom; the bar only shows it.
        const QSignalBlocker block(SScale);
        SScale->setValue(kBaseZoom);
        SetScaleLabels(*result.zoomTo100);
    }
    if (result.updateCursor) SetMapCursor(NextMapCursor(cursorNumber_, game_->MoveArmed == 1));
    ENDTURN->setEnabled(EndTurnEnabled(*game_));
    for (const std::string& text : result.messages) ShowMessage(QString::fromStdString(text));
    RenderAndPresent();
    if (result.openMenu) {
        // Not modal: the drawing timer keeps running while the menu is open.
        BuildCommandMenu();
        PMenu->popup(DXDraw->mapToGlobal(QPoint(result.menuX, result.menuY)));
    }
}

// Runs after DXDrawMouseMove; takes the position again so it does not depend
// on that order.
void TMainForm::DXDrawMouseMoveSite(int x, int y) {
    if (game_->ClickMode != kClickPlaceSite) return;
    game_->MouseX = x;
    game_->MouseY = y;
    UpdateHoverCell(*game_);
    if (MoveSiteWithMouse(*game_)) RenderAndPresent();
}

}  // namespace tarq
