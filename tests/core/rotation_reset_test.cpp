#include "rotation_support.h"

namespace {

using rotation_support::appliedDuring;
using rotation_support::MARKER_FILE;
using rotation_support::NOTHING_APPLIED;
using rotation_support::pictures;
using rotation_support::stoppedWith;
using testing_support::listBytes;
using testing_support::Program;

TEST(Reset, StopsARunningRotationAndLeavesTheMarker) {
    Program p;
    auto& main = stoppedWith(p, {});
    for (const auto& path : pictures(p, 3))
        main.Wallpaper.add(path);
    main.c2.typeText("Minute(s)");
    main.c1.typeText("1");
    main.run.click();
    EXPECT_EQ(appliedDuring(p, 1), 0);
    main.reset.click();
    EXPECT_EQ(main.Wallpaper.count(), 0);
    EXPECT_EQ(main.Label2.caption(), "Stoped.");
    EXPECT_TRUE(main.run.visible());
    EXPECT_FALSE(main.stope.visible());
    EXPECT_TRUE(main.add.enabled());
    EXPECT_EQ(main.c1.text(), "Select");
    EXPECT_EQ(main.c2.text(), "Interval");
    EXPECT_FALSE(main.c1.enabled());
    EXPECT_FALSE(main.c2.enabled());
    EXPECT_FALSE(main.Timer1.enabled() || main.Timer2.enabled() || main.Timer3.enabled());
    EXPECT_EQ(p.programValue("C1"), "Select");
    EXPECT_EQ(p.programValue("C2"), "Interval");
    EXPECT_EQ(p.appSetting("cmdrun", "cmdstop"), "0");
    EXPECT_EQ(p.appSetting("tcirun", "tcistop"), "0");
    EXPECT_EQ(p.read("KALO DC.dat"), MARKER_FILE);
    EXPECT_TRUE(p.os.boxes.empty());
    EXPECT_EQ(appliedDuring(p, 5 * 60000), NOTHING_APPLIED);
}

TEST(Reset, ClearsSnowOnTop) {
    Program p;
    auto& main = stoppedWith(p, {"a"});
    main.Check1.setValue(1);
    main.reset_Click();
    EXPECT_EQ(main.Check1.value(), 0);
}

TEST(Reset, AFailedWriteKeepsTheOldFileAndShowsTheMessage) {
    using Step = fake::FakeFiles::Step;
    for (Step step : {Step::CreateTemp, Step::WriteHalf, Step::Flush, Step::Rename}) {
        Program p;
        auto& main = stoppedWith(p, {"C:\\a.jpg", "C:\\b.jpg"});
        p.os.fs.failAt = step;
        main.reset_Click();
        EXPECT_EQ(p.read("KALO DC.dat"), listBytes({"C:\\a.jpg", "C:\\b.jpg"})) << int(step);
        EXPECT_EQ(main.Wallpaper.count(), 0);
        EXPECT_EQ(p.programValue("C1"), "Select"); // the earlier steps took effect
        ASSERT_EQ(p.os.boxes.size(), 1u);
        EXPECT_EQ(p.os.boxes[0].text, "Unable to access " + p.folder +
                                          "/KALO DC.dat. The Image list will not be saved");
        EXPECT_EQ(p.os.boxes[0].title, "Error");
        EXPECT_EQ(p.os.boxes[0].style, 16);
    }
}

TEST(Reset, ReadOnlyProgramFolderPutsTheMarkerInTheUserDataFolder) {
    Program p;
    p.os.fs.readOnlyFolders = {p.folder};
    p.main().reset_Click();
    EXPECT_EQ(p.os.fs.read(p.os.where.userDataFolder + "/KALO DC.dat"), MARKER_FILE);
    EXPECT_FALSE(p.os.fs.read(p.listFile()).has_value());
    EXPECT_TRUE(p.os.boxes.empty());
}

} // namespace
