#include "qt/qt_platform.h"

#include "app/app.h"
#include "app/kalo1.h"
#include "app/kalo2.h"
#include "app/kalo3.h"
#include "app/kalo4.h"
#include "app/kaloload.h"
#include "linux/autostart.h"
#include "qt/about_window.h"
#include "qt/main_window.h"
#include "qt/notice_window.h"
#include "qt/snow_window.h"
#include "qt/tray_window.h"
#include "settings/registry_procs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QUrl>

#include <cstdio>
#include <unistd.h>

namespace qt {

using platform::FormId;

namespace {

// "Image Files|*.jpg;*.bmp|All Files|*.*" as a Qt filter: "Image Files (*.jpg *.bmp);;...".
QString qtFilter(const std::string& filter) {
    QStringList parts = linux::qs(filter).split('|'), filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + parts[i + 1].split(';').join(' ') + ")";
    return filters.join(";;");
}

} // namespace

QtPlatform::QtPlatform()
    : registry_(linux::registryFilePath(), files_),
      logonEntry_(linux::autostartFilePath(), files_) {
    autostartFailing_ = !logonEntry_.settle(registry_);
    registry_.changed = [this] { followRunValue(); };
}

// The log-on entry follows the Run value; an entry that cannot be written is reported,
// so that a ticked "Run on StartUp" never stands for nothing.
void QtPlatform::followRunValue() {
    const bool failed = !logonEntry_.follow(registry_);
    const bool firstFailure = failed && !autostartFailing_;
    autostartFailing_ = failed; // set first: the box lets other changes run meanwhile
    if (firstFailure) tellAutostartFailed();
}

void QtPlatform::tellAutostartFailed() {
    messageBox("The log-on entry could not be written: " + logonEntry_.path() +
                   ". KALO DC will not start at log-on.",
               "KALO DC", platform::MB_EXCLAMATION);
}

// Windows go before the clock and the services they use.
QtPlatform::~QtPlatform() {
    windows_.clear();
}

void QtPlatform::reportSettingsFile() {
    if (!registry_.startNotice().empty())
        messageBox(registry_.startNotice(), "KALO DC", platform::MB_EXCLAMATION);
    if (autostartFailing_) tellAutostartFailed();
}

FormWindow* QtPlatform::windowOf(FormId form) const {
    return windows_.of(form);
}

TrayWindow* QtPlatform::tray() const {
    return static_cast<TrayWindow*>(windows_.of(FormId::KALO1));
}

// The desktop shows the path; no path shows the one recorded last, as on Windows.
void QtPlatform::setDesktopWallpaper(const std::optional<std::string>& path,
                                     const ui::PicturePtr& held) {
    if (path) recordWallpaper(*path);
    auto shown = path ? path : recordedWallpaper();
    if (!shown) return;
    if (!wallpaper_)
        wallpaper_ = std::make_unique<linux::DesktopWallpaper>([this](const std::string& text) {
            messageBox(text, "KALO DC", platform::MB_EXCLAMATION);
        });
    wallpaper_->apply(*shown, storedStyle(), held);
}

linux::WallpaperStyle QtPlatform::storedStyle() {
    auto text = [this](const std::string& name) {
        return registry_.text(settings::DESKTOP_KEY, name).value_or("");
    };
    return wallpaper::decodeStyle(text(settings::TILE_WALLPAPER), text(settings::WALLPAPER_STYLE))
        .value_or(linux::WallpaperStyle::Centred);
}

void QtPlatform::recordWallpaper(const std::string& path) {
    auto key = registry_.createKey(platform::HKEY_CURRENT_USER_ROOT, settings::DESKTOP_KEY);
    if (!key) return;
    registry_.setString(*key, settings::WALLPAPER_PATH, path + '\0');
    registry_.closeKey(*key);
}

std::optional<std::string> QtPlatform::recordedWallpaper() {
    std::string path = registry_.text(settings::DESKTOP_KEY, settings::WALLPAPER_PATH).value_or("");
    return path.empty() ? std::nullopt : std::optional(path);
}

QWidget* QtPlatform::ownerForDialogs() const {
    return windows_.ownerForDialogs([](const FormWindow& window) { return window.isVisible(); });
}

// A box holds whatever raised it, a rotation tick included, until it is answered, so it
// belongs to no window: a window manager minimizes the boxes a window owns along with
// it, and the main window minimized would take the box out of sight. As a box of the
// program it still stands above the program's windows.
void QtPlatform::messageBox(const std::string& text, const std::string& title, int style) {
    auto icon = style == platform::MB_CRITICAL ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(icon, linux::qs(title), linux::qs(text), QMessageBox::Ok);
    box.exec();
}

// A box that tells and waits for nobody: the program goes on while it shows.
void QtPlatform::showNotice(const std::string& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, "KALO DC", linux::qs(text), QMessageBox::Ok,
                                ownerForDialogs());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

std::optional<std::string> QtPlatform::openFileDialog(const OpenFileRequest& request) {
    return linux::utf8(QFileDialog::getOpenFileName(ownerForDialogs(), linux::qs(request.title),
                                                    linux::qs(request.initialLocation),
                                                    qtFilter(request.filter)));
}

// As the Windows shell answers: above 32 when the address was opened.
std::intptr_t QtPlatform::shellOpen(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(linux::qs(address))) ? 33 : 2;
}

void QtPlatform::addTrayIcon(const std::string& tip) {
    if (TrayWindow* icon = tray()) icon->addIcon(tip);
}

void QtPlatform::removeTrayIcon() {
    if (TrayWindow* icon = tray()) icon->removeIcon();
}

void QtPlatform::setForegroundWindow(FormId form) {
    if (FormWindow* window = windowOf(form)) window->activateWindow();
}

void QtPlatform::popupTrayMenu() {
    if (TrayWindow* icon = tray()) icon->popupMenu();
}

bool QtPlatform::trayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtPlatform::previousInstanceRunning() {
    if (linux::previousInstanceRunning()) return true;
    listenForLaterStarts();
    return false;
}

// The copy that holds the lock listens beside it, where a later start asks for it.
void QtPlatform::listenForLaterStarts() {
    if (laterStarts_) return;
    laterStarts_ = std::make_unique<linux::InstanceChannel>(linux::instanceSocketPath(), [this] {
        if (app_) app_->kalo1().answerAnotherStart();
    });
}

// Unanswered or not, the later start goes on with its notice.
void QtPlatform::askPreviousInstanceToShow() {
    linux::InstanceChannel::askToShow(linux::instanceSocketPath());
}

// No handler of an unloaded window runs while a form loads.
void QtPlatform::formCreated(FormId form, ui::Window&) {
    windows_.sweep();
    if (!app_) return;
    FormWindow* window = windows_.add(form, createWindow(form));
    if (form == FormId::KALO3) hookSnowWindow(static_cast<SnowWindow&>(*window));
    if (form == FormId::KALO3 || form == FormId::KALO2) explainSnowOnTop();
}

void QtPlatform::hookSnowWindow(SnowWindow& snow) {
    snow.placeChanged = [this] { explainSnowOnTop(); };
    snow.cannotShow = [this](const std::string& notice) { showNotice(notice); };
}

// Without a compositor the snow falls on the desktop, beneath the windows: the box
// that would keep it on top says so, for as long as no compositor runs.
void QtPlatform::explainSnowOnTop() {
    auto* snow = dynamic_cast<SnowWindow*>(windowOf(FormId::KALO3));
    auto* main = dynamic_cast<MainWindow*>(windowOf(FormId::KALO2));
    if (!snow || !main) return;
    main->setSnowOnTopHint(snow->onDesktop()
                               ? "\"Snow on top\" needs a compositor: without one the snow "
                                 "falls on the desktop, beneath the windows."
                               : "");
}

std::unique_ptr<FormWindow> QtPlatform::createWindow(FormId form) {
    switch (form) {
    case FormId::KALO1:
        return std::make_unique<TrayWindow>(app_->kalo1(), screen().twipsPerPixelX);
    case FormId::KALO2:
        return std::make_unique<MainWindow>(app_->kalo2());
    case FormId::KALO3:
        return std::make_unique<SnowWindow>(app_->kalo3(), screen());
    case FormId::KALO4:
        return std::make_unique<AboutWindow>(app_->kalo4(), [this] { app_->unloadKalo4(); });
    case FormId::KALOload:
        return std::make_unique<NoticeWindow>(app_->kaloLoad());
    }
    return nullptr;
}

// The window lets go of its form at once; its object waits, since its own handler may be
// running.
void QtPlatform::formUnloaded(FormId form) {
    if (FormWindow* window = windows_.unload(form)) window->unbind();
}

void QtPlatform::setTopMost(FormId form, bool topMost, int widthPixels, int heightPixels) {
    if (auto* snow = dynamic_cast<SnowWindow*>(windowOf(form)))
        snow->setOnTop(topMost, widthPixels, heightPixels);
}

// A long list file yields once per entry: running events at most every EVENT_YIELD_MS
// takes a third off loading a list of 100,000 entries.
void QtPlatform::doEvents() {
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < platform::EVENT_YIELD_MS) return;
    QCoreApplication::processEvents();
    sinceEvents_.start();
}

// Every change is on disk already: the settings file and the list are written whole.
// Snow drawn on the desktop goes with the program.
void QtPlatform::endProcess() {
    windows_.unload(FormId::KALO3);
    windows_.sweep();
    std::fflush(nullptr);
    _exit(0);
}

} // namespace qt
