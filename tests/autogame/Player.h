// The random player: from one seed, a sequence of games, each set up by its
// players on the new-game page, started, landed and played on the map, all
// by orders: what a click, a right press or the pointer over a waiting site
// means comes from the engine's interpreters, and menu items carry their
// orders. Now and then an order no player could give (another player's, out
// of range, any bytes) is tried too. Every choice comes from the player's own
// generator and the state it sees, so a seed always plays the same actions.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "Driver.h"

namespace tarq::autogame {

class Player {
public:
    // `players`: how many players each game has; 0 for one to three at random.
    explicit Player(std::uint64_t seed, int players = 0);

    // One action (an order, or several for one gesture); returns what it did, for the trace.
    std::string Step();

    // From now on the player plays `game`, a game read from a file, opened
    // on the map; its choices start again from `seed`.
    void OpenGame(std::uint64_t seed, std::unique_ptr<Game> game);

    const Driver& driver() const { return *driver_; }
    Driver& driver() { return *driver_; }
    // A save and load between actions: what went wrong, empty when nothing did.
    std::string SaveAndLoad() { return driver_->SaveAndLoad(); }
    // What went wrong since the last call: a check of the driver, or a save
    // and load the player made.
    std::string TakeTrouble();
    int gamesStarted() const { return games_; }
    // What the orders did in all the games so far, by kind.
    std::map<std::string, long> Events() const;

private:
    void NewGame();
    Order Mine(Command command) const { return {driver_->game().CurrentPlayer, command}; }
    std::string SetupAction();
    std::string ClaimSectors();
    std::string StartAction();
    std::string MenuAction();
    std::string MapAction();
    std::string ClickCell(int col, int row);
    std::string PathClicks();
    std::string RightPress();
    // An own armed object fires at an enemy it reaches, when one does.
    std::string Attack();
    std::string Advance(int start);
    std::string MovePointer();
    std::string ViewAction();
    std::string Ticks();
    std::string Stray();
    std::string SaveAndLoadNow(const char* when);
    // A cell worth clicking: an object, a neighbour of the selection, an exit
    // cell, a land cell for the base, or anywhere around the map.
    void PickCell(int& col, int& row);

    int Below(int n) { return n > 0 ? static_cast<int>(rng_() % static_cast<std::uint64_t>(n)) : 0; }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

    std::mt19937_64 rng_;
    int players_;
    std::unique_ptr<Driver> driver_;
    std::map<std::string, long> pastEvents_;  // of the games ended
    int games_ = 0;
    int setupLeft_ = 0;  // setup actions before the next press of "Старт"
    int gameLeft_ = 0;   // actions before this game ends and a new one begins
    bool wasOnMap_ = false;
    std::string trouble_;
};

}  // namespace tarq::autogame
