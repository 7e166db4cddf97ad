// The rotation: the list file's codec, then the main window seen as one state.
#include "fixture.h"
#include "rotation/list_file.h"

#include <ostream>

namespace {

using testing_support::Program;
using Strings = std::vector<std::string>;
using platform::MB_CRITICAL, platform::MB_EXCLAMATION;
using testing_support::listBytes;

constexpr long M = 60000; // a minute
const fake::FakeCodePage western;
const std::string LIST = "KALO DC.dat", MARKER_FILE("\x22\xA0\x22\r\n", 5);

// A message box as the user saw it: its title, style and first line.
struct Box {
    std::string title;
    int style;
    std::string line;
    bool operator==(const Box&) const = default;
};
void PrintTo(const Box& b, std::ostream* out) {
    *out << "{" << b.title << ", style " << b.style << ", \"" << b.line << "\"}";
}

// The main window: enabled or shown controls and armed tickers, the status, the interval
// boxes' texts, the stored run flags and interval texts ("-": none), each box shown.
struct MainView {
    std::string controls, status, interval, stored;
    std::vector<Box> boxes;
    bool operator==(const MainView&) const = default;
};
void PrintTo(const MainView& v, std::ostream* out) {
    *out << "\n  controls: " << v.controls << "\n  status: " << v.status
         << "\n  interval: " << v.interval << "\n  stored: " << v.stored << "\n  boxes:";
    for (const auto& box : v.boxes)
        PrintTo(box, out);
}

MainView view(Program& p) {
    auto& m = p.main();
    const std::pair<const char*, bool> parts[] = {
        {"add", m.add.enabled()},    {"del", m.del.enabled()},   {"run", m.run.visible()},
        {"stop", m.stope.visible()}, {"c1", m.c1.enabled()},     {"c2", m.c2.enabled()},
        {"T1", m.Timer1.enabled()},  {"T2", m.Timer2.enabled()}, {"T3", m.Timer3.enabled()}};
    MainView v{"", m.Label2.caption(), m.c1.text() + " " + m.c2.text(), "", {}};
    for (const auto& [name, on] : parts)
        if (on) v.controls.append(v.controls.empty() ? "" : " ").append(name);
    for (const auto& value : {p.appSetting("cmdrun", "cmdstop"), p.appSetting("tcirun", "tcistop"),
                              p.programValue("C1"), p.programValue("C2")})
        v.stored.append(v.stored.empty() ? "" : " ").append(value.value_or("-"));
    for (const auto& box : p.os.boxes)
        v.boxes.push_back({box.title, box.style, box.text.substr(0, box.text.find('\n'))});
    return v;
}

// A rotation stopped with nothing stored; the one after a reset.
MainView stoppedView(std::vector<Box> boxes = {}, std::string interval = " ") {
    return {"add del run c2", "Stoped.", interval, "0 0 - -", std::move(boxes)};
}
MainView resetView(std::vector<Box> boxes) {
    return {"add del run", "Stoped.", "Select Interval", "0 0 Select Interval", std::move(boxes)};
}

// One step of a rotation script: the clock runs `ms`, then the list position applied
// (-1: none, -2: several).
struct Step {
    long ms, applied;
    bool operator==(const Step&) const = default;
};
void PrintTo(const Step& s, std::ostream* out) {
    *out << "{" << s.ms << " ms: " << s.applied << "}";
}
using Steps = std::vector<Step>;

// Runs the script's clock steps; returns it with the position each step really applied.
Steps applied(Program& p, Steps script) {
    for (auto& step : script) {
        auto before = p.os.wallpaperCalls.size();
        p.os.advance(step.ms);
        auto calls = p.os.wallpaperCalls.size() - before;
        step.applied = calls == 0 ? -1 : calls > 1 ? -2 : p.main().Wallpaper.listIndex();
    }
    return script;
}

// The window loaded over a list file of `entries` after the bytes `before`, the rotation
// stored as stopped.
app::Kalo2& stopped(Program& p, const Strings& entries, const std::string& before = "") {
    p.write(LIST, before + listBytes(entries));
    p.setAppSetting("cmdrun", "cmdstop", "0");
    return p.main();
}

TEST(ListFile, WritesEachEntryQuotedInTheCodePageAndReadsAnyLineBack) {
    const Strings entries{"caf\xC3\xA9", "\xC2\xA0", "a\"b", "", "b", "b"}; // no escaping
    const std::string written = "\"caf\xE9\"\r\n\"\xA0\"\r\n\"a\"b\"\r\n\"\"\r\n\"b\"\r\n\"b\"\r\n";
    EXPECT_EQ(rotation::encodeListFile(entries, western), written);
    EXPECT_EQ(rotation::decodeListFile(written, western), entries);
    EXPECT_EQ(rotation::encodeListFile({"ok", "\xE6\x97\xA5.jpg"}, western), std::nullopt);
    // Lines the writer never makes are read by the lenient rule.
    const std::string bytes = "\r\n\"a\",junk\r\n\n"           // blank lines skipped, tail dropped
                              "plain\r\n\"b\"c\"\n"            // no quotes; inner quotes kept
                              "\"a,b\",\"c\"\r\n"              // first to last quote
                              "\"one\r\nt\"wo\r\n\"x\ry\"\r\n" // one quote dropped; CR is text
                              "  \r\n\"last\"";                // spaces are a record; no line end
    EXPECT_EQ(rotation::decodeListFile(bytes, western),
              (Strings{"a", "plain", "b\"c", "a,b\",\"c", "one", "two", "x\ry", "  ", "last"}));
}

// The bound view is told of every change, so the real widget never shows a stale state.
TEST(Controls, EveryChangeReachesTheBoundView) {
    ui::ListBox list;
    ui::Slider slider{1, 50, 1, 5, 10};
    ui::ImageBox preview;
    ui::CheckBox check{"Snow on top"};
    ui::ComboBox combo{"Interval"};
    int told = 0;
    list.viewChanged = slider.viewChanged = preview.viewChanged = check.viewChanged =
        combo.viewChanged = [&told] { ++told; };
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"picture", [&] { preview.setPicture(nullptr); }},
        {"combo text", [&] { combo.setText("Hour(s)"); }},
        {"check", [&] { check.setValue(1); }},
        {"list add", [&] { list.add("a"), list.add("b"); }},
        {"list index", [&] { list.setListIndex(1); }},
        {"list remove", [&] { list.removeAt(0); }},
        {"list clear", [&] { list.clear(); }},
        {"slider clamped", [&] { slider.setValue(99); }},
        {"slider disabled", [&] { slider.setEnabled(false); }},
    };
    for (const auto& [name, change] : changes) {
        told = 0;
        change();
        EXPECT_GT(told, 0) << name;
    }
    EXPECT_EQ(slider.value(), 50);
}

TEST(Controls, AListIgnoresAnIndexWithNoEntry) {
    ui::ListBox list;
    list.add("a"), list.add("b");
    list.setListIndex(2);
    EXPECT_EQ(list.listIndex(), -1);
    list.setListIndex(1);
    for (long outside : {2, -1})
        list.removeAt(outside);
    EXPECT_EQ(list.items(), (Strings{"a", "b"}));
    list.removeAt(0);
    EXPECT_EQ(list.listIndex(), 0) << "the selection follows its entry";
}

// A path outside the code page goes by its short form, or is refused. A record the code page
// cannot read back (a byte it leaves undefined) is written back byte for byte. A dialog that
// refuses the last file picked opens again at the program folder.
TEST(ImageList, AddKeepsTheListFileInStep) {
    Program p;
    p.os.cp.undefined = "\x80";
    const std::string odd = "\"C:\\x\x80y.jpg\"\r\n";
    auto& main = stopped(p, {"x", "a", "y", "a", "b"}, odd);
    main.c2.setEnabled(false);
    const std::string wide = "C:\\\xE6\x97\xA5\\z", shortForm = "C:\\6E65~1\\z";
    p.os.dialogAnswers = {"z", std::nullopt, "", wide, wide, wide};
    for (const std::string shortPath : {"", "", "", "C:\\\xE6\x97\xA5~1\\z", shortForm.c_str()}) {
        if (!shortPath.empty()) p.os.fs.shortPaths[wide] = shortPath;
        main.add.click();
    }
    const Box refused{"Error", MB_CRITICAL, "Unable to add " + wide};
    EXPECT_EQ(p.os.dialogRequests.at(0).initialLocation, p.folder) << "no file picked yet";
    EXPECT_EQ(p.os.dialogRequests.at(5).initialLocation, "z") << "refused picks not stored";
    EXPECT_EQ(p.os.dialogRequests.at(2).initialLocation, p.folder) << "again after a refusal";
    EXPECT_EQ(main.Wallpaper.items().at(0), "C:\\x\uFFFDy.jpg");
    EXPECT_EQ(p.read(LIST), odd + listBytes({"x", "a", "y", "a", "b", "z", shortForm}));
    EXPECT_EQ(view(p), stoppedView({refused, refused})) << "the unit box enabled";
}

// Delete selects the neighbour by text, keeps the focus in the list and the file in step.
TEST(ImageList, DeleteSelectsANeighbourAndKeepsTheListFileInStep) {
    Program p;
    auto& main = stopped(p, {"x", "a", "y", "a", "b", "z", "w"});
    int focus = 0;
    main.Wallpaper.focusRequested = [&] { ++focus; };
    const std::pair<long, long> rows[] = {{6, 5}, {2, 1}, {3, 3},  {0, 0},
                                          {2, 0}, {1, 0}, {0, -1}, {-1, -1}};
    for (auto [chosen, selected] : rows) {
        SCOPED_TRACE("deleting at " + std::to_string(chosen));
        main.Wallpaper.setListIndex(chosen);
        p.os.boxes.clear();
        main.del.click();
        EXPECT_EQ(main.Wallpaper.listIndex(), selected);
        EXPECT_EQ(p.read(LIST), listBytes(main.Wallpaper.items()));
    }
    EXPECT_EQ(focus, 7);
    EXPECT_EQ(view(p),
              stoppedView({{"Delete", MB_EXCLAMATION, "You must Select the file to delete."}}));
}

// With the program folder read-only the list lives in the user data folder, loaded with a
// yield for each entry.
TEST(ImageList, TheListFileIsLoadedYieldingAndKeptWhereItCanBeWritten) {
    Program p;
    p.os.fs.readOnlyFolders = {p.folder};
    const std::string userList = p.os.where.userDataFolder + "/" + LIST;
    Strings entries(40000, "C:\\a.jpg");
    p.write(userList, listBytes(entries));
    long yields = 0, misplaced = 0;
    p.os.onDoEvents = [&] { misplaced += p.app->kalo2().Wallpaper.count() != yields++; };
    auto& main = stopped(p, {"beside"});
    p.os.dialogAnswers = {"b", "c"};
    main.add_Click();
    entries.push_back("b");
    EXPECT_TRUE(main.SaveImageList());
    EXPECT_EQ(std::tuple(yields, misplaced, p.os.fs.read(userList)),
              std::tuple(40000, 0, listBytes(entries)))
        << "each yield after its entry";
}

TEST(ImageList, AListThatCannotBeWrittenIsKeptAndReported) {
    Program p;
    auto& main = stopped(p, {"a"});
    p.os.fs.failWrites = true;
    p.os.dialogAnswers = {"b"};
    main.add_Click();
    main.reset_Click();
    const std::string unable = "Unable to access " + p.path(LIST) + ". The ";
    EXPECT_EQ(p.read(LIST), listBytes({"a"}));
    EXPECT_EQ(view(p),
              resetView({{"Error", MB_CRITICAL, unable + "playlist will not be saved"},
                         {"Error", MB_CRITICAL, unable + "Image list will not be saved"}}));
}

// A list file held open at start is reported, and never saved over before it is read; a
// reset empties it on purpose, unless it could not write its marker.
TEST(ImageList, AListFileHeldOpenIsNeverSavedOverUnread) {
    struct Row {
        bool markerFails;
        Strings whileUnread, afterRead;
        std::size_t boxes;
    };
    const Row rows[] = {
        {false, {"c"}, {"c", "d"}, 1},
        {true, {"a", "b"}, {"a", "b", "c", "d"}, 3}, // the marker could not be written
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.markerFails ? "the marker fails" : "the marker written");
        Program p;
        p.os.fs.unreadable = {p.path(LIST)};
        auto& main = stopped(p, {"a", "b"});
        p.os.dialogAnswers = {"c", "d"};
        p.os.fs.failWrites = row.markerFails;
        main.reset.click();
        p.os.fs.failWrites = false;
        main.add_Click();
        p.os.fs.unreadable.clear();
        EXPECT_EQ(p.read(LIST), listBytes(row.whileUnread));
        main.add_Click();
        EXPECT_EQ(p.read(LIST), listBytes(row.afterRead));
        EXPECT_EQ(p.os.boxes.size(), row.boxes);
        EXPECT_EQ(p.os.boxes.at(0).text,
                  "Unable to read " + p.path(LIST) +
                      ". Another program may be using it. Your Image list is kept as it is, "
                      "and is not saved until it can be read.");
    }
}

// The unit box fills the number box; a number chosen sets and stores the interval, read in
// the user's locale; Stop closes the number box again.
TEST(Rotation, TheUnitBoxFillsTheNumberBoxAndANumberChosenSetsTheInterval) {
    Program p;
    auto& main = stopped(p, {});
    main.c2.add("second(s)");
    const std::tuple<std::size_t, std::size_t, const char*, const char*> rows[] = {
        {2, 7, "7", ""}, {3, 7, "7", "x"}, {1, 59, "59", ""}, {0, 59, "59", ""}};
    for (auto [unit, count, last, text] : rows) {
        SCOPED_TRACE("unit " + std::to_string(unit));
        main.c1.setText("x");
        main.c2.choose(unit);
        EXPECT_EQ(std::tuple(main.c1.items().size(), main.c1.items().back(), main.c1.text()),
                  std::tuple(count, last, text));
    }
    main.c1.choose(2);
    EXPECT_EQ(main.Timer1.interval(), 3000);
    EXPECT_EQ(view(p),
              (MainView{"add del run c1 c2", "Stoped.", "3 Second(s)", "0 0 3 Second(s)", {}}));
    main.stope.click();
    EXPECT_EQ(view(p).controls, "add del run c2");
    p.os.cp.separator = ','; // a number in the user's locale
    main.c1.typeText("2,5");
    main.SetInterval();
    EXPECT_EQ(main.Timer1.interval(), 2500);
    main.Timer1.setEnabled(true);
    main.c2.typeText("Minute(s)");
    main.SetInterval();
    EXPECT_EQ(main.Timer1.enabled(), false) << "the minute ticker takes over";
}

TEST(RunState, RunStartsTheSecondsTickerAndStopEndsIt) {
    Program p;
    auto& main = stopped(p, Strings(2, "a"));
    main.Check1.setValue(1);
    main.c2.typeText("Second(s)");
    main.c1.typeText("65.535"); // the longest period it holds
    main.Label3.click();
    EXPECT_EQ(
        view(p),
        (MainView{"stop T1 T2", "Running...", "65.535 Second(s)", "1 0 65.535 Second(s)", {}}));
    main.stope.click();
    EXPECT_EQ(std::tuple(view(p).controls, main.Check1.value()), std::tuple("add del run c2", 1));
}

// A true run flag (the default) resumes, a false one stops, another text ends the start-up
// there as a missing list does; an interval that cannot turn is refused; the marker resets.
TEST(StartupRotation, TheStoredStateDecidesTheStartAndTheRotation) {
    const std::string SEC = "stop T1 T2", MIN = "stop T2 T3", END = "add del run c2 T3";
    const Steps quiet{{1, -1}, {10 * M, -1}};
    struct Row {
        int pictures;
        std::optional<std::string> listTail; // none: no list file
        const char *runFlag, *c1, *c2;
        std::string controls, status, flags;
        Steps script;
    };
    const Steps secs{{1, 0}, {4998, -1}, {1, 0}, {5000, 1}, {5000, 2}, {5000, 0}},
        mins{{1, 0}, {M, -1}, {M, 0}, {2 * M, 1}, {2 * M, 2}},
        hours{{1, 0}, {89 * M, -1}, {M, 0}, {89 * M, -1}, {M, 1}};
    const std::string marked = MARKER_FILE + listBytes({"a"});
    const Row rows[] = {
        {3, "", "1", "5", "Second(s)", SEC, "Running...", "1 -", secs},
        {3, "", nullptr, "2", "Minute(s)", MIN, "Running...", "1 1", mins},
        {2, "", "True", "1.5", "Hour(s)", MIN, "Running...", "1 1", hours},
        {2, "", "-1", "2.5", "Minute(s)", END, "", "-1 -", quiet}, // refused, with a box
        {2, "", "1", "0", "Second(s)", END, "", "1 -", quiet},     // refused, with a box
        {0, MARKER_FILE, "maybe", "5", "Minute(s)", END, "", "maybe -", quiet},
        {0, std::nullopt, nullptr, "5", "Minute(s)", END, "", "- -", quiet},
        {0, MARKER_FILE, "0", "Select", "Interval", "add del run", "Stoped.", "0 0", quiet},
        {0, marked, "0", "5", "Second(s)", "add del run c2", "Stoped.", "0 0", quiet},
    };
    for (const Row& row : rows) {
        const std::string texts = std::string(row.c1) + " " + row.c2;
        SCOPED_TRACE(texts + ", run flag " + (row.runFlag ? row.runFlag : "none"));
        Program p;
        Strings paths;
        for (int i = 0; i < row.pictures; ++i)
            paths.push_back(p.picture(std::to_string(i) + ".pic", 0xFF000000u + i));
        const std::string written = row.listTail ? listBytes(paths) + *row.listTail : "<missing>";
        if (row.listTail) p.write(LIST, written);
        p.setProgramValue("c1", row.c1);
        p.setProgramValue("c2", row.c2);
        if (row.runFlag) p.setAppSetting("cmdrun", "cmdstop", row.runFlag);
        p.app->start();
        std::vector<Box> boxes;
        if (texts == "0 Second(s)" || texts == "2.5 Minute(s)")
            boxes.push_back({"Error", MB_CRITICAL, "Enter the interval."});
        EXPECT_EQ(view(p),
                  (MainView{row.controls, row.status, texts, row.flags + " " + texts, boxes}));
        EXPECT_EQ(p.read(LIST), written);
        EXPECT_EQ(p.os.fs.replaceCalls, row.listTail == MARKER_FILE && *row.runFlag == '0');
        EXPECT_EQ(applied(p, row.script), row.script);
    }
}

} // namespace
