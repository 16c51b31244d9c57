// The user's preferences: the settings page and the choices for the next new
// game, kept between runs in the user's settings file (ui/StoredSettings.h).
// They belong to whoever runs the program, not to a game: a game file never
// carries them, and a loaded game takes the loading user's.
#pragma once

#include "core/GameTypes.h"

namespace tarq {

// Characteristics the side panel can list for a selected object.
constexpr int kInfoItems = 12;

// The settings page as the game keeps it: the window copies each control in
// when it changes and shows the values back from here. The two animation
// periods of the page are SlowAnimPeriod and TwoFrameAnimPeriod, copied in at
// the launch, where their text is checked. The defaults are the page's.
struct TSettings {
    // CheckListBox1: which characteristics the side panel lists.
    std::array<u8, kInfoItems> InfoShown{0, 0, 0, 1, 1, 0, 1, 0, 1, 0, 1, 1};
    u8 HighResGeology = 0;      // CheckBox3
    u8 FullScreen = 0;          // Winmode: 0 in a window, 1 full screen
    u8 FullScreenMode = 2;      // RadioGroup2: 640 x 480, 800 x 600, 1024 x 768
    u8 MaximizeAtLaunch = 0;    // CheckBox5
    u8 FramelessMaximized = 0;  // CheckBox4
    u8 PauseWhenInactive = 1;   // CheckBox6
    u8 WaitForRetrace = 0;      // CheckBox7
    u8 ScrollBars = 1;          // CheckBox10: scroll the map with the window's scroll bars
    u8 RightButtonScroll = 1;   // CheckBox11: drag the map with the right button
    u8 ReverseRightScroll = 0;  // CheckBox12: the drag moves the screen, not the map
    bool operator==(const TSettings&) const = default;
};

// The random-map page of the new game: the positions of its controls, with
// the defaults the page opens with. The window copies each control in when it
// changes; the generator reads them from here (world/MapParameters.h).
struct MapControls {
    int mapSizeItem = 1;   // MapSize item: 0 "50Х50" .. 5 "400Х400"
    int model = 1;         // PageControl5 page: 0 islands, 1 strips
    int ismass = 400;      // island count
    int landMass = 10;     // island size
    int stripCount = 15;   // Estripcount
    int stripLength = 20;  // EstripL
    int stripWidth = 10;   // EstripW
    int mountains = 40;    // large obstacle density
    int stones = 80;       // small obstacle density
    int deposits = 100;    // Emaxmstrj
    bool operator==(const MapControls&) const = default;
};

struct Preferences {
    TSettings Settings;
    MapControls MapChoices;
    // The purchase restrictions the new-game page offers the next new game;
    // the restrictions a player of a game has are their entry's.
    TNewGameChoices NewGameChoices;
    // The animation periods of the settings page, taken at the launch.
    i16 SlowAnimPeriod = 0;
    i16 TwoFrameAnimPeriod = 0;
};

}  // namespace tarq
