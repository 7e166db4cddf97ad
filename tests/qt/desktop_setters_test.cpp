// The desktop's wallpaper setters as data: which desktop runs, the commands for it and the
// escapings in them.
#include "linux/desktop_setters.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <tuple>

namespace linux {

namespace {

using enum Desktop;
using enum WallpaperStyle;
// Blanks, non-ASCII, quotes, a backslash and the URI's reserved characters.
const std::string kPath = "/home/zoë/my pics/it's \"100%\" #1? (a\\b).bmp";
const std::string kUri =
    "file:///home/zo%C3%AB/my%20pics/it's%20%22100%25%22%20%231%3F%20(a%5Cb).bmp";

// Each pair of variables as "current|session", each desktop as its number in the enumeration.
TEST(DesktopSetters, DetectsTheDesktopFromBothVariables) {
    std::string seen;
    for (const std::string both :
         {"i3:GNOME|", "ubuntu:GNOME|ubuntu", "Budgie:GNOME|", "Unity|", "X-Cinnamon|", "MATE|",
          "KDE|plasma", "XFCE|xfce", "LXQt|", "sway|", "i3|i3", "Unknown|cinnamon",
          "|/usr/share/xsessions/plasma"}) {
        const std::size_t bar = both.find('|');
        seen += char('0' + int(detectDesktop(both.substr(0, bar), both.substr(bar + 1))));
    }
    EXPECT_EQ(seen, "0000123456713");
}

// Commands as text: one a line, each argument in brackets.
std::string text(const std::vector<Command>& commands) {
    std::string out;
    for (const Command& command : commands) {
        out += command.program;
        for (const std::string& argument : command.arguments)
            out += " [" + argument + "]";
        out += "\n";
    }
    return out;
}

TEST(DesktopSetters, SetterCommandsForEveryDesktopAndStyle) {
    const std::string gnome = "gsettings [set] [org.gnome.desktop.background] ",
                      cinnamon = "gsettings [set] [org.cinnamon.desktop.background] ",
                      mate = "gsettings [set] [org.mate.background] ",
                      xq = "xfconf-query [-c] [xfce4-desktop] [-p] [/backdrop/",
                      style = "/image-style] [-n] [-t] [int] [-s] [@]\n",
                      image = "/last-image] [-s] [" + kPath + "]\n";
    const std::string swayFile = R"("'/home/zoë/my pics/it'\\''s \"100%\" #1? (a\\b).bmp'")";
    const std::array<const char*, 3> options{"centered", "wallpaper", "stretched"},
        modes{"center", "tile", "stretch"}, none{"", "", ""}, numbers{"1", "2", "3"};
    // A desktop's words for the styles, and its commands with "@" for the word.
    const std::tuple<Desktop, std::array<const char*, 3>, std::string> cases[] = {
        {Gnome, options,
         gnome + "[picture-uri] [" + kUri + "]\n" + gnome + "[picture-uri-dark] [" + kUri + "]\n" +
             gnome + "[picture-options] [@]\n"},
        {Cinnamon, options,
         cinnamon + "[picture-uri] [" + kUri + "]\n" + cinnamon + "[picture-options] [@]\n"},
        {Mate, options,
         mate + "[picture-filename] [" + kPath + "]\n" + mate + "[picture-options] [@]\n"},
        {Xfce, numbers, xq + "a" + style + xq + "a" + image + xq + "b" + style + xq + "b" + image},
        {Lxqt, modes, "pcmanfm-qt [--set-wallpaper=" + kPath + "] [--wallpaper-mode=@]\n"},
        {Sway, modes, "swaymsg [output] [*] [bg] [" + swayFile + "] [@]\n"},
        {Kde, none, ""},
        {X11Root, none, ""}};
    const std::vector<std::string> backdrops{"/backdrop/a/last-image", "/backdrop/b/last-image"};
    for (const auto& [desktop, words, expected] : cases)
        for (WallpaperStyle style : {Centred, Tiled, Stretched})
            EXPECT_EQ(text(setterCommands(desktop, kPath, style, backdrops)),
                      std::regex_replace(expected, std::regex("@"), words[std::size_t(style)]))
                << static_cast<int>(desktop) << " in style " << static_cast<int>(style);
}

TEST(DesktopSetters, PlasmaGetsTheUriAsAStringLiteral) {
    EXPECT_EQ(javaScriptString("say \"hi\"\\\n"), R"("say \"hi\"\\\u000A")");
    const std::string set =
        "d.writeConfig(\"Image\", \"" + kUri + "\");\n    d.writeConfig(\"FillMode\", ";
    for (auto [style, mode] : {std::pair{Centred, "6"}, {Tiled, "3"}, {Stretched, "0"}})
        EXPECT_NE(plasmaScript(kPath, style).find(set + mode + ");"), std::string::npos) << mode;
}

// Only the backdrops' last-image properties, whole, from every monitor and workspace.
TEST(DesktopSetters, XfceImagePropertiesAreTheListedLastImages) {
    const std::string listing = "/backdrop/screen0/monitor0/workspace0/last-image\n"
                                "/backdrop/screen0/monitor0/workspace0/image-style\n"
                                "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n"
                                "/backdrop/screen0/monitor0/workspace0/last-image-old\n"
                                "/last-image";
    EXPECT_EQ(xfceImageProperties(listing),
              (std::vector<std::string>{"/backdrop/screen0/monitor0/workspace0/last-image",
                                        "/backdrop/screen0/monitorHDMI-1/workspace1/last-image",
                                        "/last-image"}));
    EXPECT_EQ(xfceImageProperties(""), std::vector<std::string>{});
}

} // namespace
} // namespace linux
