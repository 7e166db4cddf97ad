// Pictures decoded by WIC from files that WIC's own encoders wrote.
#include "services_test_support.h"
#include "services_wic_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using services_test::TempFolder;

constexpr std::uint32_t RED = 0xFFFF0000u, BLUE = 0xFF0000FFu, GREEN = 0xFF00C000u;

// 32 x 24: a red left half, a blue right half, a green bottom-right corner.
wic_writer::Pixels testPicture() {
    wic_writer::Pixels picture{32, 24, {}};
    for (UINT y = 0; y < picture.height; ++y)
        for (UINT x = 0; x < picture.width; ++x)
            picture.data.push_back(x < 16 ? RED : (y >= 16 && x >= 24 ? GREEN : BLUE));
    return picture;
}

bool closeTo(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16, 24})
        if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

struct Format {
    const char* name;
    const wchar_t* file;
    GUID container;
    int tolerance; // lossy formats may move a channel a little
};

TEST(LoadPicture, DecodesEveryOfferedFormat) {
    TempFolder folder;
    for (const Format& format : {Format{"BMP", L"a.bmp", GUID_ContainerFormatBmp, 0},
                                 Format{"PNG", L"a.png", GUID_ContainerFormatPng, 0},
                                 Format{"JPEG", L"a.jpg", GUID_ContainerFormatJpeg, 40},
                                 Format{"GIF", L"a.gif", GUID_ContainerFormatGif, 0},
                                 Format{"TIFF", L"a.tif", GUID_ContainerFormatTiff, 0}}) {
        std::wstring path = folder.wideFile(format.file);
        ASSERT_TRUE(wic_writer::write(path, format.container, testPicture())) << format.name;
        ui::PicturePtr picture = win32::loadPicture(win32::narrow(path));
        ASSERT_TRUE(picture) << format.name;
        EXPECT_EQ(picture->width, 32) << format.name;
        EXPECT_EQ(picture->height, 24) << format.name;
        ASSERT_EQ(picture->pixels.size(), 32u * 24u) << format.name;
        EXPECT_PRED3(closeTo, picture->at(4, 4), RED, format.tolerance) << format.name;
        EXPECT_PRED3(closeTo, picture->at(27, 4), BLUE, format.tolerance) << format.name;
        EXPECT_PRED3(closeTo, picture->at(28, 20), GREEN, format.tolerance) << format.name;
    }
}

TEST(LoadPicture, RefusesWhatItCannotDecode) {
    TempFolder folder;
    services_test::writeBytes(folder.wideFile(L"garbage.jpg"), "this is no picture at all");
    services_test::writeBytes(folder.wideFile(L"empty.bmp"), "");
    std::string truncatedPng = "\x89PNG\r\n\x1a\n";
    services_test::writeBytes(folder.wideFile(L"truncated.png"), truncatedPng);
    for (const char* name : {"garbage.jpg", "empty.bmp", "truncated.png", "absent.jpg"})
        EXPECT_FALSE(win32::loadPicture(folder.file(name))) << name;
    EXPECT_FALSE(win32::loadPicture(folder.path())) << "a folder";
    EXPECT_FALSE(win32::loadPicture("")) << "no path";
}

} // namespace
