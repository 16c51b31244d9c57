// The generated blocks of docs/rules.md: each is written between the lines
// "<!-- rulesdoc:NAME -->" and "<!-- /rulesdoc:NAME -->" from the game's own
// values, so the document and the code cannot drift apart.
#pragma once

#include <string>
#include <vector>

#include "core/GameState.h"

namespace tarq::rulesdoc {

struct Block {
    const char* name;
    std::string (*write)(const Game& game);  // Markdown, ending with a newline
};

// Every block, in no particular order. A rule that has a table adds its
// block here.
const std::vector<Block>& Blocks();

// `document` with every block's text written in; `error` names a block
// whose markers are missing or unclosed.
std::string WriteBlocks(const std::string& document, const Game& game, std::string& error);

}  // namespace tarq::rulesdoc
