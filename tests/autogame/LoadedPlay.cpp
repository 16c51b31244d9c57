#include "LoadedPlay.h"

#include "core/Invariants.h"
#include "gamefile/GameFile.h"
#include "setup/Players.h"

namespace tarq::autogame {

std::string PlayLoadedGame(Player& player, std::unique_ptr<Game> game, std::uint64_t seed, int actions) {
    player.OpenGame(seed, std::move(game));
    std::string last = "opened";
    for (int n = 0; n < actions && !JoiningPlayer(player.window().game()); ++n) {
        last = player.Step();
        if (const std::string trouble = player.TakeTrouble(); !trouble.empty()) return last + ": " + trouble;
        if (const Violations broken = CheckInvariants(player.window().game()); !broken.empty())
            return last + ": " + broken.front();
    }
    const QByteArray bytes = WriteGameFile(player.window().game());
    const LoadedGame again = ReadGameFile(bytes, QStringLiteral("played.tarq"));
    if (!again) return "after " + last + ", the game saves into a file it refuses: " + again.message.toStdString();
    if (WriteGameFile(*again.game) != bytes) return "after " + last + ", the game read back saves to other bytes";
    return {};
}

}  // namespace tarq::autogame
