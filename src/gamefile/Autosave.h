// Autosaves: after every END TURN and when the player quits, the game goes to
// autosave-1.tarq in the saves folder and the earlier autosaves move to -2
// and -3. A write that fails leaves every earlier file as it was and is
// reported once, until a write succeeds again; the game goes on either way.
#pragma once

#include <QString>

#include "core/GameState.h"

namespace tarq {

// <XDG data home>/tarq/saves ($XDG_DATA_HOME, else ~/.local/share). Not created here.
QString SavesFolder();

// autosave-n.tarq, n = 1 (newest) .. kAutosaveCount.
inline constexpr int kAutosaveCount = 3;
QString AutosaveFileName(int n);

class Autosave {
public:
    explicit Autosave(QString folder = SavesFolder()) : folder_(std::move(folder)) {}

    struct Result {
        bool written = false;
        QString message;  // to show now: set for the first failure after a success only
    };
    // Writes the new file completely before any earlier one moves. A game
    // without a map yet is nothing to save: nothing is written or reported.
    Result Write(const Game& game);

    const QString& folder() const { return folder_; }

private:
    Result Fail(const QString& message);

    QString folder_;
    bool failureReported_ = false;
};

}  // namespace tarq
