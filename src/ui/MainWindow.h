// The main window: it assembles the pages, owns the game state and carries the
// flows that cross pages (the start button, the technical-data page and back,
// page changes, the application's activation, the slow timer). Each page
// builds and owns its controls and handlers; the pages reach each other only
// through the game state, PageHost and the signals connected here.
#pragma once

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "audio/SoundPlayer.h"
#include "core/Bitmap.h"
#include "core/GameState.h"
#include "core/Random.h"
#include "gamefile/Autosave.h"
#include "ui/Cursors.h"
#include "ui/PageHost.h"

class QFileDialog;
class QKeyEvent;
class QTabWidget;
class QTimer;

namespace tarq {

class HandoverScreen;
class KeysCard;
class MapPage;
class NetPlay;
class NewGamePage;
class PreparationPage;
class SettingsPage;
struct StoredChoices;
class TechnicalPage;
class WelcomePage;

class TMainForm : public QMainWindow, public PageHost {
    Q_OBJECT
public:
    using MessageSink = std::function<void(const QString&, MessageWeight)>;

    // `workDir` is the game's working folder (where graph/ lies). `sink`
    // receives every message the player must see; by default a message box.
    explicit TMainForm(std::filesystem::path workDir = std::filesystem::current_path(), MessageSink sink = {},
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    // Sound (MainWindowSound.cpp). A window has no player, and stays silent,
    // until it is given one: the program gives it the sounds/ folder beside
    // graph/, the tests and the monkey do not, so they never open an audio
    // device. The player follows "Звук" and "Громкость" on the settings page.
    void UseSound(const std::filesystem::path& soundDir, SoundLimits limits = {}, SoundPlayer::Clock clock = {});
    SoundPlayer* soundPlayer() const { return sound_.get(); }
    // Sounds of the window itself: a button, the start of a player's turn.
    void PlaySound(Sound sound);

    // PageHost.
    Game& game() override { return *game_; }
    const std::filesystem::path& workDir() const override { return workDir_; }
    RandomSource& random() override { return random_; }
    Outcome Submit(const Order& order) override;
    const CursorSet& cursors() const override { return cursors_; }
    const Bitmap& terrainStrip() const override { return terrainStrip_; }
    using PageHost::ShowMessage;
    void ShowMessage(const QString& text, MessageWeight weight) override;
    void SettingsChanged() override;
    void NewGameChoicesChanged() override;

    WelcomePage* welcomePage() const { return welcome_; }
    NewGamePage* newGamePage() const { return newGame_; }
    MapPage* mapPage() const { return map_; }
    SettingsPage* settingsPage() const { return settings_; }
    TechnicalPage* technicalPage() const { return technical_; }
    PreparationPage* preparationPage() const { return preparation_; }

    // Shows the game state in every page: settings, new-game choices,
    // purchases, zoom, overlays and the technical page's structure list
    // (after a load, or any change made outside the controls).
    void RefreshFromGame();

    // Opens a saved game straight on the map page (the command line's FILE,
    // a file manager's double click). A file that cannot be opened gets its
    // message and the current page stays.
    bool OpenGameFile(const QString& path);

    // Game files (MainWindowGameFiles.cpp). The dialogs open in the saves
    // folder, without a nested event loop; a chosen file is saved or loaded
    // at once.
    void Button13Click();  // "Загрузить игру из файла" and Ctrl+O: the load dialog
    void SaveGameClick();  // "Сохранить" and Ctrl+S once a game is on the map: the save dialog
    // Replaces the game by the one saved in `path` and shows it on the map
    // page as it was saved. A refused file gets its message and changes nothing.
    // Over a game with play not kept in any file the player is asked first
    // (LoadOverChanges); false while the question is open.
    bool LoadGame(const QString& path);
    // Writes the game to `path`, ".tarq" appended when missing.
    bool SaveGameAs(QString path);
    // The game to the rotating autosaves; a failure is shown once.
    void AutosaveGame();
    // Whether the game under way holds play since it was launched, loaded,
    // saved or autosaved last.
    bool UnsavedChanges() const;

    // Players taking turns (MainWindowPlayers.cpp). After END TURN in a game
    // of several players the handover screen covers the window; its click
    // shows the next player their map, or the new-game page in joining mode
    // when they have not landed yet.
    void TurnEnded();
    void HandOver();
    void ShowJoiningPage();
    HandoverScreen* handoverScreen() const { return handover_; }
    const Autosave& autosave() const { return autosave_; }

    // Network games (MainWindowNet.cpp): "Игра по сети" on the map page puts
    // the game on show in a shared place; "Присоединиться..." on the welcome
    // page watches another machine's game; "Открыть" takes up its latest turn.
    void NetPlayClick();
    void JoinNetGameClick();
    bool OpenNetGame(const QString& gameId);
    NetPlay* netPlay() const { return net_; }

    // Page flow and application events.
    void Button12Click();  // "Начать новую игру"
    void Button14Click();  // "Закрыть" and "Quit"
    void PageControl1Change(int index);
    void N41Click();       // the command menu's technical data
    void Button15Click();  // "Возврат" from the technical data
    void ApplicationEvents1Activate();
    void ApplicationEvents1Deactivate();
    void Timer1Timer();
    // The start button.
    void LaunchTARQClick();
    // "Сбросить настройки" on the settings page: the settings, and the
    // new-game choices while a new game is prepared, go back to their defaults.
    void ResetSettingsClick();
    // F1: the card of the keys.
    void ShowKeysCard();
    KeysCard* keysCard() const { return keysCard_; }

    QTabWidget* PageControl1 = nullptr;
    QTimer* Timer1 = nullptr;
    QList<QIcon> Icons;

protected:
    void closeEvent(QCloseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    void BuildIcons();
    void ConnectPages();
    void FormCreate();
    void BuildTerrainStrip();
    // The pictures of `game` played on terrain set `terrainSet` (its own by default).
    bool LoadGraphicsFor(const Game& game, int terrainSet = -1);
    void ShowMapPage();
    // The keys (MainWindowKeys.cpp).
    bool KeyPressed(QWidget* receiver, QKeyEvent* event);
    // Kept settings (MainWindowSettings.cpp).
    void RestoreStoredSettings();
    void ApplyStoredChoices(const StoredChoices& kept);
    bool Launched() const;
    int DrawingInterval() const;
    QFileDialog* GameFileDialog(bool save);
    bool TakeLoadedGame(std::unique_ptr<Game> loaded);
    // The game on show is what a file holds now (or a launch began with).
    void MarkInFile();
    void BuildNetPlay();
    void ApplySoundSettings();
    void ConnectSounds();
    void PlayOutcome(const Order& order, const Outcome& out);

    std::unique_ptr<Game> game_;
    RandomSource random_;
    std::filesystem::path workDir_;
    MessageSink sink_;
    CursorSet cursors_;
    Bitmap terrainStrip_;
    WelcomePage* welcome_ = nullptr;
    NewGamePage* newGame_ = nullptr;
    MapPage* map_ = nullptr;
    SettingsPage* settings_ = nullptr;
    TechnicalPage* technical_ = nullptr;
    PreparationPage* preparation_ = nullptr;
    KeysCard* keysCard_ = nullptr;
    HandoverScreen* handover_ = nullptr;
    // Changes are kept only once the start is over and never while the pages
    // are being set from the game state.
    bool keepChanges_ = false;
    Autosave autosave_;
    std::uint64_t inFile_ = 0;  // PlayHash of the game as MarkInFile saw it
    NetPlay* net_ = nullptr;
    QString openingNetGame_;              // the network game whose file is being loaded
    std::unique_ptr<SoundPlayer> sound_;  // none until UseSound
};

}  // namespace tarq
