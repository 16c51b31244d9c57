// The start-conditions page (TabSheet4) of the new game: the landing-sector
// switch and grid over the map preview, the clan, and the map generator's
// page (TabSheet6) with "Создать/Пересоздать карту".
#pragma once

#include <QWidget>

#include "core/Command.h"
#include "world/MapParameters.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;

namespace tarq {

class ImageBox;
class PageHost;
class RadioGroup;

class StartConditionsPage : public QWidget {
    Q_OBJECT
public:
    explicit StartConditionsPage(PageHost& host, QWidget* parent = nullptr);

    // The landing-sector switch, the clan and the sector grid from the game state.
    void RefreshFromGame();
    // The generator's parameters, as the game state holds them.
    MapControls ReadMapControls() const;
    // The launch's part: a map from the page's parameters when none was
    // generated (no preview; MapGenerated stays 0) and no player has started
    // the game on one yet, and the terrain set.
    void GenerateForLaunch();
    int TerrainSetChoice() const;
    // The preview picture (the launch shows the minimap palette there).
    void ShowPreview(const QImage& picture);
    // Joining mode: a player who joins a game under way gets its map and
    // players as they are (generator, sector switch and the number of players
    // disabled, the preview showing the game's map); off for a new game.
    void SetJoining(bool joining);
    // The landing-sector box, its hint and the line of the sectors' share
    // from the game state.
    void ShowSectorChoice();

    void Button10Click();  // "Создать/Пересоздать карту"
    void Image2MouseDown(Qt::MouseButton button, int x, int y);
    void Image2Click();
    void CheckBox2Click();
    void FogBoxClick();
    void ComboBox1Change(int index);
    void ColorBox1Change(int index);
    void PlayersCountChange(int count);

private:
    QWidget* BuildMapGeneratorPage();
    void ConnectMapChoiceCopies();
    void ShowClan(int index);
    void LoadClanPicture(int clan);
    void ShowPlayerColour();
    // The generation of the page's map: the button's, or the start's own.
    Order GenerationOrder(bool byButton);

    PageHost& host_;

public:
    RadioGroup* MapType = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* SectorShareLine = nullptr;  // the share of sectors each player may claim
    QComboBox* ComboBox1 = nullptr;
    ImageBox* Image4 = nullptr;
    QComboBox* ColorBox1 = nullptr;
    QSpinBox* PlayersCount = nullptr;  // "Игроков"
    QCheckBox* FogBox = nullptr;       // "Туман войны": only with several players
    QLabel* LabelColorBox1 = nullptr;
    QLabel* Label6 = nullptr;
    ImageBox* Image3 = nullptr;
    ImageBox* Image2 = nullptr;
    QTabWidget* PageControl3 = nullptr;
    // Map generator parameters.
    RadioGroup* MapSize = nullptr;
    RadioGroup* Ttype = nullptr;
    QPushButton* Button10 = nullptr;
    QScrollBar* Mountains = nullptr;
    QScrollBar* Stones = nullptr;
    QScrollBar* Emaxmstrj = nullptr;
    QTabWidget* PageControl5 = nullptr;
    QScrollBar* ismass = nullptr;
    QScrollBar* LandMass = nullptr;
    QScrollBar* Estripcount = nullptr;
    QScrollBar* EstripL = nullptr;
    QScrollBar* EstripW = nullptr;
};

}  // namespace tarq
