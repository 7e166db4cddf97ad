#include "app/kalo2.h"

namespace app {
void Kalo2::snow1_Click() {}
void Kalo2::snow2_Click() {}
void Kalo2::Check1_Click() {}
void Kalo2::Slider1_Layers_Change() {}
void Kalo2::Slider2_Density_Change() {}
void Kalo2::Slider3_Speed_Change() {}
void Kalo2::Slider4_Size_Change() {}
void Kalo2::resetsnow_Click() {}
void Kalo2::RestoreSnowSwitch() {}
void Kalo2::RestoreSnowOnTop() {}
void Kalo2::RestoreSliders() {}
} // namespace app
