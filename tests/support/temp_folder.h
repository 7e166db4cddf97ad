#pragma once
// A new empty folder of its own, removed with everything in it at the end. Its files are
// named within it ("folder/name", as the fake platform joins paths), or by an absolute path.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace testing_support {

struct TempFolder {
    const std::string folder = [] {
        static std::mt19937 rng{std::random_device{}()};
        auto dir = std::filesystem::temp_directory_path() / ("kalo-test-" + std::to_string(rng()));
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string path(const std::filesystem::path& name) const {
        return name.is_absolute() ? name.string() : folder + '/' + name.string();
    }
    // The file's bytes, or "<missing>".
    std::string read(const std::filesystem::path& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
    }
    void write(const std::filesystem::path& name, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(path(name)).parent_path());
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
};

} // namespace testing_support
