#pragma once
// Where each window's controls sit, in twips from the top left of the client area, with
// the client area's own size: both front ends place their widgets from these numbers.
namespace app::layout {

struct Place {
    int left, top, width, height;
};

constexpr int TWIPS_PER_PIXEL = 15; // at 96 dots per inch

// A place given in pixels, as twips.
constexpr Place px(Place pixels) {
    const int k = TWIPS_PER_PIXEL;
    return {pixels.left * k, pixels.top * k, pixels.width * k, pixels.height * k};
}
constexpr Place px(int left, int top, int width, int height) {
    return px(Place{left, top, width, height});
}

// A place of the table in pixels at 96 dots per inch, where the front ends put the control.
constexpr Place inPixels(Place twips) {
    const int k = TWIPS_PER_PIXEL;
    return {twips.left / k, twips.top / k, twips.width / k, twips.height / k};
}

struct MainWindow {
    Place client, F2, f1, Wallpaper, c2, c1, add, del; // the wallpaper group
    Place im, f3, f4, Label1, Label2, run;             // preview and status
    Place f5, Check1, Label3, Slider1, Label4, Slider2, Label5, Slider3, Label6, Slider4;
};

// Run and Stop share one place.
inline constexpr MainWindow MAIN{
    .client = px({.left = 0, .top = 0, .width = 568, .height = 432}),
    .F2 = px({.left = 8, .top = 6, .width = 300, .height = 262}),
    .f1 = px({.left = 18, .top = 196, .width = 280, .height = 62}),
    .Wallpaper = px({.left = 18, .top = 26, .width = 280, .height = 132}),
    .c2 = px({.left = 18, .top = 166, .width = 136, .height = 24}),
    .c1 = px({.left = 162, .top = 166, .width = 136, .height = 24}),
    .add = px({.left = 30, .top = 218, .width = 120, .height = 28}),
    .del = px({.left = 166, .top = 218, .width = 120, .height = 28}),
    .im = px({.left = 318, .top = 12, .width = 242, .height = 168}),
    .f3 = px({.left = 318, .top = 184, .width = 80, .height = 42}),
    .f4 = px({.left = 404, .top = 184, .width = 156, .height = 42}),
    .Label1 = px({.left = 326, .top = 202, .width = 66, .height = 18}),
    .Label2 = px({.left = 412, .top = 202, .width = 140, .height = 18}),
    .run = px({.left = 318, .top = 236, .width = 242, .height = 30}),
    .f5 = px({.left = 8, .top = 274, .width = 552, .height = 150}),
    .Check1 = px({.left = 20, .top = 294, .width = 200, .height = 20}),
    .Label3 = px({.left = 20, .top = 330, .width = 60, .height = 18}),
    .Slider1 = px({.left = 84, .top = 322, .width = 190, .height = 32}),
    .Label4 = px({.left = 292, .top = 330, .width = 60, .height = 18}),
    .Slider2 = px({.left = 356, .top = 322, .width = 196, .height = 32}),
    .Label5 = px({.left = 20, .top = 376, .width = 60, .height = 18}),
    .Slider3 = px({.left = 84, .top = 368, .width = 190, .height = 32}),
    .Label6 = px({.left = 292, .top = 376, .width = 60, .height = 18}),
    .Slider4 = px({.left = 356, .top = 368, .width = 196, .height = 32}),
};

struct AboutBox {
    Place client, Label1, Label2, Label3, Label786, Frame1, ok;
};

inline constexpr AboutBox ABOUT{
    .client = px({.left = 0, .top = 0, .width = 380, .height = 196}),
    .Label1 = px({.left = 20, .top = 16, .width = 340, .height = 20}),
    .Label2 = px({.left = 20, .top = 44, .width = 340, .height = 18}),
    .Label3 = px({.left = 20, .top = 84, .width = 70, .height = 18}),
    .Label786 = px({.left = 104, .top = 84, .width = 250, .height = 18}),
    .Frame1 = px({.left = 94, .top = 72, .width = 270, .height = 40}),
    .ok = px({.left = 145, .top = 148, .width = 90, .height = 28}),
};

struct Notice {
    Place client, Label1, Label2;
};

inline constexpr Notice NOTICE{
    .client = px({.left = 0, .top = 0, .width = 320, .height = 90}),
    .Label1 = px({.left = 10, .top = 18, .width = 300, .height = 22}),
    .Label2 = px({.left = 10, .top = 50, .width = 300, .height = 22}),
};

} // namespace app::layout
