#include "linux/services.h"

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace linux {

namespace {

// A file of the running copy, by its extension: in the user's runtime folder, else in /tmp
// under the user's number.
std::string runtimeFile(const std::string& extension) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') return std::string(runtime) + "/kalo-dc." + extension;
    return "/tmp/kalo-dc-" + std::to_string(getuid()) + "." + extension;
}

std::string lockPath() {
    return runtimeFile("lock");
}

} // namespace

std::string instanceSocketPath() {
    return runtimeFile("socket");
}

// The lock is held by an open descriptor until the process ends; the system frees it
// however the program ends.
bool previousInstanceRunning() {
    static int held = -1;
    if (held >= 0) return false;
    int fd = open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false; // no lock to be had: run rather than refuse
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return held = fd, false;
    close(fd);
    return true;
}

} // namespace linux
