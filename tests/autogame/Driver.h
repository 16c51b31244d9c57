// The autogame's table: the game and the orders a player gives it, and what a
// player sees of it: the command menu an order opened and the frames drawn
// with stand-in pictures. Orders are the only way in; besides them time
// passes (the animation) and the surface changes its size, as on screen.
// It checks the game as it goes: after every round the round's log, replayed
// from the state the round began with, must reach the game's state, and a
// game saved and read back must be the game it was.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "control/CommandMenu.h"
#include "core/GameState.h"
#include "orders/Outcome.h"
#include "view/Animation.h"
#include "view/BackBuffer.h"
#include "view/ImageList.h"
#include "view/Renderer.h"

namespace tarq::autogame {

class Driver {
public:
    // `seeds` stands for the clock the window's random source reads.
    explicit Driver(std::function<std::uint32_t()> seeds);

    const Game& game() const { return *game_; }
    // A fresh seed, as the window takes one for a map.
    std::uint32_t Seed() { return seeds_(); }

    // The order carried out and its outcome taken in: an opened menu is kept,
    // a frame drawn, the outcome counted; the end of a round checks its replay.
    Outcome Submit(const Order& order);
    // `command` as an order of the player whose turn it is.
    Outcome Submit(Command command);

    // Time passes on the map: the animation and a frame.
    void Tick(int elapsedMs);
    // The drawing surface takes a new size (device pixels).
    void Resize(int width, int height);

    // A game read from a file takes the running one's place, as a load from
    // the welcome page does: shown on a surface of `width` x `height`.
    void OpenGame(std::unique_ptr<Game> loaded, int width, int height);

    // The game saved to a file's bytes and read back into a fresh game, which
    // takes the running one's place as a loaded game does. Empty when all
    // went well; otherwise what went wrong.
    std::string SaveAndLoad();
    // What a check found wrong since the last call (a replayed round).
    std::string TakeTrouble();

    // Whether the player on show is on the map (not on the new-game page).
    bool onMap() const { return onMap_; }
    int surfaceWidth() const { return width_; }
    int surfaceHeight() const { return height_; }
    bool matchStarted() const;

    std::optional<CommandMenu> menu;     // the command menu an order opened, until the next order
    std::map<std::string, long> events;  // orders, refusals and checks by kind, for the figures

private:
    void TakeLoadedGame(std::unique_ptr<Game> loaded);
    void TakeRoundStart(bool beforeJoin = false);
    std::string CheckRound();
    void ShowMap();
    void Draw();

    std::unique_ptr<Game> game_;
    std::function<std::uint32_t()> seeds_;
    std::unique_ptr<Game> roundStart_;  // the game as the current round began
    std::size_t roundFrom_ = 0;         // the log entry the round began at
    bool checkable_ = false;            // the log keeps the round's orders
    std::string trouble_;
    long submitted_ = 0;  // match commands submitted
    bool onMap_ = false;
    int width_ = 400, height_ = 300;
    ImageList images_;
    Bitmap palette_;
    BackBuffer back_;
    FrameCache frameCache_;
    AnimationClock clock_;
};

}  // namespace tarq::autogame
