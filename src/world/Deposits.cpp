#include "world/Deposits.h"

namespace tarq {
namespace {

void SetDeposit(Game& game, int x, int y, int kind, int amount) {
    if (!game.InMap(x, y)) return;
    game.World.Resources(x, y) = TResourceCell{static_cast<u8>(kind), static_cast<u8>(amount)};
}

int NextMineral(int kind) { return kind + 1 > 3 ? 1 : kind + 1; }

}  // namespace

void LayDepositCluster(Game& game, int x, int y, RandomSource& rng) {
    const int k1 = rng.RandomRange(1, 3);
    const int k2 = NextMineral(k1);
    const int k3 = NextMineral(k2);
    SetDeposit(game, x, y - 1, 1, 0);
    SetDeposit(game, x - 1, y, 1, 0);
    SetDeposit(game, x + 1, y, 1, 0);
    SetDeposit(game, x, y, k1, rng.RandomRange(8, 16));
    // Each amount is drawn only when its cell is chosen, right after the choice.
    if (rng.RandomRange(0, 2) == 0) SetDeposit(game, x - 2, y, k1, rng.RandomRange(0, 6));
    if (rng.RandomRange(0, 1) == 1) SetDeposit(game, x, y - 2, k1, rng.RandomRange(0, 8));
    if (rng.RandomRange(0, 1) == 1) SetDeposit(game, x, y + 2, k1, rng.RandomRange(0, 8));
    if (rng.RandomRange(0, 2) == 2) SetDeposit(game, x + 2, y, k1, rng.RandomRange(0, 6));
    SetDeposit(game, x + 1, y + 1, k2, rng.RandomRange(4, 12));
    if (rng.RandomRange(0, 1) == 0) SetDeposit(game, x - 1, y - 1, k2, rng.RandomRange(2, 8));
    if (rng.RandomRange(0, 1) == 0) SetDeposit(game, x - 1, y + 1, k2, rng.RandomRange(0, 6));
    if (rng.RandomRange(0, 2) == 2) SetDeposit(game, x - 3, y - 1, k2, rng.RandomRange(0, 5));
    if (rng.RandomRange(0, 3) == 2) SetDeposit(game, x - 2, y + 1, k3, rng.RandomRange(0, 2));
    if (rng.RandomRange(0, 1) == 0) SetDeposit(game, x, y + 1, k3, rng.RandomRange(0, 5));
    if (rng.RandomRange(0, 1) == 0) SetDeposit(game, x + 2, y - 1, k3, rng.RandomRange(0, 4));
}

void GenerateResources(Game& game, const MapParameters& params, RandomSource& rng) {
    LayDeposits(game, params, rng);
    CopyResourcesToMap(game);
}

void LayDeposits(Game& game, const MapParameters& params, RandomSource& rng) {
    rng.Reseed();
    game.World.Resources.fill(TResourceCell{1, 0});
    const int width = game.World.MapWidth, height = game.World.MapHeight;
    for (int i = 0; i < params.DepositCount; ++i) {
        const int x = rng.Random(width - 3) + 2;
        const int y = rng.Random(height - 3) + 2;
        LayDepositCluster(game, x, y, rng);
    }
}

void CopyResourcesToMap(Game& game) {
    for (int col = 1; col <= game.World.MapWidth; ++col)
        for (int row = 1; row <= game.World.MapHeight; ++row) {
            const TResourceCell& deposit = game.World.Resources(col, row);
            TSpriteRef& layer = game.Map(col, row).Layers[kLayerGeology];
            layer.idU = static_cast<u8>(deposit.Kind + 4);
            layer.Spr = deposit.Amount;
        }
}

}  // namespace tarq
