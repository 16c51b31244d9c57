#include "view/ScaledPatterns.h"

namespace tarq {

ScaledPatterns::ItemKey ScaledPatterns::KeyOf(const ImageItem& it) {
    return {it.picture.pixels.data(), it.picture.width, it.picture.height,   it.patternWidth,
            it.patternHeight,         it.transparent,   it.transparentColour};
}

bool ScaledPatterns::SameItems(const ImageList& images) const {
    if (static_cast<int>(keys_.size()) != images.count()) return false;
    for (int i = 0; i < images.count(); ++i)
        if (!(keys_[static_cast<std::size_t>(i)] == KeyOf(images[i]))) return false;
    return true;
}

void ScaledPatterns::Clear() {
    keys_.clear();
    firstPattern_.clear();
    patternCount_.clear();
    totalPatterns_ = 0;
    sets_ = {};
    current_ = nullptr;
}

bool ScaledPatterns::Prepare(const ImageList& images, int size) {
    const bool changed = !SameItems(images);
    if (changed) {
        Clear();
        for (int i = 0; i < images.count(); ++i) {
            keys_.push_back(KeyOf(images[i]));
            firstPattern_.push_back(totalPatterns_);
            patternCount_.push_back(images[i].patternCount());
            totalPatterns_ += images[i].patternCount();
        }
    }
    ++clock_;
    if (current_ && current_->size == size) {
        current_->lastUse = clock_;
        return changed;
    }
    // The set of this size if kept, else the least recently used one, emptied.
    SizeSet* pick = &sets_[0];
    for (SizeSet& s : sets_) {
        if (!s.patterns.empty() && s.size == size) {
            pick = &s;
            break;
        }
        if (s.lastUse < pick->lastUse) pick = &s;
    }
    if (pick->patterns.empty() || pick->size != size) {
        pick->size = size;
        pick->patterns.clear();
        pick->patterns.resize(static_cast<std::size_t>(totalPatterns_));
    }
    pick->lastUse = clock_;
    current_ = pick;
    return changed;
}

}  // namespace tarq
