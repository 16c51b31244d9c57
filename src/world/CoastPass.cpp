#include "world/CoastPass.h"

#include <stdexcept>

namespace tarq {
namespace {

constexpr int Bit(int dc, int dr) { return (dc + 2) + 5 * (dr + 2); }

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
            bits |= 1 << (row * win.cols() + col);
        else if (ch != '.')
            return -1;
        ++col;
    }
    return row == win.rows() - 1 && col == win.cols() ? bits : -1;
}

int CoastMatcher::WindowBits(int check, Neighbourhood around) {
    const CoastWindow& win = kCoastWindows[static_cast<std::size_t>(check)];
    const Neighbourhood rowMask = (1u << win.cols()) - 1u;
    int bits = 0;
    for (int r = 0; r < win.rows(); ++r)
        bits |= static_cast<int>((around >> Bit(win.colLo, win.rowLo + r)) & rowMask) << (r * win.cols());
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
    const bool inside = col - 2 >= 1 && col + 2 <= game.World.MapWidth && row - 2 >= 1 && row + 2 <= game.World.MapHeight;
    if (inside) {
        // Columns are contiguous in storage: five bytes per column.
        for (int dc = -2; dc <= 2; ++dc) {
            const u8* cell = &game.World.Terrain(col + dc, row - 2);
            for (int dr = -2; dr <= 2; ++dr)
                if (cell[dr + 2] != kTerrainWater) around |= 1u << Bit(dc, dr);
        }
        return around;
    }
    for (int dc = -2; dc <= 2; ++dc)
        for (int dr = -2; dr <= 2; ++dr)
            if (IsLand(game, col + dc, row + dr)) around |= 1u << Bit(dc, dr);
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
