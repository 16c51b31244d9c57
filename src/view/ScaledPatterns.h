// Patterns of the image list pre-scaled to the cell size. A pattern is scaled
// the first time a cell at that size uses it, and the patterns of the last few
// sizes are kept, so zooming back and forth scales nothing twice. A changed
// image list drops them all.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "view/Blitter.h"
#include "view/ImageList.h"

namespace tarq {

class ScaledPatterns {
public:
    static constexpr int kKeptSizes = 6;

    // Makes `size` the current size. Returns true when the image list changed
    // since the last call, which dropped every scaled pattern.
    bool Prepare(const ImageList& images, int size);
    void Clear();

    // The pattern scaled to the current size, or nullptr when the picture
    // reference names no item or no pattern of it.
    const ScaledPattern* Get(const ImageList& images, int item, int pattern) {
        if (item < 0 || item >= static_cast<int>(patternCount_.size())) return nullptr;
        if (pattern < 0 || pattern >= patternCount_[static_cast<std::size_t>(item)]) return nullptr;
        auto& slot =
            current_->patterns[static_cast<std::size_t>(firstPattern_[static_cast<std::size_t>(item)] + pattern)];
        if (!slot) slot = std::make_unique<ScaledPattern>(ScalePattern(images[item], pattern, current_->size));
        return slot.get();
    }

    int Size() const { return current_ ? current_->size : 0; }

private:
    // What identifies the contents of one item for this cache.
    struct ItemKey {
        const Pixel* data = nullptr;
        int width = 0, height = 0, patternWidth = 0, patternHeight = 0;
        bool transparent = false;
        Pixel key = 0;
        bool operator==(const ItemKey&) const = default;
    };
    static ItemKey KeyOf(const ImageItem& item);
    bool SameItems(const ImageList& images) const;

    // The patterns of every item scaled to one size, item by item.
    struct SizeSet {
        int size = 0;
        std::uint64_t lastUse = 0;
        std::vector<std::unique_ptr<ScaledPattern>> patterns;
    };

    std::vector<ItemKey> keys_;
    std::vector<int> firstPattern_;  // [item]: index of its pattern 0 in a set
    std::vector<int> patternCount_;  // [item]
    int totalPatterns_ = 0;
    std::array<SizeSet, kKeptSizes> sets_;
    SizeSet* current_ = nullptr;
    std::uint64_t clock_ = 0;
};

}  // namespace tarq
