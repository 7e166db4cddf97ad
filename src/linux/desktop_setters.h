// The desktop wallpaper on Linux, as data: which desktop runs, the commands that give it
// a picture, and the escapings those commands and scripts need. Nothing here runs.
#pragma once

#include "wallpaper/style.h"

#include <string>
#include <vector>

namespace linux {

using WallpaperStyle = wallpaper::Style;
enum class Desktop { Gnome, Cinnamon, Mate, Kde, Xfce, Lxqt, Sway, X11Root };

// From XDG_CURRENT_DESKTOP (colon-separated list, any case) and DESKTOP_SESSION.
Desktop detectDesktop(const std::string& currentDesktop, const std::string& session);

struct Command {
    std::string program;
    std::vector<std::string> arguments;
    bool operator==(const Command&) const = default;
};

// A file:// URI with blanks, non-ASCII bytes, '%', '#', '?' and the like percent-encoded.
std::string fileUri(const std::string& path);

// The programs that give `path` to the desktop in `style`; `xfceImageProperties` are the
// xfconf properties of channel xfce4-desktop ending in /last-image (every monitor and
// workspace).
std::vector<Command> setterCommands(Desktop desktop, const std::string& path, WallpaperStyle style,
                                    const std::vector<std::string>& xfceImageProperties = {});

// The xfconf-query command on channel xfce4-desktop with these arguments.
Command xfconfQuery(std::vector<std::string> arguments);

// The backdrops' image properties in the listing `xfconf-query -l` gives: those ending in
// /last-image, one for every monitor and workspace.
std::vector<std::string> xfceImageProperties(const std::string& listing);

// A JavaScript string literal holding `text`.
std::string javaScriptString(const std::string& text);

// The Plasma shell script that puts `path` on every desktop in `style`.
std::string plasmaScript(const std::string& path, WallpaperStyle style);

} // namespace linux
