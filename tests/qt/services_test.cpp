// The Linux program's services on a real disk: text, files and folders, and the pictures
// it decodes.
#include "linux/picture_image.h"
#include "linux/services.h"
#include "qt_fixture.h"
#include "support/fake_platform.h"

#include <QImage>

#include <turbojpeg.h>

#include <csignal>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

// Runs `act` with files limited to 64 KiB, a stand-in for a full disk: writes beyond fail.
template <class Act> auto onAFullDisk(Act act) {
    rlimit unlimited{}, limited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    limited = {64 << 10, unlimited.rlim_max};
    auto previous = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead
    setrlimit(RLIMIT_FSIZE, &limited);
    const auto result = act();
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, previous);
    return result;
}

TEST(Services, TextFilesAndFolders) {
    linux::Utf8CodePage cp;
    EXPECT_EQ(cp.toAnsi("K\xC3\xB6ln \xE6\xBC\xA2"), "K\xC3\xB6ln \xE6\xBC\xA2");
    for (const char* bad : {"\xFF", "a\xC3", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(cp.toAnsi(bad), std::nullopt) << bad;
    TempFolder home;
    linux::PosixFileSteps steps; // a failure at any step leaves the old file or the new
    EXPECT_EQ(fake::brokenReplacements(steps, home.folder), "");
    linux::PosixFiles files;
    const std::string list = home.path("data/kalo-dc/KALO DC.dat"), link = home.path("link");
    ASSERT_TRUE(files.ensureFolder(home.path("data/kalo-dc")) &&
                files.replaceAtomically(list, "old"));
    fs::permissions(list, fs::perms(0640));
    fs::create_symlink(list, link);
    // The old file's permissions are kept, and a link stays a link to the new file. A file in
    // the way of a folder is refused, and a folder is no file.
    EXPECT_TRUE(files.folderWritable(home.folder));
    EXPECT_TRUE(files.replaceAtomically(link, "new"));
    EXPECT_EQ(std::tuple(files.read(list), fs::is_symlink(link), fs::status(list).permissions()),
              std::tuple("new", true, fs::perms(0640)));
    EXPECT_FALSE(files.ensureFolder(list + "/below"));
    EXPECT_FALSE(files.replaceAtomically(list + "/below", "x"));
    EXPECT_EQ(files.read(home.path("data")), std::nullopt);
    // Nor is a folder under /usr the program's, even where it may write.
    for (const std::string& folder : std::vector<std::string>{
             "/usr/bin", "/usr/local/bin", "/usr/bin/../lib", "/nonexistent", list})
        EXPECT_FALSE(files.folderWritable(folder)) << folder;
}

// Committed, it replaces the old file (permissions kept, a link left a link) with exactly the
// bytes written; dropped or refused (a full disk, no folder), it leaves the old file alone.
TEST(Services, AFileMadeInPlaceReplacesTheOldOneOnlyWhenCommitted) {
    TempFolder home;
    linux::PosixFiles files;
    const std::string bitmap = home.path("KALO.bmp"), link = home.path("link.bmp");
    ASSERT_TRUE(files.replaceAtomically(bitmap, "old"));
    fs::permissions(bitmap, fs::perms(0640));
    fs::create_symlink(bitmap, link);
    files.makeInPlace(link, 100).reset(); // dropped: the old file stays
    const bool keptOld = home.read("KALO.bmp") == "old" && !fs::exists(bitmap + ".tmp");
    const bool full = onAFullDisk([&] { return files.makeInPlace(bitmap, 1 << 20) != nullptr; });
    const bool absent = files.makeInPlace(home.path("absent/KALO.bmp"), 100) != nullptr;
    EXPECT_EQ(std::tuple(keptOld, full, absent, home.read("KALO.bmp"), fs::exists(bitmap + ".tmp")),
              std::tuple(true, false, false, "old", false));
    std::string expected(3 << 20, '\0'); // the alphabet over and over
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = char('a' + i % 26);
    auto file = files.makeInPlace(link, expected.size());
    ASSERT_TRUE(file);
    std::copy(expected.begin(), expected.end(), file->bytes());
    const bool committed = file->commit();
    const bool readable = file->bytes()[expected.size() - 1] == expected.back(); // until dropped
    file.reset();
    EXPECT_EQ(std::tuple(committed, readable, home.read("KALO.bmp") == expected,
                         fs::is_symlink(link), fs::status(bitmap).permissions(),
                         fs::exists(bitmap + ".tmp")),
              std::tuple(true, true, true, true, fs::perms(0640), false));
}

// Each picture is decoded into the place the caller gives for its rows (padded: an odd
// width), with the pixels Qt sees in the file: JPEGs by libjpeg-turbo, the rest and a
// four-channel JPEG by Qt, whatever the file's name; broken files are refused.
TEST(Pictures, EachFormatDecodesIntoItsPlaceAsQtSeesItAndBrokenFilesAreRefused) {
    TempFolder home;
    QImage gradient(41, 30, QImage::Format_RGB32); // every block of a JPEG differs
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 41; ++x)
            gradient.setPixel(x, y, qRgb(x * 6, y * 8, 255 - x * 3));
    gradient.save(QString::fromStdString(home.path("ok.jpg")), "JPEG", 90);
    gradient.save(QString::fromStdString(home.path("ok.png")));
    const std::string jpeg = home.read("ok.jpg"), scan = jpeg.substr(0, jpeg.find("\xFF\xDA"));
    // A flat four-channel CMYK JPEG, which libjpeg-turbo cannot turn to RGB.
    const std::vector<unsigned char> cmyk(41 * 30 * 4, 0x40);
    unsigned char* cmykJpeg = nullptr;
    unsigned long size = 0;
    tjhandle handle = tjInitCompress();
    tjCompress2(handle, cmyk.data(), 41, 0, 30, TJPF_CMYK, &cmykJpeg, &size, TJSAMP_444, 90, 0);
    home.write("cmyk.jpg", std::string(reinterpret_cast<char*>(cmykJpeg), size));
    tjFree(cmykJpeg);
    tjDestroy(handle);
    home.write("jpeg.png", jpeg);
    home.write("extra.jpg", scan + std::string(2, '\0') + jpeg.substr(scan.size()));
    for (const char* name : {"ok.jpg", "ok.png", "cmyk.jpg", "jpeg.png", "extra.jpg"}) {
        std::vector<std::uint8_t> place(ui::Picture::strideOf(41) * 30 + 1, 0xEE);
        const auto decoded =
            linux::loadPicture(home.path(name), [&](int, int) { return place.data(); });
        ASSERT_TRUE(decoded) << name;
        EXPECT_EQ(std::pair(decoded->borrowed == place.data(), place.back()),
                  std::pair(true, std::uint8_t(0xEE)))
            << name;
        const QImage reference(QString::fromStdString(home.path(name)));
        EXPECT_EQ(
            linux::upsideDownImage(*decoded).mirrored().convertToFormat(QImage::Format_ARGB32),
            reference.convertToFormat(QImage::Format_ARGB32))
            << name;
    }
    home.write("empty.png", "");
    home.write("cut.png", home.read("ok.png").substr(0, 40));
    home.write("cut.jpg", jpeg.substr(0, jpeg.size() - 40));
    home.write("huge.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0"
                                       "\x08\x06\0\0\0\xa8\x52\x0b\xc8",
                                       33));
    // Its frame header claims 60000 x 60000 pixels.
    home.write("huge.jpg",
               std::string(jpeg).replace(jpeg.find("\xFF\xC0") + 5, 4, "\xEA\x60\xEA\x60"));
    for (const char* name : {"empty.png", "cut.png", "cut.jpg", "huge.png", "huge.jpg", "none.jpg"})
        EXPECT_FALSE(linux::loadPicture(home.path(name))) << name;
}

} // namespace
