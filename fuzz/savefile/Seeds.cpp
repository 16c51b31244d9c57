// Writes the seed corpus of fuzz_savefile into the folder named on the
// command line: saves of the autogame's random player on small maps, one at
// each new stage of its games (launched, the base landed, a site being
// placed, an exit being chosen, ready markers, each count of objects), each
// in both forms the target reads (Target.cpp): the file as the game writes
// it, and its body; and each body again with a command log holding every
// kind of match order, so the log's decoding starts from every command.
//
//   savefile_seeds FOLDER
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <set>
#include <tuple>

#include "Player.h"
#include "core/CommandCodec.h"
#include "core/World.h"
#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"

namespace {

constexpr int kPlayers = 4;
constexpr long kActions = 6000;
constexpr std::size_t kMostSaves = 40;
// Small maps keep the inputs short: scripts/fuzz.sh caps them at 64 KiB,
// the form's byte included.
constexpr int kLargestSide = 100;
constexpr qsizetype kLargestInput = 64 * 1024 - 1;

// Writes `form` and `bytes` under a name of their own; one too long to fuzz is left out.
bool Write(const QDir& folder, char form, const QByteArray& bytes) {
    if (bytes.size() > kLargestInput) return true;
    const QByteArray input = form + bytes;
    const QString name = QString::fromLatin1(QCryptographicHash::hash(input, QCryptographicHash::Sha1).toHex());
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(input) == input.size();
}

// Every kind of match order once, by player 1 in the first turn, each field 0x0101...
void LogEveryOrderKind(tarq::GameFileContents& c) {
    for (std::size_t kind = 0; kind < tarq::kCommandIndex<tarq::cmd::Select>; ++kind) {
        std::vector<std::uint8_t> bytes = {1, static_cast<std::uint8_t>(kind)};
        bytes.resize(64, 1);
        tarq::Order order;
        std::size_t pos = 0;
        if (tarq::DecodeOrder(bytes.data(), bytes.size(), pos, order)) c.Log.push_back({1, order});
    }
}

// What tells the stages of a game apart.
std::tuple<int, int, int, int, int> Stage(const tarq::Game& g) {
    int objects = 0;
    for (int slot = 1; slot <= tarq::kMaxObjects; ++slot) objects += tarq::SlotInUse(g.Object(slot)) ? 1 : 0;
    return {g.World.MapWidth, CurrentPlayerEntry(g).BasePlaced, g.ClickMode, g.ReadyLayerOn, objects};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    std::set<std::tuple<int, int, int, int, int>> saved;
    for (int seed = 1; seed <= kPlayers && saved.size() < kMostSaves; ++seed) {
        tarq::autogame::Player player(static_cast<std::uint64_t>(seed));
        for (long action = 1; action <= kActions && saved.size() < kMostSaves; ++action) {
            player.Step();
            const tarq::Game& game = player.driver().game();
            if (!tarq::HasSavableMap(game) || game.World.MapWidth > kLargestSide ||
                game.World.MapHeight > kLargestSide || !saved.insert(Stage(game)).second)
                continue;
            const QByteArray file = tarq::WriteGameFile(game);
            const std::unique_ptr<tarq::GameFileContents> logged = tarq::ContentsOf(game);
            LogEveryOrderKind(*logged);
            if (!Write(folder, '\0', file) || !Write(folder, '\1', tarq::gamefile::UnwrapBody(file).body) ||
                !Write(folder, '\1', tarq::gamefile::EncodeBody(*logged)))
                return 1;
        }
    }
    std::printf("savefile_seeds: %zu saves at stages of games\n", saved.size());
    return saved.empty() ? 1 : 0;
}
