// Game file names are written Windows-style with mixed case
// ("graph\tempgraph\GS00.bmp", "Graph\GEO1.bmp"). Every file access goes
// through ResolveGamePath so they are found on a case-sensitive file system.
#pragma once

#include <filesystem>
#include <string>

namespace tarq {

// Splits `name` on '\' and '/', and below `base` matches each component first
// exactly, then case-insensitively (ASCII). Components that do not exist are
// kept as written, so the result can also be used to create a file.
std::filesystem::path ResolveGamePath(const std::string& name,
                                      const std::filesystem::path& base = std::filesystem::path("."));

// True when the resolved name is an existing regular file.
bool GameFileExists(const std::string& name, const std::filesystem::path& base = std::filesystem::path("."));

}  // namespace tarq
