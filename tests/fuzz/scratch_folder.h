#pragma once
// A program folder of the fuzz target's own, made once per process and removed at exit.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

inline const std::string& scratchFolder() {
    // Never destroyed, so the removal at exit can still name it.
    static const std::string* folder = [] {
        auto dir =
            std::filesystem::temp_directory_path() / ("kalo-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchFolder(), ignored);
        });
        return new std::string(dir.string());
    }();
    return *folder;
}
