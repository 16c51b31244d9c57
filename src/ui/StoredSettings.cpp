#include "ui/StoredSettings.h"

#include <QSettings>
#include <algorithm>
#include <limits>

#include "setup/Launch.h"
#include "setup/Shop.h"
#include "world/MapParameters.h"

namespace tarq {

namespace {

// The user's file; tests and benchmarks point QSettings' user scope elsewhere.
QSettings OpenFile() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "tarq", "tarq"); }

constexpr auto kSettingsGroup = "settings";
constexpr auto kChoicesGroup = "newgame";

// The keys of the settings page's switches and of the random-map page, with
// the values each may take.
struct SettingKey {
    const char* key;
    u8 TSettings::*field;
    int max;
};
constexpr SettingKey kSettingKeys[] = {
    {"HighResGeology", &TSettings::HighResGeology, 1},
    {"FullScreen", &TSettings::FullScreen, 1},
    {"FullScreenMode", &TSettings::FullScreenMode, 2},
    {"MaximizeAtLaunch", &TSettings::MaximizeAtLaunch, 1},
    {"FramelessMaximized", &TSettings::FramelessMaximized, 1},
    {"PauseWhenInactive", &TSettings::PauseWhenInactive, 1},
    {"WaitForRetrace", &TSettings::WaitForRetrace, 1},
    {"ScrollBars", &TSettings::ScrollBars, 1},
    {"RightButtonScroll", &TSettings::RightButtonScroll, 1},
    {"ReverseRightScroll", &TSettings::ReverseRightScroll, 1},
};
struct MapKey {
    const char* key;
    int MapControls::*field;
    ControlRange range;
};
constexpr MapKey kMapKeys[] = {
    {"MapSize", &MapControls::mapSizeItem, {0, static_cast<int>(kMapSizes.size()) - 1}},
    {"MapModel", &MapControls::model, {0, 1}},
    {"Islands", &MapControls::ismass, kIsmassRange},
    {"IslandSize", &MapControls::landMass, kLandMassRange},
    {"Strips", &MapControls::stripCount, kStripCountRange},
    {"StripLength", &MapControls::stripLength, kStripLengthRange},
    {"StripWidth", &MapControls::stripWidth, kStripWidthRange},
    {"Mountains", &MapControls::mountains, kMountainsRange},
    {"Stones", &MapControls::stones, kStonesRange},
    {"Deposits", &MapControls::deposits, kDepositsRange},
};
constexpr int kI16Min = std::numeric_limits<i16>::min();
constexpr int kI16Max = std::numeric_limits<i16>::max();

// A value that is missing, not a whole number or outside [min, max] leaves
// `target` as it was.
template <typename T>
void ReadValue(const QSettings& file, const char* key, T& target, int min, int max) {
    bool ok = false;
    const int value = file.value(QLatin1String(key)).toString().trimmed().toInt(&ok);
    if (ok && value >= min && value <= max) target = static_cast<T>(value);
}

void WriteValue(QSettings& file, const char* key, int value) { file.setValue(QLatin1String(key), value); }

// The twelve check marks of the information list as a string of 0 and 1.
QString FlagsText(const std::array<u8, kInfoItems>& flags) {
    QString text;
    for (u8 f : flags) text += f != 0 ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

void ReadFlags(const QString& text, std::array<u8, kInfoItems>& flags) {
    if (text.size() != kInfoItems) return;
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'0' || c == u'1'; })) return;
    for (int i = 0; i < kInfoItems; ++i) flags[static_cast<std::size_t>(i)] = text[i] == u'1' ? 1 : 0;
}

// Runs `read` on one group of the file; a damaged or unreadable file is not read at all.
template <typename Read>
void ReadGroup(const char* group, Read read) {
    QSettings file = OpenFile();
    if (file.status() != QSettings::NoError) return;
    file.beginGroup(QLatin1String(group));
    read(file);
}

// Writes one group whole. A damaged file is emptied first, so nothing
// half-read from it survives.
template <typename Write>
void WriteGroup(const char* group, Write write) {
    QSettings file = OpenFile();
    if (file.status() != QSettings::NoError) file.clear();
    file.beginGroup(QLatin1String(group));
    file.remove(QString());
    write(file);
}

}  // namespace

StoredSettings ReadStoredSettings() {
    StoredSettings kept;
    ReadGroup(kSettingsGroup, [&kept](const QSettings& file) {
        ReadFlags(file.value(QStringLiteral("InfoShown")).toString(), kept.settings.InfoShown);
        for (const SettingKey& k : kSettingKeys) ReadValue(file, k.key, kept.settings.*k.field, 0, k.max);
        ReadValue(file, "SlowAnimPeriod", kept.periods.slow, kI16Min, kI16Max);
        ReadValue(file, "TwoFrameAnimPeriod", kept.periods.twoFrame, kI16Min, kI16Max);
        ReadValue(file, "Sound", kept.sound.on, 0, 1);
        ReadValue(file, "Volume", kept.sound.volume, 0, 100);
    });
    return kept;
}

StoredChoices ReadStoredChoices() {
    StoredChoices kept;
    ReadGroup(kChoicesGroup, [&kept](const QSettings& file) {
        for (const MapKey& k : kMapKeys) ReadValue(file, k.key, kept.map.*k.field, k.range.min, k.range.max);
        ReadValue(file, "Clan", kept.clan, 0, kClanCount - 1);
        int gold = -1;
        ReadValue(file, "StartGold", gold, 0, kStartGoldChoices.back());
        if (std::find(kStartGoldChoices.begin(), kStartGoldChoices.end(), gold) != kStartGoldChoices.end())
            kept.startGold = gold;
        ReadValue(file, "NoStructures", kept.restrictions.NoStructures, 0, 1);
        ReadValue(file, "NoAlienUnits", kept.restrictions.NoAlienUnits, 0, 1);
    });
    return kept;
}

void WriteStoredSettings(const StoredSettings& kept) {
    WriteGroup(kSettingsGroup, [&kept](QSettings& file) {
        file.setValue(QStringLiteral("InfoShown"), FlagsText(kept.settings.InfoShown));
        for (const SettingKey& k : kSettingKeys) WriteValue(file, k.key, kept.settings.*k.field);
        WriteValue(file, "SlowAnimPeriod", kept.periods.slow);
        WriteValue(file, "TwoFrameAnimPeriod", kept.periods.twoFrame);
        WriteValue(file, "Sound", kept.sound.on ? 1 : 0);
        WriteValue(file, "Volume", kept.sound.volume);
    });
}

void WriteStoredChoices(const StoredChoices& kept) {
    WriteGroup(kChoicesGroup, [&kept](QSettings& file) {
        for (const MapKey& k : kMapKeys) WriteValue(file, k.key, kept.map.*k.field);
        WriteValue(file, "Clan", kept.clan);
        WriteValue(file, "StartGold", kept.startGold);
        WriteValue(file, "NoStructures", kept.restrictions.NoStructures);
        WriteValue(file, "NoAlienUnits", kept.restrictions.NoAlienUnits);
    });
}

}  // namespace tarq
