// The desktop wallpaper through user32.
#include "win32/services.h"

namespace win32 {

// With a path, that bitmap becomes the wallpaper and is recorded in the profile; without
// one, Windows applies the recorded wallpaper again (a null pointer, never "", which
// would remove it). A path the code page cannot hold is not passed on altered.
void setDesktopWallpaper(const std::optional<std::string>& path, const platform::CodePage& cp) {
    std::optional<std::string> ansi;
    if (path) {
        ansi = cp.toAnsi(*path);
        if (!ansi) return;
    }
    void* file = ansi ? static_cast<void*>(ansi->data()) : nullptr;
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, file, SPIF_UPDATEINIFILE);
}

} // namespace win32
