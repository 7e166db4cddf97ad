#pragma once
// Where each window's controls sit, in twips from the top left of the client area, with
// the client area's own size: both front ends place their widgets from these numbers.
namespace app::layout {

struct Place {
    int left, top, width, height;
};

constexpr int TWIPS_PER_PIXEL = 15; // at 96 dots per inch

constexpr Place px(int left, int top, int width, int height) {
    const int k = TWIPS_PER_PIXEL;
    return {left * k, top * k, width * k, height * k};
}

struct MainWindow {
    Place client, F2, f1, Wallpaper, c2, c1, add, del; // the wallpaper group
    Place im, f3, f4, Label1, Label2, run;             // preview and status
    Place f5, Check1, Label3, Slider1, Label4, Slider2, Label5, Slider3, Label6, Slider4;
};

// Run and Stop share one place.
inline constexpr MainWindow MAIN{
    px(0, 0, 568, 432),    px(8, 6, 300, 262),    px(18, 196, 280, 62),  px(18, 26, 280, 132),
    px(18, 166, 136, 24),  px(162, 166, 136, 24), px(30, 218, 120, 28),  px(166, 218, 120, 28),
    px(318, 12, 242, 168), px(318, 184, 80, 42),  px(404, 184, 156, 42), px(326, 202, 66, 18),
    px(412, 202, 140, 18), px(318, 236, 242, 30), px(8, 274, 552, 150),  px(20, 294, 200, 20),
    px(20, 330, 60, 18),   px(84, 322, 190, 32),  px(292, 330, 60, 18),  px(356, 322, 196, 32),
    px(20, 376, 60, 18),   px(84, 368, 190, 32),  px(292, 376, 60, 18),  px(356, 368, 196, 32)};

struct AboutBox {
    Place client, Label1, Label2, Label3, Label786, Frame1, ok;
};

inline constexpr AboutBox ABOUT{px(0, 0, 380, 196),  px(20, 16, 340, 20),  px(20, 44, 340, 18),
                                px(20, 84, 70, 18),  px(104, 84, 250, 18), px(94, 72, 270, 40),
                                px(145, 148, 90, 28)};

struct Notice {
    Place client, Label1, Label2;
};

inline constexpr Notice NOTICE{px(0, 0, 320, 90), px(10, 18, 300, 22), px(10, 50, 300, 22)};

} // namespace app::layout
