#include "platform/GraphicsCacheFiles.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "core/Paths.h"
#include "platform/BmpFile.h"
#include "platform/GameFolders.h"
#include "platform/Notices.h"
#include "platform/SheetFiles.h"
#include "view/ColourStrip.h"

namespace tarq {
namespace fs = std::filesystem;

fs::path UserCacheDir() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && *xdg) return fs::path(xdg) / "tarq" / "tempgraph";
    const char* home = std::getenv("HOME");
    if (home && *home) return fs::path(home) / ".cache" / "tarq" / "tempgraph";
    return {};
}

fs::path GameCacheDir(const fs::path& base) {
    if (IsInstalledDataDir(base)) return {};
    return ResolveGamePath("graph\\tempgraph", base);
}

bool CacheComplete(const fs::path& dir) {
    if (dir.empty()) return false;
    for (const char* name : kCacheFiles)
        if (!GameFileExists(name, dir)) return false;
    return true;
}

namespace {

// The sheets BuildCache reads; a change to any of them makes the cache stale.
constexpr std::array<const char*, 5> kCacheSources = {"graph\\Terrain0.bmp", "graph\\s00.bmp", "graph\\s01.bmp",
                                                      "graph\\s02.bmp", "graph\\s03.bmp"};

// "<size> <crc32>" of a file's bytes, or "missing". CRC-32 runs at memory
// speed, so the six megabytes of the sheets cost milliseconds at each launch.
std::string FileDigest(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "missing";
    std::vector<char> chunk(1 << 20);
    uLong crc = crc32(0, nullptr, 0);
    unsigned long long size = 0;
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        crc = crc32_z(crc, reinterpret_cast<const Bytef*>(chunk.data()), got);
        size += got;
    }
    if (in.bad()) return "unreadable";
    std::ostringstream out;
    out << size << ' ' << std::hex << crc;
    return out.str();
}

std::string ReadKeyFile(const fs::path& dir) {
    std::ifstream in(ResolveGamePath(kCacheKeyFile, dir), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return in ? text.str() : std::string();
}

bool WriteKeyFile(const fs::path& dir, const std::string& key) {
    std::ofstream out(ResolveGamePath(kCacheKeyFile, dir), std::ios::binary | std::ios::trunc);
    out << key;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

std::string GraphicsCacheKey(const fs::path& base) {
    std::string key = "tarq " TARQ_VERSION "\n";
    for (const char* sheet : kCacheSources)
        key += std::string(sheet) + ' ' + FileDigest(ResolveGamePath(sheet, base)) + '\n';
    return key;
}

bool CacheCurrent(const fs::path& dir, const std::string& key) { return CacheComplete(dir) && ReadKeyFile(dir) == key; }

namespace {

CacheOutcome Failed(std::string error, bool writeFailed = false) {
    CacheOutcome outcome;
    outcome.error = std::move(error);
    outcome.writeFailed = writeFailed;
    return outcome;
}

// Loads a source sheet; the error already names the file.
bool LoadSource(const fs::path& base, const char* name, Bitmap& out, CacheOutcome& failure) {
    const BitmapLoad loaded = LoadBitmapFile(ResolveGamePath(name, base), out);
    if (!loaded.ok) failure = Failed(loaded.error);
    return loaded.ok;
}

bool SaveCached(const fs::path& dir, const char* name, const Bitmap& picture, CacheOutcome& failure) {
    const fs::path file = ResolveGamePath(name, dir);
    if (SaveBitmapFile(file, picture)) return true;
    failure = Failed("Не удалось записать файл кэша графики \"" + file.generic_string() + "\"", true);
    return false;
}

// The cache steps in order; the first failure stops them. The old key file
// goes first and the new one last: a build stopped half way leaves a cache
// without a key, which the next launch builds again.
CacheOutcome BuildCache(const Game& game, const fs::path& base, const fs::path& dir, const std::string& key,
                        const CacheProgress& progress) {
    std::error_code ec;
    if (dir.empty() || (!fs::is_directory(dir, ec) && !fs::create_directories(dir, ec)))
        return Failed("Не удалось создать папку кэша графики \"" + dir.generic_string() + "\"", true);
    const fs::path keyFile = ResolveGamePath(kCacheKeyFile, dir);
    if (fs::remove(keyFile, ec); fs::exists(keyFile, ec))
        return Failed("Не удалось обновить файл кэша графики \"" + keyFile.generic_string() + "\"", true);

    CacheOutcome failure;
    GaugeCounter gauge(&progress);
    Bitmap terrain, s00, s03, sheet;
    if (!LoadSource(base, "graph\\Terrain0.bmp", terrain, failure)) return failure;
    if (!SaveCached(dir, kMinimapPaletteFile, MakeTerrainColourStrip(terrain), failure)) return failure;

    if (!LoadSource(base, "graph\\s00.bmp", s00, failure)) return failure;
    if (!LoadSource(base, "graph\\s03.bmp", s03, failure)) return failure;
    const Bitmap baseSheet = ComposeBaseSheet(s00, terrain, s03, gauge);
    if (!SaveCached(dir, kBaseSheetFile, baseSheet, failure)) return failure;

    // GS01 keeps the key of s00: the original tool never re-read it.
    const Pixel s00Key = SheetKey(s00);
    const char* sources[3] = {"graph\\s00.bmp", "graph\\s01.bmp", "graph\\s02.bmp"};
    for (int k = 0; k < 3; ++k) {
        if (k == 0)
            sheet = s00;
        else if (!LoadSource(base, sources[k], sheet, failure))
            return failure;
        Bitmap composed = baseSheet;
        OverlayStructureSheet(composed, sheet, k == 2 ? SheetKey(sheet) : s00Key, gauge);
        if (!SaveCached(dir, kStructureCacheFiles[static_cast<std::size_t>(k)], composed, failure)) return failure;
    }
    fs::remove(ResolveGamePath(kBaseSheetFile, dir), ec);

    if (!CanRenderNotices())
        return Failed("Нельзя нарисовать надписи о завершении строительства: нет графической среды");
    if (!SaveCached(dir, kNoticeFile, RenderNoticeStrip(game, gauge, progress), failure)) return failure;
    if (!WriteKeyFile(dir, key))
        return Failed("Не удалось записать файл кэша графики \"" + keyFile.generic_string() + "\"", true);

    CacheOutcome done;
    done.ok = true;
    done.dir = dir;
    done.rebuilt = true;
    return done;
}

}  // namespace

CacheOutcome PrepareGraphicsCache(const Game& game, const fs::path& base, const fs::path& cacheDir,
                                  const CacheProgress& progress) {
    if (progress.begin) progress.begin();
    CacheOutcome outcome = BuildCache(game, base, cacheDir, GraphicsCacheKey(base), progress);
    if (progress.end) progress.end();
    return outcome;
}

namespace {

// Reuses a current cache unless `force`; otherwise builds graph\tempgraph,
// or the user's folder when graph\tempgraph cannot be written. Sheets from
// the installed data folder always keep their cache in the user's folder.
CacheOutcome EnsureCache(const Game& game, const fs::path& base, const fs::path& userCacheDir,
                         const CacheProgress& progress, bool force) {
    const fs::path gameDir = GameCacheDir(base);
    const fs::path first = gameDir.empty() ? userCacheDir : gameDir;
    const std::string key = GraphicsCacheKey(base);
    if (!force && CacheCurrent(first, key)) return CacheOutcome{true, {}, false, first, false};
    if (progress.begin) progress.begin();
    CacheOutcome outcome = BuildCache(game, base, first, key, progress);
    if (!outcome.ok && outcome.writeFailed && first == gameDir) {
        // graph\tempgraph is not writable here: keep the cache in the user's folder.
        if (!force && CacheCurrent(userCacheDir, key)) {
            outcome = CacheOutcome{true, {}, false, userCacheDir, false};
        } else {
            const std::string firstError = outcome.error;
            outcome = BuildCache(game, base, userCacheDir, key, progress);
            if (!outcome.ok && outcome.writeFailed) outcome.error = firstError + "; " + outcome.error;
        }
    }
    if (progress.end) progress.end();
    return outcome;
}

// True when every cache file in `dir` reads as a picture.
bool CacheFilesReadable(const fs::path& dir) {
    for (const char* name : kCacheFiles) {
        Bitmap picture;
        if (!LoadBitmapFile(ResolveGamePath(name, dir), picture).ok) return false;
    }
    return true;
}

BitmapLoad LoadFromCache(int terrainSet, const fs::path& base, const fs::path& cacheDir, bool highResGeology,
                         ImageList& list, Bitmap& minimapPalette) {
    BitmapLoad loaded = LoadImageList(list, base, cacheDir, terrainSet, highResGeology);
    if (loaded.ok) loaded = LoadMinimapPalette(minimapPalette, cacheDir);
    if (!loaded.ok) list.clear();
    return loaded;
}

}  // namespace

CacheOutcome EnsureGraphicsCache(const Game& game, const fs::path& base, const fs::path& userCacheDir,
                                 const CacheProgress& progress) {
    return EnsureCache(game, base, userCacheDir, progress, false);
}

GraphicsLoad LoadGameGraphics(const Game& game, const fs::path& base, const fs::path& userCacheDir, bool highResGeology,
                              ImageList& list, Bitmap& minimapPalette, const CacheProgress& progress) {
    return LoadGameGraphics(game, game.World.TerrainSet, base, userCacheDir, highResGeology, list, minimapPalette,
                            progress);
}

GraphicsLoad LoadGameGraphics(const Game& game, int terrainSet, const fs::path& base, const fs::path& userCacheDir,
                              bool highResGeology, ImageList& list, Bitmap& minimapPalette,
                              const CacheProgress& progress) {
    GraphicsLoad result;
    list.clear();
    CacheOutcome cache = EnsureCache(game, base, userCacheDir, progress, false);
    BitmapLoad loaded{false, cache.error};
    if (cache.ok) loaded = LoadFromCache(terrainSet, base, cache.dir, highResGeology, list, minimapPalette);
    if (cache.ok && !loaded.ok && !cache.rebuilt && !CacheFilesReadable(cache.dir)) {
        // A damaged cache file (cut off when the program was stopped while
        // writing it, say) would block every launch: build the cache again once.
        cache = EnsureCache(game, base, userCacheDir, progress, true);
        loaded = {false, cache.error};
        if (cache.ok) loaded = LoadFromCache(terrainSet, base, cache.dir, highResGeology, list, minimapPalette);
    }
    result.cacheDir = cache.dir;
    result.cacheRebuilt = cache.rebuilt;
    result.ok = loaded.ok;
    result.error = loaded.error;
    return result;
}

}  // namespace tarq
