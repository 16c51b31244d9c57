#include "core/Players.h"

#include "core/Catalogue.h"

namespace tarq {

namespace {

constexpr Pixel Rgb(int r, int g, int b) {
    return 0xFF000000u | static_cast<Pixel>(r) << 16 | static_cast<Pixel>(g) << 8 | static_cast<Pixel>(b);
}

// The dark and light shades follow the base as colour 0's do: about two
// thirds of it, and a third of the way to white.
constexpr TeamColour Team(const char* name, int r, int g, int b) {
    return {name, Rgb(r, g, b), Rgb(r * 2 / 3, g * 2 / 3, b * 2 / 3),
            Rgb(r + (255 - r) * 3 / 10, g + (255 - g) * 3 / 10, b + (255 - b) * 3 / 10)};
}

constexpr std::array<TeamColour, kTeamColourCount> kTeamColours = {{
    {"синий", Rgb(74, 110, 162), Rgb(48, 72, 110), Rgb(118, 150, 196)},
    Team("красный", 184, 40, 34),
    Team("зеленый", 48, 140, 56),
    Team("желтый", 214, 190, 40),
    Team("фиолетовый", 134, 60, 170),
    Team("бирюзовый", 32, 168, 170),
    Team("белый", 222, 222, 216),
    Team("оранжевый", 226, 116, 24),
}};

bool ForeignObject(const Game& game, int id) {
    if (id < 1 || id > kMaxObjects) return false;
    const u8 owner = game.Object(id).Owner;
    return owner != 0 && owner != game.CurrentPlayer;
}

}  // namespace

const std::array<TeamColour, kTeamColourCount>& TeamColours() { return kTeamColours; }

const TeamColour& TeamColourAt(int index) {
    return kTeamColours[index >= 0 && index < kTeamColourCount ? static_cast<std::size_t>(index) : 0];
}

void ResetPlayers(Game& game) {
    game.Players = TPlayers{};
    game.PlayerViews = {};
    TPlayer& first = game.Players.Table[1];
    first.Number = 1;
    for (int t = 1; t <= kTypeCount; ++t) first.Purchasable[t] = CataloguePurchasable(t);
}

int PlayerColourIndex(const Match& game, int number) {
    return IsPlayer(game, number) ? game.Players.Table[number].Colour : 0;
}

std::string PlayerName(const Match& game, int number) {
    std::string name = "Игрок " + std::to_string(number);
    if (SeveralPlayers(game)) name += std::string(" (") + TeamColourAt(PlayerColourIndex(game, number)).name + ")";
    return name;
}

bool OwnedByCurrentPlayer(const Match& game, int slot) {
    if (!SeveralPlayers(game)) return true;
    return slot >= 1 && slot <= kMaxObjects && game.Object(slot).Owner == game.CurrentPlayer;
}

bool CellOfAnotherPlayer(const Game& game, int col, int row) {
    if (!SeveralPlayers(game) || !game.InMap(col, row)) return false;
    const TConnectorCell& connector = game.World.Connectors(col, row);
    if (connector.Present != 0 && connector.Owner != game.CurrentPlayer) return true;
    const TMapCell& cell = game.Map(col, row);
    for (int layer : {kLayerFlat, kLayerLarge, kLayerUnits, kLayerAircraft})
        if (ForeignObject(game, cell.Layers[layer].id)) return true;
    return false;
}

bool FootprintOfAnotherPlayer(const Game& game, const TFootprint& footprint) {
    for (const TCellPos& p : footprint)
        if (CellOfAnotherPlayer(game, p.col, p.row)) return true;
    return false;
}

}  // namespace tarq
