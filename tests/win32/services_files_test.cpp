// Files through the wide calls: whole reads, atomic replacement that never loses the
// old file, the write probe, folder creation and short paths.
#include "services_test_support.h"

#include <gtest/gtest.h>

namespace {

using services_test::exists;
using services_test::readBytes;
using services_test::TempFolder;
using services_test::writeBytes;

struct FilesTest : testing::Test {
    TempFolder folder;
    win32::Win32Files files;
    const std::string list = folder.file("KALO DC.dat");
    const std::wstring wideList = folder.wideFile(L"KALO DC.dat");
    const std::wstring temp = wideList + L".tmp";
};

TEST_F(FilesTest, ReadsWholeFilesByteForByte) {
    std::string bytes("C:\\a.jpg\r\n\0\xe9\xff", 13);
    writeBytes(folder.wideFile(L"K\u00f6ln \u6f22.dat"), bytes);
    EXPECT_EQ(files.read(folder.file("K\u00f6ln \u6f22.dat")), bytes);
    writeBytes(folder.wideFile(L"empty"), "");
    EXPECT_EQ(files.read(folder.file("empty")), "");
    EXPECT_FALSE(files.read(folder.file("absent")).has_value());
    EXPECT_FALSE(files.read(folder.path()).has_value()); // a folder is no file
}

TEST_F(FilesTest, ReplaceCreatesAndReplacesLeavingNoTemporaryFile) {
    ASSERT_TRUE(files.replaceAtomically(list, "first\r\n"));
    EXPECT_EQ(readBytes(wideList), "first\r\n");
    ASSERT_TRUE(files.replaceAtomically(list, "second, longer\r\n"));
    EXPECT_EQ(readBytes(wideList), "second, longer\r\n");
    ASSERT_TRUE(files.replaceAtomically(list, ""));
    EXPECT_EQ(readBytes(wideList), "");
    EXPECT_FALSE(exists(temp));
}

TEST_F(FilesTest, ALockedFileKeepsItsOldContent) {
    writeBytes(wideList, "old");
    HANDLE lock = CreateFileW(wideList.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.replaceAtomically(list, "new"));
    CloseHandle(lock);
    EXPECT_EQ(readBytes(wideList), "old");
    EXPECT_FALSE(exists(temp));
}

TEST_F(FilesTest, AnUnwritableTemporaryPlaceKeepsTheOldFile) {
    writeBytes(wideList, "old");
    CreateDirectoryW(temp.c_str(), nullptr); // the temporary name is taken by a folder
    EXPECT_FALSE(files.replaceAtomically(list, "new"));
    EXPECT_EQ(readBytes(wideList), "old");
    RemoveDirectoryW(temp.c_str());
}

TEST_F(FilesTest, AMissingFolderFailsAndCreatesNothing) {
    std::string inMissing = folder.file("absent\\KALO DC.dat");
    EXPECT_FALSE(files.replaceAtomically(inMissing, "new"));
    EXPECT_FALSE(exists(folder.wideFile(L"absent")));
}

TEST_F(FilesTest, FolderWritableProbesWithoutLeavingAFile) {
    EXPECT_TRUE(files.folderWritable(folder.path()));
    EXPECT_TRUE(files.folderWritable(folder.path() + "\\"));
    EXPECT_FALSE(files.folderWritable(folder.file("absent")));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder.wide() + L"\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a probe file was left behind";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(FilesTest, EnsureFolderCreatesEveryMissingLevel) {
    std::string nested = folder.file("Local\\KALO DC\\deeper");
    EXPECT_TRUE(files.ensureFolder(nested));
    EXPECT_TRUE(files.folderWritable(nested));
    EXPECT_TRUE(files.ensureFolder(nested)); // already there
    writeBytes(folder.wideFile(L"plain"), "x");
    EXPECT_FALSE(files.ensureFolder(folder.file("plain"))); // a file stands in the way
}

TEST_F(FilesTest, ShortPathOnlyWhereItDiffers) {
    std::wstring longName = folder.wideFile(L"A rather long picture name.jpeg");
    writeBytes(longName, "picture");
    auto shortened = files.shortPath(win32::narrow(longName));
    ASSERT_TRUE(shortened.has_value());
    EXPECT_NE(*shortened, win32::narrow(longName));
    EXPECT_EQ(readBytes(win32::widen(*shortened)), "picture");
    EXPECT_FALSE(files.shortPath(folder.file("absent.jpg")).has_value());
}

} // namespace
