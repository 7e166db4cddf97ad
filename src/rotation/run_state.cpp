#include "app/kalo2.h"

namespace app {
void Kalo2::run_Click() {}
void Kalo2::StartSecondRotation() {}
void Kalo2::StartMinuteRotation() {}
void Kalo2::stope_Click() {}
void Kalo2::RestoreRunState() {}
} // namespace app
