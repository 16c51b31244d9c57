// Construction orders: a builder starts a site from a build option of the
// command menu, the site is positioned (click mode 1) and confirmed, the end
// of turn counts the builder's turns down, and when it is finished the
// builder is taken out to a free neighbouring cell, chosen by the player in
// click mode 2 or the first one found, which turns the site into the real
// object. Each operation changes the game and says what the window must show;
// the END TURN button is enabled exactly while EndTurnEnabled holds. In a game
// of several players only the current player's builders and sites take
// orders, and no site covers a cell of another player.
#pragma once

#include <string>
#include <vector>

#include "control/CommandMenu.h"
#include "core/GameState.h"

namespace tarq {

// The look of a site under construction.
constexpr u8 kSiteSheet = 3;
constexpr i16 kSitePicture = 37;
constexpr i16 kSiteSpriteEntry = 522;

// What the window must do after an order.
struct ConstructionResult {
    bool acted = false;                 // the game changed: redraw
    bool selectionChanged = false;      // SelectedObject is another object now
    std::vector<std::string> messages;  // for the player, in order
};

inline bool EndTurnEnabled(const Game& game) { return game.ClickMode == kClickNormal; }

// A build option: what to build, in how many turns, with how much material.
struct BuildOrder {
    int type = 0;      // a catalogue type
    int turns = 0;     // at least 1
    int material = 0;  // 0..255
};

// Builder `builder` starts building: its site is created provisional on the
// first of the four blocks around it that takes it and holds no object of the
// same type. A one-cell site is fixed at once; a four-cell one waits in click
// mode 1 with the builder off the map. Refused with a message when there is
// no room, when the builder is already at work, or when its number does not
// fit the site's 8-bit link; ignored when the command menu would not offer the
// order (not a builder, a type of another builder class, a cost or material
// above the builder's cargo, no type or no turn at all).
ConstructionResult StartConstruction(Game& game, int builder, const BuildOrder& order);
// Whether the command menu offers `order` to `builder` (its class builds the
// type, its cargo covers the cost and the material); the reason when not.
std::string BuildOrderRefusal(const Game& game, int builder, const BuildOrder& order);

// Click mode 1, left click anywhere: the site takes its construction look (a
// still picture in layer 2 only) and the builder is back on its own footprint.
ConstructionResult ConfirmSite(Game& game);
// Click mode 1, right press: the site is removed and the builder, back on its
// footprint and without order, becomes the selection.
ConstructionResult CancelSite(Game& game);

// A finished site (value = site) or (value = -site): the builder leaves it for
// the first acceptable neighbouring cell (negative value) or the player picks
// one in click mode 2 among the markers put on every acceptable cell. When
// the finished object would not fit on the site's cells (a unit stands on a
// road site, say), nothing but the markers changes and a message says why.
ConstructionResult TakeOutBuilder(Game& game, int value);
// Click mode 2, left click on (col, row): when it is an accepted exit cell the
// builder goes there and the site becomes the finished object (or, when that
// would not fit, the choice ends with a message and the site stays finished);
// any other cell does nothing.
ConstructionResult ChooseExitCell(Game& game, int col, int row);
// Click mode 2, right press: the markers go, the site stays finished.
ConstructionResult CancelExitChoice(Game& game);

// "Отменить" of a builder at work: its site (and the site's ready marker) is
// removed and the builder keeps its place without order. The material already
// spent is not returned.
ConstructionResult CancelConstruction(Game& game, int builder);

// The innermost "Уничтожить строение": SelectedObject is released, with no
// refund. Refused (false, nothing changes) for another player's object.
bool DestroyStructure(Game& game);
// The same for `object`.
bool DestroyStructure(Game& game, int object);

}  // namespace tarq
