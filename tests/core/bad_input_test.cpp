// Every stored setting in every bad form: the start-up and every later action complete,
// each with its quiet outcome.
#include "fixture.h"
#include "snow/kalo3.h"

#include <sstream>

namespace {

using settings::MemoryRegistry;
using testing_support::Program;

struct Setting {
    std::string key, name;
    const char* good; // its value in every other row
};
const std::string PROGRAM = settings::PROGRAM_KEY, APP = settings::APP_SETTINGS_KEY + "KALO DC\\";
const Setting C1{PROGRAM, "c1", "5"}, C2{PROGRAM, "c2", "Second(s)"}, SNOW{PROGRAM, "snow", "on"},
    S1{PROGRAM, "s1", "7"}, S2{PROGRAM, "s2", "30"}, S3{PROGRAM, "s3", "4"}, S4{PROGRAM, "s4", "3"},
    ON_TOP{APP + "check1s", "check1t", "0"}, RUNNING{APP + "cmdrun", "cmdstop", "1"},
    LAST_FILE{settings::APP_SETTINGS_KEY + "Image Files\\1", "1", "C:\\pics\\a.bmp"},
    RUN_AT_LOGON{settings::RUN_KEY, "KALO DC", nullptr},
    TILE{settings::DESKTOP_KEY, "TileWallpaper", "0"},
    STYLE{settings::DESKTOP_KEY, "WallpaperStyle", "2"};
const Setting* const ALL[] = {&C1,     &C2,      &SNOW,      &S1,           &S2,   &S3,   &S4,
                              &ON_TOP, &RUNNING, &LAST_FILE, &RUN_AT_LOGON, &TILE, &STYLE};

MemoryRegistry::Value sz(std::string text) {
    return {platform::REG_SZ_T, std::move(text)};
}

// The bad forms, in the order of each row's expectations; nullopt: no value at all.
const std::optional<MemoryRegistry::Value> FORMS[] = {
    std::nullopt,
    sz(""),
    sz(" "),
    sz("x\x01?~\xFF"),
    sz("99999999999999999999"),
    sz("-7"),
    sz("2.5"),
    sz(std::string(3000, '9')),
    MemoryRegistry::Value{platform::REG_DWORD_T, std::string("\x05\0\0\0", 4)}};

// Good values everywhere, a list of two pictures, then one setting in a bad form.
void prepare(Program& p, const Setting& bad, const std::optional<MemoryRegistry::Value>& form) {
    p.os.metrics = {160, 120, 15, 15};
    p.write("KALO DC.dat", testing_support::listBytes({p.picture("a.bmp"), p.picture("b.bmp")}));
    for (const Setting* setting : ALL)
        if (setting->name != bad.name && setting->good)
            p.os.reg.putText(setting->key, setting->name, setting->good);
    if (form) p.os.reg.put(bad.key, bad.name, *form);
}

bool startUpCompleted(Program& p) { // the sliders are its last step
    return p.main().Slider4_Size.value() == 3 || p.programValue("s4") != "3";
}

std::string interval(Program& p) {
    auto& m = p.main();
    return m.Timer1.enabled() ? "run" : p.os.boxes.empty() ? "idle" : p.os.boxes[0].title;
}
std::string snowShown(Program& p) {
    return p.app->kalo3().window.visible() ? "on" : "off";
}
std::string sliders(Program& p) {
    auto& m = p.main();
    std::ostringstream out;
    out << m.Slider1_Layers.value() << "," << m.Slider2_Density.value() << ","
        << m.Slider3_Speed.value() << "," << m.Slider4_Size.value();
    return out.str();
}
std::string onTopAndRun(Program& p) { // "stop": the start-up ended at that step
    auto& m = p.main();
    return std::to_string(m.Check1.value()) + (m.Timer1.enabled() ? "run" : "") +
           (startUpCompleted(p) ? "" : "stop");
}
std::string addOpensAt(Program& p) {
    p.main().add.click();
    const auto& at = p.os.dialogRequests.at(0).initialLocation;
    return at == p.folder ? "folder" : "'" + at.substr(0, 6).append("'");
}
std::string logOnTick(Program& p) {
    return std::to_string(p.tray().starupprogram.checked());
}
std::string styleTicks(Program& p) {
    std::string ticks;
    for (const auto& item : p.tray().kalomenu)
        ticks += item.checked() ? "1" : "0";
    return ticks;
}

// Every action a user can take, after which the list file holds the list shown.
void useEverything(Program& p) {
    auto& m = p.main();
    p.os.dialogAnswers = {p.picture("c.bmp")};
    m.add.click();
    p.os.advance(2500);
    m.Wallpaper.setListIndex(1);
    m.stope.click();
    m.run.click();
    for (auto* slider : {&m.Slider1_Layers, &m.Slider2_Density, &m.Slider3_Speed, &m.Slider4_Size})
        slider->move(2);
    m.Check1.setValue(1 - m.Check1.value());
    m.snow2.click(), m.snow1.click(), m.resetsnow.click();
    for (const auto& item : p.tray().kalomenu)
        item.click();
    p.tray().starupprogram.click();
    p.os.advance(2500);
    m.del.click();
    m.reset.click();
    p.os.dialogAnswers = {p.picture("d.bmp")};
    m.add.click();
    p.os.advance(2500);
}

} // namespace

// A bad interval stops the stored run with the interval's error; a bad snow switch is
// off; a slider or truth value that does not convert ends the start-up at its step, a
// number out of range is clamped; values only the desktop reads change no behaviour.
TEST(BadInput, EveryStoredSettingInEveryBadFormStartsAndWorks) {
    using View = std::string (*)(Program&);
    const std::tuple<Setting, View, const char*> rows[] = {
        {C1, interval, "Error|Error|Error|Error|Error|Error|run|Error|run"},
        {C2, interval, "Error|Error|Error|Error|Error|Error|Error|Error|Error"},
        {SNOW, snowShown, "off|off|off|off|off|off|off|off|off"},
        {S1, sliders, "1,1,1,1|1,1,1,1|1,1,1,1|1,1,1,1|1,1,1,1|1,30,4,3|2,30,4,3|1,1,1,1|5,30,4,3"},
        {S2, sliders, "7,1,1,1|7,1,1,1|7,1,1,1|7,1,1,1|7,1,1,1|7,1,4,3|7,2,4,3|7,1,1,1|7,5,4,3"},
        {S3, sliders,
         "7,30,1,1|7,30,1,1|7,30,1,1|7,30,1,1|7,30,1,1|7,30,1,3|7,30,2,3|7,30,1,1|7,30,5,3"},
        {S4, sliders,
         "7,30,4,1|7,30,4,1|7,30,4,1|7,30,4,1|7,30,4,1|7,30,4,1|7,30,4,2|7,30,4,1|7,30,4,5"},
        {ON_TOP, onTopAndRun, "1run|0stop|0stop|0stop|1run|1run|1run|0stop|1run"},
        {RUNNING, onTopAndRun, "0run|0stop|0stop|0stop|0run|0run|0run|0stop|0run"},
        {LAST_FILE, addOpensAt, "folder|''|' '|'x\x01?~\xC3\xBF'|'999999'|'-7'|'2.5'|'999999'|'5'"},
        {RUN_AT_LOGON, logOnTick, "0|0|0|0|0|0|0|0|0"},
        {TILE, styleTicks, "001|001|001|001|001|001|001|001|001"},
        {STYLE, styleTicks, "000|000|000|000|000|000|000|000|000"}};
    for (const auto& [setting, view, expected] : rows) {
        std::string seen;
        for (const auto& form : FORMS) {
            Program p;
            prepare(p, setting, form);
            p.app->start();
            seen.append(seen.empty() ? "" : "|").append(view(p));
            useEverything(p);
            EXPECT_EQ(p.read("KALO DC.dat"),
                      testing_support::listBytes(p.main().Wallpaper.items()));
        }
        EXPECT_EQ(seen, expected) << setting.name;
    }
}
