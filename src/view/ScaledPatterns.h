// Patterns of the image list pre-scaled to the current cell size. A pattern is
// scaled the first time a cell at that size uses it; a new size or a changed
// image list drops them all.
#pragma once

#include <memory>
#include <vector>

#include "view/Blitter.h"
#include "view/ImageList.h"

namespace tarq {

class ScaledPatterns {
public:
    // Drops every scaled pattern if the size or the image list changed;
    // returns true when it did.
    bool Prepare(const ImageList& images, int size);
    void Clear();

    // The pattern scaled to the prepared size, or nullptr when the picture
    // reference names no item or no pattern of it.
    const ScaledPattern* Get(const ImageList& images, int item, int pattern);

    int Size() const { return size_; }

private:
    // What identifies the contents of one item for this cache.
    struct ItemKey {
        const Pixel* data = nullptr;
        int width = 0, height = 0, patternWidth = 0, patternHeight = 0;
        bool transparent = false;
        Pixel key = 0;
        bool operator==(const ItemKey&) const = default;
    };
    static std::vector<ItemKey> KeysOf(const ImageList& images);

    int size_ = 0;
    std::vector<ItemKey> keys_;
    std::vector<std::vector<std::unique_ptr<ScaledPattern>>> patterns_;  // [item][pattern]
};

}  // namespace tarq
