// The Linux program's log-on entry, $XDG_CONFIG_HOME/autostart/kalo-dc.desktop: what it
// says, and what the session makes of it.
#include "qt/autostart.h"
#include "qt_fixture.h"

#include <QProcess>

#include <chrono>
#include <thread>

namespace {

using testing_support::TempFolder;

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
TEST(LogonEntry, TheSessionStartsTheProgramWhateverItsPath) {
    qt_testing::application();
    TempFolder home;
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
        home.write(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + home.path(marker) + "'\n");
        std::filesystem::permissions(program, std::filesystem::perms(0755));
        const std::string entry = home.path("entry-" + std::to_string(row) + ".desktop");
        home.write(entry, qt::autostartEntry(program));
        const Ran checked = run("desktop-file-validate", {QString::fromStdString(entry)});
        const Ran launched = run("gio", {"launch", QString::fromStdString(entry)});
        EXPECT_EQ(std::tuple(checked.status, checked.output, launched.status, launched.output,
                             awaitFile(home, marker, 10), qt::entryProgram(home.read(entry))),
                  std::tuple(0, "", 0, "", program, std::optional(program)))
            << folders[row] << "\n"
            << home.read(entry);
    }
}

// What other hands write: a bare path, blanks around '=', a string escape, arguments, an
// Exec of another group; and entries that start nothing.
TEST(LogonEntry, EntriesWrittenElsewhereNameTheirProgram) {
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
        EXPECT_EQ(qt::entryProgram(text), program) << text;
}
