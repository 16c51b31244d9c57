#include "setup/Purchases.h"

namespace tarq {

void ResetPurchases(Game& game) { ResetPurchaseList(game, CurrentPlayerEntry(game).Purchases); }

void ResetPurchaseList(const Game& game, Array1<TPurchase, kPurchaseEntries>& list) {
    for (TPurchase& p : list) {
        p.TypeId = 0;
        p.Cargo = 0;
    }
    struct Kit {
        int type, cargo, extra;
    };
    // Type, cargo, and what the cargo cost on top of the type's price.
    constexpr Kit kKit[] = {{39, 15, 3}, {40, 0, 0}, {1, 60, 8}, {13, 40, 4}, {9, 0, 0}};
    int entry = 0;
    for (const Kit& k : kKit) {
        TPurchase& p = list[1 + entry++];
        p.TypeId = static_cast<u8>(k.type);
        p.Cargo = static_cast<u8>(k.cargo);
        p.Price = static_cast<u8>(game.UnitStats[k.type].Cost + k.extra);
    }
}

}  // namespace tarq
