#include "platform/BmpFile.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <system_error>

namespace tarq {
namespace {

// Names the file relative to the working folder when it lies inside it.
std::string Describe(const std::filesystem::path& file, const std::string& reason) {
    std::error_code ec;
    std::filesystem::path shown = std::filesystem::proximate(file, ec);
    if (ec || shown.empty() || shown.string().rfind("..", 0) == 0) shown = file;
    return "Не удалось загрузить картинку \"" + shown.generic_string() + "\": " + reason;
}

std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// A run-length coded picture (compression 1: 8 bits, 2: 4 bits) is complete
// when its stream reaches the end-of-picture code or ends all its rows; the
// image reader fills whatever a cut-off stream lacks without an error.
bool RleComplete(const std::filesystem::path& file, std::uint32_t dataOffset, std::uint32_t compression,
                 long long rows) {
    std::ifstream in(file, std::ios::binary);
    in.seekg(dataOffset);
    const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    long long endedRows = 0;
    std::size_t at = 0;
    while (at + 1 < data.size()) {
        const unsigned count = static_cast<unsigned char>(data[at]);
        const unsigned code = static_cast<unsigned char>(data[at + 1]);
        at += 2;
        if (count > 0) continue;                   // a run of one value
        if (code == 1) return true;                // end of picture
        if (code == 0) {                           // end of row
            if (++endedRows >= rows) return true;
            continue;
        }
        if (code == 2) {                           // move right and down
            at += 2;
            continue;
        }
        const std::size_t bytes = compression == 1 ? code : (code + 1) / 2;  // literal pixels
        at += bytes + (bytes & 1);
    }
    return false;
}

// Checks the header against the file size before the image reader sees it.
std::string CheckHeader(const std::filesystem::path& file, std::uintmax_t fileSize) {
    if (fileSize < 26) return "файл пуст или обрезан";
    std::ifstream in(file, std::ios::binary);
    unsigned char h[54] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    const std::streamsize got = in.gcount();
    if (got < 26 || h[0] != 'B' || h[1] != 'M') return "это не BMP-файл";
    const std::uint32_t dataOffset = U32(h + 10);
    const std::uint32_t infoSize = U32(h + 14);
    long long width = 0, height = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        width = U16(h + 18);
        height = U16(h + 20);
        bits = U16(h + 24);
    } else {
        if (got < 34) return "файл обрезан";
        width = static_cast<std::int32_t>(U32(h + 18));
        height = static_cast<std::int32_t>(U32(h + 22));  // negative: stored top-down
        bits = U16(h + 28);
        compression = U32(h + 30);
    }
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0) return "неверный размер картинки";
    if (width > kMaxBitmapSide || height > kMaxBitmapSide || width * height > kMaxBitmapPixels)
        return "картинка слишком большая (" + std::to_string(width) + " x " + std::to_string(height) + ")";
    // Uncompressed pixel data must be all there; run-length data must reach its end.
    if ((compression == 0 || compression == 3) && bits > 0) {
        const long long stride = (width * bits + 31) / 32 * 4;
        const long long needed = static_cast<long long>(dataOffset) + stride * height;
        if (static_cast<long long>(fileSize) < needed) return "файл обрезан";
    }
    if ((compression == 1 || compression == 2) && !RleComplete(file, dataOffset, compression, height))
        return "файл обрезан";
    return {};
}

}  // namespace

BitmapLoad LoadBitmapFile(const std::filesystem::path& file, Bitmap& out) {
    out = Bitmap{};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return {false, Describe(file, "файл не найден")};
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec) return {false, Describe(file, "файл не читается")};
    if (std::string problem = CheckHeader(file, size); !problem.empty()) return {false, Describe(file, problem)};

    QImage image;
    if (!image.load(QString::fromStdString(file.string()), "BMP") || image.isNull())
        return {false, Describe(file, "файл поврежден")};
    if (image.width() <= 0 || image.height() <= 0) return {false, Describe(file, "неверный размер картинки")};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    out = Bitmap(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(out.row(y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * sizeof(Pixel));
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
