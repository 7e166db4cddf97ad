// The desktop wallpaper on Linux as data: gsettings, xfconf-query, pcmanfm-qt or swaymsg
// by argument list, and the script for the Plasma shell.
#include "linux/desktop_setters.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

namespace linux {

namespace {

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

} // namespace

Command xfconfQuery(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"-c", "xfce4-desktop"});
    return {"xfconf-query", arguments};
}

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

std::vector<std::string> xfceImageProperties(const std::string& listing) {
    std::vector<std::string> properties;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);)
        if (line.ends_with(kLastImage)) properties.push_back(line);
    return properties;
}

} // namespace linux
