#pragma once
// Where the snow can fall, found by what the desktop offers rather than by its name:
// layer surfaces wherever the Wayland compositor offers them, whatever platform the
// widgets run on; else, on an X11 session only, the snow window.
#include <string>
#include <vector>

namespace linux::wayland {

enum class SnowPlace {
    LayerSurfaces, // one layer surface per output
    Window,        // the snow window on the X display
    Nowhere,       // a Wayland desktop without layer surfaces: a notice says so
};

// `offered`: the interfaces the compositor that WAYLAND_DISPLAY names offers (none when
// none answers); `widgetPlatform`: Qt's platform name ("xcb", "wayland", ...).
SnowPlace snowPlace(const std::vector<std::string>& offered, const std::string& widgetPlatform);

// What the notice says where the snow cannot fall over the windows, for the desktops
// that XDG_CURRENT_DESKTOP lists.
std::string cannotFallNotice(const std::string& currentDesktops);

} // namespace linux::wayland
