#include "setup/Launch.h"

#include <cctype>
#include <charconv>
#include <limits>

#include "core/Players.h"
#include "core/World.h"
#include "setup/Purchases.h"
#include "world/LandingSectors.h"

namespace tarq {

namespace {

// The bits of `x` spread over all 64 (the finaliser of SplitMix64), so that
// ids taken a moment apart differ everywhere.
std::uint64_t Spread(std::uint64_t x) {
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

}  // namespace

std::uint64_t NewGameId(RandomSource& rng) {
    rng.Reseed();
    const std::uint64_t first = rng.Seed();
    rng.Reseed();
    const std::uint64_t id = Spread(first << 32 | rng.Seed());
    return id != 0 ? id : 1;
}

void SetStartValues(Game& game) {
    game.MinimapDrag = 0;
    game.AppActive = 0;
    game.ClickMode = kClickNormal;
    game.BasePromptShown = 0;
    game.PulseAlpha = 0;
    InitData(game);
    game.CurrentPlayer = 1;
    game.GameId = NewGameId(game.Rng);
    game.Turn = 1;
    ResetPurchases(game);
    game.World.StartGold = 0;
    TPlayer& me = CurrentPlayerEntry(game);
    me.Credits = 0;
    me.BasePlaced = 0;
    me.PlayerClan = 0;
    game.UseLandingSectors = 0;
    game.Sight.On = 1;  // "Туман войны" is on unless the page turns it off
    TViewSettings& v = game.ViewSettings;
    v.ShowConnectors = 1;
    game.MapGenerated = 0;
    game.SlowAnimPeriod = 10;
    game.TwoFrameAnimPeriod = 18;
    v.Scale = 15;
}

std::optional<i16> ParseSettingInteger(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
    // from_chars takes a '-' but no '+'; either sign must be followed by a digit.
    std::size_t digit = first;
    if (first < last && text[first] == '+')
        digit = ++first;
    else if (first < last && text[first] == '-')
        digit = first + 1;
    if (digit >= last || !std::isdigit(static_cast<unsigned char>(text[digit]))) return std::nullopt;
    long value = 0;
    const char* end = text.data() + last;
    const auto [stop, error] = std::from_chars(text.data() + first, end, value);
    if (error != std::errc{} || stop != end) return std::nullopt;
    if (value < std::numeric_limits<i16>::min() || value > std::numeric_limits<i16>::max()) return std::nullopt;
    return static_cast<i16>(value);
}

namespace {

std::string NotAnInteger(const char* field, const char* caption, const std::string& text) {
    return std::string("В поле «") + caption + "» (" + field +
           ") должно быть целое число от -32768 до 32767, а в нем «" + text + "». Игра не запущена.";
}

}  // namespace

LaunchStep ReadAnimPeriods(Game& game, const std::string& sfps2, const std::string& sfps3) {
    const std::optional<i16> slow = ParseSettingInteger(sfps2);
    if (!slow) return {false, NotAnInteger("SFPS2", "Частота мерцания малокадровой графики", sfps2)};
    const std::optional<i16> twoFrame = ParseSettingInteger(sfps3);
    if (!twoFrame) return {false, NotAnInteger("SFPS3", "Частота мерцания двухкадровой графики", sfps3)};
    game.SlowAnimPeriod = *slow;
    game.TwoFrameAnimPeriod = *twoFrame;
    return {};
}

void SetLaunchPlayer(Game& game) {
    for (int p = 1; p <= game.Players.Count; ++p)
        if (game.Players.Table[p].Joined == 1 && IsPlayer(game, game.CurrentPlayer)) return;
    game.CurrentPlayer = 1;
}

namespace {

// A cell the first click may land the base on: shown by the landing mask,
// plain land, and not another player's.
bool AnyLandingCell(const Game& game) {
    for (int c = 1; c <= game.World.MapWidth; ++c)
        for (int r = 1; r <= game.World.MapHeight; ++r)
            if (game.Map(c, r).Layers[kLayerTerrain].show != 0 && game.World.Passability(c, r) == kPassLand &&
                !CellOfAnotherPlayer(game, c, r))
                return true;
    return false;
}

}  // namespace

std::string OverShareMessage(const Game& game) {
    return "Отмечено секторов: " + std::to_string(ClaimedSectorCount(game)) + ", а каждому из " +
           std::to_string(game.Players.Count) + " игроков можно не больше " + std::to_string(SectorShare(game)) +
           ". Снимите лишние отметки.";
}

LaunchStep ApplyLandingSectors(Game& game, bool checkBox2) {
    // Players keep apart by their sectors: with several, every one claims some.
    const bool several = SeveralPlayers(game);
    if (several) checkBox2 = true;
    game.UseLandingSectors = checkBox2 ? 1 : 0;
    ShowLandingArea(game, checkBox2);
    if (!checkBox2) return {};
    if (ClaimedSectorCount(game) == 0) return {false, several ? kSectorsRequiredMessage : kNoSectorsMessage};
    if (ClaimedSectorCount(game) > SectorShare(game)) return {false, OverShareMessage(game)};
    // Otherwise no click on the map would ever be taken for the base.
    if (!AnyLandingCell(game)) return {false, kNoLandInSectorsMessage};
    return {};
}

void ApplyLaunchChoices(Game& game, int terrainSet, int clan) {
    game.World.TerrainSet = static_cast<u8>(terrainSet);
    CurrentPlayerEntry(game).PlayerClan = static_cast<u8>(clan);
    game.ViewSettings.ShowGeology = 0;
    game.ViewSettings.ShowGrid = 0;
    game.ViewSettings.Overlays = {};
}

void MarkViewForFirstFrame(Game& game) {
    game.MinimapDirty = 1;
    game.ViewChanged = 1;
}

}  // namespace tarq
