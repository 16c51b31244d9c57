#include "view/ScaledPatterns.h"

namespace tarq {

std::vector<ScaledPatterns::ItemKey> ScaledPatterns::KeysOf(const ImageList& images) {
    std::vector<ItemKey> keys;
    keys.reserve(static_cast<std::size_t>(images.count()));
    for (int i = 0; i < images.count(); ++i) {
        const ImageItem& it = images[i];
        keys.push_back({it.picture.pixels.data(), it.picture.width, it.picture.height, it.patternWidth,
                        it.patternHeight, it.transparent, it.transparentColour});
    }
    return keys;
}

void ScaledPatterns::Clear() {
    size_ = 0;
    keys_.clear();
    patterns_.clear();
}

bool ScaledPatterns::Prepare(const ImageList& images, int size) {
    std::vector<ItemKey> keys = KeysOf(images);
    if (size == size_ && keys == keys_) return false;
    size_ = size;
    keys_ = std::move(keys);
    patterns_.clear();
    patterns_.resize(keys_.size());
    for (int i = 0; i < images.count(); ++i)
        patterns_[static_cast<std::size_t>(i)].resize(static_cast<std::size_t>(images[i].patternCount()));
    return true;
}

const ScaledPattern* ScaledPatterns::Get(const ImageList& images, int item, int pattern) {
    if (item < 0 || item >= static_cast<int>(patterns_.size())) return nullptr;
    auto& slots = patterns_[static_cast<std::size_t>(item)];
    if (pattern < 0 || pattern >= static_cast<int>(slots.size())) return nullptr;
    auto& slot = slots[static_cast<std::size_t>(pattern)];
    if (!slot) slot = std::make_unique<ScaledPattern>(ScalePattern(images[item], pattern, size_));
    return slot.get();
}

}  // namespace tarq
