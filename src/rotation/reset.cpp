#include "app/kalo2.h"

namespace app {
void Kalo2::reset_Click() {}
} // namespace app
