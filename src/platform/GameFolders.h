// Where the game finds its picture sheets: graph/ in the working folder
// first (a build or an unpacked copy), then the installed data folder
// (<prefix>/share/tarq, found relative to the executable so any prefix works).
#pragma once

#include <filesystem>

namespace tarq {

// <folder of the running executable>/../share/tarq (as installed); empty
// before the application object exists.
std::filesystem::path InstalledDataDir();

// The folder whose graph/ holds the sheets: `workDir` when its graph/ has
// them, else the installed data folder when that one has them, else
// `workDir` (so a missing sheet is reported where the player looks first).
std::filesystem::path FindGameFolder(const std::filesystem::path& workDir);

// The sounds/ folder the player reads: the one in `workDir` when it is
// there, else the installed data folder's when that one is, else the one in
// `workDir` (missing: the game is silent).
std::filesystem::path FindSoundFolder(const std::filesystem::path& workDir);

// True for the installed data folder. It belongs to the package manager, so
// the graphics cache never goes there, whoever runs the game.
bool IsInstalledDataDir(const std::filesystem::path& folder);

}  // namespace tarq
