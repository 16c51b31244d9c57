// The game's icons, drawn with the same art as its sheets: the application
// icon (a tank on an island of square tiles) and the saved-game icon (a page
// carrying the same badge), written as a hicolor icon tree.
#pragma once

#include <QImage>
#include <array>
#include <filesystem>
#include <string>

namespace sheetgen {

// The square sizes the desktop looks for in hicolor/<N>x<N>; up to 32 pixels
// the icons are drawn plainer, for their size.
inline constexpr std::array<int, 8> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
inline constexpr const char* kAppIconName = "tarq";
inline constexpr const char* kSavedGameIconName = "application-x-tarq-save";

QImage DrawAppIcon(int size);
QImage DrawSavedGameIcon(int size);

// Writes hicolor/<N>x<N>/apps/tarq.png and
// hicolor/<N>x<N>/mimetypes/application-x-tarq-save.png below `dir`.
// Returns an error text, empty on success.
std::string WriteIcons(const std::filesystem::path& dir);

}  // namespace sheetgen
