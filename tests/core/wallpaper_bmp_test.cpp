#include "wallpaper/bmp_writer.h"
#include "wallpaper_bmp_reader.h"

#include <gtest/gtest.h>

namespace {

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

ui::Picture picture(int width, int height, std::vector<std::uint32_t> pixels) {
    return ui::Picture{width, height, std::move(pixels)};
}

} // namespace

TEST(BmpWriter, ThreeByTwoPictureIsWrittenByteForByte) {
    auto bytes = wallpaper::encodeBmp(
        picture(3, 2, {0xFF112233, 0xFF445566, 0xFF778899, 0x80AABBCC, 0xFFDDEEFF, 0xFF010203}));
    std::string expected =
        // file header: "BM", 78 bytes in all, reserved, pixels at 54
        "42 4D 4E 00 00 00 00 00 00 00 36 00 00 00 "
        // information header: 40 bytes, 3 x 2, one plane, 24 bits, no compression,
        // 24 bytes of pixels, 2835 pixels per metre both ways, no palette
        "28 00 00 00 03 00 00 00 02 00 00 00 01 00 18 00 00 00 00 00 18 00 00 00 "
        "13 0B 00 00 13 0B 00 00 00 00 00 00 00 00 00 00 "
        // bottom row first, blue-green-red, alpha dropped, padded to 12 bytes
        "CC BB AA FF EE DD 03 02 01 00 00 00 "
        "33 22 11 66 55 44 99 88 77 00 00 00";
    EXPECT_EQ(hex(bytes), expected);
}

TEST(BmpWriter, RowsArePaddedToFourBytes) {
    struct Case {
        int width;
        std::size_t stride;
    };
    for (auto [width, stride] : {Case{1, 4}, Case{2, 8}, Case{3, 12}, Case{4, 12}, Case{5, 16},
                                 Case{6000, 18000}, Case{6001, 18004}}) {
        SCOPED_TRACE(width);
        EXPECT_EQ(wallpaper::bmpRowStride(width), stride);
        auto bytes =
            wallpaper::encodeBmp(picture(width, 2, std::vector<std::uint32_t>(width * 2u)));
        EXPECT_EQ(bytes.size(), 54 + 2 * stride);
    }
}

TEST(BmpWriter, PicturesThatCannotBeWrittenGiveNoBytes) {
    struct Case {
        const char* what;
        ui::Picture picture;
    };
    Case cases[] = {
        {"no width", picture(0, 2, {})},
        {"no height", picture(2, 0, {})},
        {"negative width", picture(-2, 2, {1, 2, 3, 4})},
        {"fewer pixels than its size", picture(2, 2, {1, 2, 3})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(wallpaper::encodeBmp(c.picture), "");
    }
}

TEST(BmpWriter, EveryPixelReadsBackInItsPlace) {
    ui::Picture original{7, 5, {}};
    for (std::uint32_t i = 0; i < 35; ++i)
        original.pixels.push_back(0xFF000000u | (i * 0x070503u));
    auto read = testing_support::readBmp(wallpaper::encodeBmp(original));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, 7);
    EXPECT_EQ(read->height, 5);
    EXPECT_EQ(read->pixels, original.pixels);
}

TEST(BmpWriter, PiecesMakeTheSameFileInWholeRows) {
    ui::Picture original{5, 9, {}};
    for (std::uint32_t i = 0; i < 45; ++i)
        original.pixels.push_back(0xFF000000u | (i * 0x0B0703u));
    std::string whole = wallpaper::encodeBmp(original);
    std::size_t stride = wallpaper::bmpRowStride(5);
    for (std::size_t pieceBytes : {std::size_t(1), stride, 3 * stride + 1, std::size_t(1) << 20}) {
        SCOPED_TRACE(pieceBytes);
        wallpaper::BmpPieces pieces(original, pieceBytes);
        std::string joined, piece;
        int count = 0;
        while (pieces.next(piece)) {
            std::size_t rows = piece.size() - (count == 0 ? wallpaper::BMP_HEADERS_BYTES : 0);
            EXPECT_EQ(rows % stride, 0u) << "a piece ends at a row's end";
            joined += piece;
            piece.clear();
            ++count;
        }
        EXPECT_EQ(joined, whole);
        EXPECT_FALSE(pieces.next(piece)) << "no piece after the last";
    }
    wallpaper::BmpPieces none(picture(2, 2, {1, 2, 3}));
    std::string piece;
    EXPECT_FALSE(none.valid());
    EXPECT_FALSE(none.next(piece));
}
