// The sound folder written out, and listed back for review.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace soundgen {

// Writes every sound of the set into `dir` (created when missing). Returns an
// error text, empty on success.
std::string WriteSounds(const std::filesystem::path& dir);

// One line per sound of the set as found in `dir`: its name, file, length in
// milliseconds and peak level in dBFS. Returns an error text naming the files
// that are missing or not 16-bit mono WAVs, empty when all are there.
std::string ListSounds(const std::filesystem::path& dir, std::FILE* out);

}  // namespace soundgen
