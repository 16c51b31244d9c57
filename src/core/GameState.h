// The one game-state object, composed of its parts by owner and lifetime:
// the match (what the players' orders change), the catalogue (the same in
// every game), the view, the mouse, the user's preferences and the caches.
// Each part is a struct of its own header under core/parts/; a function that
// needs only one part takes that part. Every subsystem reads and writes the
// records directly; operations are free functions taking the game by reference.
#pragma once

#include "core/GameTypes.h"
#include "core/parts/Caches.h"
#include "core/parts/Catalogue.h"
#include "core/parts/InputState.h"
#include "core/parts/Match.h"
#include "core/parts/Preferences.h"
#include "core/parts/ViewState.h"

namespace tarq {

// Owned by the main window; tests create their own. About 19 MB: allocate it
// on the heap (see NewGame()).
struct Game : Match, Catalogue, ViewState, InputState, Preferences, Caches {};

// Widths the game relies on: 8-bit fields wrap, 16-bit fields hold i16 values.
static_assert(sizeof(TSpriteRef) == 8 && sizeof(TMapCell) == 64);
static_assert(sizeof(TSpriteRef::idU) == 1 && sizeof(TSpriteRef::show) == 1);
static_assert(sizeof(TSpriteRef::Spr) == 2 && sizeof(TSpriteRef::id) == 2 && sizeof(TSpriteRef::SprNext) == 2);
static_assert(sizeof(TGameObject::Cargo) == 1 && sizeof(TGameObject::BuildLink) == 1);
static_assert(sizeof(TGameObject::TurnsLeft) == 1 && sizeof(TGameObject::MovesLeft) == 1);
static_assert(sizeof(TGameObject::AnimTicks) == 1 && sizeof(TGameObject::TypeId) == 2);
static_assert(sizeof(TGameObject::SiteObject) == 4);
static_assert(sizeof(TUnitStats::Cost) == 2 && sizeof(TUnitStats::Movement) == 1);
static_assert(sizeof(TWorld::MapWidth) == 2 && sizeof(TWorld::StartGold) == 4);
static_assert(sizeof(TViewSettings::ViewOffsetX) == 2 && sizeof(TPlayer::Credits) == 2);
static_assert(sizeof(TViewSettings::Scale) == 2 && sizeof(Game::CellPixels) == 2);
static_assert(sizeof(Game::LastCreatedObject) == 2 && sizeof(Game::WarnFlashTicks) == 2);
static_assert(sizeof(TPurchase) == 3);
static_assert(kMaxObjects <= 32767, "object numbers must fit in TSpriteRef::id");

}  // namespace tarq
