// The one entry point through which anything changes the match: the window,
// the tests, the autogame, the monkey, replays and a computer player all
// submit orders here. Check holds every rule (whose turn it is, whose object,
// what the click mode allows, what the object can do); Execute runs Check,
// then the order, logs an accepted match command and says what happened.
#pragma once

#include <string>

#include "core/Command.h"
#include "core/GameState.h"
#include "orders/Outcome.h"

namespace tarq {

struct Verdict {
    bool accepted = true;
    std::string reason;  // for the player; empty for an order ignored silently

    static Verdict Yes() { return {}; }
    static Verdict No(std::string why = {}) { return {false, std::move(why)}; }
};

// Whether the match has begun: from the first "Старт" on (in a game saved
// before the starts were kept, from the first landing on). From then on the
// game's own setup is closed and every accepted match command is logged.
bool MatchStarted(const Game& game);

// Whether `order` would be accepted now, and why not. Changes nothing.
Verdict Check(const Game& game, const Order& order);

// Checks and carries out `order`. A refused order changes nothing. Where the
// whole work decides (a landing that finds no room, a site with no place),
// an order Check accepted may still be refused by its handler, which then
// has changed nothing either; only accepted match commands are logged.
// A player's order keeps an undo point at their turn's first order; an order
// run again from a log (ExecuteMode::Replay) does not: a replay is never
// undone order by order, and copying the match would be most of its cost.
enum class ExecuteMode { Play, Replay };
Outcome Execute(Game& game, const Order& order, ExecuteMode mode = ExecuteMode::Play);

}  // namespace tarq
