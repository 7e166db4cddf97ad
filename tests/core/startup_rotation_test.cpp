// Start-up scenarios: the program started over prepared registry values and list
// files, watched through its main window, its files and its desktop calls.
#include "rotation_support.h"

#include <random>

namespace {

using rotation_support::appliedDuring;
using rotation_support::appliedEach;
using rotation_support::MARKER_FILE;
using rotation_support::NOTHING_APPLIED;
using rotation_support::pictures;
using rotation_support::restart;
using testing_support::listBytes;
using testing_support::Program;

std::string listOf(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const auto& e : entries)
        bytes += listBytes({e});
    return bytes;
}

TEST(StartupRotation, FirstStartWithNothingStoredSkipsTheLaterSteps) {
    Program p;
    p.app->start();
    auto& main = p.main();
    EXPECT_EQ(main.c1.text(), "");
    EXPECT_EQ(main.c2.text(), "");
    EXPECT_FALSE(main.c1.enabled());
    EXPECT_EQ(main.c2.items(), (std::vector<std::string>{"Second(s)", "Minute(s)", "Hour(s)"}));
    EXPECT_EQ(main.Wallpaper.count(), 0);
    EXPECT_EQ(p.programValue("snow"), "off");
    // Neither Run nor Stop ran; nothing was reset; no file was written.
    EXPECT_TRUE(main.run.visible());
    EXPECT_FALSE(main.stope.visible());
    EXPECT_EQ(main.Label2.caption(), "");
    EXPECT_TRUE(main.Timer3.enabled());
    EXPECT_FALSE(p.appSetting("cmdrun", "cmdstop").has_value());
    EXPECT_FALSE(p.programValue("C1").has_value());
    EXPECT_FALSE(p.os.fs.read(p.listFile()).has_value());
    EXPECT_EQ(main.Slider1_Layers.value(), 1);
    EXPECT_TRUE(p.os.boxes.empty());
}

TEST(StartupRotation, StoredIntervalTextsComeBackAsTheyStand) {
    Program p;
    p.setProgramValue("c1", "1.5");
    p.setProgramValue("c2", "Hour(s)");
    p.app->start();
    auto& main = p.main();
    EXPECT_EQ(main.c1.text(), "1.5");
    EXPECT_EQ(main.c2.text(), "Hour(s)");
    EXPECT_TRUE(main.c1.items().empty());
    EXPECT_FALSE(main.minuteTarget.has_value()); // computed only by a start
}

TEST(StartupRotation, AfterAResetTheMarkerIsReadAndTheResetRunsAgain) {
    Program p;
    p.write("KALO DC.dat", MARKER_FILE);
    p.setProgramValue("C1", "Select");
    p.setProgramValue("C2", "Interval");
    p.setAppSetting("cmdrun", "cmdstop", "0");
    p.setAppSetting("check1s", "check1t", "0");
    p.app->start();
    auto& main = p.main();
    EXPECT_EQ(main.Wallpaper.count(), 0);
    EXPECT_EQ(main.c1.text(), "Select");
    EXPECT_EQ(main.c2.text(), "Interval");
    EXPECT_FALSE(main.c1.enabled());
    EXPECT_FALSE(main.c2.enabled());
    EXPECT_EQ(main.Label2.caption(), "Stoped.");
    EXPECT_EQ(p.read("KALO DC.dat"), MARKER_FILE);
    EXPECT_EQ(p.os.fs.replaceCalls, 1); // the marker was written anew
    EXPECT_TRUE(p.os.boxes.empty());
}

TEST(StartupRotation, MarkerAmongOtherEntriesIsNotReset) {
    Program p;
    p.write("KALO DC.dat", MARKER_FILE + listBytes({"C:\\a.jpg"}));
    p.setAppSetting("cmdrun", "cmdstop", "0");
    p.app->start();
    EXPECT_EQ(p.main().Wallpaper.count(), 2);
    EXPECT_EQ(p.os.fs.replaceCalls, 0);
}

TEST(StartupRotation, StoredRunFlagResumesFromTheFirstEntryWithoutAClick) {
    const char* const flags[] = {"1", "-1", "True", nullptr}; // nullptr: never stored
    for (const char* flag : flags) {
        Program p;
        p.write("KALO DC.dat", listOf(pictures(p, 3)));
        p.setProgramValue("C1", "5");
        p.setProgramValue("C2", "Second(s)");
        if (flag) p.setAppSetting("cmdrun", "cmdstop", flag);
        p.app->start();
        auto& main = p.main();
        const char* name = flag ? flag : "absent";
        EXPECT_EQ(main.Label2.caption(), "Running...") << name;
        EXPECT_TRUE(main.stope.visible()) << name;
        EXPECT_EQ(appliedDuring(p, 1), 0) << name;
        EXPECT_EQ(appliedEach(p, 5000, 4), (std::vector<long>{0, 1, 2, 0})) << name;
        EXPECT_TRUE(p.os.boxes.empty()) << name;
    }
}

TEST(StartupRotation, RestartWhileRunningResumesMinutesFromEntryZero) {
    Program p;
    auto paths = pictures(p, 3);
    p.write("KALO DC.dat", listOf(paths));
    p.setProgramValue("C1", "1");
    p.setProgramValue("C2", "Minute(s)");
    p.app->start();
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_EQ(appliedEach(p, 60000, 3), (std::vector<long>{0, 1, 2}));
    restart(p);
    p.app->start();
    EXPECT_EQ(p.appSetting("tcirun", "tcistop"), "1");
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_EQ(appliedEach(p, 60000, 2), (std::vector<long>{0, 1}));
}

TEST(StartupRotation, StoredStopFlagStops) {
    Program p;
    p.write("KALO DC.dat", listOf(pictures(p, 2)));
    p.setProgramValue("C1", "5");
    p.setProgramValue("C2", "Second(s)");
    p.setAppSetting("cmdrun", "cmdstop", "0");
    p.app->start();
    EXPECT_EQ(p.main().Label2.caption(), "Stoped.");
    EXPECT_EQ(appliedDuring(p, 10 * 60000), NOTHING_APPLIED);
}

TEST(StartupRotation, RunWithOneEntryReportsThenResetsToTheMarkerFile) {
    Program p;
    p.write("KALO DC.dat", listOf(pictures(p, 1)));
    p.setProgramValue("C1", "5");
    p.setProgramValue("C2", "Second(s)");
    p.app->start();
    auto& main = p.main();
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, "Add at least two Image file.");
    EXPECT_EQ(p.os.boxes[0].title, "Error");
    EXPECT_EQ(p.os.boxes[0].style, 16);
    EXPECT_EQ(main.Wallpaper.count(), 0);
    EXPECT_EQ(main.Label2.caption(), "Stoped.");
    EXPECT_EQ(p.read("KALO DC.dat"), MARKER_FILE);
    EXPECT_EQ(p.read("KALO DC.dat").size(), 5u);
    EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
    EXPECT_EQ(appliedDuring(p, 10 * 60000), NOTHING_APPLIED);
}

// An empty list file with the run flag set: Run reports the empty list, the start
// tick stays armed and applies the first picture the user adds.
TEST(StartupRotation, EmptyListRunReportsAndTheStartTickWaitsForAnEntry) {
    Program p;
    p.write("KALO DC.dat", "");
    p.setProgramValue("C2", "Second(s)");
    p.app->start();
    auto& main = p.main();
    ASSERT_EQ(p.os.boxes.size(), 1u);
    EXPECT_EQ(p.os.boxes[0].text, "Add Image file.");
    EXPECT_TRUE(main.Timer2.enabled());
    EXPECT_EQ(appliedDuring(p, 100), NOTHING_APPLIED);
    p.os.dialogAnswers = {p.picture("late.pic")};
    main.add.click();
    EXPECT_EQ(appliedDuring(p, 1), 0);
    EXPECT_FALSE(main.Timer2.enabled());
}

// A stored run flag that is no truth value ends the start-up at that step: the
// marker check and the sliders after it do not run.
TEST(StartupRotation, AnUnreadableRunFlagEndsTheStartUpThere) {
    Program p;
    p.write("KALO DC.dat", MARKER_FILE);
    p.setAppSetting("cmdrun", "cmdstop", "maybe");
    p.setProgramValue("s1", "9");
    p.app->start();
    auto& main = p.main();
    EXPECT_EQ(main.Wallpaper.count(), 1); // the marker entry stays: no reset
    EXPECT_EQ(main.Label2.caption(), "");
    EXPECT_EQ(main.Slider1_Layers.value(), 1);
    EXPECT_EQ(p.os.fs.replaceCalls, 0);
    EXPECT_FALSE(p.os.ended);
}

TEST(StartupRotation, ReadOnlyProgramFolderReadsTheListFromTheUserDataFolder) {
    Program p;
    p.os.fs.readOnlyFolders = {p.folder};
    std::filesystem::create_directories(p.os.where.userDataFolder);
    std::ofstream(p.os.where.userDataFolder + "/KALO DC.dat", std::ios::binary)
        << listBytes({"C:\\u.jpg"});
    p.write("KALO DC.dat", listBytes({"C:\\beside.jpg"})); // ignored: the folder is read-only
    p.setAppSetting("cmdrun", "cmdstop", "0");
    p.app->start();
    EXPECT_EQ(p.main().Wallpaper.items(), (std::vector<std::string>{"C:\\u.jpg"}));
}

// Whatever bytes the list file holds, start-up ends without a crash and the file on
// disk is not changed by loading it.
TEST(StartupRotation, GarbageListFileNeverCrashesNorChangesTheFile) {
    std::mt19937 rng(99);
    for (int round = 0; round < 40; ++round) {
        Program p;
        std::string bytes(rng() % 300, ' ');
        for (char& c : bytes)
            c = char(rng() % 256);
        p.write("KALO DC.dat", bytes);
        p.setAppSetting("cmdrun", "cmdstop", "0");
        p.app->start();
        EXPECT_EQ(p.read("KALO DC.dat"), bytes) << round;
        EXPECT_EQ(p.main().Label2.caption(), "Stoped.") << round;
    }
}

} // namespace
