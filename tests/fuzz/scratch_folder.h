#pragma once
// A program folder of the fuzz target's own, made once per process and removed at exit.
#include <filesystem>
#include <string>
#include <unistd.h>

struct ScratchFolder {
    const std::string path =
        std::filesystem::temp_directory_path().string() + "/kalo-fuzz-" + std::to_string(getpid());
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

inline const std::string& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path;
}
