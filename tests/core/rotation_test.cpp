// The rotation: the list file's codec, then the main window seen as one state.
#include "fixture.h"
#include "rotation/list_file.h"

#include <sstream>

namespace {

using testing_support::Program;
using Strings = std::vector<std::string>;
using Steps = std::vector<long>;
using testing_support::listBytes;

constexpr long M = 60000; // a minute
const fake::FakeCodePage western;
const std::string LIST = "KALO DC.dat", MARKER_FILE("\x22\xA0\x22\r\n", 5);
const std::string STOPPED = "add del run c2 | Stoped. | ";
const std::string RESET = "add del run | Stoped. | Select Interval | 0 0 Select Interval";

TEST(ListFile, WritesEachEntryQuotedInTheCodePageAndReadsAnyLineBack) {
    const Strings entries{"caf\xC3\xA9", "\xE2\x82\xAC", "a\"b", "", "b", "b"}; // no escaping
    const std::string written = "\"caf\xE9\"\r\n\"\x80\"\r\n\"a\"b\"\r\n\"\"\r\n\"b\"\r\n\"b\"\r\n";
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

// The bound list box is told of every change, so the real one never shows a stale list.
TEST(ImageList, EveryChangeReachesTheBoundView) {
    ui::ListBox list;
    ui::Slider slider{1, 50, 1, 5, 10};
    ui::ImageBox preview;
    ui::CheckBox check{"Snow on top"};
    ui::ComboBox combo{"Interval"};
    int told = 0;
    list.viewChanged = slider.viewChanged = preview.viewChanged = check.viewChanged =
        combo.viewChanged = [&told] { ++told; };
    preview.setPicture(nullptr);
    combo.setText("Hour(s)");
    for (int value : {1, 1}) // one change
        check.setValue(value);
    list.add("a");
    list.add("b");
    list.setListIndex(2); // no entry there: nothing changes
    list.setListIndex(1);
    for (long outside : {2, -1}) // no entry there: nothing changes
        list.removeAt(outside);
    list.removeAt(0);
    list.clear();
    for (long value : {33, 33, 99}) // no change, then one clamped
        slider.setValue(value);
    for (bool on : {false, false, true})
        slider.setEnabled(on);
    EXPECT_EQ(std::make_tuple(told, list.count(), list.listIndex(), slider.value()),
              std::make_tuple(12, 0L, -1L, 50));
}

// The window loaded over a list file of `entries` after the bytes `before`, the rotation
// stored as stopped.
app::Kalo2& stopped(Program& p, const Strings& entries, const std::string& before = "") {
    p.write(LIST, before + listBytes(entries));
    p.setAppSetting("cmdrun", "cmdstop", "0");
    return p.main();
}

// Runs a script of {time, expected list position applied} pairs on the clock; returns it
// with the position each step really applied (-1 none, -2 several).
Steps applied(Program& p, Steps script) {
    for (std::size_t i = 0; i + 1 < script.size(); i += 2) {
        auto before = p.os.wallpaperCalls.size();
        p.os.advance(script[i]);
        auto calls = p.os.wallpaperCalls.size() - before;
        script[i + 1] = calls == 0 ? -1 : calls > 1 ? -2 : p.main().Wallpaper.listIndex();
    }
    return script;
}

// The window as one text: enabled or shown controls, armed tickers | status | interval
// texts | stored run flags and interval texts ("-": none) | each message box shown.
std::string state(Program& p) {
    auto& m = p.main();
    const std::pair<const char*, bool> parts[] = {
        {"add", m.add.enabled()},    {"del", m.del.enabled()},   {"run", m.run.visible()},
        {"stop", m.stope.visible()}, {"c1", m.c1.enabled()},     {"c2", m.c2.enabled()},
        {"T1", m.Timer1.enabled()},  {"T2", m.Timer2.enabled()}, {"T3", m.Timer3.enabled()}};
    std::ostringstream out;
    for (const auto& [name, on] : parts)
        out << (on ? std::string(name) + " " : "");
    out << "| " << m.Label2.caption() << " | " << m.c1.text() << " " << m.c2.text() << " |";
    for (const auto& value : {p.appSetting("cmdrun", "cmdstop"), p.appSetting("tcirun", "tcistop"),
                              p.programValue("C1"), p.programValue("C2")})
        out << " " << value.value_or("-");
    for (const auto& box : p.os.boxes)
        out << " | " << box.title << " " << box.style << " "
            << box.text.substr(0, box.text.find('\n'));
    return out.str();
}

// A path outside the code page goes by its short form; Delete selects a neighbour by text.
TEST(ImageList, AddAndDeleteKeepTheListFileInStep) {
    Program p;
    auto& main = stopped(p, {"x", "a", "y", "a", "b"});
    main.c2.setEnabled(false);
    const std::string wide = "C:\\\xE6\x97\xA5\\z", shortForm = "C:\\6E65~1\\z";
    p.os.dialogAnswers = {"z", "", wide, wide, wide};
    for (const std::string shortPath : {"", "", "", "C:\\\xE6\x97\xA5~1\\z", shortForm.c_str()}) {
        if (!shortPath.empty()) p.os.fs.shortPaths[wide] = shortPath;
        main.add.click();
    }
    const std::string refused = " | Error 16 Unable to add " + wide;
    EXPECT_EQ(std::make_tuple(p.os.dialogRequests.at(4).initialLocation, main.Wallpaper.items(),
                              state(p)),
              std::make_tuple("z", Strings{"x", "a", "y", "a", "b", "z", shortForm},
                              STOPPED + "  | 0 0 - -" + refused + refused)); // the unit box enabled
    int focus = 0, inStep = 0;
    main.Wallpaper.focusRequested = [&] { ++focus; };
    std::ostringstream selected;
    for (long index : {6, 2, 3, 0, 2, 1, 0, -1}) {
        main.Wallpaper.setListIndex(index);
        p.os.boxes.clear();
        main.del.click();
        selected << main.Wallpaper.listIndex() << " ";
        inStep += p.read(LIST) == listBytes(main.Wallpaper.items());
    }
    EXPECT_EQ(
        std::make_tuple(selected.str(), focus, inStep, state(p)),
        std::make_tuple("5 1 3 0 0 0 -1 -1 ", 7, 8,
                        STOPPED + "  | 0 0 - - | Delete 48 You must Select the file to delete."));
}

// A stored last file the dialog refuses opens it again at the program folder; a cancel
// there adds nothing. A record the code page cannot write (bytes it leaves undefined) is
// kept as it was and written back byte for byte with the rest of the list.
TEST(ImageList, ADialogThatRefusesTheLastFileOpensAgainAndOddRecordsAreKept) {
    Program p;
    p.os.cp.undefined = "\x81";
    const std::string odd = "\"C:\\x\x81y.jpg\"\r\n";
    auto& main = stopped(p, {}, odd);
    const std::string stored(300, 'x');
    p.os.reg.putText(settings::APP_SETTINGS_KEY + "Image Files\\1", "1", stored);
    p.os.dialogAnswers = {fake::FakePlatform::REFUSED, "z", fake::FakePlatform::REFUSED, ""};
    main.add.click();
    main.add.click();
    std::string asked;
    for (const auto& request : p.os.dialogRequests)
        asked += (request.initialLocation == p.folder ? "folder " : request.initialLocation + " ");
    EXPECT_EQ(std::tuple(asked, main.Wallpaper.items().back(), p.read(LIST), p.os.boxes.size()),
              std::tuple(stored + " folder z folder ", "z", odd + listBytes({"z"}), 0u));
}

// With the program folder read-only the list lives in the user data folder.
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
    EXPECT_EQ(std::make_tuple(yields, misplaced, *p.os.fs.read(userList)),
              std::make_tuple(40000L, 0L, listBytes(entries)));
    p.os.fs.failWrites = true;
    main.add_Click();
    main.reset_Click();
    const std::string unable = " | Error 16 Unable to access " + userList + ". The ";
    EXPECT_EQ(std::make_pair(*p.os.fs.read(userList), state(p)),
              std::make_pair(listBytes(entries), RESET + unable + "playlist will not be saved" +
                                                     unable + "Image list will not be saved"));
}

// A list file held open by another program at start is reported, and no save replaces it
// before it has been read; then its entries come first. A reset empties it on purpose,
// unless it could not write its marker.
TEST(ImageList, AListFileHeldOpenIsNeverSavedOverUnread) {
    const std::tuple<bool, Strings, Strings, std::size_t> cases[] = {
        {false, {"c"}, {"c", "d"}, 1},
        {true, {"a", "b"}, {"a", "b", "c", "d"}, 3}, // the marker could not be written
    };
    for (const auto& [markerFails, first, last, boxes] : cases) {
        Program p;
        p.os.fs.unreadable = {p.path(LIST)};
        auto& main = stopped(p, {"a", "b"});
        p.os.dialogAnswers = {"c", "d"};
        p.os.fs.failWrites = markerFails;
        main.reset.click();
        p.os.fs.failWrites = false;
        main.add_Click();
        p.os.fs.unreadable.clear();
        const std::string list = p.read(LIST);
        main.add_Click();
        EXPECT_EQ(std::tuple(list, p.read(LIST), p.os.boxes.size(), p.os.boxes.at(0).text),
                  std::tuple(listBytes(first), listBytes(last), boxes,
                             "Unable to read " + p.path(LIST) +
                                 ". Another program may be using it. Your Image list is kept "
                                 "as it is, and is not saved until it can be read."));
    }
}

// A new period counts from the change, as a timer set again does; Advance wraps; the
// interval boxes set and store the interval, or ignore a bad one.
TEST(Rotation, ATimerGivenANewPeriodCountsItFromTheChangeAdvanceWrapsAndTheBoxesSetIt) {
    Program p;
    ui::Timer timer{1000, true};
    std::vector<long> ticks;
    timer.Tick = [&] { ticks.push_back(p.os.now()); };
    p.os.watchTimer(timer);
    p.os.advance(500);
    timer.setInterval(200);
    p.os.advance(500);
    timer.setEnabled(false); // so does a timer enabled again
    p.os.advance(350);
    timer.setEnabled(true);
    p.os.advance(250);
    p.os.unwatchTimer(timer);
    EXPECT_EQ(ticks, (std::vector<long>{700, 900, 1550}));
    // Ticks during a message box can pass the count; no index yet counts as the first.
    auto& main = stopped(p, {});
    std::ostringstream seen;
    for (std::optional<long> index : {std::optional<long>(), {}, {5}}) {
        main.rotationIndex = index;
        main.Wallpaper.setListIndex(-1);
        main.Advance();
        seen << main.Wallpaper.listIndex() << "/" << *main.rotationIndex << main.entryCount << " ";
        main.Wallpaper.add("a");
    }
    EXPECT_EQ(seen.str(), "-1/10 0/11 0/12 ");
    // The unit box fills the number box; a number chosen sets and stores the interval.
    p.os.boxes.clear();
    main.c2.add("second(s)");
    std::ostringstream filled;
    for (std::size_t unit : {2, 3, 1, 0}) {
        main.c1.setText("x");
        main.c2.choose(unit);
        filled << main.c1.items().size() << "/" << main.c1.items().back() << main.c1.text() << " ";
    }
    main.c1.choose(2);
    EXPECT_EQ(std::make_tuple(filled.str(), main.Timer1.interval(), state(p)),
              std::make_tuple("7/7 7/7x 59/59 59/59 ", 3000L,
                              "add del run c1 c2 | Stoped. | 3 Second(s) | 0 0 3 Second(s)"));
    main.stope.click(); // the number box closes again
    EXPECT_EQ(state(p).substr(0, STOPPED.size()), STOPPED);
    const std::tuple<const char*, const char*, char, const char*> cases[] = {
        {"Second(s)", "2,5", ',', "2500 -1 T1"},     {"Second(s)", "0.0625", '.', "62 -1 T1"},
        {"Second(s)", "0.1875", '.', "188 -1 T1"},   {"Second(s)", "0", '.', "0 -1 T1"},
        {"Second(s)", "65.535", '.', "65535 -1 T1"}, {"Second(s)", "65.536", '.', "9 -1 T1T3"},
        {"Second(s)", "-1", '.', "9 -1 T1T3"},       {"Second(s)", "abc", '.', "9 -1 T1T3"},
        {"second(s)", "5", '.', "9 -1 T1T3"},        {"Minute(s)", "2.5", '.', "9 2.5 T3"},
        {"Hour(s)", "1,5", ',', "9 90 T3"}, // the minute rows last: they leave a target
    };
    for (const auto& [unit, number, separator, expected] : cases) {
        p.os.cp.separator = separator;
        main.Timer1.setEnabled(true);
        main.Timer3.setEnabled(true);
        main.Timer1.setInterval(9); // the period in force
        main.c2.typeText(unit);
        main.c1.typeText(number);
        main.SetInterval();
        std::ostringstream now;
        now << main.Timer1.interval() << " " << main.minuteTarget.value_or(-1) << " "
            << (main.Timer1.enabled() ? "T1" : "") << (main.Timer3.enabled() ? "T3" : "");
        EXPECT_EQ(now.str(), expected) << unit << " " << number;
    }
}

// Run refuses an interval it cannot turn, changing nothing; one entry is refused, then
// reset: Snow on top cleared and the marker left in the list file.
TEST(RunState, RunStartsTheUnitsModeOrSaysWhyNotAndStopOrResetEndIt) {
    const std::string one = " | Error 16 Add at least two Image file.";
    const std::string refused = STOPPED + "70 Second(s) | 0 0 - - | Error 16 Enter the interval.";
    const std::tuple<int, const char*, const char*, std::string, std::string> cases[] = {
        {2, "65.535", "Second(s)", // the longest period the ticker holds
         "stop T1 T2 | Running... | 65.535 Second(s) | 1 0 65.535 Second(s)", ""},
        {2, "70", "Second(s)", refused, refused},
        {1, "5", "Second(s)", RESET + one, "stop c2 | Stoped. | 5 Second(s) | 0 0 - -" + one},
        {1, "5", "Minute(s)", RESET + one, "stop c2 | Stoped. | 5 Minute(s) | 0 0 - -" + one},
    };
    for (const auto& [count, number, unit, after, duringBox] : cases) {
        Program p;
        auto& main = stopped(p, Strings(count, "a"));
        main.Check1.setValue(1);
        main.c2.typeText(unit);
        main.c1.typeText(number);
        std::string during;
        p.os.whileBoxOpen = [&] { during = state(p); };
        main.Label3.click();
        EXPECT_EQ(
            std::make_tuple(state(p), during, main.Check1.value(), main.Wallpaper.count(),
                            p.read(LIST) == MARKER_FILE),
            std::make_tuple(after, duringBox, count != 1, count == 1 ? 0L : count, count == 1));
        main.stope.click();
        EXPECT_EQ(state(p).rfind(STOPPED, 0), 0u) << state(p);
    }
}

// A true run flag (the default) resumes, a false one stops, another text ends the start-up
// there as a missing list does; an interval that cannot turn is refused; the marker resets.
TEST(StartupRotation, TheStoredStateDecidesTheStartAndTheRotation) {
    const std::string SEC = "stop T1 T2 | Running...", MIN = "stop T2 T3 | Running...";
    const std::string STOP = "add del run c2 | Stoped.", END = "add del run c2 T3 | ";
    const Steps quiet{1, -1, 10 * M, -1};
    using Row = std::tuple<int, std::optional<std::string>, const char*, std::string, std::string,
                           const char*, Steps>;
    const Row cases[] = {
        {3, "", "1", "5 Second(s)", SEC, "1 -", {1, 0, 4998, -1, 1, 0, 5000, 1, 5000, 2, 5000, 0}},
        {3, "", nullptr, "2 Minute(s)", MIN, "1 1", {1, 0, M, -1, M, 0, 2 * M, 1, 2 * M, 2}},
        {2, "", "True", "1.5 Hour(s)", MIN, "1 1", {1, 0, 89 * M, -1, M, 0, 89 * M, -1, M, 1}},
        {2, "", "-1", "2.5 Minute(s)", END, "-1 -", quiet}, // refused, with a box
        {2, "", "1", "0 Second(s)", END, "1 -", quiet},     // refused, with a box
        {0, MARKER_FILE, "maybe", "5 Minute(s)", END, "maybe -", quiet},
        {0, std::nullopt, nullptr, "5 Minute(s)", END, "- -", quiet},
        {0, MARKER_FILE, "0", "Select Interval", "add del run | Stoped.", "0 0", quiet},
        {0, MARKER_FILE + listBytes({"a"}), "0", "5 Second(s)", STOP, "0 0", quiet},
    };
    for (const auto& [count, bytes, flag, texts, look, flags, script] : cases) {
        Program p;
        Strings paths;
        for (int i = 0; i < count; ++i)
            paths.push_back(p.picture(std::to_string(i) + ".pic", 0xFF000000u + i));
        const std::string written = bytes ? listBytes(paths) + *bytes : "<missing>";
        if (bytes) p.write(LIST, written);
        p.setProgramValue("c1", texts.substr(0, texts.find(' ')));
        p.setProgramValue("c2", texts.substr(texts.find(' ') + 1));
        if (flag) p.setAppSetting("cmdrun", "cmdstop", flag);
        p.app->start();
        const bool refused = texts == "0 Second(s)" || texts == "2.5 Minute(s)";
        EXPECT_EQ(std::make_tuple(state(p), p.read(LIST), p.os.fs.replaceCalls),
                  std::make_tuple(look + " | " + texts + " | " + flags + " " + texts +
                                      (refused ? " | Error 16 Enter the interval." : ""),
                                  written, bytes == MARKER_FILE && *flag == '0'));
        EXPECT_EQ(applied(p, script), script) << texts;
    }
}

// Run refuses an empty list; the start tick stays armed for the first picture added. The
// minute count starts at Run, however long the ticker ran before; a count already past the
// target turns at the next tick.
TEST(StartupRotation, TheStartTickWaitsForAFirstEntryAndAMinutesRotationCountsFromItsRun) {
    Program p;
    p.write(LIST, "");
    p.setProgramValue("C2", "Second(s)");
    EXPECT_EQ(state(p), "add del run c2 T2 T3 |  |  Second(s) | - - - Second(s) | Error 16 "
                        "Add Image file.");
    const Steps nothing{3 * M, -1}, once{1, 0, 1000, -1}, fromRun{1, 0, M, -1, M, 0, 2 * M, 1},
        past{M, 2};
    EXPECT_EQ(applied(p, nothing), nothing);
    auto& main = p.main();
    p.os.dialogAnswers = {p.picture("0.pic", 0xFF000000u)};
    main.add.click();
    EXPECT_EQ(applied(p, once), once);
    for (int i = 1; i < 3; ++i)
        main.Wallpaper.add(p.picture(std::to_string(i) + ".pic", 0xFF000000u + i));
    main.c1.typeText("2");
    main.run.click();
    p.os.advance(25000);
    main.stope.click();
    main.c2.typeText("Minute(s)");
    main.run.click();
    EXPECT_EQ(applied(p, fromRun), fromRun);
    main.minuteCount = 5;
    EXPECT_EQ(applied(p, past), past);
}

} // namespace
