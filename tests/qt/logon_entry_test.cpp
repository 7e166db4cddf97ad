// The Linux program's log-on entry beside its settings file: when the program writes
// $XDG_CONFIG_HOME/autostart/kalo-dc.desktop, what its Exec line holds and how it is read.
#include "linux/autostart.h"
#include "qt/qt_platform.h"
#include "qt_fixture.h"
#include "settings/registry_procs.h"

#include <QProcess>
#include <QTest>

#include <sys/stat.h>

namespace {

using testing_support::TempFolder;

const std::string ENTRY = "config/autostart/kalo-dc.desktop";

// The program's own platform, its boxes recorded instead of shown.
struct RecordingPlatform : qt::QtPlatform {
    std::vector<std::string> boxes;
    void messageBox(const std::string& text, const std::string&, int) override {
        boxes.push_back(text);
    }
};

// This test program's path, as the program names itself in the Run value.
std::string ownPath() {
    auto where = linux::programLocation();
    return where.folder + "/" + where.executableName;
}

void writeProgramValue(qt::QtPlatform& os, const std::string& name, const std::string& text) {
    settings::RegistryProcedures(os).writeProgramValue(name, text);
}

// The file's identity: a replacement is a new file, whatever it holds.
std::optional<std::pair<ino_t, long>> identity(const std::string& path) {
    struct stat seen {};
    if (::stat(path.c_str(), &seen) != 0) return std::nullopt;
    return std::pair(seen.st_ino, long(seen.st_mtim.tv_nsec));
}

// Each test over a config home of its own, its settings holding this program's Run value.
struct LogonEntry : testing::Test {
    LogonEntry() {
        qt_testing::application();
        setenv("XDG_CONFIG_HOME", home.path("config").c_str(), 1);
        home.write("config/kalo-dc/registry.reg",
                   "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\"
                   "Microsoft\\Windows\\CurrentVersion\\Run]\n\"KALO DC\"=\"\\\"" +
                       ownPath() + "\\\"\"\n");
    }
    ~LogonEntry() override { unsetenv("XDG_CONFIG_HOME"); }
    TempFolder home;
};

} // namespace

// At start a missing or foreign entry is written once while the Run value is set; one that
// starts the program is left alone, and a slider's steps leave it as it is.
TEST_F(LogonEntry, ItIsWrittenOnlyWhenTheRunValueChanges) {
    const std::string path = home.path(ENTRY), entry = linux::autostartEntry(ownPath());
    const std::string delayed = entry + "X-GNOME-Autostart-Delay=5\n";
    for (const auto& [before, after] : std::vector<std::pair<std::string, std::string>>{
             {"<missing>", entry},
             {linux::autostartEntry("/elsewhere"), entry},
             {"[Desktop Entry]\nExec=" + ownPath() + "\n", entry},
             {entry, entry},
             {delayed, delayed},
         }) {
        if (before == "<missing>")
            std::filesystem::remove(path);
        else
            home.write(ENTRY, before);
        const auto was = identity(path);
        RecordingPlatform os;
        os.reportSettingsFile();
        const auto started = identity(path);
        for (int step = 1; step <= 5; ++step)
            writeProgramValue(os, "s1", std::to_string(step));
        SCOPED_TRACE(before);
        EXPECT_EQ(home.read(ENTRY), after);
        EXPECT_EQ(identity(path), started) << "a slider's steps leave it";
        EXPECT_EQ(started == was, before == after) << "written at start only when it differs";
    }
}

// An entry that cannot be written at start is reported once the program has started, and
// is tried again at the next change of the settings, which writes it once the way is clear.
TEST_F(LogonEntry, AnEntryThatCouldNotBeWrittenIsReportedAndTriedAgain) {
    home.write("config/autostart", "a file where the folder goes");
    RecordingPlatform os;
    const auto quiet = os.boxes.size();
    os.reportSettingsFile();
    writeProgramValue(os, "s1", "1");
    std::filesystem::remove(home.path("config/autostart"));
    writeProgramValue(os, "s1", "2");
    EXPECT_EQ(quiet, 0u) << "reported once the program has started";
    ASSERT_EQ(os.boxes.size(), 1u) << "and once only";
    EXPECT_EQ(home.read(ENTRY), linux::autostartEntry(ownPath()));
    EXPECT_NE(os.boxes[0].find("The log-on entry could not be written"), std::string::npos);
}

// The entry passes the desktop's checker and the session's starter runs the very path,
// whatever it holds; each row is a folder whose program records the path it ran as.
TEST_F(LogonEntry, TheSessionStartsTheProgramWhateverItsPath) {
    const std::vector<std::string> folders = {
        "two  blanks",      "say \"hi\" and it's",
        "$HOME ${x} $(id)", "100%",
        "%f %U %% %",       "back\\slash \\b\\n\\",
        "back`quote` `id`", "\xC3\xA9t\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC",
        "a=b 50%",          "~#;&|<>*?()[]{}!^",
        "line\nbreak\ttab", "all \"'$%\\`= \xC3\xA9",
    };
    // The program's exit code and everything it printed.
    auto run = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool ended = process.waitForFinished(20000);
        return std::pair(ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode()
                                                                               : -1,
                         process.readAll().toStdString());
    };
    for (std::size_t row = 0; row < folders.size(); ++row) {
        const std::string program = home.path(folders[row] + "/kalo dc");
        // Written aside and renamed, so the marker never shows up empty.
        const std::string marker = home.path("ran-" + std::to_string(row));
        home.write(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + marker + ".part' && mv '" +
                                marker + ".part' '" + marker + "'\n");
        std::filesystem::permissions(program, std::filesystem::perms(0755));
        const std::string entry = home.path("entry-" + std::to_string(row) + ".desktop");
        home.write(entry, linux::autostartEntry(program));
        SCOPED_TRACE(folders[row] + "\n" + home.read(entry));
        EXPECT_EQ(run("desktop-file-validate", {QString::fromStdString(entry)}),
                  std::pair(0, std::string()));
        EXPECT_EQ(run("gio", {"launch", QString::fromStdString(entry)}),
                  std::pair(0, std::string()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(marker); }, 10000));
        EXPECT_EQ(home.read(marker), program);
        EXPECT_EQ(linux::entryProgram(home.read(entry)), program);
    }
}

// What other hands write: a bare path, blanks around '=', a string escape, arguments, an
// Exec of another group; and entries that start nothing.
TEST_F(LogonEntry, EntriesWrittenElsewhereNameTheirProgram) {
    const std::string head = "[Desktop Entry]\nType=Application\n";
    const std::vector<std::pair<std::string, std::optional<std::string>>> rows = {
        {head + "Exec=/usr/bin/kalo-dc\n", "/usr/bin/kalo-dc"},
        {head + "Exec = \"/opt/k d/kalo-dc\" --hidden %U\n", "/opt/k d/kalo-dc"},
        {head + "Exec=\\s\"/opt/a\\tb\"\\s\\sx\n", "/opt/a\tb"},
        {"[Desktop Action x]\nExec=/bin/other\n" + head + "Exec=/bin/this\n", "/bin/this"},
        {head + "Exec=/bin/sh -c \"exec \\\\\"\\\\$0\\\\\"\" /opt/100%%/kalo-dc\n",
         "/opt/100%/kalo-dc"},
        {head + "Exec=\"/opt/open quote\n", std::nullopt},
        {head + "Exec=\n", std::nullopt},
        {head + "TryExec=/bin/true\n", std::nullopt},
        {"[Other]\nExec=/bin/true\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, program] : rows)
        EXPECT_EQ(linux::entryProgram(text), program) << text;
}
