#include "app/kalo2.h"

namespace app {
void Kalo2::Wallpaper_Click() {}
} // namespace app
