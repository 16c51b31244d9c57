#include "net/ReceivedTurn.h"

#include "gamefile/GameFile.h"

namespace tarq::net {

Acceptance CheckReceivedTurn(const QByteArray& file, const TurnPointer& pointer) {
    const ParsedGameFile parsed = ParseGameFile(file);
    if (!parsed.contents) return {false, GameFileMessage(parsed.problem, pointer.fileName(), parsed.detail)};
    if (parsed.contents->Turn != pointer.turn || parsed.contents->CurrentPlayer != pointer.player)
        return {false, QStringLiteral("В файле «%1» ход %2 игрока %3, а не тот, что назван.")
                           .arg(pointer.fileName())
                           .arg(parsed.contents->Turn)
                           .arg(parsed.contents->CurrentPlayer)};
    return {true, {}};
}

}  // namespace tarq::net
