// The desktop wallpaper on Linux: the programs or calls that give the desktop a picture,
// run for the desktop that runs.
#pragma once

#include "linux/desktop_setters.h"
#include "ui/picture.h"
#include "wallpaper/style.h"

#include <QStringList>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace linux {

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

} // namespace linux
