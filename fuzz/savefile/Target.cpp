// Fuzz target: a game file as the game reads it, and the game playing on
// what it accepts. The first byte of the input says what the rest is: even, a
// whole file as it lies on disk (the header, its checksums, the inflating);
// odd, a body, which the target puts in a sound header with the body stored,
// so that changed bytes reach the sections and the value checks instead of
// stopping at a checksum. Bits 1 and 2 of an odd first byte give the body's
// format: 1 or 2, the older ones (0x03, 0x05), else the newest (0x01, 0x07).
// The seeds (Seeds.cpp) hold the same saves in both forms, and bodies whose
// command log holds every kind of order.
//
// What the game must keep: a file is either refused, with its cause, or
// accepted; what it accepts the writer writes back into a body that reads
// again to the same contents; and an accepted game, played on for a few
// actions by the autogame's random player with the invariant checker after
// each, saves into a file the reader accepts again (LoadedPlay.h).
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "LoadedPlay.h"
#include "gamefile/GameFile.h"
#include "gamefile/GameFileChecks.h"
#include "gamefile/GameFileCodec.h"

namespace {

using tarq::GameFileProblem;

// Actions played on each accepted game: enough for an END TURN, a click or
// two with the menu they open and a construction order, few enough to keep
// the rate up.
constexpr int kActions = 12;

// The checks of what the game promises: they are not under test, so the
// coverage the fuzzer steers by leaves them out.
#if defined(__clang__)
#define TARQ_NOT_STEERING __attribute__((no_sanitize("coverage")))
#else
#define TARQ_NOT_STEERING
#endif

TARQ_NOT_STEERING void Fault(const std::string& what) {
    std::fprintf(stderr, "fuzz_savefile: %s\n", what.c_str());
    std::abort();
}

TARQ_NOT_STEERING void CheckRefusal(GameFileProblem problem, const QString& message) {
    if (problem == GameFileProblem::None || problem == GameFileProblem::CannotWrite)
        Fault("a refusal without a problem");
    if (message.isEmpty()) Fault("a refusal without a message");
}

TARQ_NOT_STEERING void CheckWrittenBack(const tarq::GameFileContents& contents) {
    const QByteArray body = tarq::gamefile::EncodeBody(contents);
    QString error;
    const auto again = tarq::gamefile::DecodeBody(body, error);
    if (!again || !error.isEmpty() || !tarq::CheckContents(*again).isEmpty()) Fault("written contents are refused");
    if (tarq::gamefile::EncodeBody(*again) != body) Fault("written contents read back differently");
}

// The window and its player are made once; each accepted game takes the
// place of the last.
tarq::autogame::Player& ThePlayer() {
    static tarq::autogame::Player player(1);
    return player;
}

// The player's choices follow the input, so an input always plays the same.
std::uint64_t SeedOf(const QByteArray& bytes) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const QByteArray rest =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const std::uint16_t older = static_cast<std::uint16_t>((data[0] >> 1) & 3);
    const std::uint16_t version = older == 1 || older == 2 ? older : tarq::gamefile::kGameFileVersion;
    const QByteArray file =
        (data[0] & 1) != 0 ? tarq::gamefile::WrapBody(rest, tarq::gamefile::BodyStorage::Stored, version) : rest;
    const tarq::ParsedGameFile parsed = tarq::ParseGameFile(file);
    if (parsed.contents) CheckWrittenBack(*parsed.contents);
    tarq::LoadedGame loaded = tarq::ReadGameFile(file, QStringLiteral("fuzz.tarq"));
    if (!loaded) {
        CheckRefusal(loaded.problem, loaded.message);
        return 0;
    }
    if (!parsed.contents) Fault("a file accepted whole whose contents are refused");
    const std::string trouble =
        tarq::autogame::PlayLoadedGame(ThePlayer(), std::move(loaded.game), SeedOf(file), kActions);
    if (!trouble.empty()) Fault(trouble);
    return 0;
}
