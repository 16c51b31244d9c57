// The two layers of a game file: the container (header, compression,
// checksums) and the body (sections of the contents). See GameFileFormat.h.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "gamefile/GameFile.h"
#include "gamefile/GameFileContents.h"
#include "gamefile/GameFileFormat.h"

namespace tarq::gamefile {

// The body of `contents` (in the newest format) and the whole file around a
// body of format `version`. Saves deflate it; a stored body (header flag 0)
// reads the same way, which lets a fuzzer of the reader change the body's
// bytes directly.
enum class BodyStorage { Deflated, Stored };
QByteArray EncodeBody(const GameFileContents& contents);
QByteArray WrapBody(const QByteArray& body, BodyStorage storage = BodyStorage::Deflated,
                    std::uint16_t version = kGameFileVersion);

// The inflated body of a file, or what is wrong with the container.
struct Unwrapped {
    QByteArray body;
    std::uint16_t version = 0;  // the format version of the header
    GameFileProblem problem = GameFileProblem::None;
    QString detail;
};
Unwrapped UnwrapBody(const QByteArray& file);

// The contents of a body, their sizes checked before anything is allocated
// (their values are checked by CheckContents); null with `error` set when the
// body is not a well-formed body of format `version`. A version-1 body gives
// a game of one player; the current player's values of a version-1 or -2
// body go into their entry of the players' table.
std::unique_ptr<GameFileContents> DecodeBody(const QByteArray& body, QString& error,
                                             std::uint16_t version = kGameFileVersion);

}  // namespace tarq::gamefile
