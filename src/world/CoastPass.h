// The coast pass: every plain-land cell is compared with the shoreline
// patterns of the ten coast checks and gets the coast tile of the pattern it
// matches. The patterns are compiled once into lookup tables indexed by the
// land/water bits of each check's window.
#pragma once

#include <cstdint>
#include <vector>

#include "core/GameState.h"
#include "world/TerrainTables.h"

namespace tarq {

// Land/water picture of the 5 x 5 cells around a checked cell, column by
// column as the grid is stored: bit NeighbourBit(dc, dr) is set when the cell
// at offset (dc, dr) is land.
using Neighbourhood = std::uint32_t;
constexpr Neighbourhood kAllLand = (1u << 25) - 1u;
constexpr int NeighbourBit(int dc, int dr) { return (dr + 2) + 5 * (dc + 2); }

class CoastMatcher {
public:
    // The tables compiled from CoastRules().
    static const CoastMatcher& Get();

    explicit CoastMatcher(const std::vector<CoastRule>& rules);

    // The rule of `check` (1..10) whose pattern equals the check's window in
    // `around`, or nullptr when no pattern matches.
    const CoastRule* Match(int check, Neighbourhood around) const;

    // True when no check has a pattern without water, so a cell with land all
    // around can be passed over.
    bool AllLandMatchesNothing() const { return allLandMatchesNothing_; }

    // Window bits of a pattern written as rows joined by '/', or -1 when the
    // text does not fit the check's window. Window cell (column i, row j),
    // counted from the window's top-left corner, is bit i * rows + j.
    static int PatternBits(int check, const std::string& pattern);
    // The window bits of `check` cut out of a neighbourhood.
    static int WindowBits(int check, Neighbourhood around);

private:
    const std::vector<CoastRule>* rules_;
    // Per check: rule index + 1 for every value of the window bits, 0 for none.
    std::vector<std::uint8_t> tables_[kCoastChecks + 1];
    bool allLandMatchesNothing_ = true;
};

// Land/water bits around (col, row); cells outside the map read as land.
Neighbourhood ReadNeighbourhood(const Game& game, int col, int row);

// Runs one check on the cell (col, row) against `around`, the cell's current
// neighbourhood, and writes the result of the matching pattern. Returns the
// rule written, or nullptr when nothing matched.
const CoastRule* ApplyCoastCheck(Game& game, int check, int col, int row, Neighbourhood around);

// Runs the coast checks over columns 2..MapWidth, rows 2..MapHeight in that
// order. Later checks overwrite earlier ones and later cells see the codes
// written for earlier ones; writes that would fall outside the map are dropped.
void RunCoastPass(Game& game);

}  // namespace tarq
