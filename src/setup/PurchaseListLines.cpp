#include "setup/PurchaseListLines.h"

namespace tarq {

std::vector<std::string> PurchaseListLines(const Game& game) {
    std::vector<std::string> lines;
    for (int e = 0; e < kPurchaseEntries; ++e) {
        const TPurchase& p = game.PurchaseList(e);
        if (p.TypeId == 0 || p.TypeId > kTypeCount) continue;
        std::string line = game.UnitTypes[p.TypeId].Name;
        if (p.Cargo != 0) {
            if (p.Cargo < game.UnitStats[p.TypeId].CargoCapacity)
                line += " (" + std::to_string(p.Cargo) + ")";
            else
                line += " (полн)";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace tarq
