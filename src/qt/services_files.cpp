#include "qt/services.h"

#include <QSaveFile>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace qt {

namespace fs = std::filesystem;

std::optional<std::string> QtFiles::read(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return bytes.str();
}

bool QtFiles::exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// A temporary file beside `path`, written, flushed to the disk and renamed over it.
bool QtFiles::writeAtomically(const std::string& path, const PieceSource& pieces) {
    QSaveFile file(qs(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    std::string piece;
    while (pieces(piece)) {
        if (file.write(piece.data(), qint64(piece.size())) != qint64(piece.size())) {
            file.cancelWriting();
            return false;
        }
        piece.clear();
    }
    return file.commit();
}

bool QtFiles::folderWritable(const std::string& folder) {
    std::error_code error;
    std::string canonical = fs::weakly_canonical(folder, error).string();
    if (error || canonical == "/usr" || canonical.rfind("/usr/", 0) == 0) return false;
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
}

bool QtFiles::ensureFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace qt
