// Fuzz target: a game file as the game reads it. The first byte of the input
// says what the rest is: even, a whole file as it lies on disk (the header,
// its checksums, the inflating); odd, a body, which the target puts in a
// sound header with the body stored, so that changed bytes reach the
// sections and the value checks instead of stopping at a checksum. The
// seeds (Seeds.cpp) hold the same saves in both forms.
//
// What the reader must keep: a file is either refused, with its cause, or
// accepted with contents; and what it accepts the writer writes back into a
// body that reads again to the same contents.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gamefile/GameFile.h"
#include "gamefile/GameFileChecks.h"
#include "gamefile/GameFileCodec.h"

namespace {

using tarq::GameFileProblem;

// The checks of what the reader promises: they are not under test, so the
// coverage the fuzzer steers by leaves them out.
#if defined(__clang__)
__attribute__((no_sanitize("coverage")))
#endif
void CheckRefusal(const tarq::ParsedGameFile& parsed) {
    if (parsed.contents) std::abort();  // contents come with no problem only
    // Every refusal but "not a game file at all" names its cause.
    if (parsed.problem != GameFileProblem::NotAGameFile && parsed.detail.isEmpty()) std::abort();
    if (parsed.problem == GameFileProblem::None || parsed.problem == GameFileProblem::CannotWrite) std::abort();
}

#if defined(__clang__)
__attribute__((no_sanitize("coverage")))
#endif
void CheckWrittenBack(const tarq::GameFileContents& contents) {
    const QByteArray body = tarq::gamefile::EncodeBody(contents);
    QString error;
    const auto again = tarq::gamefile::DecodeBody(body, error);
    if (!again || !error.isEmpty() || !tarq::CheckContents(*again).isEmpty()) std::abort();
    if (tarq::gamefile::EncodeBody(*again) != body) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const QByteArray rest = QByteArray::fromRawData(reinterpret_cast<const char*>(data) + 1,
                                                    static_cast<qsizetype>(size - 1));
    const QByteArray file =
        (data[0] & 1) != 0 ? tarq::gamefile::WrapBody(rest, tarq::gamefile::BodyStorage::Stored) : rest;
    const tarq::ParsedGameFile parsed = tarq::ParseGameFile(file);
    if (parsed.problem != GameFileProblem::None)
        CheckRefusal(parsed);
    else if (!parsed.contents)
        std::abort();
    else
        CheckWrittenBack(*parsed.contents);
    return 0;
}
