#include "control/PathOrders.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <queue>

#include "control/Sight.h"
#include "control/TurnPhases.h"
#include "control/UnitMoves.h"
#include "core/Factory.h"
#include "core/World.h"

namespace tarq {

namespace {

// Clockwise from up, the facings' order: the fixed order neighbours are tried in.
constexpr int kDirCol[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDirRow[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

bool Walker(const Game& game, int unit) {
    if (unit < 1 || unit > kMaxObjects || !SlotInUse(game.Object(unit))) return false;
    const int type = game.Object(unit).TypeId;
    return type >= 1 && type <= kTypeCount && game.UnitTypes[type].Category != 0;
}

// The cells of the map one movement class may enter, as seen by `player`:
// the ground admits the class, no object blocks it (as CanPlace counts them)
// and the player knows the cell. Built once per plan from one pass over the
// object table, so each cell the search tries is a lookup.
class PassMap {
public:
    PassMap(const Game& game, u8 player, int movement)
        : width_(game.World.MapWidth),
          height_(game.World.MapHeight),
          open_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {
        for (int c = 1; c <= width_; ++c)
            for (int r = 1; r <= height_; ++r)
                open_[Index(c, r)] =
                    SeesCell(game, player, c, r) &&
                    (movement == kMoveAircraft || GroundAdmits(game.World.Passability(c, r), movement));
        if (movement == kMoveAircraft) return;
        for (const TGameObject& o : game.World.Objects) {
            if (!SlotInUse(o) || !BlocksMovement(o.TypeId, movement)) continue;
            for (const TCellPos& p : o.Cells)
                if (game.InMap(p.col, p.row)) open_[Index(p.col, p.row)] = 0;
        }
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::size_t Index(int col, int row) const {
        return static_cast<std::size_t>(col - 1) * static_cast<std::size_t>(height_) +
               static_cast<std::size_t>(row - 1);
    }
    bool Open(int col, int row) const {
        return col >= 1 && col <= width_ && row >= 1 && row <= height_ && open_[Index(col, row)] != 0;
    }

private:
    int width_;
    int height_;
    std::vector<u8> open_;
};

struct OpenEntry {
    int f;
    int h;
    std::uint32_t seq;
    std::uint32_t cell;
    // The queue's top is the least f, then the least estimate left, then the
    // earliest found.
    bool operator<(const OpenEntry& o) const {
        if (f != o.f) return f > o.f;
        if (h != o.h) return h > o.h;
        return seq > o.seq;
    }
};

int Chebyshev(int c0, int r0, int c1, int r1) { return std::max(std::abs(c1 - c0), std::abs(r1 - r0)); }

std::vector<TCellPos> Search(const PassMap& pass, TCellPos from, TCellPos to) {
    const std::size_t cells = static_cast<std::size_t>(pass.Width()) * static_cast<std::size_t>(pass.Height());
    constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    std::vector<int> cost(cells, std::numeric_limits<int>::max());
    std::vector<std::uint32_t> parent(cells, kNone);
    std::priority_queue<OpenEntry> open;
    std::uint32_t seq = 0;
    const auto cellOf = [&](std::uint32_t i) {
        return TCellPos{static_cast<i16>(i / static_cast<std::uint32_t>(pass.Height()) + 1),
                        static_cast<i16>(i % static_cast<std::uint32_t>(pass.Height()) + 1)};
    };
    const auto start = static_cast<std::uint32_t>(pass.Index(from.col, from.row));
    const auto goal = static_cast<std::uint32_t>(pass.Index(to.col, to.row));
    cost[start] = 0;
    const int h0 = Chebyshev(from.col, from.row, to.col, to.row);
    open.push({h0, h0, seq++, start});
    while (!open.empty()) {
        const OpenEntry top = open.top();
        open.pop();
        if (top.cell == goal) break;
        const int g = cost[top.cell];
        if (top.f - top.h != g) continue;  // a stale entry: the cell was reached cheaper since
        const TCellPos at = cellOf(top.cell);
        for (int d = 0; d < 8; ++d) {
            const int c = at.col + kDirCol[d], r = at.row + kDirRow[d];
            if (!pass.Open(c, r)) continue;
            const auto next = static_cast<std::uint32_t>(pass.Index(c, r));
            if (g + 1 >= cost[next]) continue;
            cost[next] = g + 1;
            parent[next] = top.cell;
            const int h = Chebyshev(c, r, to.col, to.row);
            open.push({g + 1 + h, h, seq++, next});
        }
    }
    std::vector<TCellPos> path;
    if (parent[goal] == kNone) return path;
    for (std::uint32_t i = goal; i != start; i = parent[i]) path.push_back(cellOf(i));
    std::reverse(path.begin(), path.end());
    return path;
}

std::string UnitPlace(const Game& game, int unit) {
    const TGameObject& u = game.Object(unit);
    return game.UnitTypes[u.TypeId].Name + " " + std::to_string(u.Cells[1].col) + "x" + std::to_string(u.Cells[1].row);
}

// Steps along `path` while moves last; returns the cells stepped through.
std::vector<TCellPos> WalkAlong(Game& game, int unit, const std::vector<TCellPos>& path) {
    std::vector<TCellPos> walked;
    for (const TCellPos& p : path) {
        const TGameObject& u = game.Object(unit);
        if (u.MovesLeft == 0 || CanPlace(game, SingleCellFootprint(p.col, p.row), u.Stats.Movement) == 0) break;
        MakeStep(game, unit, p.col, p.row);
        walked.push_back(p);
    }
    return walked;
}

}  // namespace

std::vector<TCellPos> PlanPath(const Game& game, int unit, int col, int row) {
    if (!Walker(game, unit) || !game.InMap(col, row)) return {};
    const TGameObject& u = game.Object(unit);
    const TCellPos from = u.Cells[1];
    if (!game.InMap(from.col, from.row) || (from.col == col && from.row == row)) return {};
    const PassMap pass(game, u.Owner, u.Stats.Movement);
    if (!pass.Open(col, row)) return {};
    return Search(pass, from, TCellPos{static_cast<i16>(col), static_cast<i16>(row)});
}

std::vector<int> TurnsOfPath(const TGameObject& unit, std::size_t steps) {
    std::vector<int> turns(steps, -1);
    const int now = unit.MovesLeft, speed = unit.Stats.Speed;
    for (std::size_t k = 0; k < steps; ++k) {
        const int step = static_cast<int>(k) + 1;
        if (step <= now)
            turns[k] = 0;
        else if (speed > 0)
            turns[k] = 1 + (step - now - 1) / speed;
    }
    return turns;
}

const TPathOrder* PathOrderOf(const Match& match, int unit) {
    for (const TPathOrder& o : match.PathOrders)
        if (o.Unit == unit) return &o;
    return nullptr;
}

void DropPathOrder(Match& match, int unit) {
    std::erase_if(match.PathOrders, [unit](const TPathOrder& o) { return o.Unit == unit; });
}

std::string PathRefusal(const Game& game, u8 player, int unit, int col, int row) {
    if (!Walker(game, unit) || game.Object(unit).Owner != player) return "Путь прокладывается только своему юниту";
    const TGameObject& u = game.Object(unit);
    const std::string name = game.UnitTypes[u.TypeId].Name;
    if (u.OrderState != 0) return name + " занят стройкой";
    if (!game.InMap(col, row)) return "Эта клетка вне карты";
    if (u.Cells[1].col == col && u.Cells[1].row == row) return name + " уже здесь";
    if (PlanPath(game, unit, col, row).empty()) return name + ": туда не дойти";
    return {};
}

std::vector<TCellPos> GivePathOrder(Game& game, int unit, int col, int row) {
    DropPathOrder(game, unit);
    game.PathOrders.push_back({static_cast<i16>(unit), static_cast<i16>(col), static_cast<i16>(row)});
    const std::vector<TCellPos> walked = WalkAlong(game, unit, PlanPath(game, unit, col, row));
    const TCellPos at = game.Object(unit).Cells[1];
    if (at.col == col && at.row == row) DropPathOrder(game, unit);
    return walked;
}

void WalkPathOrders(Game& game, u8 player) {
    const PathOrderList orders = game.PathOrders;
    for (const TPathOrder& o : orders) {
        if (!Walker(game, o.Unit) || game.Object(o.Unit).OrderState != 0) {
            DropPathOrder(game, o.Unit);
            continue;
        }
        if (game.Object(o.Unit).Owner != player) continue;
        // The way is planned afresh from where the unit stands: a way closed
        // since the order was given is replaced by another once, here.
        const std::vector<TCellPos> path = PlanPath(game, o.Unit, o.Col, o.Row);
        if (path.empty()) {
            const TCellPos at = game.Object(o.Unit).Cells[1];
            AddNotice(game, player, at.col, at.row, UnitPlace(game, o.Unit) + ": путь закрыт");
            DropPathOrder(game, o.Unit);
            continue;
        }
        WalkAlong(game, o.Unit, path);
        const TCellPos at = game.Object(o.Unit).Cells[1];
        if (at.col == o.Col && at.row == o.Row) DropPathOrder(game, o.Unit);
    }
}

std::vector<PathCell> ShownPath(const Game& game) {
    const int unit = game.SelectedObject;
    if (!Walker(game, unit) || game.Object(unit).Owner != game.CurrentPlayer) return {};
    TCellPos target{game.PathPreviewCol, game.PathPreviewRow};
    if (game.PathPreviewUnit != unit) {
        const TPathOrder* order = PathOrderOf(game, unit);
        if (order == nullptr) return {};
        target = {order->Col, order->Row};
    }
    const std::vector<TCellPos> path = PlanPath(game, unit, target.col, target.row);
    const std::vector<int> turns = TurnsOfPath(game.Object(unit), path.size());
    std::vector<PathCell> shown;
    for (std::size_t k = 0; k < path.size(); ++k) {
        const bool begins = turns[k] > 0 && (k == 0 || turns[k] != turns[k - 1]);
        shown.push_back({path[k].col, path[k].row, static_cast<i16>(begins ? turns[k] : 0)});
    }
    return shown;
}

std::string PathOrderLine(const Game& game, int unit) {
    const TPathOrder* order = PathOrderOf(game, unit);
    if (order == nullptr || !Walker(game, unit)) return {};
    const TGameObject& u = game.Object(unit);
    const std::vector<TCellPos> path = PlanPath(game, unit, order->Col, order->Row);
    std::string line = "Путь: к " + std::to_string(order->Col) + "x" + std::to_string(order->Row);
    if (path.empty()) return line + ", путь закрыт";
    const std::vector<int> turns = TurnsOfPath(u, path.size());
    line += ", клеток " + std::to_string(path.size());
    if (turns.back() > 0) line += ", ходов до цели: " + std::to_string(turns.back());
    return line;
}

}  // namespace tarq
