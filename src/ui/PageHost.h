// What a page may ask of the window that holds it. Pages never reach into one
// another's controls: what crosses pages goes through the game state, through
// this interface, or through a page's signals, which the window connects.
#pragma once

#include <QString>
#include <filesystem>

#include "core/Bitmap.h"
#include "core/Command.h"
#include "core/GameState.h"
#include "orders/Outcome.h"

namespace tarq {

class CursorSet;
class RandomSource;

class PageHost {
public:
    // The game state. Ask for it each time: a loaded game may replace it.
    virtual Game& game() = 0;
    // The game's working folder (where graph/ lies).
    virtual const std::filesystem::path& workDir() const = 0;
    // The window's own random source (the clock behind it), for the seeds of
    // the maps the player asks for.
    virtual RandomSource& random() = 0;
    // The one way anything a page does reaches the game: the order is carried
    // out (or refused) and the window shows its outcome; the page shows what
    // is its own (its lists, labels and refusals) from the returned value.
    virtual Outcome Submit(const Order& order) = 0;
    // `command` as an order of the player on show.
    Order Mine(Command command) { return {game().CurrentPlayer, std::move(command)}; }
    virtual const CursorSet& cursors() const = 0;
    // The terrain colour strip made at start, one pixel per terrain code.
    virtual const Bitmap& terrainStrip() const = 0;
    // Every message the player must see goes through here.
    virtual void ShowMessage(const QString& text, MessageWeight weight) = 0;
    void ShowMessage(const QString& text) { ShowMessage(text, MessageWeight::Note); }
    // A setting of the settings page, or a new-game choice, has changed in the
    // game state: the window keeps it for the next run.
    virtual void SettingsChanged() = 0;
    virtual void NewGameChoicesChanged() = 0;

protected:
    ~PageHost() = default;
};

}  // namespace tarq
