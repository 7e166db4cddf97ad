#include "app/kalo2.h"

namespace app {
void Kalo2::c2_Click() {}
void Kalo2::c1_Click() {}
void Kalo2::FillNumbers() {}
void Kalo2::SetInterval() {}
void Kalo2::SaveInterval() {}
void Kalo2::Timer1_Timer() {}
void Kalo2::Timer2_Timer() {}
void Kalo2::Timer3_Timer() {}
void Kalo2::Advance() {}
} // namespace app
