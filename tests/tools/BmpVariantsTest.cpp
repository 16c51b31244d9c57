// Every BMP variant the generator writes reads back as written through the
// game's decoder, and as Qt's own reader sees it wherever Qt reads it.
#include <gtest/gtest.h>

#include <span>

#include "BmpVariants.h"
#include "GraphFixture.h"
#include "platform/BmpDecode.h"

namespace sheetgen {
namespace {

TEST(BmpVariantsTest, EveryVariantReadsBackAsWrittenAndAsQtReadsIt) {
    // Two unit patterns: a keyed background that run-length streams skip,
    // an odd width that pads every row.
    const QImage piece = FindFile(testing::TheGraph(), "Units0.bmp")->image.copy(0, 0, 126, 63);
    int checkedByQt = 0;
    for (const BmpVariant& v : BmpVariants()) {
        const QImage expected = FitToVariant(piece, v);
        const QByteArray bytes = EncodeVariant(piece, v);
        tarq::Bitmap read;
        ASSERT_EQ(tarq::DecodeBmp(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            static_cast<std::size_t>(bytes.size())),
                                  read),
                  "")
            << v.name;
        ASSERT_EQ(read.width, piece.width()) << v.name;
        ASSERT_EQ(read.height, piece.height()) << v.name;
        // Qt leaves the pixels a run-length stream skips undefined, and
        // stretches 5-bit fields to 248 at most.
        QImage qt;
        const bool byQt = v.compression != 1 && v.compression != 2 && v.bits != 16 && qt.loadFromData(bytes, "BMP");
        checkedByQt += byQt;
        qt = qt.convertToFormat(QImage::Format_RGB32);
        int wrong = 0, wrongByQt = 0;
        for (int y = 0; y < read.height; ++y)
            for (int x = 0; x < read.width; ++x) {
                wrong += read.at(x, y) != expected.pixel(x, y);
                wrongByQt += byQt && read.at(x, y) != qt.pixel(x, y);
            }
        EXPECT_EQ(wrong, 0) << v.name;
        EXPECT_EQ(wrongByQt, 0) << v.name;
    }
    EXPECT_GE(checkedByQt, 9);  // every plain 1, 4, 8, 24 and 32-bit variant Qt 6.4 reads
}

}  // namespace
}  // namespace sheetgen
