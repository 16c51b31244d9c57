#include "platform/BmpFile.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

namespace tarq {
namespace {

// Names the file relative to the working folder when it lies inside it.
std::string Describe(const std::filesystem::path& file, const std::string& reason) {
    std::error_code ec;
    std::filesystem::path shown = std::filesystem::proximate(file, ec);
    if (ec || shown.empty() || shown.string().rfind("..", 0) == 0) shown = file;
    return "Не удалось загрузить картинку \"" + shown.generic_string() + "\": " + reason;
}

// No valid picture needs more bytes than the largest one stored at 32 bits
// with a maximal header and palette; the rest of a longer file is never read.
constexpr std::uintmax_t kMaxReadBytes = 4 * static_cast<std::uintmax_t>(kMaxBitmapPixels + kMaxBitmapSide) + 4096;

}  // namespace

BitmapLoad LoadBitmapFile(const std::filesystem::path& file, Bitmap& out) {
    out = Bitmap{};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return {false, Describe(file, "файл не найден")};
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) return {false, Describe(file, "файл не читается")};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(size, kMaxReadBytes)));
    std::ifstream in(file, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return {false, Describe(file, "файл не читается")};
    if (std::string problem = DecodeBmp(bytes, out); !problem.empty()) return {false, Describe(file, problem)};
    return {true, {}};
}

namespace {
QImage ToImage(const Bitmap& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y)
        std::memcpy(image.scanLine(y), bitmap.row(y), static_cast<std::size_t>(bitmap.width) * sizeof(Pixel));
    return image;
}
}  // namespace

bool SaveBitmapFile(const std::filesystem::path& file, const Bitmap& bitmap) {
    if (bitmap.empty()) return false;
    return ToImage(bitmap).save(QString::fromStdString(file.string()), "BMP");
}

bool SavePngFile(const std::filesystem::path& file, const Bitmap& bitmap) {
    if (bitmap.empty()) return false;
    return ToImage(bitmap).save(QString::fromStdString(file.string()), "PNG");
}

}  // namespace tarq
