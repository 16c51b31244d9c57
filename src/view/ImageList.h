// The image list U: picture sheets cut into equal patterns. A map picture
// names an item (TSpriteRef::idU) and a pattern in it (TSpriteRef::Spr).
#pragma once

#include <array>
#include <vector>

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

struct ImageItem {
    Bitmap picture;
    int patternWidth = 0;  // never 0 once set: 0 is replaced by the picture's width
    int patternHeight = 0;
    bool transparent = false;
    Pixel transparentColour = 0;  // pixel (1, 1) of the picture when transparent

    // Only whole patterns count; a narrower strip at the right or bottom is ignored.
    int perRow() const { return patternWidth > 0 ? picture.width / patternWidth : 0; }
    int patternRows() const { return patternHeight > 0 ? picture.height / patternHeight : 0; }
    int patternCount() const { return perRow() * patternRows(); }
    // Top-left corner of pattern k; k must be in 0..patternCount()-1.
    int patternX(int k) const { return (k % perRow()) * patternWidth; }
    int patternY(int k) const { return (k / perRow()) * patternHeight; }
    bool hasPattern(int k) const { return k >= 0 && k < patternCount(); }
};

// Sets a picture into an item: pattern sizes of 0 take the picture's size, and
// the transparent colour is taken from pixel (1, 1).
void SetSheet(ImageItem& item, Bitmap picture, int patternWidth, int patternHeight, bool transparent);

// Every pixel of exactly `from` becomes `to`.
void RecolourSheet(ImageItem& item, Pixel from, Pixel to);

// Items whose pictures carry the team colours: the structure sheets 0-3 and
// the unit and structure sheets 9-13.
constexpr int kTeamSheets[] = {0, 1, 2, 3, 9, 10, 11, 12, 13};
constexpr int kTeamSheetLimit = 16;  // every team sheet's item is below this
bool IsTeamSheet(int item);

// The three team shades of colour 0 become those of colour `colour`.
void RecolourTeam(ImageItem& item, int colour);

class ImageList {
public:
    void clear() {
        items_.clear();
        for (auto& copies : teamItems_) copies.fill(-1);
        teamCopies_ = false;
    }
    ImageItem& append() { return items_.emplace_back(); }
    int count() const { return static_cast<int>(items_.size()); }
    bool has(int index) const { return index >= 0 && index < count(); }
    ImageItem& operator[](int index) { return items_[static_cast<std::size_t>(index)]; }
    const ImageItem& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }

    // Appends a copy of every team sheet in each of the team colours of
    // `colours` other than 0 (colour 0 is the sheets' own look).
    void addTeamCopies(const std::vector<int>& colours);
    bool hasTeamCopies() const { return teamCopies_; }
    // Whether the team sheets can be shown in colour `colour`.
    bool hasTeamColour(int colour) const { return colour == 0 || teamItem(kTeamSheets[0], colour) != kTeamSheets[0]; }
    // The item that shows `item` in team colour `colour`: its copy, or the
    // item itself for colour 0, a sheet without team colours or a colour
    // without a copy.
    int teamItem(int item, int colour) const {
        if (item < 0 || item >= kTeamSheetLimit || colour <= 0 || colour >= kTeamColourCount) return item;
        const int copy = teamItems_[static_cast<std::size_t>(colour)][static_cast<std::size_t>(item)];
        return copy >= 0 ? copy : item;
    }

private:
    std::vector<ImageItem> items_;
    std::array<std::array<int, kTeamSheetLimit>, kTeamColourCount> teamItems_ = EmptyTeamItems();
    bool teamCopies_ = false;

    static std::array<std::array<int, kTeamSheetLimit>, kTeamColourCount> EmptyTeamItems() {
        std::array<std::array<int, kTeamSheetLimit>, kTeamColourCount> none{};
        for (auto& copies : none) copies.fill(-1);
        return none;
    }
};

}  // namespace tarq
