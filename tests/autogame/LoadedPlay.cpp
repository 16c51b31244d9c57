#include "LoadedPlay.h"

#include "core/Invariants.h"
#include "gamefile/GameFile.h"
#include "gamefile/GameFileChecks.h"
#include "gamefile/GameFileLinks.h"
#include "setup/Players.h"

namespace tarq::autogame {

namespace {

// The first frames drawn, as when the window shows a game: what the drawing
// takes from the file is always used.
void DrawFrames(Driver& driver) {
    for (int tick = 0; tick < 3; ++tick) driver.Tick(kAnimationStepMs);
}

// After `action`: the invariants hold, and a file saved now (an autosave,
// say) would hold values and links the reader accepts. Empty when so.
std::string Broken(const Player& player, const std::string& action) {
    const Game& game = player.driver().game();
    if (const Violations broken = CheckInvariants(game); !broken.empty()) return action + ": " + broken.front();
    if (const Violations broken = CheckSight(game); !broken.empty()) return action + ": " + broken.front();
    QString refused = CheckContents(*ContentsOf(game));
    if (refused.isEmpty()) refused = CheckLinks(game);
    return refused.isEmpty() ? std::string() : action + ": a file saved now is refused: " + refused.toStdString();
}

}  // namespace

std::string PlayLoadedGame(Player& player, std::unique_ptr<Game> game, std::uint64_t seed, int actions) {
    player.OpenGame(seed, std::move(game));
    DrawFrames(player.driver());
    std::string last = "the first frames";
    if (std::string broken = Broken(player, last); !broken.empty()) return broken;
    for (int n = 0; n < actions && !JoiningPlayer(player.driver().game()); ++n) {
        last = player.Step();
        if (const std::string trouble = player.TakeTrouble(); !trouble.empty()) return last + ": " + trouble;
        if (std::string broken = Broken(player, last); !broken.empty()) return broken;
    }
    // The play ends with END TURN (where the click mode allows it): what the
    // end of the turn takes from the file is always in the file saved then.
    player.driver().Submit(cmd::EndTurn{});
    DrawFrames(player.driver());
    last = "the last END TURN";
    if (std::string broken = Broken(player, last); !broken.empty()) return broken;
    const QByteArray bytes = WriteGameFile(player.driver().game());
    const LoadedGame again = ReadGameFile(bytes, QStringLiteral("played.tarq"));
    if (!again) return "after " + last + ", the game saves into a file it refuses: " + again.message.toStdString();
    if (WriteGameFile(*again.game) != bytes) return "after " + last + ", the game read back saves to other bytes";
    return {};
}

}  // namespace tarq::autogame
