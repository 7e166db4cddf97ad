// The desktop wallpaper on Linux: gsettings, xfconf-query, pcmanfm-qt or swaymsg by
// argument list, Plasma over D-Bus, or the X root window when no known desktop runs.
#include "qt/desktop_wallpaper.h"

#include "qt/x11_root.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <utility>

namespace qt {

namespace {

constexpr int kDeadlineMs = 10000;

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// A desktop's name, or the start of one, as it appears in either variable.
std::optional<Desktop> desktopNamed(const std::string& name) {
    static const std::pair<std::string_view, Desktop> names[] = {
        {"gnome", Desktop::Gnome},       {"ubuntu", Desktop::Gnome},
        {"budgie", Desktop::Gnome},      {"unity", Desktop::Gnome},
        {"pantheon", Desktop::Gnome},    {"x-cinnamon", Desktop::Cinnamon},
        {"cinnamon", Desktop::Cinnamon}, {"mate", Desktop::Mate},
        {"kde", Desktop::Kde},           {"plasma", Desktop::Kde},
        {"xfce", Desktop::Xfce},         {"lxqt", Desktop::Lxqt},
        {"sway", Desktop::Sway}};
    const std::string lower = lowercase(name);
    for (const auto& [prefix, desktop] : names)
        if (lower.starts_with(prefix)) return desktop;
    return std::nullopt;
}

constexpr std::string_view kLastImage = "/last-image";

bool endsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

Command gsettingsSet(const std::string& schema, const std::string& key, const std::string& value) {
    return {"gsettings", {"set", schema, key, value}};
}

// The picture-options value of the GNOME family of schemas.
std::string gnomeOption(WallpaperStyle style) {
    if (style == WallpaperStyle::Centred) return "centered";
    return style == WallpaperStyle::Tiled ? "wallpaper" : "stretched";
}

std::string modeName(WallpaperStyle style) {
    if (style == WallpaperStyle::Centred) return "center";
    return style == WallpaperStyle::Tiled ? "tile" : "stretch";
}

std::vector<Command> gnomeCommands(const std::string& path, WallpaperStyle style) {
    const std::string schema = "org.gnome.desktop.background";
    return {gsettingsSet(schema, "picture-uri", fileUri(path)),
            gsettingsSet(schema, "picture-uri-dark", fileUri(path)),
            gsettingsSet(schema, "picture-options", gnomeOption(style))};
}

std::vector<Command> xfceCommands(const std::string& path, WallpaperStyle style,
                                  const std::vector<std::string>& imageProperties) {
    const std::string styleValue = std::to_string(static_cast<int>(style) + 1);
    const std::vector<std::string> channel = {"-c", "xfce4-desktop", "-p"};
    std::vector<Command> commands;
    for (const std::string& property : imageProperties) {
        const std::string base = property.substr(0, property.size() - kLastImage.size());
        Command setStyle{"xfconf-query", channel}, setImage{"xfconf-query", channel};
        setStyle.arguments.insert(setStyle.arguments.end(),
                                  {base + "/image-style", "-n", "-t", "int", "-s", styleValue});
        setImage.arguments.insert(setImage.arguments.end(), {property, "-s", path});
        commands.push_back(setStyle);
        commands.push_back(setImage);
    }
    return commands;
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// sway splits its command at blanks outside double quotes and then expands the file name
// like a shell word: the path is shell-quoted, then quoted for the command parser.
std::string swayFileArgument(const std::string& path) {
    std::string quoted = "\"";
    for (char c : shellQuoted(path)) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string withFileName(const std::filesystem::path& file, const std::string& stem) {
    return (file.parent_path() / (stem + file.extension().string())).string();
}

// When a link was last made; zero when it is missing.
std::pair<long, long> linkTime(const std::string& link) {
    struct stat status {};
    if (lstat(link.c_str(), &status) != 0) return {0, 0};
    return {status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

// The link replaced by one to the file's name; the path itself when that cannot be done
// or a file that is not a link holds the name.
std::string pointLinkAt(const std::string& link, const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(link, error);
    if (fs::exists(status) && !fs::is_symlink(status)) return file.string();
    fs::remove(link, error);
    fs::create_symlink(file.filename(), link, error);
    return error ? file.string() : link;
}

QStringList toQStringList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

std::string firstLine(const QByteArray& text) {
    const QByteArray line = text.trimmed().split('\n').value(0).trimmed();
    return line.isEmpty() ? std::string() : ": " + line.toStdString();
}

} // namespace

Desktop detectDesktop(const std::string& currentDesktop, const std::string& session) {
    for (const std::string& name : split(currentDesktop, ':'))
        if (auto desktop = desktopNamed(name)) return *desktop;
    // Some display managers give the session as the path of its file.
    if (auto desktop = desktopNamed(split(session, '/').back())) return *desktop;
    return Desktop::X11Root;
}

std::string fileUri(const std::string& path) {
    static const std::string_view kept = "-._~/!$&'()*+,;=:@";
    std::string uri = "file://";
    for (unsigned char c : path) {
        const bool alphanumeric =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alphanumeric || kept.find(static_cast<char>(c)) != std::string_view::npos) {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return uri;
}

std::vector<Command> setterCommands(Desktop desktop, const std::string& path, WallpaperStyle style,
                                    const std::vector<std::string>& xfceImageProperties) {
    switch (desktop) {
    case Desktop::Gnome:
        return gnomeCommands(path, style);
    case Desktop::Cinnamon:
        return {
            gsettingsSet("org.cinnamon.desktop.background", "picture-uri", fileUri(path)),
            gsettingsSet("org.cinnamon.desktop.background", "picture-options", gnomeOption(style))};
    case Desktop::Mate:
        return {gsettingsSet("org.mate.background", "picture-filename", path),
                gsettingsSet("org.mate.background", "picture-options", gnomeOption(style))};
    case Desktop::Xfce:
        return xfceCommands(path, style, xfceImageProperties);
    case Desktop::Lxqt:
        return {{"pcmanfm-qt", {"--set-wallpaper=" + path, "--wallpaper-mode=" + modeName(style)}}};
    case Desktop::Sway:
        return {{"swaymsg", {"output", "*", "bg", swayFileArgument(path), modeName(style)}}};
    case Desktop::Kde:
    case Desktop::X11Root:
        return {};
    }
    return {};
}

// Control characters, quotes and backslashes escaped. The script is given a file URI,
// which is ASCII throughout.
std::string javaScriptString(const std::string& text) {
    std::string literal = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
            literal += escaped;
        } else {
            literal += static_cast<char>(c);
        }
    }
    return literal + "\"";
}

std::string plasmaScript(const std::string& path, WallpaperStyle style) {
    const char* fillMode = style == WallpaperStyle::Centred ? "6"
                           : style == WallpaperStyle::Tiled ? "3"
                                                            : "0";
    return "var all = desktops();\n"
           "for (var i = 0; i < all.length; ++i) {\n"
           "    var d = all[i];\n"
           "    d.wallpaperPlugin = \"org.kde.image\";\n"
           "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
           "    d.writeConfig(\"Image\", " +
           javaScriptString(fileUri(path)) +
           ");\n"
           "    d.writeConfig(\"FillMode\", " +
           fillMode + ");\n}\n";
}

DesktopWallpaper::DesktopWallpaper(std::function<void(const std::string& message)> report)
    : report_(std::move(report)),
      desktop_(detectDesktop(qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString(),
                             qEnvironmentVariable("DESKTOP_SESSION").toStdString())) {}

void DesktopWallpaper::apply(const std::string& path, WallpaperStyle style) {
    if (desktop_ == Desktop::X11Root) return applyOnRootWindow(path, style);
    const std::string shown = linkFor(path);
    if (desktop_ == Desktop::Kde) return applyOnPlasma(shown, style);
    applyWithPrograms(shown, style);
}

// Desktops ignore a change to the path they already show, so they get one of two links
// beside the file, the one not made last; the file itself stays where it is.
std::string DesktopWallpaper::linkFor(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string first = withFileName(file, ".KALO-a");
    const std::string second = withFileName(file, ".KALO-b");
    std::string link = linkTime(first) <= linkTime(second) ? first : second;
    if (lastLink_ == first || lastLink_ == second) link = lastLink_ == first ? second : first;
    lastLink_ = link;
    return pointLinkAt(link, file);
}

void DesktopWallpaper::applyWithPrograms(const std::string& path, WallpaperStyle style) {
    std::vector<std::string> properties;
    if (desktop_ == Desktop::Xfce) {
        auto listed = xfceImageProperties();
        if (!listed) return;
        properties = std::move(*listed);
    }
    for (const Command& command : setterCommands(desktop_, path, style, properties))
        if (!run(command)) return;
}

std::optional<std::vector<std::string>> DesktopWallpaper::xfceImageProperties() {
    std::string listing;
    if (!run({"xfconf-query", {"-c", "xfce4-desktop", "-l"}}, &listing)) return std::nullopt;
    std::vector<std::string> properties;
    for (const std::string& line : split(listing, '\n'))
        if (endsWith(line, kLastImage)) properties.push_back(line);
    if (properties.empty())
        reportOnce("xfconf-query", "xfconf-query listed no backdrop of xfce4-desktop");
    return properties;
}

void DesktopWallpaper::applyOnPlasma(const std::string& path, WallpaperStyle style) {
    QDBusInterface shell("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell",
                         QDBusConnection::sessionBus());
    if (!shell.isValid()) {
        reportOnce("plasmashell", "the Plasma shell could not be reached over D-Bus (" +
                                      shell.lastError().message().toStdString() + ")");
        return;
    }
    shell.setTimeout(kDeadlineMs);
    const QDBusMessage reply =
        shell.call("evaluateScript", QString::fromStdString(plasmaScript(path, style)));
    if (reply.type() == QDBusMessage::ErrorMessage)
        reportOnce("plasmashell", "the Plasma shell refused the script (" +
                                      reply.errorMessage().toStdString() + ")");
}

void DesktopWallpaper::applyOnRootWindow(const std::string& path, WallpaperStyle style) {
    const QImage picture(QString::fromStdString(path));
    if (picture.isNull()) return reportOnce("picture", path + " could not be read");
    if (!setRootPicture(picture, style)) reportOnce("display", "there is no X display");
}

// Runs the program with a deadline; a failure is reported and ends the apply.
bool DesktopWallpaper::run(const Command& command, std::string* output) {
    const QString program = QString::fromStdString(command.program);
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, toQStringList(command.arguments));
    if (!process.waitForStarted(kDeadlineMs)) {
        const bool found = !QStandardPaths::findExecutable(program).isEmpty();
        reportOnce(command.program,
                   command.program + (found ? " could not be started" : " was not found"));
        return false;
    }
    if (!process.waitForFinished(kDeadlineMs)) {
        process.kill();
        process.waitForFinished(kDeadlineMs);
        reportOnce(command.program, command.program + " did not finish within 10 seconds");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        reportOnce(command.program, command.program + " stopped abnormally");
        return false;
    }
    if (process.exitCode() != 0) {
        reportOnce(command.program, command.program + " failed (exit code " +
                                        std::to_string(process.exitCode()) + ")" +
                                        firstLine(process.readAllStandardError()));
        return false;
    }
    if (output) *output = process.readAllStandardOutput().toStdString();
    return true;
}

void DesktopWallpaper::reportOnce(const std::string& key, const std::string& what) {
    if (!reported_.insert(key).second) return;
    if (report_) report_("The wallpaper could not be set: " + what + ".");
}

} // namespace qt
