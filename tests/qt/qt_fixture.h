#pragma once
// The Linux program's code under test: one offscreen QApplication for the test program,
// and a fresh temporary folder per test, its files named within it or by absolute path.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qt_testing {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "qt_tests", *argv[] = {name, nullptr};
    static QApplication* app =
        (qputenv("QT_QPA_PLATFORM", "offscreen"), new QApplication(argc, argv));
    return *app;
}

struct TempHome {
    QTemporaryDir folder; // removed with everything in it
    std::filesystem::path root = folder.path().toStdString();
    std::string path(const std::string& name) const { return (root / name).string(); }
    std::string read(const std::filesystem::path& name) const {
        std::ifstream in(root / name, std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
    }
    void write(const std::filesystem::path& name, const std::string& bytes) const {
        std::filesystem::create_directories((root / name).parent_path());
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
};

} // namespace qt_testing
