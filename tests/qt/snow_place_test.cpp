// Where the snow falls, chosen by what the Wayland compositor offers, and what the user
// is told where it cannot fall over the windows.
#include "linux/wayland/snow_place.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Offered = std::vector<std::string>;
const Offered WLROOTS = {"wl_compositor", "wl_shm", "wl_output", "zwlr_layer_shell_v1"},
              MUTTER = {"wl_compositor", "wl_shm", "wl_output", "xdg_wm_base", "gtk_shell1"},
              NONE = {}, NO_SHM = {"wl_compositor", "wl_output", "zwlr_layer_shell_v1"},
              NO_SURFACES = {"wl_shm", "zwlr_layer_shell_v1"};

TEST(SnowPlace, LayerSurfacesWhereverOfferedElseTheWindowOnAnX11SessionOnly) {
    const char* const names[] = {"layer surfaces", "window", "nowhere"}; // by the enum's order
    const std::tuple<const char*, const Offered&, const char*, const char*> cases[] = {
        {"sway, widgets on Wayland", WLROOTS, "wayland", "layer surfaces"},
        {"sway, widgets through XWayland", WLROOTS, "xcb", "layer surfaces"},
        {"sway, widgets offscreen", WLROOTS, "offscreen", "layer surfaces"},
        {"GNOME, widgets on Wayland", MUTTER, "wayland", "nowhere"},
        {"GNOME, widgets on Wayland with EGL", MUTTER, "wayland-egl", "nowhere"},
        {"GNOME, widgets through XWayland", MUTTER, "xcb", "nowhere"},
        {"X11 session", NONE, "xcb", "window"},
        {"no compositor, widgets on Wayland", NONE, "wayland", "nowhere"},
        {"layer shell without shared memory", NO_SHM, "wayland", "nowhere"},
        {"layer shell without surfaces", NO_SURFACES, "wayland", "nowhere"},
    };
    for (const auto& [desktop, offered, widgets, expected] : cases)
        EXPECT_STREQ(names[int(linux::wayland::snowPlace(offered, widgets))], expected) << desktop;
}

TEST(SnowPlace, TheNoticeTellsGnomeUsersWhatTheyCanDo) {
    const std::string gnome = "The snow cannot fall over windows on GNOME's Wayland session; log "
                              "in to an X11 session, or use a desktop that offers layer surfaces";
    const std::string other = "The snow cannot show on this desktop: under Wayland this program "
                              "cannot keep a window over the others.";
    const std::pair<const char*, std::string> cases[] = {
        {"GNOME", gnome}, {"ubuntu:GNOME", gnome}, {"GNOME-Classic:GNOME", gnome}, {"KDE", other},
        {"", other},      {"GNOMEISH", other},     {"X-Cinnamon", other},
    };
    for (const auto& [desktops, expected] : cases)
        EXPECT_EQ(linux::wayland::cannotFallNotice(desktops), expected) << desktops;
}

} // namespace
