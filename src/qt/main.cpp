// KALO DC for Linux: the tray program that rotates the wallpaper and lets it snow.
#include "app/app.h"
#include "app/kalo2.h"
#include "linux/pixel_memory.h"
#include "qt/qt_platform.h"

#include <QApplication>
#include <QTimer>

#include <csignal>

namespace {

volatile std::sig_atomic_t quitRequested = 0;

// A request to end (log-out, kill) ends the event loop, so that the program's windows
// and the snow it drew on the desktop go properly. The handler only sets a flag; the
// event loop looks at it a few times a second.
void quitOnSignals(QApplication& application) {
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        std::signal(s, [](int) { quitRequested = 1; });
    auto* watch = new QTimer(&application);
    QObject::connect(watch, &QTimer::timeout, [] {
        if (quitRequested) QCoreApplication::exit(0); // not quit(): no window is asked
    });
    watch->start(200);
}

} // namespace

int main(int argc, char** argv) {
    linux::putPicturesOnHugePages();
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false); // it lives in the tray
    quitOnSignals(application);
    qt::QtPlatform os;
    app::App program(os);
    os.attach(program);
    os.reportSettingsFile();
    program.start();
    return application.exec();
}
