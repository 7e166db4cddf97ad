// The desktop's wallpaper setters: which desktop runs, the commands for it, and the runs
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
#include <map>
#include <optional>
#include <sstream>

namespace qt {

void PrintTo(const Command& command, std::ostream* out) {
    *out << command.program;
    for (const std::string& argument : command.arguments)
        *out << " [" << argument << "]";
}

namespace {

using enum Desktop;
const std::string kPath = "/home/zoë/my pics/it's 100%.bmp";
const std::string kUri = "file:///home/zo%C3%AB/my%20pics/it's%20100%25.bmp";

TEST(DesktopWallpaper, DetectsTheDesktopFromBothVariables) {
    const struct {
        std::string current, session;
        Desktop expected;
    } cases[] = {
        {"GNOME", "gnome", Gnome},
        {"ubuntu:GNOME", "ubuntu", Gnome},
        {"Budgie:GNOME", "budgie-desktop", Gnome},
        {"Unity", "", Gnome},
        {"Pantheon", "pantheon", Gnome},
        {"X-Cinnamon", "cinnamon", Cinnamon},
        {"MATE", "mate", Mate},
        {"KDE", "plasma", Kde},
        {"XFCE", "xfce", Xfce},
        {"LXQt", "lxqt", Lxqt},
        {"sway", "sway", Sway},
        {"kde", "", Kde},
        {"", "", X11Root},
        {"i3", "i3", X11Root},
        {"", "plasma", Kde},
        {"Unknown", "xfce", Xfce},
        {"", "mate", Mate},
        {"", "lxqt", Lxqt},
        {"", "cinnamon", Cinnamon},
        {"", "gnome", Gnome},
        {"", "/usr/share/xsessions/plasma", Kde},
        {"LXDE", "LXDE", X11Root},
    };
    for (const auto& c : cases)
        EXPECT_EQ(detectDesktop(c.current, c.session), c.expected)
            << c.current << " / " << c.session;
}

TEST(DesktopWallpaper, FileUrisArePercentEncoded) {
    const std::pair<std::string, std::string> cases[] = {
        {"/tmp/a.bmp", "file:///tmp/a.bmp"},
        {kPath, kUri},
        {"/p/#1?.bmp", "file:///p/%231%3F.bmp"},
        {"/p/a\"b\\c (1).bmp", "file:///p/a%22b%5Cc%20(1).bmp"},
        {"/p/日.bmp", "file:///p/%E6%97%A5.bmp"},
    };
    for (const auto& [path, uri] : cases)
        EXPECT_EQ(fileUri(path), uri);
}

TEST(DesktopWallpaper, SetterCommandsForEveryDesktopAndStyle) {
    using Commands = std::vector<Command>;
    auto gs = [](std::string schema, std::string key, std::string value) {
        return Command{"gsettings", {"set", "org." + schema + ".background", key, value}};
    };
    auto xq = [](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"-c", "xfce4-desktop", "-p"});
        return Command{"xfconf-query", arguments};
    };
    const std::string one = "/backdrop/screen0/monitorHDMI-1/workspace0";
    const std::string two = "/backdrop/screen0/monitor0/workspace1";
    const struct {
        Desktop desktop;
        std::array<std::string, 3> words; // centred, tiled, stretched
        std::function<Commands(const std::string&)> expected;
    } cases[] = {
        {Gnome,
         {"centered", "wallpaper", "stretched"},
         [&](auto& word) {
             return Commands{gs("gnome.desktop", "picture-uri", kUri),
                             gs("gnome.desktop", "picture-uri-dark", kUri),
                             gs("gnome.desktop", "picture-options", word)};
         }},
        {Cinnamon,
         {"centered", "wallpaper", "stretched"},
         [&](auto& word) {
             return Commands{gs("cinnamon.desktop", "picture-uri", kUri),
                             gs("cinnamon.desktop", "picture-options", word)};
         }},
        {Mate,
         {"centered", "wallpaper", "stretched"},
         [&](auto& word) {
             return Commands{gs("mate", "picture-filename", kPath),
                             gs("mate", "picture-options", word)};
         }},
        {Xfce,
         {"1", "2", "3"},
         [&](auto& word) {
             return Commands{xq({one + "/image-style", "-n", "-t", "int", "-s", word}),
                             xq({one + "/last-image", "-s", kPath}),
                             xq({two + "/image-style", "-n", "-t", "int", "-s", word}),
                             xq({two + "/last-image", "-s", kPath})};
         }},
        {Lxqt,
         {"center", "tile", "stretch"},
         [&](auto& word) {
             return Commands{
                 {"pcmanfm-qt", {"--set-wallpaper=" + kPath, "--wallpaper-mode=" + word}}};
         }},
        {Sway,
         {"center", "tile", "stretch"},
         [&](auto& word) {
             const std::string file = R"("'/home/zoë/my pics/it'\\''s 100%.bmp'")";
             return Commands{{"swaymsg", {"output", "*", "bg", file, word}}};
         }},
        {Kde, {}, [](auto&) { return Commands{}; }},
        {X11Root, {}, [](auto&) { return Commands{}; }},
    };
    const WallpaperStyle styles[] = {WallpaperStyle::Centred, WallpaperStyle::Tiled,
                                     WallpaperStyle::Stretched};
    for (const auto& c : cases)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(setterCommands(c.desktop, kPath, styles[i],
                                     {one + "/last-image", two + "/last-image"}),
                      c.expected(c.words[i]))
                << static_cast<int>(c.desktop) << " style " << i;
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

// A folder with a fake gsettings that records its arguments, and a GNOME session whose
// PATH holds only that folder, or nothing at all.
class FakeGnome : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath("bin") && QDir(dir_.path()).mkpath("empty"));
        calls_ = dir_.filePath("calls.txt").toStdString();
        std::ofstream(dir_.filePath("bin/gsettings").toStdString())
            << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << calls_ << "'\n";
        QFile::setPermissions(dir_.filePath("bin/gsettings"), QFile::ReadOwner | QFile::ExeOwner);
        picture_ = dir_.filePath("KALO.bmp").toStdString();
        std::ofstream(picture_) << "BM";
        setVariable("XDG_CURRENT_DESKTOP", "GNOME");
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_)
            value ? qputenv(name.c_str(), value->c_str()) : qunsetenv(name.c_str());
    }
    void setVariable(const std::string& name, const QString& value) {
        if (!saved_.count(name))
            saved_[name] = qEnvironmentVariableIsSet(name.c_str())
                               ? std::optional(qgetenv(name.c_str()).toStdString())
                               : std::nullopt;
        qputenv(name.c_str(), value.toLocal8Bit());
    }
    std::vector<std::string> recordedUris() const {
        std::vector<std::string> uris;
        std::ifstream calls(calls_);
        for (std::string line; std::getline(calls, line);)
            if (line.starts_with("set org.gnome.desktop.background picture-uri "))
                uris.push_back(line.substr(line.rfind(' ') + 1));
        return uris;
    }
    QTemporaryDir dir_;
    std::string calls_, picture_;
    std::map<std::string, std::optional<std::string>> saved_;
    std::vector<std::string> reports_;
};

TEST_F(FakeGnome, EveryApplyNamesAnotherLinkToThePicture) {
    setVariable("PATH", dir_.filePath("bin"));
    DesktopWallpaper wallpaper([this](const std::string& message) { reports_.push_back(message); });
    wallpaper.apply(picture_, WallpaperStyle::Stretched);
    wallpaper.apply(picture_, WallpaperStyle::Stretched);
    EXPECT_EQ(reports_, std::vector<std::string>{});
    const std::vector<std::string> uris = recordedUris();
    ASSERT_EQ(uris.size(), 2u);
    EXPECT_NE(uris[0], uris[1]);
    const QString picture = QFileInfo(QString::fromStdString(picture_)).canonicalFilePath();
    for (const std::string& uri : uris) {
        const QFileInfo link(QUrl(QString::fromStdString(uri)).toLocalFile());
        EXPECT_TRUE(link.isSymLink()) << uri;
        EXPECT_EQ(link.canonicalFilePath(), picture) << uri;
    }
}

TEST_F(FakeGnome, AMissingProgramIsReportedOnce) {
    setVariable("PATH", dir_.filePath("empty"));
    DesktopWallpaper wallpaper([this](const std::string& message) { reports_.push_back(message); });
    wallpaper.apply(picture_, WallpaperStyle::Centred);
    wallpaper.apply(picture_, WallpaperStyle::Centred);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0], "The wallpaper could not be set: gsettings was not found.");
}

} // namespace
} // namespace qt
