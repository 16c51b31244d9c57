// Players taking turns on one machine or by passing the game file: the
// handover screen after END TURN and the new-game page of a joining player.
#include <QApplication>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolTip>

#include "core/Players.h"
#include "setup/Launch.h"
#include "setup/Players.h"
#include "ui/HandoverScreen.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/NetPlay.h"
#include "ui/NewGamePage.h"
#include "ui/UiHelpers.h"

namespace tarq {

// The autosave after END TURN is also the file to pass on to the next player.
void TMainForm::TurnEnded() {
    const Autosave::Result saved = autosave_.Write(*game_);
    if (saved.written) MarkInFile();
    if (!saved.message.isEmpty()) ShowMessage(saved.message, MessageWeight::Failure);
    const QString place = net_->Send(*game_);
    if (!SeveralPlayers(*game_)) return;
    // Nothing of the player before may stay over the screen: a tooltip or an
    // open menu is a window of its own.
    QToolTip::hideText();
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    map_->StopDrawing();
    map_->ShowLoadedGame();  // the next player's zoom and panels, behind the screen
    const int player = game_->CurrentPlayer;
    handover_->ShowFor(player, TeamColourAt(PlayerColourIndex(*game_, player)).base, saved.path);
    if (!place.isEmpty() && !net_->PlaysHere(player))
        handover_->Hint->setText(QStringLiteral("Ход отправлен в «%1». Игрок %2 получит его на своем компьютере; "
                                                "когда снова придет ваш ход, игра сообщит об этом.\n\nЩелкните мышью, "
                                                "чтобы вернуться на первую страницу.")
                                     .arg(place)
                                     .arg(player));
}

void TMainForm::HandOver() {
    // A network game's next player plays on their own machine.
    if (!net_->PlaysHere(game_->CurrentPlayer)) {
        map_->ShowPanels(false);
        ShowTab(PageControl1, kPageMap, false);
        ActivatePage(PageControl1, kPageWelcome);
        return;
    }
    if (JoiningPlayer(*game_)) {
        ShowJoiningPage();
        return;
    }
    ShowMapPage();
    map_->ShowLoadedGame();
    MarkViewForFirstFrame(*game_);
    map_->StartDrawing(DrawingInterval());
    PlaySound(Sound::YourTurn);
}

// The map stays hidden from a joining player until they press "Старт".
void TMainForm::ShowJoiningPage() {
    map_->StopDrawing();
    map_->ShowPanels(false);
    map_->ScrollBar1->hide();
    map_->ScrollBar2->hide();
    ShowTab(PageControl1, kPageNewGame, true);
    ActivatePage(PageControl1, kPageNewGame);
    ShowTab(PageControl1, kPageMap, false);
    RefreshFromGame();
    newGame_->SetJoining(true);
}

}  // namespace tarq
