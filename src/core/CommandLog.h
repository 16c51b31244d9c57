// The match's command log: every accepted match command since the match
// began, in order, with the turn it was given in. Replays, undo and checked
// turn files all stand on it.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Command.h"

namespace tarq {

struct LoggedOrder {
    std::int32_t turn = 0;
    Order order;
    bool operator==(const LoggedOrder&) const = default;
};

class CommandLog {
public:
    void Append(std::int32_t turn, const Order& order);
    // A new round begins: the entries from here on are the current round's.
    void StartRound() { roundStart_ = entries_.size(); }
    void Clear() { *this = CommandLog{}; }

    const std::vector<LoggedOrder>& Entries() const { return entries_; }
    std::size_t RoundStart() const { return roundStart_; }
    // A running hash of every entry's canonical bytes, so that the state
    // hash covers the log without walking it.
    std::uint64_t Digest() const { return digest_; }

    // Takes over entries read from a file; false (the log unchanged) when
    // `roundStart` lies past them.
    bool Assign(std::vector<LoggedOrder> entries, std::size_t roundStart);

    bool operator==(const CommandLog&) const = default;

private:
    std::vector<LoggedOrder> entries_;
    std::size_t roundStart_ = 0;
    std::uint64_t digest_ = kEmptyDigest;
    static constexpr std::uint64_t kEmptyDigest = 0x243F6A8885A308D3ull;
};

}  // namespace tarq
