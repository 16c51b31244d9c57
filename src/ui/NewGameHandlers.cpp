// Handlers of the start-conditions page: generating the map and its preview,
// marking landing sectors, and the clan picture.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "ui/MainWindow.h"
#include "ui/QtBitmap.h"
#include "ui/Widgets.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"
#include "world/MapParameters.h"
#include "world/MapPreview.h"

namespace tarq {

void TMainForm::ConnectNewGameHandlers() {
    connect(Button10, &QPushButton::clicked, this, &TMainForm::Button10Click);
    connect(Image2, &ImageBox::mousePressed, this, &TMainForm::Image2MouseDown);
    connect(Image2, &ImageBox::clicked, this, &TMainForm::Image2Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TMainForm::CheckBox2Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TMainForm::ComboBox1Change);
}

MapControls TMainForm::ReadMapControls() const {
    MapControls c;
    c.mapSizeItem = MapSize->itemIndex();
    c.model = PageControl5->currentIndex();
    c.ismass = ismass->value();
    c.landMass = LandMass->value();
    c.stripCount = Estripcount->value();
    c.stripLength = EstripL->value();
    c.stripWidth = EstripW->value();
    c.mountains = Mountains->value();
    c.stones = Stones->value();
    c.deposits = Emaxmstrj->value();
    return c;
}

void TMainForm::Button10Click() {
    GenerateFromControls(*game_, ReadMapControls(), random_);
    Image3->setImage(ToQImage(MakeMapPreview(*game_, terrainStrip_)));
    Image2Click();
}

// The grid is redrawn at once: a press that is no click (another button, or
// released elsewhere) still toggles the sector the launch will read.
void TMainForm::Image2MouseDown(Qt::MouseButton, int x, int y) {
    Image2MouseDownToggle(*game_, x, y);
    Image2Click();
}

void TMainForm::Image2Click() { Image2->setImage(ToQImage(DrawSectorGrid(*game_), QImage::Format_ARGB32)); }

void TMainForm::CheckBox2Click() {
    game_->ViewSettings.UseLandingSectors = CheckBox2->isChecked() ? 1 : 0;
    if (game_->MapGenerated == 0) Button10Click();
    StaticText2->show();
}

// A typed clan name that matches no item has index -1: the picture is cleared.
void TMainForm::ComboBox1Change(int index) {
    game_->ViewSettings.PlayerClan = static_cast<u8>(index);
    if (index < 0) {
        Image4->setImage(QImage());
        return;
    }
    LoadClanPicture(index);
}

}  // namespace tarq
