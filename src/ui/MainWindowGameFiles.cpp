// Game files in the window: the save and load dialogs, loading a game into
// the window, and the autosaves after END TURN and when the player quits.
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

#include "core/Players.h"
#include "core/StateHash.h"
#include "gamefile/GameFile.h"
#include "setup/Players.h"
#include "ui/HandoverScreen.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/NetPlay.h"
#include "ui/UiHelpers.h"

namespace tarq {

QFileDialog* TMainForm::GameFileDialog(bool save) {
    const QString folder = autosave_.folder();
    QDir().mkpath(folder);  // the dialog opens there even before the first save
    auto* dialog = new QFileDialog(this, save ? QStringLiteral("Сохранить игру") : QStringLiteral("Загрузить игру"),
                                   folder, QStringLiteral("Сохраненные игры TARQ (*%1)").arg(kGameFileSuffix));
    dialog->setObjectName(save ? QStringLiteral("SaveGameDialog") : QStringLiteral("LoadGameDialog"));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(QString::fromLatin1(kGameFileSuffix + 1));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    return dialog;
}

void TMainForm::Button13Click() {
    openingNetGame_.clear();
    QFileDialog* dialog = GameFileDialog(false);
    connect(dialog, &QFileDialog::fileSelected, this, &TMainForm::LoadGame);
    dialog->open();
}

void TMainForm::SaveGameClick() {
    if (!Launched()) return;
    QFileDialog* dialog = GameFileDialog(true);
    dialog->selectFile(QStringLiteral("ход-%1%2").arg(game_->Turn).arg(kGameFileSuffix));
    connect(dialog, &QFileDialog::fileSelected, this, &TMainForm::SaveGameAs);
    dialog->open();
}

bool TMainForm::SaveGameAs(QString path) {
    if (!path.endsWith(QLatin1String(kGameFileSuffix), Qt::CaseInsensitive)) path += QLatin1String(kGameFileSuffix);
    const SavedGameFile saved = SaveGameFile(*game_, path);
    if (!saved) {
        ShowMessage(saved.message, MessageWeight::Failure);
        return false;
    }
    MarkInFile();
    map_->ShowNotice(QStringLiteral("Сохранено: %1").arg(QFileInfo(path).fileName()));
    return true;
}

void TMainForm::MarkInFile() { inFile_ = PlayHash(*game_); }

// A game being set up on the new-game page is no game under way yet; a
// joining player's is.
bool TMainForm::UnsavedChanges() const { return (Launched() || JoiningPlayer(*game_)) && PlayHash(*game_) != inFile_; }

// The loaded game is checked whole before anything changes; the player's
// answer decides whether it replaces a game with play kept in no file.
bool TMainForm::LoadGame(const QString& path) {
    LoadedGame loaded = LoadGameFile(path, *game_);  // the preferences stay the user's
    if (!loaded) {
        ShowMessage(loaded.message, MessageWeight::Warning);
        return false;
    }
    if (!UnsavedChanges()) return TakeLoadedGame(std::move(loaded.game));
    auto* box = new QMessageBox(QMessageBox::Question, windowTitle(),
                                QStringLiteral("В текущей игре есть несохраненные изменения. Загрузить игру «%1»? "
                                               "Несохраненные изменения будут потеряны.")
                                    .arg(QFileInfo(path).fileName()),
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("LoadOverChanges"));
    QPushButton* load = box->addButton(QStringLiteral("Загрузить"), QMessageBox::AcceptRole);
    box->setDefaultButton(box->addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole));
    box->setAttribute(Qt::WA_DeleteOnClose);
    auto waiting = std::make_shared<std::unique_ptr<Game>>(std::move(loaded.game));
    connect(box, &QMessageBox::finished, this, [this, box, load, waiting] {
        if (box->clickedButton() == load) TakeLoadedGame(std::move(*waiting));
    });
    box->open();
    return false;
}

// The pictures a game not launched in this run needs are loaded before it
// replaces the game on show; the pages ask the window for the game each time.
// Another player's turn than the one on show begins behind the handover
// screen, as after END TURN, so the player it names sees their map first.
bool TMainForm::TakeLoadedGame(std::unique_ptr<Game> loaded) {
    if (!map_->GraphicsFitFor(*loaded) && !LoadGraphicsFor(*loaded)) return false;
    const bool sameSeat = Launched() && !handover_->isVisible() && SeveralPlayers(*game_) &&
                          game_->CurrentPlayer == loaded->CurrentPlayer;
    loaded->AppActive = game_->AppActive;  // the application's state, not the file's
    game_ = std::move(loaded);
    net_->SetShown(std::exchange(openingNetGame_, QString()));
    MarkInFile();
    ShowTab(PageControl1, kPageTech, false);
    handover_->hide();
    if (SeveralPlayers(*game_) && !sameSeat) {
        map_->StopDrawing();
        RefreshFromGame();
        const int player = game_->CurrentPlayer;
        handover_->ShowFor(player, TeamColourAt(PlayerColourIndex(*game_, player)).base, QString());
        return true;
    }
    if (JoiningPlayer(*game_)) {
        ShowJoiningPage();
        return true;
    }
    ShowMapPage();
    map_->ShowLoadedGame();
    RefreshFromGame();
    map_->StartDrawing(DrawingInterval());
    return true;
}

bool TMainForm::OpenGameFile(const QString& path) { return LoadGame(path); }

void TMainForm::AutosaveGame() {
    const Autosave::Result result = autosave_.Write(*game_);
    if (result.written) MarkInFile();
    if (!result.message.isEmpty()) ShowMessage(result.message, MessageWeight::Failure);
}

// A game on the map goes to the autosaves. When that fails for the first
// time the window stays open with the message, so the player can still save
// elsewhere; closing again ends the game.
void TMainForm::closeEvent(QCloseEvent* e) {
    if (Launched()) {
        const Autosave::Result result = autosave_.Write(*game_);
        if (!result.message.isEmpty()) {
            ShowMessage(result.message, MessageWeight::Failure);
            e->ignore();
            return;
        }
    }
    map_->StopDrawing();
    e->accept();
}

}  // namespace tarq
