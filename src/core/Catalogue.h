// The fixed catalogue of unit and structure types and the sprite table of
// every picture objects can show.
#pragma once

#include "core/GameState.h"

namespace tarq {

// Fills SpriteTable entries 1..522 with their pictures and animation rings.
void FillSpriteTable(Game& game);

// Resets all 68 catalogue records, then fills types 1..67.
void FillCatalogue(Game& game);

// The catalogue's own Purchasable flag of `type` (before any restriction); 0
// for a type outside 1..67.
u8 CataloguePurchasable(int type);

// Builder class of a builder type (which BuiltBy value it builds); 0 for others.
int BuilderClassOf(int type);

// Whether objects of `type` are structures: plain structures (group 0), roads
// and water platforms (2), connectors and bridges (3), and of group 5 (alien
// craft, the shipyard and the dock) the ones that never move. False for a
// type outside 1..68.
bool IsStructureType(const Game& game, int type);

}  // namespace tarq
