// What the game must hold for every file it accepts: played on for a while,
// it stays sound and saves into a file it accepts again. The game-file
// tests and the fuzz target of the reader play their accepted files so.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Player.h"

namespace tarq::autogame {

// `player` opens `game` (read from a file), draws its first frames, plays up
// to `actions` actions from `seed` and ends the turn; after each the
// invariants must hold and a file saved then must pass the reader's checks.
// The game is then saved and must read back, and save again to the same
// bytes. Play stops early when the
// turn passes to a player who has not joined yet: their pages are not the
// map's. Returns what went wrong, with the action that did it; empty when
// nothing did.
std::string PlayLoadedGame(Player& player, std::unique_ptr<Game> game, std::uint64_t seed, int actions);

}  // namespace tarq::autogame
