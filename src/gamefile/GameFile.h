// Game files (.tarq): saving a game, reading one back without trusting a
// byte of it, and the messages the player gets when a file is refused.
//
// A file is a fixed 28-byte header (magic, format version, flags, body sizes,
// checksums) and a body of sections compressed with zlib; GameFileFormat.h
// has the layout. Reading checks the header, the sizes and the checksums
// before anything large is allocated, then every value against its range,
// and builds a fresh game only when everything passed: the caller swaps it
// in, so a refused file leaves the current game exactly as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "core/GameState.h"
#include "gamefile/GameFileContents.h"
#include "gamefile/SafeWrite.h"

namespace tarq {

inline constexpr char kGameFileSuffix[] = ".tarq";

enum class GameFileProblem {
    None,
    CannotOpen,    // the file cannot be opened or read
    NotAGameFile,  // no game-file magic at its start
    NewerVersion,  // a format version this program does not know yet
    Damaged,       // a checksum, a size or a value is wrong
    Truncated,     // the file ends before its header or body does
    CannotWrite,   // saving failed; any earlier file of that name is intact
};

// The parsed and checked contents of a file, or what is wrong with it: the
// first stage of reading, before any game is built. It allocates only in
// proportion to its input (bounded by the format's limits) and does no work
// that does not depend on the input.
struct ParsedGameFile {
    std::unique_ptr<GameFileContents> contents;  // set exactly when problem is None
    GameFileProblem problem = GameFileProblem::None;
    QString detail;  // what exactly is wrong, in Russian, for the message
};
ParsedGameFile ParseGameFile(const QByteArray& bytes);

// Whether `game` has a map a file can hold: one of 50..500 cells a side, as
// every generated map has. Before the first generation there is nothing to save.
bool HasSavableMap(const Match& game);

// The bytes of a game file holding the match and the view of `game`, which
// HasSavableMap.
QByteArray WriteGameFile(const Game& game);

// A loaded game, or the problem and the player's message naming the file.
struct LoadedGame {
    std::unique_ptr<Game> game;
    GameFileProblem problem = GameFileProblem::None;
    QString message;
    explicit operator bool() const { return game != nullptr; }
};

// ParseGameFile followed by BuildGame with `user`'s preferences, then the
// links the game cannot derive (CheckLinks) and every invariant of the game
// checked: a game that breaks one is refused too. `fileName` names the file
// in messages.
LoadedGame ReadGameFile(const QByteArray& bytes, const QString& fileName, const Preferences& user = {});

// Reads the file at `path` (at most the largest size a game file can have).
LoadedGame LoadGameFile(const QString& path, const Preferences& user = {});

struct SavedGameFile {
    GameFileProblem problem = GameFileProblem::None;
    QString message;  // empty on success
    QString cause;    // the reason alone, for messages that name another file
    gamefile::WriteFailure failure = gamefile::WriteFailure::None;
    explicit operator bool() const { return problem == GameFileProblem::None; }
};

// Writes `bytes` to `path` (gamefile::StagedFile): the new file is written,
// flushed and read back beside it and then takes the name, so afterwards
// either the whole new file is there or the earlier one is untouched.
SavedGameFile WriteFileAtomically(const QByteArray& bytes, const QString& path);

// The file bytes of `game`, or the failure with its cause when it has no map
// yet or would be written into a file that ReadGameFile refuses.
struct GameFileBytes {
    QByteArray bytes;
    gamefile::WriteFailure failure = gamefile::WriteFailure::None;
    QString cause;
};
GameFileBytes SavableGameFile(const Game& game);

// SavableGameFile written to `path` by WriteFileAtomically.
SavedGameFile SaveGameFile(const Game& game, const QString& path);

// The player's message for a refused file.
QString GameFileMessage(GameFileProblem problem, const QString& fileName, const QString& detail);

}  // namespace tarq
