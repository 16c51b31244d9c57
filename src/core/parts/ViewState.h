// The view: what the player on the screen looks at and has selected. One
// view is on the screen; when the turn passes the leaving player's place and
// zoom are kept in PlayerViews and the next player's put on the screen. A
// game file carries it, but it is no part of the match: looking around never
// changes the state hash.
#pragma once

#include "core/GameTypes.h"

namespace tarq {

// The overlays the renderer draws over the map's layers, each behind a switch
// of the side panel; all off at launch.
enum class MapOverlay : int {
    Hits,       // "Хиты": a bar of the hits left under each unit and structure
    Scan,       // "Обзоры": the outline of the cells own units scan
    Status,     // "Статус": a mark of what each own unit can still do
    Ammo,       // "Боезапас": a bar of the ammunition left
    Highlight,  // "Подсветка": own units with moves left and no order outlined
    Range,      // "Радиус": the outline of the selected object's range
    Names,      // "Имена": the type's name under each object, at readable sizes
};
constexpr int kMapOverlays = 7;

struct TMapOverlays {
    std::array<u8, kMapOverlays> On{};  // 1 while the overlay is shown

    bool operator[](MapOverlay o) const { return On[static_cast<std::size_t>(o)] != 0; }
    bool Any() const {
        for (u8 on : On)
            if (on != 0) return true;
        return false;
    }
    bool operator==(const TMapOverlays&) const = default;
};

// What the screen shows of the map: position, zoom and the switches of the
// side panel.
struct TViewSettings {
    i16 ViewCenterCol = 0;
    i16 ViewCenterRow = 0;
    i16 ViewOffsetX = 0;
    i16 ViewOffsetY = 0;
    i32 ScreenCenterX = 0;
    i32 ScreenCenterY = 0;
    i16 FirstCol = 0;
    i16 FirstRow = 0;
    u16 Scale = 0;
    u8 ShowGeology = 0;
    u8 ShowGrid = 0;
    u8 ShowConnectors = 0;
    TMapOverlays Overlays;
    bool operator==(const TViewSettings&) const = default;
};

// Where a player last looked, kept while the others play.
struct TPlayerView {
    i16 FirstCol = 0;
    i16 FirstRow = 0;
    i16 ViewCenterCol = 0;
    i16 ViewCenterRow = 0;
    u16 Scale = 0;  // 0 until they have looked at the map
    bool operator==(const TPlayerView&) const = default;
};

struct ViewState {
    TViewSettings ViewSettings;
    // The geometry the zoom gives on the drawing surface: the cells that fit
    // it and the size of one cell in pixels.
    i16 VisibleCols = 0;
    i16 VisibleRows = 0;
    u16 CellPixels = 0;
    // The drawing surface in device pixels, for orders that move the view.
    i32 SurfaceWidth = 0;
    i32 SurfaceHeight = 0;

    i32 SelectedObject = 0;
    u8 MoveArmed = 0;  // the next click on the map moves the selected unit
    // The next click on the map plans a path for the selected unit; a
    // planned path waits on the map for a second click on its target.
    u8 PathArmed = 0;
    i16 PathPreviewUnit = 0;  // 0: no path shown
    i16 PathPreviewCol = 0;
    i16 PathPreviewRow = 0;
    u8 AttackArmed = 0;      // the next click on the map fires the selected object
    u8 BasePromptShown = 0;  // the prompt for the base was shown this turn
    // The selected object's blink: its brightness and the step it changes by.
    i32 PulseAlpha = 0;
    i32 PulseStep = 0;

    Array1<TPlayerView, kMaxPlayers> PlayerViews;
};

}  // namespace tarq
