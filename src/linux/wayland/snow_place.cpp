#include "linux/wayland/snow_place.h"

#include <algorithm>
#include <sstream>

namespace linux::wayland {
namespace {

bool offers(const std::vector<std::string>& offered, const std::string& interface) {
    return std::find(offered.begin(), offered.end(), interface) != offered.end();
}

// XDG_CURRENT_DESKTOP is a list separated by colons ("ubuntu:GNOME").
bool listsGnome(const std::string& desktops) {
    std::istringstream list(desktops);
    std::string desktop;
    while (std::getline(list, desktop, ':'))
        if (desktop == "GNOME") return true;
    return false;
}

} // namespace

SnowPlace snowPlace(const std::vector<std::string>& offered, const std::string& widgetPlatform) {
    const bool layerSurfaces = offers(offered, "zwlr_layer_shell_v1") &&
                               offers(offered, "wl_compositor") && offers(offered, "wl_shm");
    if (layerSurfaces) return SnowPlace::LayerSurfaces;
    // On a Wayland desktop an XWayland window over the others takes the clicks meant for
    // the Wayland windows beneath it (GNOME's does, whatever its input shape): never used.
    const bool waylandDesktop = !offered.empty() || widgetPlatform.starts_with("wayland");
    return waylandDesktop ? SnowPlace::Nowhere : SnowPlace::Window;
}

std::string cannotFallNotice(const std::string& currentDesktops) {
    if (listsGnome(currentDesktops))
        return "The snow cannot fall over windows on GNOME's Wayland session; log in to an X11 "
               "session, or use a desktop that offers layer surfaces";
    return "The snow cannot show on this desktop: under Wayland this program cannot keep a "
           "window over the others.";
}

} // namespace linux::wayland
