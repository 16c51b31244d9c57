#include "control/StructureList.h"

#include "core/Catalogue.h"
#include "core/Players.h"
#include "core/Sight.h"
#include "core/World.h"

namespace tarq {

std::string ObjectPlaceText(const Game& game, const TGameObject& object) {
    const int type = object.TypeId;
    const std::string name = type >= 1 && type <= kTypeCount ? game.UnitTypes[type].Name : std::string();
    return name + " " + std::to_string(object.Cells[1].col) + "x" + std::to_string(object.Cells[1].row);
}

// Under the fog, the current player's own structures, the others' they see
// and, where they see none, the others' as they remember them.
std::vector<StructureEntry> ListStructures(const Game& game) {
    std::vector<StructureEntry> entries;
    const u8 me = game.CurrentPlayer;
    const std::vector<TSeenStructure>& seen = SeenStructures(game, me);
    auto remembered = seen.begin();
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.Object(slot);
        while (remembered != seen.end() && remembered->Slot < slot) ++remembered;
        if (SlotInUse(o) && IsStructureType(game, o.TypeId) && SeesObject(game, me, slot)) {
            entries.push_back({slot, ObjectPlaceText(game, o) + " — " + PlayerName(game, o.Owner)});
        } else if (remembered != seen.end() && remembered->Slot == slot && FogCovers(game, me)) {
            TGameObject shape;
            shape.TypeId = remembered->TypeId;
            shape.Cells = remembered->Cells;
            entries.push_back({slot, ObjectPlaceText(game, shape) + " — " + PlayerName(game, remembered->Owner)});
        }
    }
    return entries;
}

}  // namespace tarq
