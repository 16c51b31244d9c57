// The settings page (TabSheet10) with its two button-style inner pages: the
// game's settings (animation periods, what the side panel lists, statistics,
// the structure list) and the system's (display and scrolling options), and
// the button that resets them. Every control is copied into Game::Settings
// when it changes, except the two period fields, which the launch reads
// (ApplyAnimPeriods), and the sound's switch and volume, which belong to the
// window's player (ReadSoundSettings); each change is reported to the window,
// which keeps it.
#pragma once

#include <QWidget>

#include "setup/Launch.h"
#include "ui/StoredSettings.h"
#include "view/Viewport.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTabWidget;

namespace tarq {

class PageHost;
class RadioGroup;

class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(PageHost& host, QWidget* parent = nullptr);

    // Shows the game state's settings in the controls.
    void RefreshFromGame();
    // SFPS2 and SFPS3 into the game's animation periods; text that is not a
    // number stops the launch with a message.
    LaunchStep ApplyAnimPeriods();
    // The period fields as numbers; a field that holds none gives the value of `otherwise`.
    AnimPeriodFields ReadAnimPeriodFields(const AnimPeriodFields& otherwise) const;
    void ShowAnimPeriodFields(const AnimPeriodFields& fields);
    // The statistics the zoom writes: visible cells and sprite size.
    void ShowScaleLabels(const ScaleLabels& labels);
    // "Звук" and "Громкость".
    SoundSettings ReadSoundSettings() const;
    void ShowSoundSettings(const SoundSettings& sound);

    void CheckBox3Click();
    void Button17Click();
    void CheckBox10Click();

signals:
    // CheckBox10 switched the map's scroll bars on or off.
    void scrollBarsSwitched();
    // "Сбросить настройки".
    void resetRequested();

private:
    QWidget* BuildGameSettingsPage();
    QWidget* BuildSystemSettingsPage();
    void ConnectSettingsCopies();

    PageHost& host_;

public:
    QTabWidget* PageControl4 = nullptr;
    QLineEdit* SFPS2 = nullptr;
    QLineEdit* SFPS3 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QLabel* Label8 = nullptr;
    QFrame* Panel6 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label22 = nullptr;
    QPushButton* Button17 = nullptr;
    QPushButton* ResetSettings = nullptr;
    QListWidget* ListBox2 = nullptr;
    RadioGroup* RadioGroup1 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    RadioGroup* Winmode = nullptr;
    RadioGroup* RadioGroup2 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox10 = nullptr;
    QCheckBox* CheckBox11 = nullptr;
    QCheckBox* CheckBox12 = nullptr;
    QCheckBox* SoundOn = nullptr;
    QSlider* SoundVolume = nullptr;
};

}  // namespace tarq
