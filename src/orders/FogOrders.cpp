// The fog of war's order: the option of the start conditions page.
#include "orders/OrderRules.h"

namespace tarq::orders {

// Chosen for the whole game before it starts, like the map and the gold.
Verdict CheckOrder(const Game& game, u8, const cmd::UseFog&) {
    return MatchStarted(game) ? Verdict::No("Игра уже начата: туман войны не изменить") : Verdict::Yes();
}
void RunOrder(Game& game, u8, const cmd::UseFog& c, Outcome&) { game.Sight.On = c.on != 0 ? 1 : 0; }

}  // namespace tarq::orders
