#pragma once
// Which control of the main window sits where, for every front end: `place` is handed
// each model with its place in the layout table, through the builder's function for
// that kind of control (groupBox, listBox, comboBox, button, imageBox, label, checkBox,
// slider). Controls are placed back to front: a group before what it holds.
#include "app/kalo2.h"
#include "app/layout.h"

namespace app {

template <typename Builder> void placeMainWindowControls(Kalo2& f, Builder& b) {
    const auto& L = layout::MAIN;
    b.groupBox(f.F2, L.F2); // the wallpaper group
    b.groupBox(f.f1, L.f1);
    b.listBox(f.Wallpaper, L.Wallpaper);
    b.comboBox(f.c2, L.c2);
    b.comboBox(f.c1, L.c1);
    b.button(f.add, L.add);
    b.button(f.del, L.del);
    b.imageBox(f.im, L.im); // the preview, the status line, Run and Stop in one place
    b.groupBox(f.f3, L.f3);
    b.groupBox(f.f4, L.f4);
    b.label(f.Label1, L.Label1);
    b.label(f.Label2, L.Label2);
    b.button(f.run, L.run);
    b.button(f.stope, L.run);
    b.groupBox(f.f5, L.f5); // the snow group
    b.checkBox(f.Check1, L.Check1);
    b.label(f.Label3, L.Label3);
    b.slider(f.Slider1_Layers, L.Slider1);
    b.label(f.Label4, L.Label4);
    b.slider(f.Slider2_Density, L.Slider2);
    b.label(f.Label5, L.Label5);
    b.slider(f.Slider3_Speed, L.Slider3);
    b.label(f.Label6, L.Label6);
    b.slider(f.Slider4_Size, L.Slider4);
}

} // namespace app
