// The check every turn file fetched from a game's place passes before this
// machine keeps it or shows it: the one place where a received file is judged.
#pragma once

#include <QByteArray>
#include <QString>

#include "net/TurnLayout.h"

namespace tarq::net {

struct Acceptance {
    bool accepted = false;
    QString reason;  // why not, in Russian
};

// Whether `file`, which matches `pointer`'s size and hash, is a game file this
// program takes whole, at the turn and player its name and the pointer give.
Acceptance CheckReceivedTurn(const QByteArray& file, const TurnPointer& pointer);

}  // namespace tarq::net
