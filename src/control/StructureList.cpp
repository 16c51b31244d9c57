#include "control/StructureList.h"

#include "core/Catalogue.h"
#include "core/Players.h"
#include "core/World.h"

namespace tarq {

std::string ObjectPlaceText(const Game& game, const TGameObject& object) {
    const int type = object.TypeId;
    const std::string name = type >= 1 && type <= kTypeCount ? game.UnitTypes[type].Name : std::string();
    return name + " " + std::to_string(object.Cells[1].col) + "x" + std::to_string(object.Cells[1].row);
}

std::vector<StructureEntry> ListStructures(const Game& game) {
    std::vector<StructureEntry> entries;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.Object(slot);
        if (SlotInUse(o) && IsStructureType(game, o.TypeId))
            entries.push_back({slot, ObjectPlaceText(game, o) + " — " + PlayerName(game, o.Owner)});
    }
    return entries;
}

}  // namespace tarq
