// Where the snow falls, chosen by what the Wayland compositor offers, and what the user
// is told where it cannot fall over the windows.
#include "linux/wayland/snow_place.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using linux::wayland::SnowPlace;

const std::vector<std::string> WLROOTS = {"wl_compositor", "wl_subcompositor",    "wl_shm",
                                          "wl_output",     "zwlr_layer_shell_v1", "xdg_wm_base"};
const std::vector<std::string> MUTTER = {"wl_compositor", "wl_subcompositor", "wl_shm",
                                         "wl_output",     "xdg_wm_base",      "gtk_shell1"};
const std::vector<std::string> NO_COMPOSITOR = {};
const std::vector<std::string> LAYER_SHELL_WITHOUT_SHM = {"wl_compositor", "wl_output",
                                                          "zwlr_layer_shell_v1"};
const std::vector<std::string> LAYER_SHELL_WITHOUT_SURFACES = {"wl_shm", "zwlr_layer_shell_v1"};

struct PlaceCase {
    const char* desktop;
    const std::vector<std::string>& offered;
    const char* widgetPlatform;
    SnowPlace expected;
};

const char* nameOf(SnowPlace place) {
    switch (place) {
    case SnowPlace::LayerSurfaces:
        return "layer surfaces";
    case SnowPlace::Window:
        return "window";
    case SnowPlace::Nowhere:
        return "nowhere";
    }
    return "?";
}

TEST(SnowPlace, LayerSurfacesWhereverOfferedElseTheWindowOnAnX11SessionOnly) {
    const PlaceCase cases[] = {
        {"sway, widgets on Wayland", WLROOTS, "wayland", SnowPlace::LayerSurfaces},
        {"sway, widgets through XWayland", WLROOTS, "xcb", SnowPlace::LayerSurfaces},
        {"sway, widgets offscreen", WLROOTS, "offscreen", SnowPlace::LayerSurfaces},
        {"GNOME, widgets on Wayland", MUTTER, "wayland", SnowPlace::Nowhere},
        {"GNOME, widgets on Wayland with EGL", MUTTER, "wayland-egl", SnowPlace::Nowhere},
        {"GNOME, widgets through XWayland", MUTTER, "xcb", SnowPlace::Nowhere},
        {"X11 session", NO_COMPOSITOR, "xcb", SnowPlace::Window},
        {"no compositor, widgets on Wayland", NO_COMPOSITOR, "wayland", SnowPlace::Nowhere},
        {"layer shell without shared memory", LAYER_SHELL_WITHOUT_SHM, "wayland",
         SnowPlace::Nowhere},
        {"layer shell without surfaces", LAYER_SHELL_WITHOUT_SURFACES, "wayland",
         SnowPlace::Nowhere},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.desktop);
        EXPECT_STREQ(nameOf(linux::wayland::snowPlace(c.offered, c.widgetPlatform)),
                     nameOf(c.expected));
    }
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
    for (const auto& [desktops, expected] : cases) {
        SCOPED_TRACE(desktops);
        EXPECT_EQ(linux::wayland::cannotFallNotice(desktops), expected);
    }
}

} // namespace
