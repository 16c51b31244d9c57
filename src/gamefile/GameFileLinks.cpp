#include "gamefile/GameFileLinks.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/Factory.h"
#include "core/TypeSetup.h"

namespace tarq {

namespace {

bool Live(const Game& game, int slot) { return slot >= 1 && slot <= kMaxObjects && game.Object(slot).Owner != 0; }

bool Covers(const TGameObject& o, TCellPos p) {
    for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k)
        if (o.Cells[k] == p) return true;
    return false;
}

QString At(TCellPos p) { return QStringLiteral("(%1, %2)").arg(p.col).arg(p.row); }

TCellPos Pos(int col, int row) { return {static_cast<i16>(col), static_cast<i16>(row)}; }

// Whether `slot` is the builder that waits off the map while its site is placed.
bool WaitingBuilder(const Game& game, int slot) {
    return game.ClickMode == kClickPlaceSite && slot == game.SiteBuilder;
}

// One cell four times or a 2 x 2 block, as its type stands, on the map; the
// waiting builder on the cell past the map's corner where it is parked.
QString PlacementProblem(const Game& game, int slot) {
    const TGameObject& o = game.Object(slot);
    const TCellPos first = o.Cells[1];
    const bool single = o.Cells == SingleCellFootprint(first.col, first.row);
    if (WaitingBuilder(game, slot)) {
        const TCellPos parked = Pos(game.World.MapWidth + 1, game.World.MapHeight + 1);
        return single && first == parked ? QString() : QStringLiteral("строитель не ждет за краем карты");
    }
    if (!(o.CellCount == 1 ? single : o.Cells == BlockFootprint(first.col, first.row)))
        return QStringLiteral("клетки объекта не складываются в его форму");
    for (const TCellPos& p : o.Cells)
        if (!game.InMap(p.col, p.row)) return QStringLiteral("объект стоит за краем карты ") + At(p);
    return {};
}

// A builder at work names its site, which names it back and is of the type it
// builds; a site is named by its builder.
QString OrderProblem(const Game& game, int slot) {
    const TGameObject& o = game.Object(slot);
    if (o.OrderState == 1) {
        const int site = o.SiteObject;
        if (!Live(game, site) || game.Object(site).OrderState != 2 || game.Object(site).BuildLink != slot)
            return QStringLiteral("строитель работает на стройке %1, которая не его").arg(site);
        if (game.Object(site).TypeId != o.BuildLink || game.Object(site).Owner != o.Owner)
            return QStringLiteral("строитель строит не то, что стоит на стройке %1").arg(site);
    }
    if (o.OrderState == 2) {
        const int builder = o.BuildLink;
        if (!Live(game, builder) || game.Object(builder).OrderState != 1 || game.Object(builder).SiteObject != slot)
            return QStringLiteral("стройку называет строитель %1, который ее не строит").arg(builder);
    }
    return {};
}

QString ObjectsProblem(const Game& game) {
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        if (!Live(game, slot)) continue;
        QString problem = PlacementProblem(game, slot);
        if (problem.isEmpty()) problem = OrderProblem(game, slot);
        if (!problem.isEmpty()) return QStringLiteral("объект %1: ").arg(slot) + problem;
    }
    return {};
}

// The cells of the grid some structure keeps in the connector grid.
std::vector<bool> JoinedCells(const Game& game) {
    std::vector<bool> joined(static_cast<std::size_t>(kGridSpan) * kGridSpan, false);
    for (const TGameObject& o : game.World.Objects)
        if (JoinsConnectorGrid(o))
            for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k)
                if (CellGrid<u8>::inStorage(o.Cells[k].col, o.Cells[k].row))
                    joined[CellGrid<u8>::index(o.Cells[k].col, o.Cells[k].row)] = true;
    return joined;
}

// Over the map and its border: connectors lie on the map under a connected
// structure; a picture of layer 6 or 8 that names an object lies on that
// object, on the map.
QString CellsProblem(const Game& game) {
    const std::vector<bool> joined = JoinedCells(game);
    for (int col = 0; col <= game.World.MapWidth + 2; ++col)
        for (int row = 0; row <= game.World.MapHeight + 2; ++row) {
            const TCellPos p = Pos(col, row);
            const bool onMap = game.InMap(col, row);
            if (game.World.Connectors(col, row).Present != 0 && (!onMap || !joined[CellGrid<u8>::index(col, row)]))
                return QStringLiteral("соединитель клетки %1 не лежит под строением").arg(At(p));
            for (int layer : {kLayerAircraft, kLayerReady}) {
                const int id = game.Map(col, row).Layers[layer].id;
                if (id != 0 && (!onMap || !Live(game, id) || !Covers(game.Object(id), p)))
                    return QStringLiteral("клетка %1, слой %2: картинка объекта %3, которого там нет")
                        .arg(At(p))
                        .arg(layer)
                        .arg(id);
            }
        }
    return {};
}

// While a site is placed: it is the site of the waiting builder, and the
// builder's own cells, kept to go back to, lie on the map under the site.
QString PlacingProblem(const Game& game) {
    const int site = game.LastCreatedObject, builder = game.SiteBuilder;
    if (!Live(game, site) || game.Object(site).OrderState != 2 || game.Object(site).BuildLink != builder ||
        !Live(game, builder) || game.Object(builder).SiteObject != site)
        return QStringLiteral("размещается стройка %1, но ее строитель не %2").arg(site).arg(builder);
    const int col = game.SiteBuilderCol, row = game.SiteBuilderRow;
    const TFootprint back =
        game.Object(builder).CellCount == 4 ? BlockFootprint(col, row) : SingleCellFootprint(col, row);
    for (const TCellPos& p : back)
        if (!game.InMap(p.col, p.row)) return QStringLiteral("строителю некуда вернуться: %1").arg(At(p));
    if (!Covers(game.Object(site), Pos(col, row)))
        return QStringLiteral("стройка %1 размещается вдали от строителя").arg(site);
    return {};
}

// A cell next to the site (or on it), one cell four times, on the map.
bool NextToSite(const Game& game, const TGameObject& site, const TFootprint& f) {
    const TCellPos p = f[1];
    if (!(f == SingleCellFootprint(p.col, p.row)) || !game.InMap(p.col, p.row)) return false;
    for (int k = 1; k <= site.CellCount; ++k)
        if (std::abs(site.Cells[k].col - p.col) <= 1 && std::abs(site.Cells[k].row - p.row) <= 1) return true;
    return false;
}

// The exit candidates: the accepted ones first, each next to the site and
// each once, then blank entries. Returns how many were accepted, -1 when
// they are not so (with `problem` set).
int AcceptedExits(const Game& game, const TGameObject& site, QString& problem) {
    int accepted = 0;
    while (accepted < kExitSlots && !(game.ExitCandidates[static_cast<std::size_t>(accepted)] == TFootprint{}))
        ++accepted;
    for (int k = 0; k < kExitSlots && problem.isEmpty(); ++k) {
        const TFootprint& f = game.ExitCandidates[static_cast<std::size_t>(k)];
        const auto first = game.ExitCandidates.begin();
        const bool twice = std::any_of(first, first + k, [&](const TFootprint& e) { return e[1] == f[1]; });
        if (k >= accepted ? !(f == TFootprint{}) : !NextToSite(game, site, f) || twice)
            problem = QStringLiteral("неверная клетка выхода %1").arg(At(f[1]));
    }
    return problem.isEmpty() ? accepted : -1;
}

// Exit marker k: an object of the marker's type alone on candidate k's cell,
// none of the order's own objects.
QString MarkerProblem(const Game& game, int k, int marker, int type, int site, int builder) {
    const TCellPos cell = game.ExitCandidates[static_cast<std::size_t>(k)][1];
    const auto wrong = [&] {
        return QStringLiteral("отметка выхода %1 не на своей клетке %2").arg(marker).arg(At(cell));
    };
    if (!Live(game, marker) || marker == site || marker == builder) return wrong();
    const TGameObject& m = game.Object(marker);
    if (m.TypeId != type || m.OrderState != 0 || !(m.Cells == SingleCellFootprint(cell.col, cell.row))) return wrong();
    const int movement = FindTypeSetup(type)->Movement;
    for (int other = 1; other <= kMaxObjects; ++other)
        if (other != marker && Live(game, other) && Covers(game.Object(other), cell) &&
            BlocksMovement(game.Object(other).TypeId, movement))
            return wrong();
    return {};
}

// While an exit is chosen: the site is finished, the candidates lie around it
// and each marker stands on its own candidate; the markers are the builder's
// type, or a factory's product.
QString ChoosingProblem(const Game& game) {
    const int site = game.LastCreatedObject;
    const int builder = Live(game, site) ? game.Object(site).BuildLink : 0;
    if (!Live(game, site) || game.Object(site).OrderState != 2 || !Live(game, builder) ||
        game.Object(builder).SiteObject != site || game.Object(builder).TurnsLeft != 0)
        return QStringLiteral("выход выбирается, но стройка %1 не закончена").arg(site);
    QString problem;
    const int accepted = AcceptedExits(game, game.Object(site), problem);
    const TGameObject& b = game.Object(builder);
    const int type = b.CellCount == 4 ? game.Object(site).TypeId : b.TypeId;
    for (int k = 0; k < kExitSlots && problem.isEmpty(); ++k) {
        const int marker = game.ExitMarkers[static_cast<std::size_t>(k)];
        if (marker == 0) continue;
        problem = k < accepted ? MarkerProblem(game, k, marker, type, site, builder)
                               : QStringLiteral("отметка выхода %1 без клетки выхода").arg(marker);
    }
    return problem;
}

QString ClickModeProblem(const Game& game) {
    if (game.ClickMode == kClickPlaceSite) return PlacingProblem(game);
    if (game.ClickMode == kClickChooseExit) return ChoosingProblem(game);
    for (i32 marker : game.ExitMarkers)
        if (marker != 0) return QStringLiteral("отметка выхода %1, а выход не выбирается").arg(marker);
    return {};
}

// A path order belongs to a unit on the map that is free to walk.
QString PathsProblem(const Game& game) {
    for (const TPathOrder& o : game.PathOrders) {
        const int type = Live(game, o.Unit) ? game.Object(o.Unit).TypeId : 0;
        const bool unit = type >= 1 && type <= kTypeCount && game.UnitTypes[type].Category != 0;
        if (!unit || game.Object(o.Unit).OrderState != 0)
            return QStringLiteral("путь отдан объекту %1, который не может идти").arg(o.Unit);
    }
    return {};
}

}  // namespace

QString CheckLinks(const Game& game) {
    QString problem = ObjectsProblem(game);
    if (problem.isEmpty()) problem = CellsProblem(game);
    if (problem.isEmpty()) problem = ClickModeProblem(game);
    if (problem.isEmpty()) problem = PathsProblem(game);
    return problem;
}

}  // namespace tarq
