// The random player: from one seed, a sequence of games, each set up on the
// new-game pages, launched, landed and played with random gestures on the
// map page. Every choice comes from the player's own generator and the state
// it sees, so a seed always plays the same actions.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include "WindowModel.h"

namespace tarq::autogame {

class Player {
public:
    explicit Player(std::uint64_t seed);

    // One action (a gesture: a click is press, moves and release); returns
    // what it did, for the trace.
    std::string Step();

    // From now on the player plays `game`, a game read from a file, opened
    // in its window; its choices start again from `seed`.
    void OpenGame(std::uint64_t seed, std::unique_ptr<Game> game);

    const WindowModel& window() const { return *window_; }
    WindowModel& window() { return *window_; }
    // A save and load between actions: what went wrong, empty when nothing did.
    std::string SaveAndLoad() { return window_->SaveAndLoad(); }
    // What went wrong with a save and load the player made in its last action.
    std::string TakeTrouble() { return std::exchange(trouble_, {}); }
    int gamesStarted() const { return games_; }
    // What the engine did in all the games so far, by kind.
    std::map<std::string, long> Events() const;

private:
    struct Point {
        int x = 0, y = 0;
    };

    void NewWindow();
    std::string SetupAction();
    std::string LaunchAction();
    std::string MenuAction();
    std::string MapAction();
    std::string Click(Point p);
    std::string ClickCell(int col, int row);
    std::string RightPress();
    std::string MoveMouse();
    std::string ViewAction();
    std::string PageAction();
    std::string Ticks();

    // Where on the surface the cell lies, centring the view on it first
    // through the minimap when it is off the surface.
    Point PixelOf(int col, int row);
    Point AnyPixel();
    // A cell worth clicking: an object, a neighbour of the selection, an exit
    // cell, a land cell for the base, or anywhere around the map.
    void PickCell(int& col, int& row);
    void RandomiseMapControls();

    int Below(int n) { return n > 0 ? static_cast<int>(rng_() % static_cast<std::uint64_t>(n)) : 0; }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

    std::mt19937_64 rng_;
    std::unique_ptr<WindowModel> window_;
    std::map<std::string, long> pastEvents_;  // of the windows closed
    int games_ = 0;
    int setupLeft_ = 0;  // setup actions before the next press of the start button
    int gameLeft_ = 0;   // actions before this game ends and a new window opens
    std::string trouble_;
};

}  // namespace tarq::autogame
