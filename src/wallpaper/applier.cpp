#include "app/kalo2.h"

namespace app {
void Kalo2::ApplyWallpaper() {}
std::string Kalo2::bitmapPath() const { return {}; }
} // namespace app
