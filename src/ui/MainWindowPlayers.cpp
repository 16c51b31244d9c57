// Players taking turns on one machine or by passing the game file: the
// handover screen after END TURN and the new-game page of a joining player.
#include <QScrollBar>
#include <QTabWidget>

#include "core/Players.h"
#include "setup/Launch.h"
#include "setup/Players.h"
#include "ui/HandoverScreen.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/NewGamePage.h"
#include "ui/UiHelpers.h"

namespace tarq {

// The autosave after END TURN is also the file to pass on to the next player.
void TMainForm::TurnEnded() {
    const Autosave::Result saved = autosave_.Write(*game_);
    if (saved.written) MarkInFile();
    if (!saved.message.isEmpty()) ShowMessage(saved.message, MessageWeight::Failure);
    if (!SeveralPlayers(*game_)) return;
    map_->StopDrawing();
    map_->ShowLoadedGame();  // the next player's zoom and panels, behind the screen
    const int player = game_->CurrentPlayer;
    handover_->ShowFor(player, TeamColourAt(PlayerColourIndex(*game_, player)).base, saved.path);
}

void TMainForm::HandOver() {
    if (JoiningPlayer(*game_)) {
        ShowJoiningPage();
        return;
    }
    ShowMapPage();
    map_->ShowLoadedGame();
    MarkViewForFirstFrame(*game_);
    map_->StartDrawing(DrawingInterval());
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
