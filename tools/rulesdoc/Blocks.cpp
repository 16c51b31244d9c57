#include "Blocks.h"

#include <sstream>

#include "control/CombatRules.h"
#include "control/Economy.h"
#include "core/Catalogue.h"

namespace tarq::rulesdoc {
namespace {

// The characteristics of every type, as the catalogue gives them.
std::string Characteristics(const Game& game) {
    std::ostringstream out;
    out << "| № | Тип | Атака | Выстрелы | Дальность | Боезапас | Броня | Хиты | Обзор | Скорость | Цена |\n"
        << "|---|---|---|---|---|---|---|---|---|---|---|\n";
    for (int type = 1; type <= kDefinedTypes; ++type) {
        const TUnitStats& s = game.UnitStats[type];
        out << "| " << type << " | " << game.UnitTypes[type].Name << " | " << int{s.Attack} << " | " << int{s.Shots}
            << " | " << int{s.Range} << " | " << int{s.Ammo} << " | " << int{s.Armour} << " | " << int{s.Hits} << " | "
            << int{s.Scan} << " | " << int{s.Speed} << " | " << s.Cost << " |\n";
    }
    return out.str();
}

// One cell of the duel table: damage per shot, shots to destroy, turns to
// destroy ("–" where the ammunition does not last); "·" where it cannot aim.
std::string Duel(const TUnitStats& a, const TUnitStats& t) {
    const int damage = DamagePerShot(a, t);
    if (damage == 0) return "·";
    const int turns = TurnsToDestroy(a, t);
    return std::to_string(damage) + "/" + std::to_string(ShotsToDestroy(a, t)) + "/" +
           (turns > 0 ? std::to_string(turns) : std::string("–"));
}

// Every armed type (and the mines) against every type: a column per shooter,
// a row per target.
std::string Duels(const Game& game) {
    std::vector<int> shooters;
    for (int type = 1; type <= kDefinedTypes; ++type)
        if (Armed(game.UnitStats[type]) || IsMine(type)) shooters.push_back(type);
    std::ostringstream out;
    out << "| Цель, стреляет: |";
    for (int a : shooters) out << " " << a << " |";
    out << "\n|---|";
    for (std::size_t i = 0; i < shooters.size(); ++i) out << "---|";
    out << "\n";
    for (int t = 1; t <= kDefinedTypes; ++t) {
        out << "| " << t << " " << game.UnitTypes[t].Name << " |";
        for (int a : shooters) out << " " << Duel(game.UnitStats[a], game.UnitStats[t]) << " |";
        out << "\n";
    }
    return out.str();
}

const char* ResourceName(int kind) {
    switch (kind) {
        case 1: return "материал";
        case 2: return "топливо";
        case 3: return "золото";
        case 4: return "энергия";
        case 5: return "колонисты";
        default: return "?";
    }
}

// What a type takes each turn: its resource pairs (the mining complex takes nothing).
std::string Consumes(const TUnitStats& s, int type) {
    if (type == econ::kMine) return "—";
    std::string text;
    const int pairs[3][2] = {{s.ResourceKind1, s.ResourceAmount1},
                             {s.ResourceKind2, s.ResourceAmount2},
                             {s.ResourceKind3, s.ResourceAmount3}};
    for (const auto& [kind, amount] : pairs)
        if (kind == 1 && IsFactory(type))
            text += (text.empty() ? "" : ", ") + std::string("материал постройки из своего запаса");
        else if (kind != 0)
            text += (text.empty() ? "" : ", ") + std::string(ResourceName(kind)) + " " + std::to_string(amount);
    return text.empty() ? "—" : text;
}

std::string Gives(const TUnitStats& s, int type) {
    if (type == econ::kMine) return "минералы из недр под собой";
    if (type == econ::kRefinery)
        return "кредиты: " + std::to_string(econ::kRefineryGold) + " за ход, 1 за единицу золота";
    if (type >= econ::kDepot && type <= econ::kHangar) return "ремонт и пополнение боезапаса";
    if (type == econ::kLandingModule) return "место прибытия подкреплений";
    if (s.Output > 0) return std::string("энергия ") + std::to_string(s.Output);
    return IsFactory(type) ? "технику" : "—";
}

std::string Holds(const TUnitStats& s, int type) {
    if (LeftForLater(type)) return "—";
    if (IsFactory(type)) return "материал " + std::to_string(econ::kFactoryStore) + " (для производства)";
    if (s.CargoKind == 0 || s.CargoCapacity == 0) return "—";
    return std::string(ResourceName(s.CargoKind)) + " " + std::to_string(s.CargoCapacity);
}

// The structures of the economy: what each takes and gives each turn and what it holds.
std::string Economy(const Game& game) {
    std::ostringstream out;
    out << "| № | Строение | Потребляет за ход | Дает | Хранит |\n|---|---|---|---|---|\n";
    for (int type = 1; type <= kDefinedTypes; ++type) {
        if (!IsStructureType(game, type)) continue;
        const TUnitStats& s = game.UnitStats[type];
        const std::string gives = Gives(s, type), takes = Consumes(s, type), holds = Holds(s, type);
        if (gives == "—" && takes == "—" && holds == "—") continue;
        out << "| " << type << " | " << game.UnitTypes[type].Name << " | "
            << (LeftForLater(type) ? "не действует в этой версии" : takes) << " | "
            << (LeftForLater(type) ? "—" : gives) << " | " << holds << " |\n";
    }
    return out.str();
}

// The fixed rates of the economy.
std::string EconomyRates(const Game&) {
    std::ostringstream out;
    out << "- ремонт: 1 материал за " << econ::kPointsPerMaterial << " хита;\n"
        << "- пополнение боезапаса: 1 материал за " << econ::kPointsPerMaterial << " заряда;\n"
        << "- золоторафинарня: до " << econ::kRefineryGold << " золота за ход, 1 кредит за единицу;\n"
        << "- запас материала завода: " << econ::kFactoryStore << ";\n"
        << "- подкрепления прибывают не дальше " << econ::kLandingReach << " клеток от посадочного модуля.\n";
    return out.str();
}

}  // namespace

const std::vector<Block>& Blocks() {
    static const std::vector<Block> blocks = {
        {"characteristics", Characteristics},
        {"duels", Duels},
        {"economy", Economy},
        {"economy-rates", EconomyRates},
    };
    return blocks;
}

std::string WriteBlocks(const std::string& document, const Game& game, std::string& error) {
    std::string text = document;
    for (const Block& block : Blocks()) {
        const std::string open = std::string("<!-- rulesdoc:") + block.name + " -->\n";
        const std::string close = std::string("<!-- /rulesdoc:") + block.name + " -->";
        const std::size_t begin = text.find(open);
        const std::size_t end = begin == std::string::npos ? begin : text.find(close, begin);
        if (end == std::string::npos) {
            error = std::string("no block ") + block.name;
            return document;
        }
        text.replace(begin + open.size(), end - begin - open.size(), block.write(game));
    }
    return text;
}

}  // namespace tarq::rulesdoc
