// The main window's controls, driven with window messages and checked on the real
// controls, the registry and the list file.
#include "windows_fixture.h"

#include "platform/win32/main_window.h"

using namespace win32_testing;
using platform::FormId;

namespace {

struct MainWindowTest : ::testing::Test {
    WindowsProgram program;
    void SetUp() override {
        program.start();
        program.showMain();
    }
    app::Kalo2& form() { return program.main(); }
    HWND control(const ui::Control& c) { return program.mainControl(c); }
    bool menuHas(int id) {
        return GetMenuState(GetMenu(program.window(FormId::KALO2)), UINT(id), MF_BYCOMMAND) !=
               UINT(-1);
    }
    void click(const ui::Control& button) {
        SendMessageW(control(button), BM_CLICK, 0, 0);
        program.pump(20);
    }
};

std::string listText(HWND list, int index) {
    char text[1024] = {};
    SendMessageA(list, LB_GETTEXT, WPARAM(index), LPARAM(text));
    return text;
}

} // namespace

TEST_F(MainWindowTest, ShowMenuShowsItAndTheCloseBoxOnlyHidesIt) {
    HWND main = program.window(FormId::KALO2);
    EXPECT_TRUE(IsWindowVisible(main));
    SendMessageW(main, WM_CLOSE, 0, 0);
    program.pump(20);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(program.ends, 0);
}

TEST_F(MainWindowTest, ControlsCarryTheirCaptions) {
    struct Case {
        const ui::Control* control;
        const char* text;
    };
    for (Case c :
         {Case{&form().add, "Add"}, Case{&form().del, "Delete "}, Case{&form().F2, "Wallpaper"},
          Case{&form().f1, "Image"}, Case{&form().f5, "Snow Fall"},
          Case{&form().Check1, "Snow on top"}, Case{&form().Label3, "Layers"},
          Case{&form().Label4, "Density"}, Case{&form().Label5, "Speed"},
          Case{&form().Label6, "Size"}, Case{&form().Label1, "Status :"}, Case{&form().run, "Run"},
          Case{&form().stope, "Stop"}})
        EXPECT_EQ(windowText(control(*c.control)), c.text);
}

TEST_F(MainWindowTest, SlidersAreTrackbarsWithTheirRangesAndSteps) {
    struct Case {
        const ui::Slider* slider;
        int min, max;
    };
    for (Case c : {Case{&form().Slider1_Layers, 1, 50}, Case{&form().Slider2_Density, 1, 100},
                   Case{&form().Slider3_Speed, 1, 50}, Case{&form().Slider4_Size, 1, 10}}) {
        HWND bar = control(*c.slider);
        char className[64] = {};
        GetClassNameA(bar, className, sizeof className);
        EXPECT_STREQ(className, TRACKBAR_CLASSA);
        EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0), c.min);
        EXPECT_EQ(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0), c.max);
        EXPECT_EQ(SendMessageW(bar, TBM_GETLINESIZE, 0, 0), 1);
        EXPECT_EQ(SendMessageW(bar, TBM_GETPAGESIZE, 0, 0), 5);
    }
}

TEST_F(MainWindowTest, MovingASliderStoresItsPositionWhenTheMoveEnds) {
    struct Case {
        const ui::Slider* slider;
        const char* value;
        int position;
    };
    for (Case c : {Case{&form().Slider1_Layers, "s1", 7}, Case{&form().Slider2_Density, "s2", 64},
                   Case{&form().Slider3_Speed, "s3", 12}, Case{&form().Slider4_Size, "s4", 3}}) {
        HWND bar = control(*c.slider);
        SendMessageW(bar, TBM_SETPOS, TRUE, c.position);
        SendMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, c.position),
                     LPARAM(bar));
        EXPECT_EQ(programValue(c.value), std::nullopt) << "a drag in progress stores nothing";
        SendMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(bar));
        EXPECT_EQ(programValue(c.value), std::to_string(c.position));
        EXPECT_EQ(c.slider->value(), c.position);
    }
}

TEST_F(MainWindowTest, ChangesMadeByCodeShowInTheControls) {
    form().Slider3_Speed.setValue(33);
    EXPECT_EQ(SendMessageW(control(form().Slider3_Speed), TBM_GETPOS, 0, 0), 33);
    form().Check1.setValue(1);
    EXPECT_EQ(SendMessageW(control(form().Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
    program.menuCommand(FormId::KALO2, win32::main_ids::RESET_SNOW);
    for (const ui::Slider* s : {&form().Slider1_Layers, &form().Slider2_Density,
                                &form().Slider3_Speed, &form().Slider4_Size})
        EXPECT_EQ(SendMessageW(control(*s), TBM_GETPOS, 0, 0), s->value());
    EXPECT_EQ(SendMessageW(control(form().Check1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    form().c1.setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(control(form().c1)));
    form().del.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(control(form().del)));
}

TEST_F(MainWindowTest, RunAndStopShareOnePlaceAndOnlyOneShows) {
    click(form().stope);
    EXPECT_EQ(windowText(control(form().Label2)), "Stoped.");
    RECT run, stop;
    GetWindowRect(control(form().run), &run);
    GetWindowRect(control(form().stope), &stop);
    EXPECT_TRUE(EqualRect(&run, &stop));
    EXPECT_NE(bool(IsWindowVisible(control(form().run))),
              bool(IsWindowVisible(control(form().stope))));
}

TEST_F(MainWindowTest, AddAndDeleteGoThroughTheListBoxAndTheListFile) {
    std::string red = program.picture("red.bmp", 0xFF0000),
                blue = program.picture("blue.bmp", 0x0000FF);
    program.dialogAnswers = {red, blue};
    click(form().add);
    click(form().add);
    HWND list = control(form().Wallpaper);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(listText(list, 0), red);
    EXPECT_EQ(listText(list, 1), blue);
    EXPECT_EQ(program.fileBytes("KALO DC.dat"), "\"" + red + "\"\r\n\"" + blue + "\"\r\n");

    SendMessageW(list, LB_SETCURSEL, 0, 0);
    program.notify(list, LBN_SELCHANGE);
    EXPECT_EQ(form().Wallpaper.listIndex(), 0);
    ASSERT_TRUE(form().im.picture());
    EXPECT_EQ(form().im.picture()->at(0, 0) & 0xFFFFFF, 0xFF0000u);

    click(form().del);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(listText(list, 0), blue);
    EXPECT_EQ(program.fileBytes("KALO DC.dat"), "\"" + blue + "\"\r\n");
}

TEST_F(MainWindowTest, OnlyAChoiceFromTheListRunsTheComboBoxClick) {
    HWND unit = control(form().c2), number = control(form().c1);
    EXPECT_EQ(SendMessageW(unit, CB_GETCOUNT, 0, 0), 3);
    EXPECT_FALSE(IsWindowEnabled(number));
    SetWindowTextA(unit, "Second(s)");
    program.notify(unit, CBN_EDITCHANGE);
    EXPECT_EQ(form().c2.text(), "Second(s)");
    EXPECT_FALSE(IsWindowEnabled(number)) << "typed text runs no click";
    SendMessageW(unit, CB_SETCURSEL, 1, 0);
    program.notify(unit, CBN_SELCHANGE);
    EXPECT_EQ(form().c2.text(), "Minute(s)");
    EXPECT_TRUE(IsWindowEnabled(number));
    EXPECT_GT(SendMessageW(number, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(MainWindowTest, ClickingTheLayersCaptionRunsRun) {
    program.notify(control(form().Label3), STN_CLICKED);
    ASSERT_EQ(program.boxes.size(), 1u);
    EXPECT_EQ(program.boxes[0].text, "Add Image file.");
    EXPECT_EQ(program.boxes[0].title, "Error");
}

TEST_F(MainWindowTest, SnowMenuShowsOnlyTheItemThatChangesTheState) {
    using namespace win32::main_ids;
    EXPECT_TRUE(menuHas(SNOW_ON));
    EXPECT_FALSE(menuHas(SNOW_OFF));
    program.menuCommand(FormId::KALO2, SNOW_ON);
    EXPECT_FALSE(menuHas(SNOW_ON));
    EXPECT_TRUE(menuHas(SNOW_OFF));
    EXPECT_EQ(programValue("snow"), "on");
    EXPECT_TRUE(IsWindowVisible(program.window(FormId::KALO3)));
    HMENU kalo = GetSubMenu(GetMenu(program.window(FormId::KALO2)), 0);
    EXPECT_EQ(GetMenuItemID(kalo, 0), UINT(SNOW_OFF)) << "the shown item takes its place in order";
    program.menuCommand(FormId::KALO2, SNOW_OFF);
    EXPECT_TRUE(menuHas(SNOW_ON));
    EXPECT_FALSE(menuHas(SNOW_OFF));
    EXPECT_EQ(programValue("snow"), "off");
    EXPECT_FALSE(IsWindowVisible(program.window(FormId::KALO3)));
}

TEST_F(MainWindowTest, SnowOnTopRaisesTheSnowWindowAndIsStored) {
    click(form().Check1);
    EXPECT_EQ(SendMessageW(control(form().Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
    HWND snow = program.window(FormId::KALO3);
    EXPECT_TRUE(IsWindowVisible(snow));
    EXPECT_TRUE(GetWindowLongW(snow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(storedText(settings::APP_SETTINGS_KEY + TEST_EXE_NAME + "\\check1s", "check1t"), "1");
    click(form().Check1);
    EXPECT_FALSE(GetWindowLongW(snow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(storedText(settings::APP_SETTINGS_KEY + TEST_EXE_NAME + "\\check1s", "check1t"), "0");
}
