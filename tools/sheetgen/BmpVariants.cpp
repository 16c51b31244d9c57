#include "BmpVariants.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <bit>

namespace sheetgen {
namespace {

constexpr std::uint32_t kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// Little-endian fields.
void Put16(QByteArray& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(QByteArray& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Red, green, blue and alpha masks: those implied by the plain variants, and
// those written for the bit-field ones. The alpha variant stores red in the
// low byte, as some writers do.
std::vector<std::uint32_t> Masks(const BmpVariant& v) {
    if (v.bits == 16)
        return v.compression == 0 ? std::vector<std::uint32_t>{0x7C00, 0x03E0, 0x001F, 0}
                                  : std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F, 0};
    if (v.compression == kAlphaBitFields) return {0xFF, 0xFF00, 0xFF0000, 0xFF000000};
    return {0xFF0000, 0xFF00, 0xFF, v.bits == 32 ? 0xFF000000 : 0};
}

// A channel kept to `width` bits and scaled back to 8, rounding as the reader does.
int Quantise(int c, int width) {
    const int max = (1 << width) - 1;
    return ((c >> (8 - width)) * 255 + max / 2) / max;
}

std::vector<QRgb> Palette(const QImage& image, int size) {
    std::vector<QRgb> colours;
    for (int y = 0; y < image.height() && static_cast<int>(colours.size()) < size; ++y)
        for (int x = 0; x < image.width() && static_cast<int>(colours.size()) < size; ++x)
            if (std::find(colours.begin(), colours.end(), image.pixel(x, y)) == colours.end())
                colours.push_back(image.pixel(x, y));
    return colours;
}

QRgb Nearest(const std::vector<QRgb>& palette, QRgb c) {
    const auto distance = [c](QRgb p) {
        const int r = qRed(p) - qRed(c), g = qGreen(p) - qGreen(c), b = qBlue(p) - qBlue(c);
        return r * r + g * g + b * b;
    };
    return *std::min_element(palette.begin(), palette.end(), [&](QRgb a, QRgb b) { return distance(a) < distance(b); });
}

using Rows = std::vector<std::vector<std::uint8_t>>;  // palette indices, stored order (bottom row first)

// The stored pixels of one segment of a row: runs of one value where three or
// more repeat, literal stretches of three or more elsewhere.
void EncodeSegment(const std::vector<std::uint8_t>& row, int from, int to, bool eight, QByteArray& out) {
    const auto at = [&](int k) { return row[static_cast<std::size_t>(k)]; };
    const auto runAt = [&](int i) {
        int n = 1;
        while (i + n < to && n < 255 && at(i + n) == at(i)) ++n;
        return n;
    };
    int i = from;
    while (i < to) {
        int n = runAt(i);
        if (n >= 3 || to - i < 3) {
            out += static_cast<char>(n);
            out += static_cast<char>(eight ? at(i) : at(i) << 4 | at(i));
            i += n;
            continue;
        }
        int end = i;
        while (end < to && end - i < 255 && runAt(end) < 3) ++end;
        if (end - i < 3) end = std::min(to, i + 3);
        out += '\0';
        out += static_cast<char>(end - i);
        QByteArray stretch;
        for (int k = i; k < end; ++k) {
            if (eight)
                stretch += static_cast<char>(at(k));
            else if ((k - i) % 2 == 0)
                stretch += static_cast<char>(at(k) << 4);
            else
                stretch.back() = static_cast<char>(stretch.back() | at(k));
        }
        if (stretch.size() % 2) stretch += '\0';
        out += stretch;
        i = end;
    }
}

// Run-length stream of `rows`; pixels of entry 0 are skipped, not stored.
QByteArray RunLength(const Rows& rows, bool eight) {
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    const auto row = [&](int y) -> const std::vector<std::uint8_t>& { return rows[static_cast<std::size_t>(y)]; };
    QByteArray out;
    int x = 0, y = 0;
    for (;;) {
        int nx = x, ny = y;  // the next pixel to store
        while (ny < h && (nx >= w || row(ny)[static_cast<std::size_t>(nx)] == 0)) {
            if (++nx >= w) nx = 0, ++ny;
        }
        if (ny >= h) break;
        if (ny > y && nx < x) {  // behind us on a later row: end this one
            out += QByteArray("\0\0", 2);
            x = 0, ++y;
            continue;
        }
        while (nx > x || ny > y) {  // jump right and up
            const int dx = std::min(255, nx - x), dy = std::min(255, ny - y);
            out += QByteArray("\0\2", 2);
            out += static_cast<char>(dx);
            out += static_cast<char>(dy);
            x += dx, y += dy;
        }
        int end = x;
        while (end < w && row(y)[static_cast<std::size_t>(end)] != 0) ++end;
        EncodeSegment(row(y), x, end, eight, out);
        x = end;
    }
    out += QByteArray("\0\1", 2);
    return out;
}

// Rows of palette indices or packed pixels, each padded to 4 bytes.
QByteArray PlainRows(const QImage& image, const Rows& indices, const BmpVariant& v) {
    const std::vector<std::uint32_t> masks = Masks(v);
    const auto field = [](int c, std::uint32_t mask) {
        const int shift = std::countr_zero(mask), width = static_cast<int>(std::bit_width(mask >> shift));
        return (static_cast<std::uint32_t>(c) >> (8 - width)) << shift;
    };
    QByteArray out;
    for (int r = 0; r < image.height(); ++r) {
        const int y = v.topDown ? r : image.height() - 1 - r;
        QByteArray row;
        for (int x = 0; x < image.width(); ++x) {
            if (v.bits <= 8) {
                const int perByte = 8 / v.bits, shift = 8 - v.bits * (1 + x % perByte);
                if (x % perByte == 0) row += '\0';
                row.back() = static_cast<char>(
                    row.back() | indices[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)] << shift);
                continue;
            }
            const QRgb c = image.pixel(x, y);
            const std::uint32_t value =
                field(qRed(c), masks[0]) | field(qGreen(c), masks[1]) | field(qBlue(c), masks[2]);
            for (int i = 0; i < v.bits / 8; ++i) row += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        while (row.size() % 4) row += '\0';
        out += row;
    }
    return out;
}

}  // namespace

const std::vector<BmpVariant>& BmpVariants() {
    static const std::vector<BmpVariant> variants = {
        {"rgb24", 24, 0, 40, false},  // what the game writes
        {"rgb24-topdown", 24, 0, 40, true},
        {"rgb24-bitfields", 24, kBitFields, 40, false},
        {"rgb32", 32, 0, 40, false},
        {"rgb32-v3", 32, kBitFields, 56, false},
        {"rgb32-alphabitfields", 32, kAlphaBitFields, 40, false},
        {"rgb32-v5-topdown", 32, kBitFields, 124, true},
        {"rgb16-555", 16, 0, 40, false},
        {"rgb16-565-v3", 16, kBitFields, 56, false},
        {"pal8", 8, 0, 40, false},
        {"pal8-rle", 8, kRle8, 40, false},
        {"pal4", 4, 0, 40, false},
        {"pal4-rle", 4, kRle4, 40, false},
        {"pal1", 1, 0, 40, false},
        {"os2-pal8", 8, 0, 12, false},
        {"os2-rgb24", 24, 0, 12, false},
    };
    return variants;
}

QImage FitToVariant(const QImage& image, const BmpVariant& variant) {
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    const std::vector<QRgb> palette = variant.bits <= 8 ? Palette(out, 1 << variant.bits) : std::vector<QRgb>{};
    const int greenBits = static_cast<int>(std::bit_width(Masks(variant)[1] >> std::countr_zero(Masks(variant)[1])));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            if (variant.bits <= 8)
                out.setPixel(x, y, Nearest(palette, c));
            else if (variant.bits == 16)
                out.setPixel(x, y, qRgb(Quantise(qRed(c), 5), Quantise(qGreen(c), greenBits), Quantise(qBlue(c), 5)));
        }
    return out;
}

QByteArray EncodeVariant(const QImage& source, const BmpVariant& v) {
    const QImage image = FitToVariant(source, v);
    const int w = image.width(), h = image.height();
    std::vector<QRgb> palette = v.bits <= 8 ? Palette(image, 1 << v.bits) : std::vector<QRgb>{};
    QHash<QRgb, std::uint8_t> index;
    for (std::size_t i = 0; i < palette.size(); ++i) index.insert(palette[i], static_cast<std::uint8_t>(i));
    Rows rows(static_cast<std::size_t>(h), std::vector<std::uint8_t>(static_cast<std::size_t>(w)));
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x)
            rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)] =
                index.value(image.pixel(x, v.topDown ? r : h - 1 - r));
    if (v.infoSize == 12 && v.bits <= 8) palette.resize(std::size_t{1} << v.bits, qRgb(0, 0, 0));  // always full
    const bool rle = v.compression == kRle8 || v.compression == kRle4;
    const QByteArray data = rle ? RunLength(rows, v.compression == kRle8) : PlainRows(image, rows, v);

    QByteArray info;
    Put32(info, v.infoSize);
    if (v.infoSize == 12) {
        Put16(info, static_cast<std::uint32_t>(w)), Put16(info, static_cast<std::uint32_t>(h));
        Put16(info, 1), Put16(info, static_cast<std::uint32_t>(v.bits));
    } else {
        Put32(info, static_cast<std::uint32_t>(w)), Put32(info, static_cast<std::uint32_t>(v.topDown ? -h : h));
        Put16(info, 1), Put16(info, static_cast<std::uint32_t>(v.bits));
        Put32(info, v.compression), Put32(info, static_cast<std::uint32_t>(data.size()));
        Put32(info, 2835), Put32(info, 2835), Put32(info, static_cast<std::uint32_t>(palette.size())), Put32(info, 0);
        if (v.compression == kBitFields || v.compression == kAlphaBitFields) {
            const std::vector<std::uint32_t> masks = Masks(v);
            // A 40-byte header is followed by three masks (four with alpha);
            // longer headers hold all four.
            const std::size_t count = v.infoSize > 40 || v.compression == kAlphaBitFields ? 4 : 3;
            for (std::size_t i = 0; i < count; ++i) Put32(info, masks[i]);
        }
        while (info.size() < static_cast<qsizetype>(v.infoSize)) info += '\0';
    }
    for (QRgb c : palette) {
        info += static_cast<char>(qBlue(c)), info += static_cast<char>(qGreen(c)), info += static_cast<char>(qRed(c));
        if (v.infoSize != 12) info += '\0';
    }
    QByteArray file("BM");
    const auto offset = static_cast<std::uint32_t>(14 + info.size());
    Put32(file, offset + static_cast<std::uint32_t>(data.size())), Put32(file, 0), Put32(file, offset);
    return file + info + data;
}

std::string WriteBmpVariants(const Graph& graph, const std::filesystem::path& dir) {
    struct Piece {
        const char* name;
        const char* sheet;
        QRect area;
    };
    const Piece pieces[] = {
        {"connectors", "Conn0.bmp", {0, 0, 84, 28}},    // three patterns
        {"unit", "Units0.bmp", {0, 0, 63, 63}},         // an odd width: padded rows
        {"geology", "GEO.bmp", {224, 32, 32, 32}},      // two colours
        {"terrain", "Terrain0.bmp", {16, 16, 40, 24}},  // many colours
    };
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const Piece& piece : pieces) {
        const OutputFile* sheet = FindFile(graph, piece.sheet);
        if (!sheet) return std::string("no sheet ") + piece.sheet;
        const QImage image = sheet->image.copy(piece.area);
        for (const BmpVariant& v : BmpVariants()) {
            const std::filesystem::path path = dir / (std::string(piece.name) + "-" + v.name + ".bmp");
            QFile file(QString::fromStdString(path.string()));
            if (!file.open(QIODevice::WriteOnly) || file.write(EncodeVariant(image, v)) < 0)
                return "cannot write " + path.string();
        }
    }
    return {};
}

}  // namespace sheetgen
