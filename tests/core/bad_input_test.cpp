// Every stored setting in every bad form: the start-up completes with its quiet outcome.
#include "app/kalo3.h"
#include "fixture.h"

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
    S1{PROGRAM, "s1", "7"}, S2{PROGRAM, "s2", "6"}, S3{PROGRAM, "s3", "4"}, S4{PROGRAM, "s4", "3"},
    ON_TOP{APP + "check1s", "check1t", "0"}, RUNNING{APP + "cmdrun", "cmdstop", "1"},
    LAST_FILE{settings::APP_SETTINGS_KEY + "Image Files\\1", "1", "C:\\pics\\a.bmp"},
    RUN_AT_LOGON{settings::RUN_KEY, "KALO DC", nullptr},
    TILE{settings::DESKTOP_KEY, "TileWallpaper", "0"},
    STYLE{settings::DESKTOP_KEY, "WallpaperStyle", "2"};
const Setting* const ALL[] = {&C1,     &C2,      &SNOW,      &S1,           &S2,   &S3,   &S4,
                              &ON_TOP, &RUNNING, &LAST_FILE, &RUN_AT_LOGON, &TILE, &STYLE};

// The bad forms, in the order of each row's expectations: no value at all, texts, a number.
const std::vector<std::optional<MemoryRegistry::Value>> FORMS = [] {
    std::vector<std::optional<MemoryRegistry::Value>> forms{std::nullopt};
    for (std::string text : {"", " ", "x\x01?~\xFF", "99999999999999999999", "-7", "2.5"})
        forms.push_back(MemoryRegistry::Value{platform::REG_SZ_T, text});
    forms.push_back(MemoryRegistry::Value{platform::REG_SZ_T, std::string(3000, '9')});
    forms.push_back(MemoryRegistry::Value{platform::REG_DWORD_T, std::string("\x05\0\0\0", 4)});
    return forms;
}();
const char* const FORM_NAMES[] = {"no value", "empty", "a blank",    "odd bytes",   "a huge number",
                                  "-7",       "2.5",   "3000 nines", "a DWORD of 5"};

std::string interval(Program& p) {
    return p.main().Timer1.enabled() ? "run" : p.os.boxes.empty() ? "idle" : p.os.boxes[0].title;
}
std::string snowShown(Program& p) {
    return p.app->kalo3().window.visible() ? "on" : "off";
}
std::string sliders(Program& p) {
    auto& m = p.main();
    std::string values;
    for (auto* slider : {&m.Slider1_Layers, &m.Slider2_Density, &m.Slider3_Speed, &m.Slider4_Size})
        values += std::to_string(slider->value());
    return values;
}
// "stop": the start-up ended before the sliders, its last step.
std::string onTopAndRun(Program& p) {
    auto& m = p.main();
    const bool completed = m.Slider4_Size.value() == 3 || p.programValue("s4") != "3";
    return std::to_string(m.Check1.value()) + (m.Timer1.enabled() ? "run" : "") +
           (completed ? "" : "stop");
}
std::string addOpensAt(Program& p) {
    p.main().add.click();
    const auto& at = p.os.dialogRequests.at(0).initialLocation;
    return at == p.folder ? "folder" : "'" + at.substr(0, 6).append("'");
}
std::string trayTicks(Program& p) { // "Run at logon", then the wallpaper styles
    std::string ticks = std::to_string(p.tray().starupprogram.checked());
    for (const auto& item : p.tray().kalomenu)
        ticks += item.checked() ? "1" : "0";
    return ticks;
}

} // namespace

// A bad interval stops the stored run with the interval's error; a bad snow switch is
// off; a slider or truth value that does not convert ends the start-up at its step, a
// number out of range is clamped; values only the desktop reads change no behaviour.
TEST(BadInput, EveryStoredSettingInEveryBadFormStartsQuietly) {
    using View = std::string (*)(Program&);
    const std::tuple<Setting, View, const char*> rows[] = {
        {C1, interval, "Error|Error|Error|Error|Error|Error|run|Error|run"},
        {C2, interval, "Error|Error|Error|Error|Error|Error|Error|Error|Error"},
        {SNOW, snowShown, "off|off|off|off|off|off|off|off|off"},
        {S1, sliders, "1111|1111|1111|1111|1111|1643|2643|1111|5643"},
        {S2, sliders, "7111|7111|7111|7111|7111|7143|7243|7111|7543"},
        {S3, sliders, "7611|7611|7611|7611|7611|7613|7623|7611|7653"},
        {S4, sliders, "7641|7641|7641|7641|7641|7641|7642|7641|7645"},
        {ON_TOP, onTopAndRun, "1run|0stop|0stop|0stop|1run|1run|1run|0stop|1run"},
        {RUNNING, onTopAndRun, "0run|0stop|0stop|0stop|0run|0run|0run|0stop|0run"},
        {LAST_FILE, addOpensAt, "folder|''|' '|'x\x01?~\xC3\xBF'|'999999'|'-7'|'2.5'|'999999'|'5'"},
        {RUN_AT_LOGON, trayTicks, "0001|0001|0001|0001|0001|0001|0001|0001|0001"},
        {TILE, trayTicks, "0001|0001|0001|0001|0001|0001|0001|0001|0001"},
        {STYLE, trayTicks, "0000|0000|0000|0000|0000|0000|0000|0000|0000"}};
    for (const auto& [setting, view, expected] : rows) {
        std::istringstream outcomes(expected);           // one for each form, split at '|'
        for (std::size_t k = 0; k < FORMS.size(); ++k) { // good values but this one, two pictures
            SCOPED_TRACE(setting.name + " stored as " + FORM_NAMES[k]);
            const auto& form = FORMS[k];
            Program p;
            p.os.metrics = {160, 120, 15, 15};
            p.write("KALO DC.dat", testing_support::listBytes({p.picture("a"), p.picture("b")}));
            for (const Setting* other : ALL)
                if (other->name != setting.name && other->good)
                    p.os.reg.putText(other->key, other->name, other->good);
            if (form) p.os.reg.put(setting.key, setting.name, *form);
            p.app->start();
            std::string outcome;
            std::getline(outcomes, outcome, '|');
            EXPECT_EQ(view(p), outcome);
        }
    }
}
