// How a game's turns lie in its place (a shared folder or a WebDAV folder):
//
//   <place>/<game id>/turn-<n>-player-<p>.tarq   the game as player p begins turn n
//   <place>/<game id>/current                    which of them is the latest
//
// Every END TURN adds a new turn file and never replaces one, so the whole
// history stays in the place and a turn file, once there, never changes under
// a reader. The small pointer `current` is the one file that is replaced: it
// is what players poll (a few dozen bytes, or nothing at all when the server
// answers "not modified"), and replacing it is the single step that commits a
// turn, guarded by its ETag, so two players can never both commit. A turn
// file is always complete before the pointer names it; the pointer carries
// its size and SHA-256, so a file that a sync service has copied only in part
// is recognised and waited for, never taken.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarq::net {

inline constexpr char kPointerName[] = "current";

// The latest turn as the pointer names it.
struct TurnPointer {
    int turn = 0;
    int player = 0;
    qint64 size = 0;
    QByteArray sha256;  // lowercase hex of the turn file's SHA-256
    QString fileName() const;
    bool operator==(const TurnPointer&) const = default;
};

// "turn-<n>-player-<p>.tarq".
QString TurnFileName(int turn, int player);

// The pointer of the turn file `bytes`, the game at player `player`'s turn `turn`.
TurnPointer PointerFor(const QByteArray& bytes, int turn, int player);

// The pointer file: "tarq-turn 1" and one "key value" line each for turn,
// player, size and sha256.
QByteArray EncodePointer(const TurnPointer& pointer);
// Nothing for bytes that are not a whole pointer with sensible values (a
// half-synced or foreign file).
std::optional<TurnPointer> DecodePointer(const QByteArray& bytes);

// Whether `bytes` are the file the pointer names: its size and its SHA-256.
bool MatchesPointer(const QByteArray& bytes, const TurnPointer& pointer);

// A fresh game id: 16 random bytes in lowercase hex, safe in any file name and URL.
QString NewGameId();
// Whether `id` could be a game id: 4..64 of a-z, 0-9 and '-', so a pasted
// id never leaves its folder.
bool ValidGameId(const QString& id);

}  // namespace tarq::net
