#include "linux/services.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>

namespace linux {

std::string xdgHome(const char* variable, const char* fallbackUnderHome) {
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return set;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/" + fallbackUnderHome;
}

platform::ProgramLocation programLocation() {
    QFileInfo self(QCoreApplication::applicationFilePath());
    platform::ProgramLocation where;
    where.folder = utf8(self.absolutePath());
    where.executableName = utf8(self.fileName());
    where.userDataFolder = xdgHome("XDG_DATA_HOME", ".local/share") + "/kalo-dc";
    where.executableExtension = "";
    where.separator = '/';
    return where;
}

// Twips follow the screen's logical resolution, as on Windows.
platform::ScreenMetrics screenMetrics() {
    platform::ScreenMetrics metrics;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return metrics;
    metrics.widthPixels = screen->geometry().width();
    metrics.heightPixels = screen->geometry().height();
    if (screen->logicalDotsPerInchX() > 0)
        metrics.twipsPerPixelX = 1440 / screen->logicalDotsPerInchX();
    if (screen->logicalDotsPerInchY() > 0)
        metrics.twipsPerPixelY = 1440 / screen->logicalDotsPerInchY();
    return metrics;
}

} // namespace linux
