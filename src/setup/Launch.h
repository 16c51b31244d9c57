// The steps of the start button that are not widget work: reading the
// animation periods, the landing-sector mask and its refusal, the terrain set
// and clan, and the flags that start play. The window runs them in order
// between its own steps (display options, generation, graphics, view, pages).
#pragma once

#include <optional>
#include <string>

#include "core/GameState.h"

namespace tarq {

// The game state's values when the program starts, before any page shows
// them: the world and the catalogue (InitData), a new game id and the first
// turn, the starting kit, no credits, player 1 without a clan, no map,
// connectors shown, the settings page's animation periods and the zoom bar at
// 15, the mouse and click state at rest.
void SetStartValues(Game& game);

// A new game's id from two seeds of the random source's seed source (the
// clock in the window); never 0. The source is reseeded.
std::uint64_t NewGameId(RandomSource& rng);

inline constexpr const char* kNoSectorsMessage = "Как насчет задать сектора для высадки?";
inline constexpr const char* kSectorsRequiredMessage =
    "Когда игроков несколько, каждый задает сектора для высадки: отметьте свои на карте справа.";
inline constexpr const char* kNoLandInSectorsMessage =
    "В отмеченных секторах нет суши, куда могла бы высадиться база. Отметьте другие сектора.";
// The refusal of a player holding more sectors than their share.
std::string OverShareMessage(const Game& game);

// Result of a step that can stop the launch; `message` is for the player.
struct LaunchStep {
    bool ok = true;
    std::string message;
};

// A whole decimal integer with an optional sign, surrounding blanks allowed,
// within the 16-bit range of the periods; nothing otherwise.
std::optional<i16> ParseSettingInteger(const std::string& text);

// SlowAnimPeriod from SFPS2 and TwoFrameAnimPeriod from SFPS3. Text that is not
// an integer stops the launch with a message naming the field; nothing is
// written then.
LaunchStep ReadAnimPeriods(Game& game, const std::string& sfps2, const std::string& sfps3);

// CurrentPlayer := 1, the first player of a new game. A game some player has
// already joined keeps its current player: they are the one who joins now.
void SetLaunchPlayer(Game& game);

// The landing-sector step and its refusal. With `checkBox2` unchecked the
// sectors do not count and every map cell's layer 1 is shown. With it checked
// layer 1 is shown exactly on the cells whose sector the player marked
// (non-zero, and not taken by another player) and hidden elsewhere, including
// the last column and row; the launch is refused when no sector holds 1
// (kNoSectorsMessage, or with several players kSectorsRequiredMessage), when
// the player holds more than their share of sectors (the number of players
// changed after claiming), and when the shown cells hold no plain land free of
// other players (kNoLandInSectorsMessage), where no base could ever land. The
// mask is recomputed on every press, so marking sectors after a refusal makes
// the next press work. In a game of several players the sectors always count.
LaunchStep ApplyLandingSectors(Game& game, bool checkBox2);

// The clans of the clan list, numbered from 0.
inline constexpr int kClanCount = 7;

// TerrainSet from Ttype's item index, PlayerClan from ComboBox1's; overlays off.
void ApplyLaunchChoices(Game& game, int terrainSet, int clan);

// Last step: the renderer rebuilds the minimap and syncs the view controls.
void MarkViewForFirstFrame(Game& game);

}  // namespace tarq
