#include "rotation_support.h"

#include <filesystem>

namespace {

using rotation_support::restart;
using rotation_support::stoppedWith;
using testing_support::listBytes;
using testing_support::Program;

const std::string LAST_FILE_KEY = "Software\\VB and VBA Program Settings\\Image Files\\1";

std::vector<std::string> folderContents(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ImageListAdd, AppendsThePickedFileStoresItAndRewritesTheListFile) {
    Program p;
    auto& main = stoppedWith(p, {"C:\\one.jpg"});
    p.os.dialogAnswers = {"C:\\two.jpg", "C:\\two.jpg"};
    main.add.click();
    ASSERT_EQ(p.os.dialogRequests.size(), 1u);
    const auto& request = p.os.dialogRequests[0];
    EXPECT_EQ(request.title, "[KALO] Open Image File");
    EXPECT_EQ(request.filter, "Image Files|*.;*.jpg;*.bmp;*.gif;*.png|All Files|*.*");
    EXPECT_EQ(request.flags, 12);
    EXPECT_EQ(request.initialLocation, p.folder); // nothing picked yet: the program folder
    EXPECT_EQ(p.os.reg.text(LAST_FILE_KEY, "1"), "C:\\two.jpg");
    EXPECT_EQ(p.read("KALO DC.dat"), listBytes({"C:\\one.jpg", "C:\\two.jpg"}));

    main.add.click(); // the same file again: a second entry and record
    EXPECT_EQ(p.os.dialogRequests[1].initialLocation, "C:\\two.jpg");
    EXPECT_EQ(main.Wallpaper.items(),
              (std::vector<std::string>{"C:\\one.jpg", "C:\\two.jpg", "C:\\two.jpg"}));
    EXPECT_EQ(p.read("KALO DC.dat"), listBytes({"C:\\one.jpg", "C:\\two.jpg", "C:\\two.jpg"}));
    EXPECT_TRUE(p.os.boxes.empty());
}

TEST(ImageListAdd, EnablesTheUnitBox) {
    Program p;
    auto& main = p.main(); // first start: the unit box as designed
    main.c2.setEnabled(false);
    p.os.dialogAnswers = {"C:\\a.jpg"};
    main.add_Click();
    EXPECT_TRUE(main.c2.enabled());
}

TEST(ImageListAdd, CancelChangesNothing) {
    Program p;
    auto& main = stoppedWith(p, {});
    p.os.dialogAnswers = {"C:\\a.jpg", ""};
    main.add_Click();
    int writes = p.os.fs.replaceCalls;
    main.add_Click(); // cancelled
    EXPECT_EQ(main.Wallpaper.count(), 1);
    EXPECT_EQ(p.os.fs.replaceCalls, writes);
    EXPECT_EQ(p.os.reg.text(LAST_FILE_KEY, "1"), "C:\\a.jpg");
    EXPECT_EQ(p.read("KALO DC.dat"), listBytes({"C:\\a.jpg"}));
}

// A picked path with characters outside the code page: its short form is stored when
// it has a usable one; otherwise the file is refused with a message naming it.
TEST(ImageListAdd, PathOutsideTheCodePageIsNeverStoredAltered) {
    const std::string wide = "C:\\\xE6\x97\xA5\xE6\x9C\xAC\\a.jpg";
    struct Case {
        const char* name;
        std::optional<std::string> shortPath;
        std::optional<std::string> stored; // empty: refused
    };
    const Case cases[] = {
        {"short path used", "C:\\6E65~1\\a.jpg", "C:\\6E65~1\\a.jpg"},
        {"no short path", std::nullopt, std::nullopt},
        {"short path also outside", "C:\\\xE6\x97\xA5~1\\a.jpg", std::nullopt},
    };
    for (const auto& c : cases) {
        Program p;
        auto& main = stoppedWith(p, {"C:\\old.jpg"});
        if (c.shortPath) p.os.fs.shortPaths[wide] = *c.shortPath;
        p.os.dialogAnswers = {wide};
        main.add_Click();
        if (c.stored) {
            EXPECT_EQ(main.Wallpaper.items().back(), *c.stored) << c.name;
            EXPECT_EQ(p.read("KALO DC.dat"), listBytes({"C:\\old.jpg", *c.stored})) << c.name;
            EXPECT_TRUE(p.os.boxes.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(main.Wallpaper.count(), 1) << c.name;
        EXPECT_EQ(p.read("KALO DC.dat"), listBytes({"C:\\old.jpg"})) << c.name;
        EXPECT_FALSE(p.os.reg.text(LAST_FILE_KEY, "1").has_value()) << c.name;
        ASSERT_EQ(p.os.boxes.size(), 1u) << c.name;
        EXPECT_NE(p.os.boxes[0].text.find(wide), std::string::npos) << c.name;
        EXPECT_EQ(p.os.boxes[0].title, "Error");
        EXPECT_EQ(p.os.boxes[0].style, 16);
    }
}

struct DeleteCase {
    const char* name;
    std::vector<std::string> entries;
    long selected;
    std::vector<std::string> left;
    long selectedAfter;
};

TEST(ImageListDelete, RemovesTheSelectionAndSelectsANeighbourByText) {
    const DeleteCase cases[] = {
        {"middle: the next one", {"a", "b", "c"}, 1, {"a", "c"}, 1},
        {"first: the next one", {"a", "b", "c"}, 0, {"b", "c"}, 0},
        {"last: the one before", {"a", "b", "c"}, 2, {"a", "b"}, 1},
        {"only entry: nothing", {"a"}, 0, {}, -1},
        {"next is a duplicate: its first copy", {"a", "b", "a"}, 1, {"a", "a"}, 0},
        {"previous is a duplicate: its first copy",
         {"x", "a", "y", "a", "z"},
         4,
         {"x", "a", "y", "a"},
         1},
        {"deleted one's twin stays", {"a", "a", "a"}, 2, {"a", "a"}, 0},
    };
    for (const auto& c : cases) {
        Program p;
        auto& main = stoppedWith(p, {});
        for (const auto& e : c.entries)
            main.Wallpaper.add(e);
        main.Wallpaper.setListIndex(c.selected);
        int focus = 0;
        main.Wallpaper.focusRequested = [&] { ++focus; };
        main.del.click();
        EXPECT_EQ(main.Wallpaper.items(), c.left) << c.name;
        EXPECT_EQ(main.Wallpaper.listIndex(), c.selectedAfter) << c.name;
        EXPECT_EQ(p.os.fs.read(p.listFile()), *rotation::encodeListFile(c.left, p.os.cp)) << c.name;
        EXPECT_EQ(focus, 1) << c.name;
    }
}

TEST(ImageListDelete, WithoutSelectionWarnsAndKeepsEverything) {
    Program p;
    auto& main = stoppedWith(p, {"a", "b"});
    int writes = p.os.fs.replaceCalls;
    main.del.click();
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, "You must Select the file to delete.");
    EXPECT_EQ(p.os.boxes[0].title, "Delete");
    EXPECT_EQ(p.os.boxes[0].style, 48);
    EXPECT_EQ(main.Wallpaper.count(), 2);
    EXPECT_EQ(p.os.fs.replaceCalls, writes);
    EXPECT_EQ(p.read("KALO DC.dat"), listBytes({"a", "b"}));
}

TEST(ImageListDelete, RestartShowsTheListWithoutTheDeletedEntry) {
    Program p;
    auto& main = stoppedWith(p, {"a", "b", "c"});
    main.Wallpaper.setListIndex(0);
    main.del_Click();
    restart(p);
    EXPECT_EQ(p.main().Wallpaper.items(), (std::vector<std::string>{"b", "c"}));
}

TEST(ImageListSave, EveryFailedStepKeepsTheOldFileAndShowsTheMessage) {
    using Step = fake::FakeFiles::Step;
    for (Step step : {Step::CreateTemp, Step::WriteHalf, Step::Flush, Step::Rename}) {
        Program p;
        auto& main = stoppedWith(p, {"C:\\a.jpg", "C:\\b.jpg"});
        const std::string before = p.read("KALO DC.dat");
        p.os.fs.failAt = step;
        p.os.dialogAnswers = {"C:\\c.jpg"};
        main.add_Click();
        const int at = int(step);
        EXPECT_EQ(p.read("KALO DC.dat"), before) << "step " << at;
        EXPECT_EQ(main.Wallpaper.count(), 3) << "step " << at;
        ASSERT_EQ(p.os.boxes.size(), 1u) << "step " << at;
        EXPECT_EQ(p.os.boxes[0].text,
                  "Unable to access " + p.folder + "/KALO DC.dat. The playlist will not be saved");
        EXPECT_EQ(p.os.boxes[0].title, "Error");
        EXPECT_EQ(p.os.boxes[0].style, 16);
        EXPECT_EQ(folderContents(p.folder), (std::vector<std::string>{"KALO DC.dat"}))
            << "step " << at;
    }
}

TEST(ImageListSave, DoesNotYieldToEvents) {
    Program p;
    auto& main = stoppedWith(p, {});
    for (int i = 0; i < 20; ++i)
        main.Wallpaper.add("C:\\" + std::to_string(i) + ".jpg");
    int events = p.os.events;
    EXPECT_TRUE(main.SaveImageList());
    EXPECT_EQ(p.os.events, events);
}

TEST(ImageListLoad, YieldsBeforeEachRecord) {
    Program p;
    p.write("KALO DC.dat", listBytes({"a", "b", "c"}));
    p.setAppSetting("cmdrun", "cmdstop", "0");
    std::vector<long> countAtYield;
    p.os.onDoEvents = [&] { countAtYield.push_back(p.app->kalo2().Wallpaper.count()); };
    p.main();
    EXPECT_EQ(countAtYield, (std::vector<long>{0, 1, 2}));
}

TEST(ImageListLoad, OddLinesAreReadByTheLenientRule) {
    Program p;
    p.write("KALO DC.dat", "\"a\",x\r\n\r\nplain\n\"b\"");
    p.setAppSetting("cmdrun", "cmdstop", "0");
    EXPECT_EQ(p.main().Wallpaper.items(), (std::vector<std::string>{"a", "plain", "b"}));
}

TEST(ImageListFolder, ReadOnlyProgramFolderKeepsTheListInTheUserDataFolder) {
    Program p;
    p.os.fs.readOnlyFolders = {p.folder};
    auto& main = p.main();
    p.os.dialogAnswers = {"C:\\a.jpg"};
    main.add_Click();
    const std::string userList = p.os.where.userDataFolder + "/KALO DC.dat";
    EXPECT_EQ(p.os.fs.read(userList), listBytes({"C:\\a.jpg"}));
    EXPECT_FALSE(p.os.fs.read(p.listFile()).has_value());
    EXPECT_TRUE(p.os.boxes.empty());
    restart(p);
    EXPECT_EQ(p.main().Wallpaper.items(), (std::vector<std::string>{"C:\\a.jpg"}));
}

TEST(ImageListFolder, SaveFailureNamesTheUserDataFolder) {
    Program p;
    p.os.fs.readOnlyFolders = {p.folder};
    auto& main = p.main();
    p.os.fs.failAt = fake::FakeFiles::Step::Rename;
    p.os.dialogAnswers = {"C:\\a.jpg"};
    main.add_Click();
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, "Unable to access " + p.os.where.userDataFolder +
                                      "/KALO DC.dat. The playlist will not be saved");
}

// Far more entries than a 16-bit count holds: stored, read back and rotated through.
TEST(ImageListSize, FortyThousandEntriesRoundTripAndRotate) {
    Program p;
    auto& main = stoppedWith(p, {});
    for (int i = 0; i < 40000; ++i)
        main.Wallpaper.add("C:\\pics\\" + std::to_string(i) + ".jpg");
    ASSERT_TRUE(main.SaveImageList());
    auto saved = main.Wallpaper.items();
    restart(p);
    auto& again = p.main();
    ASSERT_EQ(again.Wallpaper.count(), 40000);
    EXPECT_EQ(again.Wallpaper.items(), saved);

    again.rotationIndex = 39999; // the entries do not exist: the preview reports them
    again.Timer1_Timer();
    EXPECT_EQ(again.Wallpaper.listIndex(), 39999);
    EXPECT_EQ(again.rotationIndex, 40000);
    again.Timer1_Timer();
    EXPECT_EQ(again.Wallpaper.listIndex(), 0);
    EXPECT_EQ(again.rotationIndex, 1);
}

TEST(ImageListSize, EmptyListIsAnEmptyFileAndLoadsEmpty) {
    Program p;
    auto& main = stoppedWith(p, {"a"});
    main.Wallpaper.setListIndex(0);
    main.del_Click();
    EXPECT_EQ(p.read("KALO DC.dat"), "");
    restart(p);
    EXPECT_EQ(p.main().Wallpaper.count(), 0);
    EXPECT_EQ(p.read("KALO DC.dat"), ""); // an empty list is not the marker: no reset
    EXPECT_EQ(p.main().c1.text(), "");
}

} // namespace
