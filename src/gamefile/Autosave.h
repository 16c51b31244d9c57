// Autosaves: after every END TURN and when the player quits, the game goes to
// its newest autosave in the saves folder and its earlier autosaves move one
// place down, kAutosaveCount kept. Each game keeps its own (the game id is in
// their names), so a game started and left does not push out another's; a
// game where no player has landed yet is not saved at all. The new file is
// written and checked completely before any earlier one moves, so a write
// that fails leaves every earlier file as it was; it is reported once, until
// a write succeeds again, and the game goes on either way.
#pragma once

#include <QString>
#include <cstdint>

#include "core/GameState.h"

namespace tarq {

// <XDG data home>/tarq/saves ($XDG_DATA_HOME, else ~/.local/share). Not created here.
QString SavesFolder();

// autosave-<game id in 16 hex digits>-n.tarq, n = 1 (newest) .. kAutosaveCount.
inline constexpr int kAutosaveCount = 3;
QString AutosaveFileName(std::uint64_t gameId, int n);

// Whether a player of the game has landed their base: before that there is
// nothing of the game to keep.
bool SomeoneLanded(const Match& game);

class Autosave {
public:
    explicit Autosave(QString folder = SavesFolder()) : folder_(std::move(folder)) {}

    struct Result {
        bool written = false;
        QString message;  // to show now: set for the first failure after a success only
        QString path;     // the newest autosave, when written
    };
    // A game without a map yet, or where no one has landed, is nothing to
    // save: nothing is written or reported.
    Result Write(const Game& game);

    const QString& folder() const { return folder_; }

private:
    Result Fail(const QString& newest, const QString& cause);

    QString folder_;
    bool failureReported_ = false;
};

}  // namespace tarq
