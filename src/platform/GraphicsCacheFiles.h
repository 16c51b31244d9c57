// The picture cache on disk: building the five files of graph\tempgraph from
// the sheets, deciding whether it must be built (missing files, or a key
// naming another version of the program or other sheets), and falling back
// to the user's cache folder when graph\tempgraph cannot be created or written.
#pragma once

#include <filesystem>
#include <string>

#include "core/Bitmap.h"
#include "core/GameState.h"
#include "view/GraphicsCache.h"
#include "view/ImageList.h"

namespace tarq {

// $XDG_CACHE_HOME/tarq/tempgraph, else $HOME/.cache/tarq/tempgraph; empty when
// neither variable is set.
std::filesystem::path UserCacheDir();

// "graph\tempgraph" under the game folder; empty for the installed data
// folder, whose cache lives in the user's folder.
std::filesystem::path GameCacheDir(const std::filesystem::path& base);

// True when all five cache files exist in `dir`.
bool CacheComplete(const std::filesystem::path& dir);

// What the cache made from the sheets under `base` is keyed by: this
// program's version, and the size and CRC-32 of each sheet it reads.
std::string GraphicsCacheKey(const std::filesystem::path& base);

// True when the cache in `dir` is complete and was made under `key`.
bool CacheCurrent(const std::filesystem::path& dir, const std::string& key);

struct CacheOutcome {
    bool ok = false;
    std::string error;          // Russian, names the file; empty when ok
    bool writeFailed = false;   // the folder or a file in it could not be written
    std::filesystem::path dir;  // where the cache is (when ok)
    bool rebuilt = false;
};

// Builds the cache in `cacheDir` from the sheets under `base`: minim0.bmp,
// t.bmp, GS00.bmp, GS01.bmp (keyed with s00.bmp's key), GS02.bmp, t.bmp
// deleted, constcompl.bmp, and last the key file. Reports progress between progress.begin and
// progress.end (end runs whether or not it succeeded). Needs a QGuiApplication
// for the notices.
CacheOutcome PrepareGraphicsCache(const Game& game, const std::filesystem::path& base,
                                  const std::filesystem::path& cacheDir, const CacheProgress& progress);

// The launch's cache step: reuses graph\tempgraph when current, else builds
// it there; when that folder cannot be created or written, reuses or builds
// the cache in `userCacheDir` instead. The outcome's dir is where to load from.
CacheOutcome EnsureGraphicsCache(const Game& game, const std::filesystem::path& base,
                                 const std::filesystem::path& userCacheDir, const CacheProgress& progress);

// Everything the launch loads: the cache (built when missing), items 0..14 of
// `list` and the minimap palette. A cache file that exists but cannot be read
// makes the cache be built once more. On failure `list` is empty and the
// error names the file.
struct GraphicsLoad {
    bool ok = false;
    std::string error;
    std::filesystem::path cacheDir;
    bool cacheRebuilt = false;
};
GraphicsLoad LoadGameGraphics(const Game& game, const std::filesystem::path& base,
                              const std::filesystem::path& userCacheDir, bool highResGeology, ImageList& list,
                              Bitmap& minimapPalette, const CacheProgress& progress);
// The same for the game played on terrain set `terrainSet`: the start loads
// the pictures of the terrain the game is about to take.
GraphicsLoad LoadGameGraphics(const Game& game, int terrainSet, const std::filesystem::path& base,
                              const std::filesystem::path& userCacheDir, bool highResGeology, ImageList& list,
                              Bitmap& minimapPalette, const CacheProgress& progress);

}  // namespace tarq
