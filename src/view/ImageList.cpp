#include "view/ImageList.h"

#include <algorithm>

#include "core/Players.h"

namespace tarq {

void SetSheet(ImageItem& item, Bitmap picture, int patternWidth, int patternHeight, bool transparent) {
    item.picture = std::move(picture);
    item.patternWidth = patternWidth > 0 ? patternWidth : item.picture.width;
    item.patternHeight = patternHeight > 0 ? patternHeight : item.picture.height;
    item.transparent = transparent;
    item.transparentColour = 0;
    if (transparent && item.picture.contains(1, 1)) item.transparentColour = item.picture.at(1, 1);
}

void RecolourSheet(ImageItem& item, Pixel from, Pixel to) {
    std::replace(item.picture.pixels.begin(), item.picture.pixels.end(), from, to);
}

bool IsTeamSheet(int item) {
    return std::find(std::begin(kTeamSheets), std::end(kTeamSheets), item) != std::end(kTeamSheets);
}

void RecolourTeam(ImageItem& item, int colour) {
    const TeamColour& from = TeamColourAt(0);
    const TeamColour& to = TeamColourAt(colour);
    for (Pixel& p : item.picture.pixels) {
        if (p == from.base)
            p = to.base;
        else if (p == from.dark)
            p = to.dark;
        else if (p == from.light)
            p = to.light;
    }
}

void ImageList::addTeamCopies(const std::vector<int>& colours) {
    for (int colour : colours) {
        if (colour <= 0 || colour >= kTeamColourCount) continue;
        auto& copies = teamItems_[static_cast<std::size_t>(colour)];
        for (int sheet : kTeamSheets) {
            if (!has(sheet) || copies[static_cast<std::size_t>(sheet)] >= 0) continue;
            ImageItem copy = items_[static_cast<std::size_t>(sheet)];
            RecolourTeam(copy, colour);
            copies[static_cast<std::size_t>(sheet)] = count();
            items_.push_back(std::move(copy));
            teamCopies_ = true;
        }
    }
}

}  // namespace tarq
