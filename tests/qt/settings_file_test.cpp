// The settings file and the log-on entry of the Linux program, on a real disk.
#include "qt/autostart.h"
#include "qt/file_registry.h"
#include "qt/services.h"
#include "qt_fixture.h"
#include "settings/registry_procs.h"
#include "support/fake_platform.h"
#include "support/faulty_file_steps.h"

#include <map>

using qt_testing::TempHome;

namespace {

constexpr auto HKCU = platform::HKEY_CURRENT_USER_ROOT;
const std::string HEADER = "Windows Registry Editor Version 5.00\n";

bool write(platform::Registry& reg, const std::string& key, const std::string& name,
           const std::string& text) {
    auto handle = reg.createKey(HKCU, key);
    bool ok = handle && reg.setString(*handle, name, text + '\0');
    if (handle) reg.closeKey(*handle);
    return ok;
}

using Texts = std::map<std::string, std::string>;

// The files of the settings folder by name (a set-aside copy by its fixed first part).
Texts settingsFolder(const TempHome& home) {
    Texts texts;
    for (const auto& entry : std::filesystem::directory_iterator(home.path("config/kalo-dc")))
        texts[entry.path().filename().string().substr(0, 24)] =
            home.read("config/kalo-dc/" + entry.path().filename().string());
    return texts;
}

} // namespace

// Every change rewrites the whole file; a new run reads what the last one wrote.
TEST(SettingsFile, EveryChangeIsOnDiskAndSurvivesARestart) {
    TempHome home;
    qt::QtFiles files;
    const std::string file = home.path("config/kalo-dc/registry.reg");
    {
        qt::FileRegistry reg(file, files);
        EXPECT_EQ(home.read("config/kalo-dc/registry.reg"), "<missing>") << "nothing written yet";
        ASSERT_TRUE(write(reg, "Software\\KALO\\KALO DC\\", "C2", "Minute(s)"));
        ASSERT_TRUE(write(reg, "Software\\KALO\\KALO DC", "c1", "caf\xC3\xA9 \"5\""));
        EXPECT_EQ(
            home.read("config/kalo-dc/registry.reg"),
            HEADER +
                "\n[HKEY_CURRENT_USER\\Software\\KALO\\KALO DC]\n\"c1\"=\"caf\xC3\xA9 \\\"5\\\"\"\n"
                "\"C2\"=\"Minute(s)\"\n");
    }
    qt::FileRegistry again(file, files);
    EXPECT_EQ(again.get("software\\kalo\\kalo dc", "C1")->data,
              std::string("caf\xC3\xA9 \"5\"") + '\0');
    EXPECT_TRUE(again.startNotice().empty());
    fake::FakeFiles failing;
    failing.failWrites = true; // a disk that refuses: nothing changes
    qt::FileRegistry refused(file, failing);
    EXPECT_FALSE(write(refused, "Software\\KALO\\KALO DC", "c1", "6"));
    EXPECT_EQ(refused.get("Software\\KALO\\KALO DC", "c1")->data,
              std::string("caf\xC3\xA9 \"5\"") + '\0');
    EXPECT_EQ(qt::FileRegistry(file, files).keys(), again.keys());
}

// What another writer saves in between is taken in before the program's next change, so
// that change keeps it; a save that is no registry export is copied aside first.
TEST(SettingsFile, AnotherWritersSaveIsKeptByTheNextChange) {
    TempHome home;
    qt::QtFiles files;
    const std::string name = "config/kalo-dc/registry.reg", key = "Software\\KALO\\KALO DC";
    const std::string section = HEADER + "\n[HKEY_CURRENT_USER\\Software\\KALO\\KALO DC]\n";
    qt::FileRegistry reg(home.path(name), files);
    ASSERT_TRUE(write(reg, key, "c1", "5"));
    home.write(name, section + "\"C1\"=\"9\"\n\"mine\"=\"kept\"\n");
    ASSERT_TRUE(write(reg, key, "c2", "Hour(s)"));
    EXPECT_EQ(home.read(name), section + "\"C1\"=\"9\"\n\"c2\"=\"Hour(s)\"\n\"mine\"=\"kept\"\n");
    home.write(name, "half a save");
    ASSERT_TRUE(write(reg, key, "s1", "3"));
    EXPECT_EQ(settingsFolder(home),
              (Texts{{"registry.reg", section + "\"C1\"=\"9\"\n\"c2\"=\"Hour(s)\"\n"
                                                "\"mine\"=\"kept\"\n\"s1\"=\"3\"\n"},
                     {"registry.reg.unreadable-", "half a save"}}));
}

// A file that cannot be read is copied aside, whole; without a copy it is never written over.
TEST(SettingsFile, AnUnreadableFileIsSetAsideNotOverwritten) {
    for (bool copyKept : {true, false}) {
        TempHome home;
        fake::FakeFiles files;
        const std::string junk = "REGEDIT4\n\"c1\"=\"5\"\n", folder = home.path("config/kalo-dc");
        home.write("config/kalo-dc/registry.reg", junk);
        if (!copyKept) files.readOnlyFolders = {folder};
        qt::FileRegistry reg(folder + "/registry.reg", files);
        EXPECT_TRUE(reg.keys().empty());
        files.readOnlyFolders.clear();
        EXPECT_EQ(write(reg, "Software\\KALO\\KALO DC", "c1", "7"), copyKept);
        const Texts expected =
            copyKept
                ? Texts{{"registry.reg", HEADER + "\n[HKEY_CURRENT_USER\\Software\\KALO\\KALO DC]\n"
                                                  "\"c1\"=\"7\"\n"},
                        {"registry.reg.unreadable-", junk}}
                : Texts{{"registry.reg", junk}};
        EXPECT_EQ(settingsFolder(home), expected);
        EXPECT_NE(reg.startNotice().find("line 1: no registry export header"), std::string::npos)
            << reg.startNotice();
    }
}

TEST(Autostart, TheEntryStartsTheProgramWhateverItsPathAndGoesWithTheRunValue) {
    const std::pair<const char*, const char*> paths[] = {
        {"/usr/bin/kalo-dc", "\"/usr/bin/kalo-dc\""},
        {"/home/ann/My Apps/kalo-dc", "\"/home/ann/My Apps/kalo-dc\""},
        {"/opt/\xC3\xA9t\xC3\xA9 100%/kalo-dc", "\"/opt/\xC3\xA9t\xC3\xA9 100%%/kalo-dc\""},
        {"/x/a\"b$c`d\\e", "\"/x/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e\""}};
    for (auto [path, exec] : paths)
        EXPECT_EQ(qt::execArgument(path), exec);
    TempHome home;
    qt::QtFiles files;
    qt::FileRegistry reg(home.path("config/kalo-dc/registry.reg"), files);
    const std::string entry = "config/autostart/kalo-dc.desktop";
    reg.changed = [&] { qt::mirrorAutostart(reg, "/home/ann/My Apps/kalo-dc", files); };
    ASSERT_TRUE(write(reg, settings::RUN_KEY, "KALO DC", "\"/home/ann/My Apps/kalo-dc\""));
    EXPECT_EQ(home.read(entry),
              "[Desktop Entry]\nType=Application\nName=KALO DC\n"
              "Comment=Desktop wallpaper changer\n"
              "Exec=\"/home/ann/My Apps/kalo-dc\"\nIcon=kalo-dc\nTerminal=false\n");
    auto handle = reg.openKey(HKCU, settings::RUN_KEY);
    ASSERT_TRUE(handle && reg.deleteValue(*handle, "kalo dc"));
    reg.closeKey(*handle);
    EXPECT_EQ(home.read(entry), "<missing>");
}

TEST(Services, TextFilesAndFolders) {
    qt::Utf8CodePage cp;
    EXPECT_EQ(cp.toAnsi("K\xC3\xB6ln \xE6\xBC\xA2"), "K\xC3\xB6ln \xE6\xBC\xA2");
    for (const char* bad : {"\xFF", "a\xC3", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(cp.toAnsi(bad), std::nullopt) << bad;
    TempHome home;
    qt::QtFiles files;
    EXPECT_TRUE(files.folderWritable(home.root.string()));
    ASSERT_TRUE(files.ensureFolder(home.path("data/kalo-dc")));
    std::string list = home.path("data/kalo-dc/KALO DC.dat");
    ASSERT_TRUE(files.replaceAtomically(list, "\"a\"\r\n"));
    for (const std::string& folder : std::vector<std::string>{
             "/usr/bin", "/usr/local/bin", "/usr/bin/../lib", "/nonexistent", list})
        EXPECT_FALSE(files.folderWritable(folder)) << folder;
    EXPECT_FALSE(files.ensureFolder(list + "/below")) << "a file stands in the way";
    EXPECT_FALSE(files.replaceAtomically(list + "/below", "x"));
    EXPECT_EQ(files.read(list), "\"a\"\r\n");
    EXPECT_EQ(files.read(home.path("data")), std::nullopt) << "a folder is no file";
}

// One that works keeps the old file's permissions, and a link stays a link to the new file.
TEST(Services, AReplacementFailingAtAnyStepLeavesTheOldFileOrTheNew) {
    namespace fs = std::filesystem;
    TempHome home;
    qt::PosixFileSteps real;
    EXPECT_EQ(fake::brokenReplacements(real, home.root.string()), "");
    home.write("kept/list", "old");
    fs::permissions(home.path("kept/list"), fs::perms(0640));
    fs::create_symlink(home.path("kept/list"), home.path("link"));
    ASSERT_TRUE(qt::QtFiles().replaceAtomically(home.path("link"), "new"));
    EXPECT_EQ(std::tuple(home.read("kept/list"), fs::is_symlink(home.path("link")),
                         fs::status(home.path("kept/list")).permissions()),
              std::tuple("new", true, fs::perms(0640)));
}
