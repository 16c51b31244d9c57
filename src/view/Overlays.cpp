#include "view/Overlays.h"

#include "core/Factory.h"

namespace tarq {

void ApplyGeologyOverlay(Game& game) {
    const u8 show = game.ViewSettings.ShowGeology;
    for (int c = 1; c <= game.World.MapWidth; ++c)
        for (int r = 1; r <= game.World.MapHeight; ++r)
            if (game.World.Passability(c, r) != kPassBlocked) game.Map(c, r).Layers[kLayerGeology].show = show;
}

// Only the cells that get a connector picture: the outermost rows and columns
// have none, and showing theirs would show whatever picture the layer holds.
void ApplyConnectorsOverlay(Game& game) {
    const u8 show = game.ViewSettings.ShowConnectors;
    for (int c = 1; c <= game.World.MapWidth; ++c)
        for (int r = 1; r <= game.World.MapHeight; ++r)
            if (game.World.Connectors(c, r).Present != 0 && HasConnectorPicture(game, c, r))
                game.Map(c, r).Layers[kLayerConnectors].show = show;
}

u8 ToggleGeology(Game& game) {
    game.ViewSettings.ShowGeology ^= 1;
    ApplyGeologyOverlay(game);
    return game.ViewSettings.ShowGeology;
}

u8 ToggleGrid(Game& game) {
    game.ViewSettings.ShowGrid = game.ViewSettings.ShowGrid == 0 ? 1 : 0;
    return game.ViewSettings.ShowGrid;
}

u8 ToggleConnectors(Game& game) {
    game.ViewSettings.ShowConnectors ^= 1;
    ApplyConnectorsOverlay(game);
    return game.ViewSettings.ShowConnectors;
}

u8 ToggleOverlay(Game& game, MapOverlay overlay) {
    u8& on = game.ViewSettings.Overlays.On[static_cast<std::size_t>(overlay)];
    on = on == 0 ? 1 : 0;
    return on;
}

bool CountDownWarning(Game& game) {
    if (game.WarnFlashTicks > 0) --game.WarnFlashTicks;
    if (game.WarnFlashTicks != 0) return false;
    game.WarnFlashTicks = -1;
    return true;
}

int NextMapCursor(int current, bool moveArmed) {
    if (moveArmed) return current < 10 ? 10 : 9;
    // All eight frames of the pointer in turn: 1, 2, ..., 8, 1, ...
    return current < 8 ? current + 1 : 1;
}

}  // namespace tarq
