// Which picture goes into which pattern, derived from the engine's own tables
// (sprite table and per-type setup) so every picture sits where the game looks.
#pragma once

#include <string>
#include <vector>

#include "core/GameState.h"

namespace sheetgen {

enum class Art {
    UnitWhole,         // a unit seen from above, in one of eight facings
    UnitHull,          // the lower part of a two-part unit (tank hull, scanner body)
    UnitTop,           // its upper part: turret or rotating top
    Turret,            // a gun structure's turret
    Building,          // one quadrant of a 2 x 2 structure
    SmallStructure,    // a one-cell structure (part 1: its under-picture)
    ConstructionSite,  // the site of a structure being built
};

struct PictureJob {
    int item = 0;  // image-list item (TSpriteRef::idU)
    int spr = 0;   // pattern number in it
    int type = 0;  // unit type 1..67, 0 for the construction site
    Art art = Art::UnitWhole;
    int index = 0;    // facing 1..8, or animation frame 0..frames-1
    int frames = 1;   // frames of the animation ring
    int part = 0;     // quadrant 0..3 of a 2 x 2 picture, or 1 for an under-picture
    int variant = 0;  // 0: the type's own picture; 1, 2...: further blocks drawn as variants
    int entry = 0;    // the sprite-table entry it serves
};

// The image-list item of the gun turrets: an entry there starts eight facings.
constexpr int kTurretItem = 13;
// The construction-site picture shown for a structure being built.
constexpr int kConstructionSiteEntry = 522;

struct Plan {
    std::vector<PictureJob> jobs;
    std::vector<int> unplaced;  // sprite-table entries no rule explained (should stay empty)
};

// Whether the type is a unit drawn in eight facings (a large structure may
// also list its cell pictures as Sprites; those are not facings).
bool HasFacings(int type);

// Plans every picture of sprite-table entries 1..kFilledSprites.
Plan PlanPictures(const tarq::Game& game);

// The entries of the animation ring that starts at `entry`, in order.
std::vector<int> Ring(const tarq::Game& game, int entry);

}  // namespace sheetgen
