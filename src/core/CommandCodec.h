// The canonical bytes and the readable text of an order. The bytes are what
// the game file's command log holds (and what a signature covers): the
// player, the command's number, then every field big-endian in its own width.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Command.h"

namespace tarq {

void EncodeOrder(const Order& order, std::vector<std::uint8_t>& out);

// Reads one order from data[pos..size); on success `pos` moves past it. False,
// with `pos` and `out` unchanged, for an unknown command or too few bytes.
bool DecodeOrder(const std::uint8_t* data, std::size_t size, std::size_t& pos, Order& out);

// "Step", "EndTurn"...
const char* CommandName(const Command& command);
// "2 Step 12 30 14": the player, the command and its fields, for traces.
std::string OrderText(const Order& order);

}  // namespace tarq
