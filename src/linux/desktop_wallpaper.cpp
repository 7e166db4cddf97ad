// The desktop wallpaper on Linux: the setters run as processes, Plasma over D-Bus, or the
// X root window when no known desktop runs.
#include "linux/desktop_wallpaper.h"

#include "linux/picture_image.h"
#include "linux/x11/root_picture.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <utility>

namespace linux {

namespace {

constexpr int kDeadlineMs = 10000;

std::string withStem(const std::filesystem::path& file, const std::string& stem) {
    return (file.parent_path() / (stem + file.extension().string())).string();
}

// When a link was last made; zero when it is missing.
std::pair<long, long> linkTime(const std::string& link) {
    struct stat status {};
    if (lstat(link.c_str(), &status) != 0) return {0, 0};
    return {status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

// The link made anew to the file's name; the file's own path when that cannot be done or
// something other than a link has the name.
std::string pointLinkAt(const std::string& link, const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(link, error);
    if (fs::exists(status) && !fs::is_symlink(status)) return file.string();
    fs::remove(link, error);
    fs::create_symlink(file.filename(), link, error);
    return error ? file.string() : link;
}

std::string firstLine(const QByteArray& text) {
    const QByteArray line = text.trimmed().split('\n').value(0).trimmed();
    return line.isEmpty() ? std::string() : ": " + line.toStdString();
}

// What went wrong with a run of the command, found in `searchPath` (the PATH when empty), or
// nothing.
std::optional<std::string> runProblem(QProcess& process, const Command& command,
                                      const QStringList& searchPath) {
    const QString program =
        QStandardPaths::findExecutable(QString::fromStdString(command.program), searchPath);
    if (program.isEmpty()) return "was not found";
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << QString::fromStdString(argument);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(kDeadlineMs)) return "could not be started";
    if (!process.waitForFinished(kDeadlineMs)) {
        process.kill();
        process.waitForFinished(kDeadlineMs);
        return "did not finish within 10 seconds";
    }
    if (process.exitStatus() != QProcess::NormalExit) return "stopped abnormally";
    if (process.exitCode() == 0) return std::nullopt;
    return "failed (exit code " + std::to_string(process.exitCode()) + ")" +
           firstLine(process.readAllStandardError());
}

} // namespace

DesktopWallpaper::DesktopWallpaper(std::function<void(const std::string& message)> report)
    : DesktopWallpaper(std::move(report),
                       detectDesktop(qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString(),
                                     qEnvironmentVariable("DESKTOP_SESSION").toStdString())) {}

DesktopWallpaper::DesktopWallpaper(std::function<void(const std::string& message)> report,
                                   Desktop desktop, const std::vector<std::string>& searchPath)
    : report_(std::move(report)), desktop_(desktop) {
    for (const std::string& folder : searchPath)
        searchPath_ << QString::fromStdString(folder);
}

void DesktopWallpaper::apply(const std::string& path, WallpaperStyle style,
                             const ui::PicturePtr& held) {
    if (desktop_ == Desktop::X11Root) return applyOnRootWindow(path, style, held);
    const std::string shown = linkFor(path);
    if (desktop_ == Desktop::Kde) return applyOnPlasma(shown, style);
    std::vector<std::string> properties;
    if (desktop_ == Desktop::Xfce && !listXfceImageProperties(properties)) return;
    for (const Command& command : setterCommands(desktop_, shown, style, properties))
        if (!run(command)) return;
}

// Desktops ignore a change to the path they already show, so they get one of two links
// beside the file, the one not made last; the file itself stays the file of record.
std::string DesktopWallpaper::linkFor(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string first = withStem(file, ".KALO-a"), second = withStem(file, ".KALO-b");
    std::string link = linkTime(first) <= linkTime(second) ? first : second;
    if (lastLink_ == first || lastLink_ == second) link = lastLink_ == first ? second : first;
    lastLink_ = link;
    return pointLinkAt(link, file);
}

// Every monitor and workspace has a backdrop with a last-image property.
bool DesktopWallpaper::listXfceImageProperties(std::vector<std::string>& properties) {
    std::string listing;
    if (!run(xfconfQuery({"-l"}), &listing)) return false;
    properties = xfceImageProperties(listing);
    if (properties.empty())
        reportOnce("xfconf-query", "xfconf-query listed no backdrop of xfce4-desktop");
    return !properties.empty();
}

void DesktopWallpaper::applyOnPlasma(const std::string& path, WallpaperStyle style) {
    QDBusInterface shell("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell",
                         QDBusConnection::sessionBus());
    if (!shell.isValid())
        return reportOnce("plasmashell", "the Plasma shell could not be reached over D-Bus (" +
                                             shell.lastError().message().toStdString() + ")");
    shell.setTimeout(kDeadlineMs);
    const QDBusMessage reply =
        shell.call("evaluateScript", QString::fromStdString(plasmaScript(path, style)));
    if (reply.type() == QDBusMessage::ErrorMessage)
        reportOnce("plasmashell", "the Plasma shell refused the script (" +
                                      reply.errorMessage().toStdString() + ")");
}

// The picture in hand is painted from its own bytes, which are the file's rows; only a
// re-apply reads the file back.
void DesktopWallpaper::applyOnRootWindow(const std::string& path, WallpaperStyle style,
                                         const ui::PicturePtr& held) {
    const QImage picture = held ? upsideDownImage(*held) : QImage(QString::fromStdString(path));
    if (picture.isNull()) return reportOnce("picture", path + " could not be read");
    const x11::Lying lying = held ? x11::Lying::UpsideDown : x11::Lying::Upright;
    if (!x11::setRootPicture(picture, lying, style)) reportOnce("display", "there is no X display");
}

// A failure is reported, once for each program, and ends the apply.
bool DesktopWallpaper::run(const Command& command, std::string* output) {
    QProcess process;
    const std::optional<std::string> problem = runProblem(process, command, searchPath_);
    if (problem)
        reportOnce(command.program, command.program + " " + *problem);
    else if (output)
        *output = process.readAllStandardOutput().toStdString();
    return !problem;
}

void DesktopWallpaper::reportOnce(const std::string& key, const std::string& what) {
    if (!reported_.insert(key).second) return;
    if (report_) report_("The wallpaper could not be set: " + what + ".");
}

} // namespace linux
