// Game files in the window: the save and load dialogs, loading a game into
// the window, and the autosaves after END TURN and when the player quits.
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QTabWidget>

#include "gamefile/GameFile.h"
#include "setup/Players.h"
#include "ui/HandoverScreen.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
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
    if (!saved) ShowMessage(saved.message);
    return static_cast<bool>(saved);
}

// The loaded game is checked whole and its pictures are loaded before it
// replaces the game on show; the pages ask the window for the game each time.
bool TMainForm::LoadGame(const QString& path) {
    LoadedGame loaded = LoadGameFile(path);
    if (!loaded) {
        ShowMessage(loaded.message);
        return false;
    }
    // A game not launched in this run needs the launch's pictures and cache.
    if (!map_->GraphicsFitFor(*loaded.game) && !LoadGraphicsFor(*loaded.game)) return false;
    loaded.game->AppActive = game_->AppActive;  // the application's state, not the file's
    game_ = std::move(loaded.game);
    ShowTab(PageControl1, kPageTech, false);
    handover_->hide();
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
    if (!result.message.isEmpty()) ShowMessage(result.message);
}

// A game on the map goes to the autosaves. When that fails for the first
// time the window stays open with the message, so the player can still save
// elsewhere; closing again ends the game.
void TMainForm::closeEvent(QCloseEvent* e) {
    if (Launched()) {
        const Autosave::Result result = autosave_.Write(*game_);
        if (!result.message.isEmpty()) {
            ShowMessage(result.message);
            e->ignore();
            return;
        }
    }
    map_->StopDrawing();
    e->accept();
}

}  // namespace tarq
