#include "fixture.h"
#include "wallpaper/bmp_writer.h"
#include "wallpaper/scaled_copy.h"

using testing_support::Program;

namespace {

constexpr std::uint32_t RED = 0xFFCC2211, BLUE = 0xFF1122CC, GREEN = 0xFF22CC11;
using Calls = std::vector<std::optional<std::string>>;

// A picture of 0xAARRGGBB words, row by row from the top.
ui::Picture pictureOf(int width, int height, const std::vector<std::uint32_t>& words) {
    ui::Picture picture = ui::Picture::sized(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.set(x, y, words[std::size_t(y) * width + x]);
    return picture;
}

// The bitmap file of a picture of one colour; the writer's bytes are pinned below.
std::string bmp(int width, int height, std::uint32_t colour) {
    return wallpaper::encodeBmp(
        pictureOf(width, height, std::vector<std::uint32_t>(std::size_t(width * height), colour)));
}

// A 24-bit bitmap file of 0xAARRGGBB words, made pixel by pixel from the format's
// description: the bytes KALO.bmp has always held.
std::string bitmapOfWords(int width, int height, const std::vector<std::uint32_t>& words) {
    std::string file;
    auto put = [&file](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file += char(value >> (8 * i));
    };
    const std::uint32_t stride = (std::uint32_t(width) * 3 + 3) / 4 * 4;
    file += "BM";
    for (std::uint32_t value :
         {54 + stride * height, 0u, 54u, 40u, std::uint32_t(width), std::uint32_t(height),
          0x180001u, 0u, stride * height, 2835u, 2835u, 0u, 0u})
        put(value, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            put(words[std::size_t(y) * width + x], 3);
        put(0, int(stride) - width * 3);
    }
    return file;
}

} // namespace

// The file's size for any picture, 0 where it would pass 4 GB; a picture that is not whole
// (a side not positive, rows cut short) writes nothing. The bytes are pinned below.
TEST(BmpWriter, SizesTheFileAndRefusesAPictureThatIsNotWhole) {
    const std::tuple<int, int, std::size_t> sizes[] = {
        {3, 2, 78}, {6000, 4000, 54 + 72'000'000}, {30000, 60000, 0}, {0, 3, 0}, {3, -1, 0}};
    for (auto [width, height, fileBytes] : sizes)
        EXPECT_EQ(wallpaper::bmpFileBytes(width, height), fileBytes) << width << " x " << height;
    ui::Picture cut = ui::Picture::sized(2, 2);
    cut.bytes.pop_back();
    for (const ui::Picture& bad : {ui::Picture{-2, 2, {1, 2, 3, 4}}, cut, ui::Picture::sized(0, 3),
                                   ui::Picture::sized(3, -1)})
        EXPECT_EQ(std::tuple(bad.whole(), wallpaper::encodeBmp(bad)), std::tuple(false, ""))
            << bad.width << "x" << bad.height;
}

// Rows lent to a decoder, or asked of the place it is given, hold a picture of any size of
// at least one pixel; for none, nothing is asked.
TEST(Picture, LentOrPlacedRowsTakeAnySizeOfAtLeastOnePixel) {
    std::vector<std::uint8_t> rows(64);
    int asked = 0;
    const ui::PixelPlace place = [&](int, int) { return ++asked, rows.data(); };
    for (auto [width, height, taken] :
         {std::tuple{3, 1, true}, {1, 3, true}, {0, 2, false}, {2, 0, false}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        for (const ui::Picture& picture : {ui::Picture::over(width, height, rows.data()),
                                           ui::Picture::placed(place, width, height)})
            EXPECT_EQ(std::tuple(picture.width, picture.height, picture.whole(), picture.borrowed),
                      taken ? std::tuple(width, height, true, rows.data())
                            : std::tuple(0, 0, false, nullptr));
        EXPECT_EQ(std::exchange(asked, 0), int(taken));
    }
}

// Pixel memory the front end hands over goes back to it, every byte, when the pictures that
// hold it go.
TEST(Picture, GivesEveryByteOfPixelMemoryBack) {
    static std::size_t held = 0;
    ui::usePixelMemory(
        {[](std::size_t bytes) { return held += bytes, ::operator new(bytes); },
         [](void* block, std::size_t bytes) { held -= bytes, ::operator delete(block); }});
    {
        ui::Picture a = ui::Picture::sized(5, 3), b = a; // rows of 16 bytes
        a = ui::Picture::sized(7, 2);                    // rows of 24 bytes
        EXPECT_EQ(held, 2 * 48u);
    }
    EXPECT_EQ(held, 0u);
    ui::usePixelMemory({[](std::size_t bytes) { return ::operator new(bytes); },
                        [](void* block, std::size_t) { ::operator delete(block); }});
}

// A picture as a decoder leaves it gives the same file as always, pixel for pixel, with the
// padding of every odd width cleared; each pixel reads back as it was set.
TEST(BmpWriter, GivesTheBytesKaloBmpHasAlwaysHeldForEveryWidth) {
    for (int width = 1; width <= 9; ++width)
        for (int height : {1, 2, 5}) {
            std::vector<std::uint32_t> words;
            for (std::uint32_t i = 0; i < std::uint32_t(width * height); ++i)
                words.push_back(0xFF000000u | (i * 0x3F1D07u + 0x10203u) % 0x1000000u);
            const ui::Picture picture = pictureOf(width, height, words);
            std::vector<std::uint32_t> seen;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    seen.push_back(picture.at(x, y));
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            EXPECT_EQ(wallpaper::encodeBmp(picture), bitmapOfWords(width, height, words));
            EXPECT_EQ(seen, words);
        }
}

// Each pixel of a smaller copy averages the part of the picture it covers, from at most
// 4 x 4 samples spread evenly over it; a copy of the same size is the picture.
TEST(ScaledCopy, AveragesThePartEachNewPixelCovers) {
    const ui::Picture picture = pictureOf(
        4, 2, {0x000000, 0x0000FF, 0xFF0000, 0xFF0000, 0x000000, 0x0000FF, 0x00FF00, 0x00FF00});
    const ui::Picture half = wallpaper::scaledCopy(picture, 2, 1);
    EXPECT_EQ(std::tuple(half.width, half.height, half.at(0, 0), half.at(1, 0)),
              std::tuple(2, 1, 0xFF000080u, 0xFF808000u));
    EXPECT_EQ(wallpaper::scaledCopy(picture, 4, 2).bytes, picture.bytes);
    std::vector<std::uint32_t> row(12, 0xFFFFFF); // samples at 1, 4, 7 and 10 of 12
    for (int at : {1, 4, 7, 10})
        row[std::size_t(at)] = 0x101010u * std::uint32_t(at);
    EXPECT_EQ(wallpaper::scaledCopy(pictureOf(12, 1, row), 1, 1).at(0, 0), 0xFF585858u);
}

// A list of a red, a blue, a green and a broken picture, with the program's folder
// read-only and the user's folder outside the code page: KALO.bmp goes to the user's folder,
// and to the desktop by its short path.
struct Applying : ::testing::Test {
    Program p;
    std::string bitmap = userFolderBitmap(), broken = p.path("broken.jpg");
    std::string own = p.picture("own.bmp", GREEN, 2, 2), ownBytes = p.read("own.bmp");
    const std::string blue = bmp(5, 2, BLUE), green = bmp(2, 2, GREEN);
    app::Kalo2& w = p.main();
    Applying() {
        p.write("broken.jpg", "GIF89a garbage"); // not a picture
        for (auto entry :
             {p.picture("a.jpg", RED, 4, 3), p.picture("b.gif", BLUE, 5, 2), own, broken})
            w.Wallpaper.add(entry);
    }
    std::string userFolderBitmap() {
        p.os.fs.readOnlyFolders.push_back(p.folder);
        p.os.where.userDataFolder = p.folder + "/\xE6\x97\xA5"; // its bytes as they stand
        const std::string path = p.os.where.userDataFolder + "/KALO.bmp";
        p.os.fs.shortPaths[path] = p.path("6E65~1/KALO.bmp");
        return path;
    }
    void applyAt(std::optional<long> at) { w.rotationIndex = at, w.ApplyWallpaper(); }
    std::string desktop() { return p.os.fs.read(bitmap).value_or("none"); }
};

// An entry that does not load, or is gone since the preview loaded it, is reported at each
// selection; the preview, the desktop and the program's own pictures keep what they had.
// Without a short path the file is still written, not handed on, and the user told once.
TEST_F(Applying, AnEntryThatDoesNotLoadIsReportedAndTheDesktopKeepsItsPicture) {
    applyAt(2);
    p.os.fs.failWrites = true;
    applyAt(0);
    p.os.fs.failWrites = false;
    auto shown = w.im.picture();
    applyAt(3);
    w.Wallpaper.setListIndex(3);
    ASSERT_EQ(p.os.boxes.size(), 2u);
    EXPECT_EQ(std::tuple(p.os.boxes[1].text, p.os.boxes[1].title, p.os.boxes[1].style),
              std::tuple(broken + " missing!", "Missing File", platform::MB_EXCLAMATION));
    EXPECT_EQ(std::tuple(w.im.picture(), desktop()), std::tuple(shown, green));
    w.Wallpaper.setListIndex(0);
    w.Wallpaper.setListIndex(-1);
    const int decodes = p.os.decodes;
    w.Wallpaper_Click(); // a stray click with nothing selected loads nothing
    EXPECT_EQ(p.os.decodes, decodes);
    EXPECT_EQ(w.im.picture()->at(0, 0), RED);
    std::filesystem::remove(p.path("a.jpg")); // gone since the preview loaded it
    applyAt(0);
    EXPECT_EQ(std::tuple(p.os.boxes.back().text, desktop(), p.read("own.bmp")),
              std::tuple(p.path("a.jpg") + " missing!", green, ownBytes));
    EXPECT_EQ(p.os.wallpaperCalls, Calls(1, p.path("6E65~1/KALO.bmp"))) << "only if written";
    p.os.fs.shortPaths.clear();
    applyAt(1);
    applyAt(1);
    EXPECT_EQ(std::tuple(p.os.wallpaperCalls.size(), p.os.boxes.size(), desktop()),
              std::tuple(1u, 4u, blue));
}

// A change decodes straight into the new KALO.bmp made in place, not flushed (the list file
// is); after it the program holds only the preview's copy, no larger than 242 x 168 pixels.
TEST(Applier, DecodesIntoKaloBmpMadeInPlaceAndHoldsOnlyThePreviewsCopy) {
    Program p;
    auto& w = p.main();
    struct Case {
        std::uint32_t colour;
        int width, height, previewWidth, previewHeight;
    };
    const Case cases[] = {
        {RED, 301, 100, 242, 100}, {BLUE, 300, 700, 242, 168}, {GREEN, 20, 10, 20, 10}};
    std::vector<std::size_t> sizes;
    for (const Case& c : cases)
        w.Wallpaper.add(p.picture(std::to_string(c.colour) + ".jpg", c.colour, c.width, c.height));
    for (long at = 0; const Case& c : cases) {
        w.rotationIndex = at++;
        w.ApplyWallpaper();
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::string file = bmp(c.width, c.height, c.colour);
        sizes.push_back(file.size());
        EXPECT_EQ(std::tuple(p.read("KALO.bmp"), p.os.wallpaperPictures.back(),
                             p.os.heldDecodedPictures()),
                  std::tuple(file, file, 0L));
        const auto& shown = w.im.picture();
        EXPECT_EQ(std::tuple(shown->width, shown->height, shown->at(0, 0),
                             shown->at(shown->width - 1, shown->height - 1)),
                  std::tuple(c.previewWidth, c.previewHeight, c.colour, c.colour));
    }
    w.Wallpaper.setListIndex(1); // chosen in the list: shown, not held, nothing made in place
    EXPECT_EQ(std::tuple(p.os.decodes, p.os.decodedInPlace, p.os.fs.inPlaceSizes,
                         p.os.heldDecodedPictures(), w.im.picture()->width),
              std::tuple(4, 3, sizes, 0L, 242));
    ASSERT_TRUE(w.SaveImageList());
    EXPECT_EQ(p.os.fs.flushed, std::vector{p.path("KALO DC.dat")}) << "only the list file waits";
}

// A full disk, a refused rename or a picture broken after its rows were placed leaves the
// old KALO.bmp and the desktop as they were.
TEST(Applier, AFailedChangeLeavesTheOldBitmapAndNoTemporaryFile) {
    Program p;
    auto& w = p.main();
    w.Wallpaper.add(p.picture("a.jpg", RED, 30, 20));
    w.Wallpaper.add(p.picture("b.jpg", BLUE, 6, 4));
    p.write("cut.jpg", "PIC 40 30 255 cut");
    w.Wallpaper.add(p.path("cut.jpg"));
    w.rotationIndex = 0;
    w.ApplyWallpaper();
    struct Case {
        const char* what;
        bool full, refusing;
        long at;
        std::uint32_t shown;
    };
    const Case cases[] = {{"full disk", true, false, 1, BLUE},
                          {"rename refused", false, true, 1, BLUE},
                          {"broken after its size", false, false, 2, BLUE}};
    for (const Case& c : cases) {
        p.os.fs.refuseInPlace = c.full;
        p.os.fs.failWrites = c.refusing;
        w.rotationIndex = c.at;
        w.ApplyWallpaper();
        EXPECT_EQ(std::tuple(p.read("KALO.bmp") == bmp(30, 20, RED), p.os.wallpaperCalls.size(),
                             w.im.picture()->at(0, 0)),
                  std::tuple(true, 1u, c.shown))
            << c.what;
    }
    EXPECT_EQ(p.os.boxes.size(), 1u); // for the broken picture
}
