// The pixel work of the picture cache in graph\tempgraph, the order in which
// the image list U is loaded, and the texts of the construction-complete
// notices. Files are read and written by the platform layer; everything here
// works on pixel buffers.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

// The progress gauge of the preparation page: its upper bound, and the steps
// the cache adds (81 base tiles, 25 base blocks of 4, 512 columns for each of
// the three structure sheets, one per notice; 1785 in all, so it stands full
// at the end).
constexpr int kCacheGaugeMax = 1729;
constexpr int kCacheGaugeTotal = 81 + 25 * 4 + 3 * 512 + kTypeCount;

// Callbacks of the window's preparation page; each may be empty.
struct CacheProgress {
    std::function<void()> begin;                // show the page, gauge at 0 of kCacheGaugeMax
    std::function<void(int position)> advance;  // gauge position, never above kCacheGaugeMax
    std::function<void()> noticeDone;           // once per notice: a chance to process events
    std::function<void()> end;                  // make the map page active
};

// Adds the cache's increments and reports the held gauge position.
class GaugeCounter {
public:
    explicit GaugeCounter(const CacheProgress* progress = nullptr) : progress_(progress) {}
    void add(int steps);
    int total() const { return total_; }

private:
    const CacheProgress* progress_;
    int total_ = 0;
};

// The colour key of a sheet: pixel (1, 1), or 0 for a picture too small to have one.
Pixel SheetKey(const Bitmap& sheet);

// The base sheet: `s00` (for its size and any pixels no block reaches) covered
// by a 9 x 9 grid of terrain tile 2 (the 64 x 64 block at (128, 0) of the
// terrain sheet), then by a 5 x 5 grid of the keyed 128 x 128 block at (0, 0)
// of `s03`. Pixels beyond either picture's edge are skipped.
Bitmap ComposeBaseSheet(const Bitmap& s00, const Bitmap& terrain, const Bitmap& s03, GaugeCounter& gauge);

// Copies every pixel of `sheet` in 0..511 x 0..511 that differs from `key`
// onto `base`; pixels beyond 511 or outside either picture keep the base.
void OverlayStructureSheet(Bitmap& base, const Bitmap& sheet, Pixel key, GaugeCounter& gauge);

// Cache file names inside the cache folder.
inline constexpr const char* kMinimapPaletteFile = "minim0.bmp";
inline constexpr const char* kBaseSheetFile = "t.bmp";
inline constexpr const char* kNoticeFile = "constcompl.bmp";
inline constexpr std::array<const char*, 3> kStructureCacheFiles = {"GS00.bmp", "GS01.bmp", "GS02.bmp"};
// The program's version and a digest of each sheet the cache was made from
// (written last, so its presence also means the build finished).
inline constexpr const char* kCacheKeyFile = "cachekey.txt";
// The five files whose presence means the cache is complete.
inline constexpr std::array<const char*, 5> kCacheFiles = {"GS00.bmp", "GS01.bmp", "GS02.bmp", "minim0.bmp",
                                                           "constcompl.bmp"};

// The notices: one 64 x 64 cell per unit type, type i in cell i - 1.
constexpr int kNoticeCell = 64;
constexpr int kNoticeStripWidth = kNoticeCell * kTypeCount;  // 4352

// "<name> завершен", with "- " after the ninth character when none of the
// first nine is a space (characters, not bytes: names are UTF-8).
std::string NoticeText(const std::string& typeName);

// One entry of the image list, in load order.
struct SheetEntry {
    std::string file;  // game name under the game folder, or a file name in the cache folder
    bool cached = false;
    int pattern = 0;  // width and height; 0 = the whole picture
    bool transparent = false;
    bool recolour = false;  // black $000000 becomes recolourTo after loading
    Pixel recolourTo = 0;
};
constexpr int kImageListItems = 15;

// Items 0..14 of U. `terrainSet` picks "graph\Terrain<n>.bmp"; `highResGeology`
// (CheckBox3) takes GEO1.bmp with 63-pixel patterns instead of GEO.bmp with 32.
std::vector<SheetEntry> ImageListOrder(int terrainSet, bool highResGeology);

}  // namespace tarq
