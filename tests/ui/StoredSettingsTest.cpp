// Settings that stay: changes made in the controls are read back by the next
// window, "Сбросить настройки" brings the defaults back, and a damaged file or
// value is never taken. Every window here keeps its settings in the test's own
// folder (WindowTest points QSettings there).
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include "WindowFixture.h"
#include "ui/Widgets.h"

namespace tarq::testing {
namespace {

struct Change {
    const char* name;
    void (*make)(TMainForm&);
    bool (*shown)(TMainForm&);  // the control and the game state both hold the change
};

StartConditionsPage& Start(TMainForm& f) { return *f.newGamePage()->startConditions(); }
RestrictionsPage& Limits(TMainForm& f) { return *f.newGamePage()->restrictions(); }

const Change kChanges[] = {
    {"scroll bars off", [](TMainForm& f) { f.settingsPage()->CheckBox10->click(); },
     [](TMainForm& f) { return !f.settingsPage()->CheckBox10->isChecked() && f.game().Settings.ScrollBars == 0; }},
    {"no pause when inactive", [](TMainForm& f) { f.settingsPage()->CheckBox6->click(); },
     [](TMainForm& f) {
         return !f.settingsPage()->CheckBox6->isChecked() && f.game().Settings.PauseWhenInactive == 0;
     }},
    {"first information item",
     [](TMainForm& f) { f.settingsPage()->CheckListBox1->item(0)->setCheckState(Qt::Checked); },
     [](TMainForm& f) {
         return f.settingsPage()->CheckListBox1->item(0)->checkState() == Qt::Checked &&
                f.game().Settings.InfoShown[0] == 1;
     }},
    {"slow period",
     [](TMainForm& f) {
         f.settingsPage()->SFPS2->clear();
         QTest::keyClicks(f.settingsPage()->SFPS2, "7");
     },
     [](TMainForm& f) { return f.settingsPage()->SFPS2->text() == "7"; }},
    {"sound off", [](TMainForm& f) { f.settingsPage()->SoundOn->click(); },
     [](TMainForm& f) { return !f.settingsPage()->SoundOn->isChecked(); }},
    {"volume", [](TMainForm& f) { f.settingsPage()->SoundVolume->setValue(35); },
     [](TMainForm& f) { return f.settingsPage()->SoundVolume->value() == 35; }},
    {"map size", [](TMainForm& f) { Start(f).MapSize->setItemIndex(3); },
     [](TMainForm& f) { return Start(f).MapSize->itemIndex() == 3 && f.game().MapChoices.mapSizeItem == 3; }},
    {"island model", [](TMainForm& f) { Start(f).PageControl5->setCurrentIndex(0); },
     [](TMainForm& f) { return Start(f).PageControl5->currentIndex() == 0 && f.game().MapChoices.model == 0; }},
    {"mountains", [](TMainForm& f) { Start(f).Mountains->setValue(150); },
     [](TMainForm& f) { return Start(f).Mountains->value() == 150 && f.game().MapChoices.mountains == 150; }},
    {"clan", [](TMainForm& f) { Start(f).ComboBox1->setCurrentIndex(2); },
     [](TMainForm& f) {
         return Start(f).ComboBox1->currentIndex() == 2 && CurrentPlayerEntry(f.game()).PlayerClan == 2;
     }},
    {"start gold",
     [](TMainForm& f) {
         Limits(f).Sstartmoney->setItemIndex(8);
         Limits(f).SstartmoneyClick();
     },
     [](TMainForm& f) {
         return Limits(f).Sstartmoney->itemIndex() == 8 && f.game().World.StartGold == 500 &&
                CurrentPlayerEntry(f.game()).Credits == 500;
     }},
    {"no structures", [](TMainForm& f) { Limits(f).StrToBuy->click(); },
     [](TMainForm& f) {
         return Limits(f).StrToBuy->isChecked() && f.game().NewGameChoices.NoStructures == 1 &&
                CurrentPlayerEntry(f.game()).Purchasable[40] == 0;
     }},
};

class StoredSettingsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteStandardPictures();
        WriteBitmap("graph/02.bmp", Bitmap(78, 78, 0xFF996633u));
        OpenWindow();
    }
    void Reopen() {
        form.reset();
        OpenWindow();
    }
    void WriteFile(const QByteArray& text) {
        std::filesystem::create_directories(SettingsFolder() / "tarq");
        QFile file(QString::fromStdString((SettingsFolder() / "tarq" / "tarq.ini").string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void ExpectDefaults() {
        const Game& g = form->game();
        EXPECT_EQ(g.Settings, TSettings{});
        EXPECT_EQ(g.MapChoices, MapControls{});
        EXPECT_EQ(g.NewGameChoices, TNewGameChoices{});
        EXPECT_EQ(CurrentPlayerEntry(g).PlayerClan, 0);
        EXPECT_EQ(g.World.StartGold, 0);
        EXPECT_EQ(form->settingsPage()->SFPS2->text(), "10");
        for (const Change& c : kChanges) EXPECT_FALSE(c.shown(*form)) << c.name;
    }
};

TEST_F(StoredSettingsTest, ChangesAreReadBackByTheNextWindow) {
    for (const Change& c : kChanges) c.make(*form);
    for (const Change& c : kChanges) EXPECT_TRUE(c.shown(*form)) << c.name;
    Reopen();
    for (const Change& c : kChanges) EXPECT_TRUE(c.shown(*form)) << c.name;
    EXPECT_EQ(form->game().SlowAnimPeriod, 7);
}

TEST_F(StoredSettingsTest, ResetBringsTheDefaultsBackNowAndForTheNextWindow) {
    for (const Change& c : kChanges) c.make(*form);
    form->settingsPage()->ResetSettings->click();
    ExpectDefaults();
    Reopen();
    ExpectDefaults();
}

TEST_F(StoredSettingsTest, ADamagedFileOrValueIsNeverTaken) {
    WriteFile("\xff\xfegarbage\n[settings]\nScrollBars=0\n[[[\n");
    Reopen();
    ExpectDefaults();
    // The next change writes a clean file.
    form->settingsPage()->CheckBox6->click();
    Reopen();
    EXPECT_EQ(form->game().Settings.PauseWhenInactive, 0);
    EXPECT_EQ(form->game().Settings.ScrollBars, 1);

    // Unusable values keep their defaults; good ones beside them are taken.
    WriteFile(
        "[settings]\nScrollBars=abc\nPauseWhenInactive=7\nReverseRightScroll=1\nInfoShown=01\n"
        "SlowAnimPeriod=99999\nSound=2\nVolume=101\n[newgame]\nStartGold=123\nClan=9\nMapSize=2\nMountains=999\n");
    Reopen();
    const Game& g = form->game();
    EXPECT_EQ(g.Settings.ScrollBars, 1);
    EXPECT_EQ(g.Settings.PauseWhenInactive, 1);
    EXPECT_EQ(g.Settings.ReverseRightScroll, 1);
    EXPECT_EQ(g.Settings.InfoShown, TSettings{}.InfoShown);
    EXPECT_EQ(form->settingsPage()->SFPS2->text(), "10");
    EXPECT_EQ(form->settingsPage()->ReadSoundSettings(), SoundSettings{});
    EXPECT_EQ(g.World.StartGold, 0);
    EXPECT_EQ(CurrentPlayerEntry(g).PlayerClan, 0);
    EXPECT_EQ(g.MapChoices.mapSizeItem, 2);
    EXPECT_EQ(g.MapChoices.mountains, MapControls{}.mountains);
}

}  // namespace
}  // namespace tarq::testing
