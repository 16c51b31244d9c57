#include "platform/SheetFiles.h"

#include "core/Paths.h"
#include "view/GraphicsCache.h"

namespace tarq {

BitmapLoad LoadSheet(ImageList& list, int item, const std::filesystem::path& file, int patternWidth, int patternHeight,
                     bool transparent, bool append) {
    if (!append && !list.has(item))
        return {false,
                "Нет элемента " + std::to_string(item) + " в списке картинок для \"" + file.generic_string() + "\""};
    Bitmap picture;
    BitmapLoad loaded = LoadBitmapFile(file, picture);
    if (!loaded.ok) return loaded;
    ImageItem& target = append ? list.append() : list[item];
    SetSheet(target, std::move(picture), patternWidth, patternHeight, transparent);
    return loaded;
}

BitmapLoad LoadImageList(ImageList& list, const std::filesystem::path& base, const std::filesystem::path& cacheDir,
                         int terrainSet, bool highResGeology) {
    list.clear();
    for (const SheetEntry& entry : ImageListOrder(terrainSet, highResGeology)) {
        const std::filesystem::path file = ResolveGamePath(entry.file, entry.cached ? cacheDir : base);
        BitmapLoad loaded = LoadSheet(list, list.count(), file, entry.pattern, entry.pattern, entry.transparent, true);
        if (!loaded.ok) {
            list.clear();
            return loaded;
        }
        if (entry.recolour) RecolourSheet(list[list.count() - 1], FromBgr(0x000000), entry.recolourTo);
    }
    return {true, {}};
}

BitmapLoad LoadMinimapPalette(Bitmap& palette, const std::filesystem::path& cacheDir) {
    return LoadBitmapFile(ResolveGamePath(kMinimapPaletteFile, cacheDir), palette);
}

bool HighResGeologyAvailable(const std::filesystem::path& base) { return GameFileExists("Graph\\GEO1.bmp", base); }

}  // namespace tarq
