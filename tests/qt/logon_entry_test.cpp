// The Linux program's log-on entry beside its settings file: what the program does to
// $XDG_CONFIG_HOME/autostart/kalo-dc.desktop as the Run value comes, goes and stays.
#include "app/kalo1.h"
#include "linux/autostart.h"
#include "qt/qt_platform.h"
#include "qt_fixture.h"
#include "settings/registry_procs.h"

#include <QProcess>

#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace {

using testing_support::TempFolder;

const std::string HEADER = "Windows Registry Editor Version 5.00\n\n";
const std::string RUN_SECTION =
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\n";
const std::string ENTRY = "config/autostart/kalo-dc.desktop";
const std::string SETTINGS = "config/kalo-dc/registry.reg";

// The program's own platform, its boxes recorded instead of shown.
struct RecordingPlatform : qt::QtPlatform {
    std::vector<std::string> boxes;
    void messageBox(const std::string& text, const std::string&, int) override {
        boxes.push_back(text);
    }
};

struct ConfigHome {
    explicit ConfigHome(const std::string& folder) {
        if (const char* was = std::getenv("XDG_CONFIG_HOME")) before = was;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    ~ConfigHome() {
        if (before)
            setenv("XDG_CONFIG_HOME", before->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    std::optional<std::string> before;
};

// This test program's path, as the program names itself in the Run value.
std::string ownPath() {
    auto where = linux::programLocation();
    return where.folder + "/" + where.executableName;
}

// The settings file's line that holds this program's Run value.
std::string runLine() {
    return "\"KALO DC\"=\"\\\"" + ownPath() + "\\\"\"\n";
}

std::string runValue(qt::QtPlatform& os) {
    settings::RegistryProcedures reg(os);
    return reg.ReadRegistryValue(platform::HKEY_CURRENT_USER_ROOT, settings::RUN_KEY, "KALO DC");
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

// Each test over a home of its own, its settings holding this program's Run value.
struct LogonEntry : testing::Test {
    LogonEntry() {
        qt_testing::application();
        home.write(SETTINGS, HEADER + RUN_SECTION + runLine());
    }
    TempFolder home;
    ConfigHome config{home.path("config")};
};

} // namespace

// A settings file that cannot be read is set aside, and nothing else: the log-on entry
// stays as it is, written by other hands or not, and the fresh store's Run value names
// what the entry starts, so "Run on StartUp" is ticked. The fresh file holds that value.
TEST_F(LogonEntry, AnUnreadableSettingsFileLeavesTheEntryAndTheRunValueFollowsIt) {
    const std::string entry = "[Desktop Entry]\nType=Application\nName=KALO DC\nExec=" + ownPath() +
                              "\nX-GNOME-Autostart-Delay=5\n";
    home.write(ENTRY, entry);
    home.write(SETTINGS, HEADER + RUN_SECTION + runLine() + "junk\n");
    RecordingPlatform os;
    os.reportSettingsFile();
    writeProgramValue(os, "s1", "3");
    EXPECT_EQ(home.read(ENTRY), entry);
    EXPECT_EQ(runValue(os), app::Kalo1::runCommandLine(ownPath()));
    EXPECT_EQ(os.boxes.size(), 1u) << "the one box tells of the settings file";
    EXPECT_NE(home.read(SETTINGS).find(runLine()), std::string::npos) << home.read(SETTINGS);
}

// The entry is written when the Run value changes, not at every change of the settings:
// a slider's steps leave it as it is. At start an entry that is missing or starts another
// program (or the same one in an older form) while the Run value is set is written once;
// one that starts the program is left alone, with what other tools added to it.
TEST_F(LogonEntry, ItIsWrittenOnlyWhenTheRunValueChanges) {
    const std::string path = home.path(ENTRY), entry = linux::autostartEntry(ownPath());
    const std::string delayed = entry + "X-GNOME-Autostart-Delay=5\n";
    struct Row {
        std::string before, after;
    };
    for (const auto& [before, after] : std::vector<Row>{
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

// Turned off, the entry goes; turned on, it comes back, and a later change leaves it.
TEST_F(LogonEntry, TurnedOffTheEntryGoesAndTurnedOnItComesBack) {
    const std::string path = home.path(ENTRY), entry = linux::autostartEntry(ownPath());
    home.write(ENTRY, entry);
    RecordingPlatform os;
    settings::RegistryProcedures reg(os);
    reg.DeleteRegistryValue(platform::HKEY_CURRENT_USER_ROOT, settings::RUN_KEY, "KALO DC");
    EXPECT_EQ(home.read(ENTRY), "<missing>") << "turned off, the entry goes";
    writeProgramValue(os, "s2", "7");
    reg.WriteRegistryString(platform::HKEY_CURRENT_USER_ROOT, settings::RUN_KEY, "KALO DC",
                            app::Kalo1::runCommandLine(ownPath()));
    const auto written = identity(path);
    writeProgramValue(os, "s2", "8");
    EXPECT_EQ(home.read(ENTRY), entry);
    EXPECT_EQ(identity(path), written);
    EXPECT_TRUE(os.boxes.empty());
}

// An entry that cannot be written at start is reported once the program has started, and
// is tried again at the next change of the settings, which writes it once the way is clear.
TEST_F(LogonEntry, AnEntryThatCouldNotBeWrittenIsReportedAndTriedAgain) {
    home.write("config/autostart", "a file where the folder goes");
    RecordingPlatform os;
    const auto quiet = os.boxes.size();
    os.reportSettingsFile();
    const auto atStart = os.boxes.size();
    writeProgramValue(os, "s1", "1");
    std::filesystem::remove(home.path("config/autostart"));
    writeProgramValue(os, "s1", "2");
    EXPECT_EQ(quiet, 0u);
    EXPECT_EQ(atStart, 1u) << "reported once the program has started";
    EXPECT_EQ(os.boxes.size(), 1u) << "and once only";
    EXPECT_EQ(home.read(ENTRY), linux::autostartEntry(ownPath()));
    EXPECT_NE(os.boxes.at(0).find("The log-on entry could not be written"), std::string::npos);
}

namespace {

struct Ran {
    int status;
    std::string output;
};

Ran run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) return {-1, "did not finish"};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll().toStdString()};
}

// The file's text once it is there, or "<missing>" when the deadline passes first.
std::string awaitFile(const TempFolder& home, const std::string& name, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!std::filesystem::exists(home.path(name)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return home.read(name);
}

} // namespace

// The entry starts the program whatever characters the program's path holds: the
// desktop's own checker finds nothing to say, and the session's starter runs it with the
// very path, which the program reads back from the entry. Each row is a folder name; the
// program in it records the path it ran as.
TEST_F(LogonEntry, TheSessionStartsTheProgramWhateverItsPath) {
    const std::vector<std::string> folders = {
        "two  blanks",      "say \"hi\" and it's",
        "$HOME ${x} $(id)", "100%",
        "%f %U %% %",       "back\\slash \\b\\n\\",
        "back`quote` `id`", "\xC3\xA9t\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC",
        "a=b 50%",          "~#;&|<>*?()[]{}!^",
        "line\nbreak\ttab", "all \"'$%\\`= \xC3\xA9",
    };
    for (std::size_t row = 0; row < folders.size(); ++row) {
        const std::string marker = "ran-" + std::to_string(row);
        const std::string program = home.path(folders[row] + "/kalo dc");
        // Written aside and renamed, so the marker never shows up empty.
        const std::string at = home.path(marker);
        home.write(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + at + ".part' && mv '" + at +
                                ".part' '" + at + "'\n");
        std::filesystem::permissions(program, std::filesystem::perms(0755));
        const std::string entry = home.path("entry-" + std::to_string(row) + ".desktop");
        home.write(entry, linux::autostartEntry(program));
        const Ran checked = run("desktop-file-validate", {QString::fromStdString(entry)});
        const Ran launched = run("gio", {"launch", QString::fromStdString(entry)});
        SCOPED_TRACE(folders[row] + "\n" + home.read(entry));
        EXPECT_EQ(std::pair(checked.status, checked.output), std::pair(0, std::string()));
        EXPECT_EQ(std::pair(launched.status, launched.output), std::pair(0, std::string()));
        EXPECT_EQ(awaitFile(home, marker, 10), program);
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
