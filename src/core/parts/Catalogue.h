// The catalogue: the sprite table of every picture objects can show, the
// unit and structure types and their characteristics, and the blank object.
// Filled by InitData (core/Catalogue.h) and the same in every game; never
// saved. What a player may buy is their entry's (TPlayer::Purchasable); the
// types' own Purchasable flags stay the catalogue's.
#pragma once

#include "core/GameTypes.h"

namespace tarq {

struct Catalogue {
    std::array<TSpriteRef, kSpriteTableSize> SpriteTable{};  // 0..1000
    Array1<TUnitType, kTypeCount> UnitTypes;
    Array1<TUnitStats, kTypeCount> UnitStats;
    TGameObject ObjectTemplate;  // what every free slot holds
};

}  // namespace tarq
