// The desktop wallpaper on Linux: which desktop runs, and the programs or calls that give
// it a picture.
#pragma once

#include "ui/picture.h"
#include "wallpaper/style.h"

#include <QStringList>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace qt {

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

// A JavaScript string literal holding `text`.
std::string javaScriptString(const std::string& text);

// The Plasma shell script that puts `path` on every desktop in `style`.
std::string plasmaScript(const std::string& path, WallpaperStyle style);

class DesktopWallpaper {
  public:
    // For the desktop the session's variables name, its programs found in the PATH.
    explicit DesktopWallpaper(std::function<void(const std::string& message)> report);
    // For `desktop`, its programs found in `searchPath`'s folders (the PATH when empty).
    DesktopWallpaper(std::function<void(const std::string& message)> report, Desktop desktop,
                     const std::vector<std::string>& searchPath = {});
    // `held`, when not null, is the file's picture already decoded.
    void apply(const std::string& path, WallpaperStyle style, const ui::PicturePtr& held);

  private:
    void applyOnPlasma(const std::string& path, WallpaperStyle style);
    void applyOnRootWindow(const std::string& path, WallpaperStyle style,
                           const ui::PicturePtr& held);
    std::string linkFor(const std::string& path);
    bool listXfceImageProperties(std::vector<std::string>& properties);
    bool run(const Command& command, std::string* output = nullptr);
    void reportOnce(const std::string& key, const std::string& what);

    std::function<void(const std::string& message)> report_;
    Desktop desktop_;
    QStringList searchPath_;
    std::set<std::string> reported_;
    std::string lastLink_;
};

} // namespace qt
