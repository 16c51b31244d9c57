#include "Blocks.h"

#include <sstream>

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

}  // namespace

const std::vector<Block>& Blocks() {
    static const std::vector<Block> blocks = {
        {"characteristics", Characteristics},
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
