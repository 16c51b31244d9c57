#include "Blocks.h"

#include <sstream>

#include "control/CombatRules.h"

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

}  // namespace

const std::vector<Block>& Blocks() {
    static const std::vector<Block> blocks = {
        {"characteristics", Characteristics},
        {"duels", Duels},
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
