// KALO DC for Linux: the tray program that rotates the wallpaper and lets it snow.
#include "app/app.h"
#include "app/kalo2.h"
#include "qt/qt_platform.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QSystemTrayIcon>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// A request to end (log-out, kill) ends the event loop, so that the program's windows
// and the snow it drew on the desktop go properly.
void quitOnSignals(QApplication& application) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, [&application] { application.quit(); });
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        std::signal(s, [](int) { [[maybe_unused]] auto n = write(signalPipe[0], "q", 1); });
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false); // it lives in the tray
    quitOnSignals(application);
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
