// Running logged orders again: from the state a stretch of the log started
// from, the same orders must be accepted one by one and reach the same state.
// Replays, undo and checked turn files stand on this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/CommandLog.h"
#include "core/GameState.h"

namespace tarq {

struct ReplayResult {
    bool ok = true;
    std::size_t failedAt = 0;  // the entry that was refused or given in another turn
    std::uint64_t hash = 0;    // StateHash after the last order run
};

// Executes entries[from, to) against `game` in order. Stops at the first
// entry that is refused or whose turn is not the game's turn at that point.
ReplayResult Replay(Game& game, const std::vector<LoggedOrder>& entries, std::size_t from, std::size_t to);

}  // namespace tarq
