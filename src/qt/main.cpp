// KALO DC for Linux: the tray program that rotates the wallpaper and lets it snow.
#include "app/app.h"
#include "app/kalo2.h"
#include "qt/qt_platform.h"

#include <QApplication>
#include <QSystemTrayIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false); // it lives in the tray
    qt::QtPlatform os;
    app::App program(os);
    os.attach(program);
    os.reportSettingsFile();
    program.start();
    // Without a tray nothing else could open the main window: it shows at start.
    if (!program.ended() && !QSystemTrayIcon::isSystemTrayAvailable())
        program.kalo2().ShowInFront();
    return application.exec();
}
