// The desktop's wallpaper setters: which desktop runs, the commands for it, and runs
// against a fake gsettings.
#include "qt/desktop_wallpaper.h"
#include "qt_fixture.h"

#include <array>

namespace qt {

namespace {

using enum Desktop;
using enum WallpaperStyle;
// Blanks, non-ASCII, quotes, a backslash and the URI's reserved characters.
const std::string kPath = "/home/zoë/my pics/it's \"100%\" #1? (a\\b).bmp";
const std::string kUri =
    "file:///home/zo%C3%AB/my%20pics/it's%20%22100%25%22%20%231%3F%20(a%5Cb).bmp";

TEST(DesktopWallpaper, DetectsTheDesktopFromBothVariables) {
    const std::tuple<std::string, std::string, Desktop> cases[] = {
        {"i3:GNOME", "", Gnome},
        {"ubuntu:GNOME", "ubuntu", Gnome},
        {"Budgie:GNOME", "", Gnome},
        {"Unity", "", Gnome},
        {"X-Cinnamon", "", Cinnamon},
        {"MATE", "", Mate},
        {"KDE", "plasma", Kde},
        {"XFCE", "xfce", Xfce},
        {"LXQt", "", Lxqt},
        {"sway", "", Sway},
        {"i3", "i3", X11Root},
        {"Unknown", "cinnamon", Cinnamon},
        {"", "/usr/share/xsessions/plasma", Kde}};
    for (const auto& [current, session, desktop] : cases)
        EXPECT_EQ(detectDesktop(current, session), desktop) << current << " / " << session;
}

// Commands as text: one a line, each argument in brackets, "@" for the style's word.
std::string text(const std::vector<Command>& commands, const std::string& word = "@") {
    std::string out;
    for (const Command& command : commands) {
        out += command.program;
        for (const std::string& argument : command.arguments)
            out += " [" + (argument == word ? std::string("@") : argument) + "]";
        out += "\n";
    }
    return out;
}

TEST(DesktopWallpaper, SetterCommandsForEveryDesktopAndStyle) {
    const std::string gnome = "gsettings [set] [org.gnome.desktop.background] ",
                      cinnamon = "gsettings [set] [org.cinnamon.desktop.background] ",
                      mate = "gsettings [set] [org.mate.background] ",
                      xq = "xfconf-query [-c] [xfce4-desktop] [-p] [/backdrop/",
                      style = "/image-style] [-n] [-t] [int] [-s] [@]\n",
                      image = "/last-image] [-s] [" + kPath + "]\n";
    const std::string swayFile = R"("'/home/zoë/my pics/it'\\''s \"100%\" #1? (a\\b).bmp'")";
    const std::array<const char*, 3> options{"centered", "wallpaper", "stretched"},
        modes{"center", "tile", "stretch"}, none{"", "", ""};
    const std::tuple<Desktop, std::array<const char*, 3>, std::string> cases[] = {
        {Gnome, options,
         gnome + "[picture-uri] [" + kUri + "]\n" + gnome + "[picture-uri-dark] [" + kUri + "]\n" +
             gnome + "[picture-options] [@]\n"},
        {Cinnamon, options,
         cinnamon + "[picture-uri] [" + kUri + "]\n" + cinnamon + "[picture-options] [@]\n"},
        {Mate, options,
         mate + "[picture-filename] [" + kPath + "]\n" + mate + "[picture-options] [@]\n"},
        {Xfce,
         {"1", "2", "3"},
         xq + "a" + style + xq + "a" + image + xq + "b" + style + xq + "b" + image},
        {Lxqt,
         {"--wallpaper-mode=center", "--wallpaper-mode=tile", "--wallpaper-mode=stretch"},
         "pcmanfm-qt [--set-wallpaper=" + kPath + "] [@]\n"},
        {Sway, modes, "swaymsg [output] [*] [bg] [" + swayFile + "] [@]\n"},
        {Kde, none, ""},
        {X11Root, none, ""}};
    const WallpaperStyle styles[] = {Centred, Tiled, Stretched};
    for (const auto& [desktop, words, expected] : cases)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(text(setterCommands(desktop, kPath, styles[i],
                                          {"/backdrop/a/last-image", "/backdrop/b/last-image"}),
                           words[std::size_t(i)]),
                      expected)
                << static_cast<int>(desktop) << " in style " << i;
}

TEST(DesktopWallpaper, PlasmaGetsTheUriAsAStringLiteral) {
    EXPECT_EQ(javaScriptString("say \"hi\"\\\n"), R"("say \"hi\"\\\u000A")");
    EXPECT_NE(plasmaScript(kPath, Tiled).find("d.writeConfig(\"Image\", \"" + kUri + "\");"),
              std::string::npos);
    for (auto [style, mode] : {std::pair{Centred, "6"}, {Tiled, "3"}, {Stretched, "0"}})
        EXPECT_NE(plasmaScript(kPath, style).find("(\"FillMode\", " + std::string(mode) + ");"),
                  std::string::npos);
}

// The picture applied twice in a GNOME session whose PATH is `bin`; the reports made. The
// environment is restored afterwards.
std::vector<std::string> applyTwiceUnderGnome(const std::string& bin, const std::string& picture) {
    const QByteArray path = qgetenv("PATH"), desktop = qgetenv("XDG_CURRENT_DESKTOP");
    qputenv("PATH", QByteArray::fromStdString(bin));
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    std::vector<std::string> reports;
    DesktopWallpaper wallpaper([&](const std::string& message) { reports.push_back(message); });
    for (int i = 0; i < 2; ++i)
        wallpaper.apply(picture, Stretched, nullptr);
    qputenv("PATH", path);
    desktop.isNull() ? qunsetenv("XDG_CURRENT_DESKTOP") : qputenv("XDG_CURRENT_DESKTOP", desktop);
    return reports;
}

// A fake gsettings records its calls: each apply names the other of two links to the
// picture, so the desktop sees a change. Without gsettings the user is told once.
TEST(DesktopWallpaper, GnomeGetsAnotherLinkAtEachApplyOrOneReport) {
    namespace fs = std::filesystem;
    qt_testing::TempHome home;
    home.write("bin/gsettings",
               "#!/bin/sh\n{ printf gsettings; printf ' [%s]' \"$@\"; echo; } >> '" +
                   home.path("calls") + "'\n");
    fs::permissions(home.path("bin/gsettings"), fs::perms::owner_exec, fs::perm_options::add);
    home.write("KALO.bmp", "BM");
    const std::string picture = home.path("KALO.bmp");
    EXPECT_EQ(applyTwiceUnderGnome(home.path("bin"), picture), std::vector<std::string>{});
    const std::string a = home.path(".KALO-a.bmp"), b = home.path(".KALO-b.bmp");
    EXPECT_EQ(home.read("calls"), text(setterCommands(Gnome, a, Stretched)) +
                                      text(setterCommands(Gnome, b, Stretched)));
    for (const std::string& link : {a, b})
        EXPECT_TRUE(fs::is_symlink(link) && fs::equivalent(link, picture)) << link;
    EXPECT_EQ(applyTwiceUnderGnome(home.path("missing"), picture),
              std::vector<std::string>{"The wallpaper could not be set: gsettings was not found."});
}

} // namespace
} // namespace qt
