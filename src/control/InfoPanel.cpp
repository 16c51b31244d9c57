#include "control/InfoPanel.h"
#include "control/Sight.h"

#include <algorithm>

#include "control/Economy.h"
#include "control/PathOrders.h"
#include "core/Players.h"
#include "core/Sight.h"

namespace tarq {

namespace {

enum InfoItem : int {
    kItemSpacer = 0,
    kItemAttack = 1,
    kItemArmour = 2,
    kItemHits = 3,
    kItemShots = 4,
    kItemRange = 5,
    kItemAmmo = 6,
    kItemScan = 7,
    kItemMoves = 8,
    kItemCost = 9,
    kItemCargo = 10,
};

std::string Of(int left, int full) { return std::to_string(left) + "/" + std::to_string(full); }

// Adds the panel's lines in order, each with the colour in force when it is added.
class PanelWriter {
public:
    PanelWriter(const InfoChecks& checks, std::vector<InfoLine>& lines) : checks_(checks), lines_(lines) {}

    // The line of `item` when it is checked and its deciding value is above 0.
    void add(int item, int decidingValue, const std::string& text) {
        if (checks_[static_cast<std::size_t>(item)] && decidingValue > 0) lines_.push_back({text, false, colour});
    }
    // A ratio that turns the colour red before its line when the part left is
    // below half of the full value (integer half, so 5 of 11 is not low).
    void addRatio(int item, int left, int full, const std::string& caption) {
        if (!checks_[static_cast<std::size_t>(item)] || full <= 0) return;
        if (left < full / 2) colour = InfoColour::Red;
        lines_.push_back({caption + " " + Of(left, full), false, colour});
    }

    InfoColour colour = InfoColour::Navy;

private:
    const InfoChecks& checks_;
    std::vector<InfoLine>& lines_;
};

std::string TypeName(const Game& game, int type) {
    return type >= 1 && type <= kTypeCount ? game.UnitTypes[type].Name : std::string();
}

}  // namespace

std::string OwnerLine(int owner) { return "Владелец: игрок " + std::to_string(owner); }

InfoChecks DefaultInfoChecks() {
    InfoChecks checks{};
    for (int item : {3, 4, 6, 8, 10, 11}) checks[static_cast<std::size_t>(item)] = true;
    return checks;
}

namespace {

// "Радар: 3 из 5 ходов, материал 12 за ход" for a builder at work (its record
// holds the order) and for its site (through the builder it names).
std::string ConstructionLine(const Game& game, const TGameObject& o) {
    const TGameObject* builder = &o;
    if (o.OrderState == 2) {
        if (o.BuildLink < 1 || o.BuildLink > kMaxObjects || game.Object(o.BuildLink).OrderState != 1) return {};
        builder = &game.Object(o.BuildLink);
    } else if (o.OrderState != 1) {
        return {};
    }
    const TGameObject& b = *builder;
    const int done = std::max(0, b.TurnsTotal - b.TurnsLeft);
    return TypeName(game, b.BuildLink) + ": " + std::to_string(done) + " из " + std::to_string(b.TurnsTotal) +
           " ходов, материал " + std::to_string(b.MaterialPerTurn) + " за ход";
}

}  // namespace

std::vector<InfoLine> ShowObjectInfo(const Game& game, int object, const InfoChecks& checks) {
    std::vector<InfoLine> lines;
    if (object < 1 || object > kMaxObjects) return lines;
    // What the fog hides tells nothing, not even that something is there.
    if (FogCovers(game, game.CurrentPlayer) && !SeesObject(game, game.CurrentPlayer, object)) return lines;
    const TGameObject& o = game.Object(object);
    const TUnitStats& s = o.Stats;
    lines.push_back({TypeName(game, o.TypeId), true, InfoColour::Navy});
    if (SeveralPlayers(game)) {
        lines.push_back({OwnerLine(o.Owner), false, InfoColour::Navy});
        // What another player's object carries and has left is theirs to
        // know; its hits show while it is in sight, as the "Хиты" overlay
        // shows them.
        if (!OwnedByCurrentPlayer(game, object)) {
            if (SeesObject(game, game.CurrentPlayer, object) && s.Hits > 0)
                lines.push_back({"Хиты " + Of(o.HitsLeft, s.Hits), false, InfoColour::Red});
            return lines;
        }
    }
    PanelWriter w(checks, lines);
    if (checks[kItemSpacer]) lines.push_back({"", false, w.colour});
    w.add(kItemAttack, s.Attack, "Атака " + std::to_string(s.Attack));
    w.add(kItemArmour, s.Armour, "Броня " + std::to_string(s.Armour));
    w.addRatio(kItemHits, o.HitsLeft, s.Hits, "Хиты");
    w.colour = InfoColour::WindowText;
    w.add(kItemShots, s.Shots, "Выстрелы " + Of(o.ShotsLeft, s.Shots));
    w.add(kItemRange, s.Range, "Радиус " + std::to_string(s.Range));
    w.add(kItemAmmo, s.Ammo, "Патр. " + Of(o.AmmoLeft, s.Ammo));
    w.add(kItemScan, s.Scan, "Обзор " + std::to_string(s.Scan));
    w.addRatio(kItemMoves, o.MovesLeft, s.Speed, "Ходы");
    w.colour = InfoColour::WindowText;
    w.add(kItemCost, s.Cost, "Стоимость " + std::to_string(s.Cost));
    w.add(kItemCargo, s.CargoCapacity, "Груз " + Of(o.Cargo, s.CargoCapacity));
    // A construction's progress, on its builder and on its site.
    if (std::string progress = ConstructionLine(game, o); !progress.empty())
        lines.push_back({std::move(progress), false, InfoColour::WindowText});
    // The unit's path order, whatever the list shows.
    if (std::string path = PathOrderLine(game, object); !path.empty())
        lines.push_back({std::move(path), false, InfoColour::WindowText});
    if (std::string network = NetworkReadout(game, object); !network.empty()) {
        lines.push_back({std::move(network), false, InfoColour::WindowText});
        if (o.Unpowered != 0) lines.push_back({"Нет энергии: строение не работает", false, InfoColour::WindowText});
    }
    return lines;
}

std::vector<InfoLine> ShowCellLayers(const Game& game, int col, int row) {
    std::vector<InfoLine> lines;
    // Every cell of the grid has defined layers, the ones past a small map's edge too.
    if (col < 1 || col > kMaxMapSize || row < 1 || row > kMaxMapSize) return lines;
    // Under the fog a cell out of sight shows its ground only, once explored.
    int shown = 6;
    if (FogCovers(game, game.CurrentPlayer) && !SeesCell(game, game.CurrentPlayer, col, row))
        shown = KnowsCell(game, game.CurrentPlayer, col, row) ? 1 : 0;
    for (int k = 1; k <= shown; ++k) {
        const TSpriteRef& s = game.Map(col, row).Layers[k];
        lines.push_back({"mp" + std::to_string(k - 1) + " idU " + std::to_string(s.idU) + ", Spr " +
                             std::to_string(s.Spr) + ", id " + std::to_string(s.id) + ", SprNext " +
                             std::to_string(s.SprNext) + ", show " + (s.show != 0 ? "-1" : "0"),
                         false, InfoColour::WindowText});
    }
    return lines;
}

}  // namespace tarq
