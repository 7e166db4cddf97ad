// The desktop wallpaper on Linux: gsettings, xfconf-query, pcmanfm-qt or swaymsg by
// argument list, Plasma over D-Bus, or the X root window when no known desktop runs.
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

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <utility>

namespace linux {

namespace {

constexpr int kDeadlineMs = 10000;
constexpr std::string_view kLastImage = "/last-image";

// The word a program uses for each style, in the order centred, tiled, stretched.
using StyleWords = std::array<const char*, 3>;
constexpr StyleWords kGnomeOptions = {"centered", "wallpaper", "stretched"};
constexpr StyleWords kModes = {"center", "tile", "stretch"};

std::string word(WallpaperStyle style, const StyleWords& words) {
    return words[static_cast<size_t>(style)];
}

// A desktop's name, or the start of one, as either variable gives it.
std::optional<Desktop> desktopNamed(const QString& name) {
    static const std::pair<const char*, Desktop> names[] = {
        {"gnome", Desktop::Gnome},       {"ubuntu", Desktop::Gnome},
        {"budgie", Desktop::Gnome},      {"unity", Desktop::Gnome},
        {"pantheon", Desktop::Gnome},    {"x-cinnamon", Desktop::Cinnamon},
        {"cinnamon", Desktop::Cinnamon}, {"mate", Desktop::Mate},
        {"kde", Desktop::Kde},           {"plasma", Desktop::Kde},
        {"xfce", Desktop::Xfce},         {"lxqt", Desktop::Lxqt},
        {"sway", Desktop::Sway}};
    const QString lower = name.toLower();
    for (const auto& [prefix, desktop] : names)
        if (lower.startsWith(QLatin1String(prefix))) return desktop;
    return std::nullopt;
}

std::vector<Command> gsettingsCommands(const std::string& schema,
                                       const std::vector<std::string>& pictureKeys,
                                       const std::string& picture, WallpaperStyle style) {
    std::vector<Command> commands;
    for (const std::string& key : pictureKeys)
        commands.push_back({"gsettings", {"set", schema, key, picture}});
    commands.push_back(
        {"gsettings", {"set", schema, "picture-options", word(style, kGnomeOptions)}});
    return commands;
}

Command xfconfQuery(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"-c", "xfce4-desktop"});
    return {"xfconf-query", arguments};
}

// Each backdrop's style is set before its picture, and made when it is missing.
std::vector<Command> xfceCommands(const std::string& path, WallpaperStyle style,
                                  const std::vector<std::string>& imageProperties) {
    std::vector<Command> commands;
    for (const std::string& image : imageProperties) {
        const std::string backdrop = image.substr(0, image.size() - kLastImage.size());
        commands.push_back(xfconfQuery({"-p", backdrop + "/image-style", "-n", "-t", "int", "-s",
                                        word(style, {"1", "2", "3"})}));
        commands.push_back(xfconfQuery({"-p", image, "-s", path}));
    }
    return commands;
}

// sway splits its command at blanks outside double quotes, then expands the file name as a
// shell word: the path is single-quoted for the expansion, then escaped and double-quoted
// for the command parser.
std::string swayFileArgument(const std::string& path) {
    std::string quoted = "\"'";
    for (char c : path) {
        if (c == '\'')
            quoted += R"('\\'')";
        else if (c == '"' || c == '\\')
            quoted += {'\\', c};
        else
            quoted += c;
    }
    return quoted + "'\"";
}

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

Desktop detectDesktop(const std::string& currentDesktop, const std::string& session) {
    for (const QString& name : QString::fromStdString(currentDesktop).split(':'))
        if (auto desktop = desktopNamed(name)) return *desktop;
    // Some display managers give the session as the path of its file.
    const auto sessionName = std::filesystem::path(session).filename().string();
    return desktopNamed(QString::fromStdString(sessionName)).value_or(Desktop::X11Root);
}

std::string fileUri(const std::string& path) {
    static const std::string_view kept = "-._~/!$&'()*+,;=:@";
    std::string uri = "file://";
    for (char c : path) {
        const bool alphanumeric =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alphanumeric || kept.find(c) != kept.npos) {
            uri += c;
            continue;
        }
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
        uri += escaped;
    }
    return uri;
}

std::vector<Command> setterCommands(Desktop desktop, const std::string& path, WallpaperStyle style,
                                    const std::vector<std::string>& xfceImageProperties) {
    const std::string uri = fileUri(path);
    switch (desktop) {
    case Desktop::Gnome:
        return gsettingsCommands("org.gnome.desktop.background",
                                 {"picture-uri", "picture-uri-dark"}, uri, style);
    case Desktop::Cinnamon:
        return gsettingsCommands("org.cinnamon.desktop.background", {"picture-uri"}, uri, style);
    case Desktop::Mate:
        return gsettingsCommands("org.mate.background", {"picture-filename"}, path, style);
    case Desktop::Xfce:
        return xfceCommands(path, style, xfceImageProperties);
    case Desktop::Lxqt:
        return {
            {"pcmanfm-qt", {"--set-wallpaper=" + path, "--wallpaper-mode=" + word(style, kModes)}}};
    case Desktop::Sway:
        return {{"swaymsg", {"output", "*", "bg", swayFileArgument(path), word(style, kModes)}}};
    case Desktop::Kde:
    case Desktop::X11Root:
        return {};
    }
    return {};
}

// Quotes and backslashes escaped, control characters as \u escapes. Plasma is given a
// file URI, which is ASCII throughout.
std::string javaScriptString(const std::string& text) {
    std::string literal = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') literal += '\\';
        if ((c >= 0 && c < 0x20) || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            literal += escaped;
            continue;
        }
        literal += c;
    }
    return literal + "\"";
}

std::string plasmaScript(const std::string& path, WallpaperStyle style) {
    return "var all = desktops();\n"
           "for (var i = 0; i < all.length; ++i) {\n"
           "    var d = all[i];\n"
           "    d.wallpaperPlugin = \"org.kde.image\";\n"
           "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
           "    d.writeConfig(\"Image\", " +
           javaScriptString(fileUri(path)) +
           ");\n"
           "    d.writeConfig(\"FillMode\", " +
           word(style, {"6", "3", "0"}) +
           ");\n"
           "}\n";
}

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
    for (const QString& line : QString::fromStdString(listing).split('\n'))
        if (line.endsWith(QLatin1String(kLastImage))) properties.push_back(line.toStdString());
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
