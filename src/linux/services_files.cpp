#include "linux/mapped_file.h"
#include "linux/services.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace linux {

namespace fs = std::filesystem;

std::optional<std::string> PosixFiles::read(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return bytes.str();
}

bool PosixFiles::exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// A link is followed to the file it names, so the link itself stays a link.
static std::string linkedFile(std::string path) {
    std::error_code error;
    for (int depth = 0; depth < 40 && fs::is_symlink(path, error); ++depth) {
        fs::path named = fs::read_symlink(path, error);
        if (error) break;
        path = (fs::path(path).parent_path() / named).string();
    }
    return path;
}

bool PosixFiles::writeAtomically(const std::string& path, const PieceSource& pieces,
                                 platform::Durability durability) {
    PosixFileSteps steps;
    return platform::replaceThroughTemporary(steps, linkedFile(path), pieces, durability);
}

std::unique_ptr<platform::FileInPlace> PosixFiles::makeInPlace(const std::string& path,
                                                               std::size_t size) {
    return MappedFile::make(linkedFile(path), size);
}

PosixFileSteps::~PosixFileSteps() {
    if (file_ != -1) ::close(file_);
}

// A target the user may not write is refused, so a file made read-only stays as it is. The
// temporary is private until it has the old file's permissions.
bool PosixFileSteps::create(const std::string& temporary, const std::string& target) {
    struct stat old {};
    bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && ::access(target.c_str(), W_OK) != 0) return false;
    const int access = access_ == Access::ReadWrite ? O_RDWR : O_WRONLY;
    file_ =
        ::open(temporary.c_str(), access | O_CREAT | O_TRUNC | O_CLOEXEC, replacing ? 0600 : 0666);
    if (file_ != -1 && replacing) ::fchmod(file_, old.st_mode & 07777);
    return file_ != -1;
}

bool PosixFileSteps::write(const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t wrote = ::write(file_, bytes.data() + done, bytes.size() - done);
        if (wrote > 0)
            done += std::size_t(wrote);
        else if (wrote == 0 || errno != EINTR)
            return false;
    }
    return true;
}

bool PosixFileSteps::flush() {
    return ::fsync(file_) == 0;
}

bool PosixFileSteps::close() {
    return ::close(std::exchange(file_, -1)) == 0;
}

bool PosixFileSteps::rename(const std::string& temporary, const std::string& target) {
    return ::rename(temporary.c_str(), target.c_str()) == 0;
}

// Syncs the folder that holds `target`, so a new name in it outlives a power cut.
void PosixFileSteps::syncFolderOf(const std::string& target) {
    std::string folder = fs::path(target).parent_path().string();
    int handle = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle == -1) return;
    ::fsync(handle);
    ::close(handle);
}

bool PosixFileSteps::remove(const std::string& temporary) {
    return ::unlink(temporary.c_str()) == 0;
}

bool PosixFiles::folderWritable(const std::string& folder) {
    std::error_code error;
    std::string canonical = fs::weakly_canonical(folder, error).string();
    if (error || canonical == "/usr" || canonical.rfind("/usr/", 0) == 0) return false;
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
}

bool PosixFiles::ensureFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace linux
