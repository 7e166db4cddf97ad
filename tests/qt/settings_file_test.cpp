// The settings file of the Linux program, on a real disk.
#include "linux/file_registry.h"
#include "linux/services.h"
#include "qt_fixture.h"
#include "support/fake_platform.h"

#include <map>

using testing_support::TempFolder;

namespace {

const std::string KEY = "Software\\KALO\\KALO DC", FILE_NAME = "config/kalo-dc/registry.reg";
const std::string SECTION = "Windows Registry Editor Version 5.00\n\n"
                            "[HKEY_CURRENT_USER\\Software\\KALO\\KALO DC]\n";

bool write(platform::Registry& reg, const std::string& key, const std::string& name,
           const std::string& text) {
    auto handle = reg.createKey(platform::HKEY_CURRENT_USER_ROOT, key);
    bool ok = handle && reg.setString(*handle, name, text + '\0');
    if (handle) reg.closeKey(*handle);
    return ok;
}

using Texts = std::map<std::string, std::string>;

// The files of the settings folder by name (a set-aside copy by its fixed first part).
Texts settingsFolder(const TempFolder& home) {
    Texts texts;
    for (const auto& entry : std::filesystem::directory_iterator(home.path("config/kalo-dc")))
        texts[entry.path().filename().string().substr(0, 24)] = home.read(entry.path());
    return texts;
}

} // namespace

// Every change rewrites the whole file, keeping what another writer saved in between; a
// file that is no registry export is copied aside first, and without a copy never written over.
TEST(SettingsFile, EveryChangeIsOnDiskWithWhatOthersSaved) {
    TempFolder home;
    linux::PosixFiles files;
    linux::FileRegistry reg(home.path(FILE_NAME), files);
    EXPECT_EQ(home.read(FILE_NAME), "<missing>") << "nothing written yet";
    ASSERT_TRUE(write(reg, KEY + "\\", "C2", "Minute(s)"));
    ASSERT_TRUE(write(reg, KEY, "c1", "caf\xC3\xA9 \"5\""));
    EXPECT_EQ(home.read(FILE_NAME),
              SECTION + "\"c1\"=\"caf\xC3\xA9 \\\"5\\\"\"\n\"C2\"=\"Minute(s)\"\n");
    home.write(FILE_NAME, SECTION + "\"C1\"=\"9\"\n\"mine\"=\"kept\"\n");
    ASSERT_TRUE(write(reg, KEY, "c2", "Hour(s)"));
    home.write(FILE_NAME, "half a save");
    ASSERT_TRUE(write(reg, KEY, "s1", "3"));
    EXPECT_EQ(settingsFolder(home),
              (Texts{{"registry.reg", SECTION + "\"C1\"=\"9\"\n\"c2\"=\"Hour(s)\"\n"
                                                "\"mine\"=\"kept\"\n\"s1\"=\"3\"\n"},
                     {"registry.reg.unreadable-", "half a save"}}));
    fake::FakeFiles failing;
    failing.failWrites = true;
    linux::FileRegistry refused(home.path(FILE_NAME), failing);
    EXPECT_EQ(std::tuple(refused.keys(), refused.startNotice()), std::tuple(reg.keys(), ""));
    EXPECT_FALSE(write(refused, KEY, "c1", "6"));
    home.write(FILE_NAME, "REGEDIT4\n\"c1\"=\"5\"\n");
    EXPECT_FALSE(write(refused, KEY, "c1", "6")) << "the disk refuses its copy too";
    failing.failWrites = false;
    EXPECT_FALSE(write(refused, KEY, "c1", "7")) << "so it is never written over";
    EXPECT_EQ(home.read(FILE_NAME), "REGEDIT4\n\"c1\"=\"5\"\n");
    EXPECT_NE(refused.startNotice().find("line 1: no registry export header"), std::string::npos)
        << refused.startNotice();
}
