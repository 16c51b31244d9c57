#include "world/CoastPass.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace tarq {
namespace {

static_assert(std::endian::native == std::endian::little, "the neighbourhood read assumes little-endian words");

// Bits 0..4: which of the five cells from `cell` down a column are land
// (anything but water). The eight bytes read stay inside the grid storage
// as long as the column is not the last one of the storage.
Neighbourhood ColumnLandBits(const u8* cell) {
    std::uint64_t bytes;
    std::memcpy(&bytes, cell, sizeof bytes);
    const std::uint64_t notWater = bytes ^ 0x0101010101ull;  // zero bytes are water
    const std::uint64_t low7 = 0x7F7F7F7F7Full;
    const std::uint64_t nonZero = (((notWater & low7) + low7) | notWater) & 0x8080808080ull;
    // Gathers the high bit of byte i into bit 56 + i.
    return static_cast<Neighbourhood>(((nonZero >> 7) * 0x0102040810204080ull) >> 56);
}

bool IsLand(const Game& game, int col, int row) {
    return !game.InMap(col, row) || game.World.Terrain(col, row) != kTerrainWater;
}

// Writes a check's result; cells outside the map are left alone.
void ApplyRule(Game& game, const CoastRule& rule, int col, int row) {
    for (const CoastWrite& w : rule.writes)
        if (game.InMap(col + w.dc, row + w.dr)) game.World.Terrain(col + w.dc, row + w.dr) = w.code;
}

bool WritesOnlyCentre(const CoastRule& rule) {
    for (const CoastWrite& w : rule.writes)
        if (w.dc != 0 || w.dr != 0) return false;
    return true;
}

}  // namespace

int CoastMatcher::PatternBits(int check, const std::string& pattern) {
    const CoastWindow& win = kCoastWindows[static_cast<std::size_t>(check)];
    int bits = 0, row = 0, col = 0;
    for (char ch : pattern) {
        if (ch == '/') {
            if (col != win.cols()) return -1;
            ++row;
            col = 0;
            continue;
        }
        if (row >= win.rows() || col >= win.cols()) return -1;
        const bool centre = win.colLo + col == 0 && win.rowLo + row == 0;
        if (centre != (ch == 'C')) return -1;
        if (ch == '#' || ch == 'C')
            bits |= 1 << (col * win.rows() + row);
        else if (ch != '.')
            return -1;
        ++col;
    }
    return row == win.rows() - 1 && col == win.cols() ? bits : -1;
}

int CoastMatcher::WindowBits(int check, Neighbourhood around) {
    const CoastWindow& win = kCoastWindows[static_cast<std::size_t>(check)];
    const Neighbourhood columnMask = (1u << win.rows()) - 1u;
    int bits = 0;
    for (int c = 0; c < win.cols(); ++c)
        bits |= static_cast<int>((around >> NeighbourBit(win.colLo + c, win.rowLo)) & columnMask) << (c * win.rows());
    return bits;
}

CoastMatcher::CoastMatcher(const std::vector<CoastRule>& rules) : rules_(&rules) {
    for (int check = 1; check <= kCoastChecks; ++check) {
        const CoastWindow& win = kCoastWindows[static_cast<std::size_t>(check)];
        tables_[check].assign(std::size_t{1} << (win.cols() * win.rows()), 0);
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const CoastRule& rule = rules[i];
        if (rule.check < 1 || rule.check > kCoastChecks) throw std::logic_error("coast rule with a bad check");
        for (const std::string& pattern : rule.patterns) {
            const int bits = PatternBits(rule.check, pattern);
            if (bits < 0) throw std::logic_error("coast pattern does not fit its window: " + pattern);
            // A window equals at most one pattern; the first one listed keeps it.
            std::uint8_t& slot = tables_[rule.check][static_cast<std::size_t>(bits)];
            if (slot == 0) slot = static_cast<std::uint8_t>(i + 1);
        }
    }
    for (int check = 1; check <= kCoastChecks; ++check)
        if (tables_[check].back() != 0) allLandMatchesNothing_ = false;
}

const CoastMatcher& CoastMatcher::Get() {
    static const CoastMatcher matcher(CoastRules());
    return matcher;
}

const CoastRule* CoastMatcher::Match(int check, Neighbourhood around) const {
    const std::uint8_t entry = tables_[check][static_cast<std::size_t>(WindowBits(check, around))];
    return entry == 0 ? nullptr : &(*rules_)[entry - 1u];
}

Neighbourhood ReadNeighbourhood(const Game& game, int col, int row) {
    Neighbourhood around = 0;
    const bool inside =
        col - 2 >= 1 && col + 2 <= game.World.MapWidth && row - 2 >= 1 && row + 2 <= game.World.MapHeight;
    if (inside) {
        // Columns are contiguous in storage: five bytes per column.
        for (int dc = -2; dc <= 2; ++dc)
            around |= ColumnLandBits(&game.World.Terrain(col + dc, row - 2)) << NeighbourBit(dc, -2);
        return around;
    }
    for (int dc = -2; dc <= 2; ++dc)
        for (int dr = -2; dr <= 2; ++dr)
            if (IsLand(game, col + dc, row + dr)) around |= 1u << NeighbourBit(dc, dr);
    return around;
}

const CoastRule* ApplyCoastCheck(Game& game, int check, int col, int row, Neighbourhood around) {
    const CoastRule* rule = CoastMatcher::Get().Match(check, around);
    if (rule != nullptr) ApplyRule(game, *rule, col, row);
    return rule;
}

void RunCoastPass(Game& game) {
    const CoastMatcher& matcher = CoastMatcher::Get();
    const int width = game.World.MapWidth, height = game.World.MapHeight;
    for (int col = 2; col <= width; ++col) {
        for (int row = 2; row <= height; ++row) {
            if (game.World.Terrain(col, row) != kTerrainLand) continue;
            Neighbourhood around = ReadNeighbourhood(game, col, row);
            if (around == kAllLand && matcher.AllLandMatchesNothing()) continue;
            for (int check = 1; check <= kCoastChecks; ++check) {
                const CoastRule* rule = ApplyCoastCheck(game, check, col, row, around);
                if (rule == nullptr) continue;
                // Writes around the cell can turn water into land for the next checks.
                if (!WritesOnlyCentre(*rule)) around = ReadNeighbourhood(game, col, row);
            }
        }
    }
}

}  // namespace tarq
