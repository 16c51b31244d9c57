// rulesdoc [--check] FILE: writes the generated blocks of the rules document
// FILE from the game's values; with --check, only says whether FILE is
// current (exit 1 when a block differs or is missing).
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "Blocks.h"
#include "core/World.h"
#include "setup/Launch.h"

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: rulesdoc [--check] docs/rules.md\n";
        return 2;
    }
    const std::string path = argv[argc - 1];
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << path << "\n";
        return 2;
    }
    std::ostringstream read;
    read << in.rdbuf();
    const std::unique_ptr<tarq::Game> game = tarq::NewGame();
    tarq::SetStartValues(*game);
    std::string error;
    const std::string written = tarq::rulesdoc::WriteBlocks(read.str(), *game, error);
    if (!error.empty()) {
        std::cerr << path << ": " << error << "\n";
        return 1;
    }
    if (check) {
        if (written == read.str()) return 0;
        std::cerr << path << " is out of date: run rulesdoc " << path << "\n";
        return 1;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << written;
    return out ? 0 : 2;
}
