#include "core/CommandLog.h"

#include "core/CommandCodec.h"

namespace tarq {

namespace {

std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

std::uint64_t Extend(std::uint64_t digest, const LoggedOrder& entry) {
    std::vector<std::uint8_t> bytes;
    EncodeOrder(entry.order, bytes);
    digest = Mix(digest, static_cast<std::uint32_t>(entry.turn));
    for (std::uint8_t b : bytes) digest = Mix(digest, b);
    return digest;
}

}  // namespace

void CommandLog::Append(std::int32_t turn, const Order& order) {
    entries_.push_back({turn, order});
    digest_ = Extend(digest_, entries_.back());
}

bool CommandLog::Assign(std::vector<LoggedOrder> entries, std::size_t roundStart) {
    if (roundStart > entries.size()) return false;
    std::uint64_t digest = kEmptyDigest;
    for (const LoggedOrder& e : entries) digest = Extend(digest, e);
    entries_ = std::move(entries);
    roundStart_ = roundStart;
    digest_ = digest;
    return true;
}

}  // namespace tarq
