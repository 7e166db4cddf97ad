// The desktop's wallpaper setters: which desktop runs, the commands for it, and runs
// against a fake gsettings.
#include "qt/desktop_wallpaper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <array>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace qt {

namespace {

using enum Desktop;
const std::string kPath = "/home/zoë/my pics/it's 100%.bmp";
const std::string kUri = "file:///home/zo%C3%AB/my%20pics/it's%20100%25.bmp";

TEST(DesktopWallpaper, DetectsTheDesktopFromBothVariables) {
    const std::tuple<std::string, std::string, Desktop> cases[] = {
        {"GNOME", "gnome", Gnome},
        {"ubuntu:GNOME", "ubuntu", Gnome},
        {"Budgie:GNOME", "", Gnome},
        {"Unity", "", Gnome},
        {"X-Cinnamon", "", Cinnamon},
        {"MATE", "", Mate},
        {"KDE", "plasma", Kde},
        {"XFCE", "xfce", Xfce},
        {"LXQt", "", Lxqt},
        {"sway", "", Sway},
        {"", "", X11Root},
        {"i3", "i3", X11Root},
        {"", "plasma", Kde},
        {"Unknown", "xfce", Xfce},
        {"", "mate", Mate},
        {"", "lxqt", Lxqt},
        {"", "cinnamon", Cinnamon},
        {"", "gnome", Gnome},
        {"", "/usr/share/xsessions/plasma", Kde}};
    for (const auto& [current, session, desktop] : cases)
        EXPECT_EQ(detectDesktop(current, session), desktop) << current << " / " << session;
}

TEST(DesktopWallpaper, FileUrisArePercentEncoded) {
    const std::pair<std::string, std::string> cases[] = {
        {"/tmp/a.bmp", "file:///tmp/a.bmp"},
        {kPath, kUri},
        {"/p/#1?.bmp", "file:///p/%231%3F.bmp"},
        {"/p/a\"b\\c (1).bmp", "file:///p/a%22b%5Cc%20(1).bmp"}};
    for (const auto& [path, uri] : cases)
        EXPECT_EQ(fileUri(path), uri);
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
    const std::string swayFile = R"("'/home/zoë/my pics/it'\\''s 100%.bmp'")";
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
    const WallpaperStyle styles[] = {WallpaperStyle::Centred, WallpaperStyle::Tiled,
                                     WallpaperStyle::Stretched};
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
    const std::pair<WallpaperStyle, std::string> fillModes[] = {{WallpaperStyle::Centred, "6"},
                                                                {WallpaperStyle::Tiled, "3"},
                                                                {WallpaperStyle::Stretched, "0"}};
    for (const auto& [style, mode] : fillModes) {
        const std::string script = plasmaScript(kPath, style);
        EXPECT_NE(script.find("d.writeConfig(\"Image\", \"" + kUri + "\");"), std::string::npos);
        EXPECT_NE(script.find("d.writeConfig(\"FillMode\", " + mode + ");"), std::string::npos);
    }
}

// A GNOME session whose PATH is a folder holding a fake gsettings that records its
// arguments, or an empty folder; the environment is restored afterwards.
class FakeGnome : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid() && QDir(dir_.path()).mkpath("bin") &&
                    QDir(dir_.path()).mkpath("empty"));
        std::ofstream(dir_.filePath("bin/gsettings").toStdString())
            << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << calls_ << "'\n";
        QFile::setPermissions(dir_.filePath("bin/gsettings"), QFile::ReadOwner | QFile::ExeOwner);
        std::ofstream(picture_) << "BM";
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    }
    void TearDown() override {
        qputenv("PATH", path_);
        desktop_.isNull() ? qunsetenv("XDG_CURRENT_DESKTOP")
                          : qputenv("XDG_CURRENT_DESKTOP", desktop_);
    }
    std::vector<std::string> applyTwice(const char* folder) {
        qputenv("PATH", dir_.filePath(folder).toLocal8Bit());
        std::vector<std::string> reports;
        DesktopWallpaper wallpaper([&](const std::string& message) { reports.push_back(message); });
        for (int i = 0; i < 2; ++i)
            wallpaper.apply(picture_, WallpaperStyle::Stretched, nullptr);
        return reports;
    }
    const QByteArray path_ = qgetenv("PATH"), desktop_ = qgetenv("XDG_CURRENT_DESKTOP");
    QTemporaryDir dir_;
    const std::string calls_ = dir_.filePath("calls.txt").toStdString();
    const std::string picture_ = dir_.filePath("KALO.bmp").toStdString();
};

TEST_F(FakeGnome, EveryApplyNamesAnotherLinkToThePicture) {
    EXPECT_EQ(applyTwice("bin"), std::vector<std::string>{});
    std::vector<std::string> uris;
    std::ifstream calls(calls_);
    for (std::string line; std::getline(calls, line);)
        if (line.starts_with("set org.gnome.desktop.background picture-uri "))
            uris.push_back(line.substr(line.rfind(' ') + 1));
    ASSERT_EQ(uris.size(), 2u);
    EXPECT_NE(uris[0], uris[1]);
    for (const std::string& uri : uris) {
        const QFileInfo link(QUrl(QString::fromStdString(uri)).toLocalFile());
        EXPECT_TRUE(link.isSymLink()) << uri;
        EXPECT_EQ(link.canonicalFilePath(),
                  QFileInfo(dir_.filePath("KALO.bmp")).canonicalFilePath());
    }
}

TEST_F(FakeGnome, AMissingProgramIsReportedOnce) {
    EXPECT_EQ(applyTwice("empty"),
              std::vector<std::string>{"The wallpaper could not be set: gsettings was not found."});
}

} // namespace
} // namespace qt
