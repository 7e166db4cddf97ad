#include "linux/instance_channel.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace linux {

namespace {

constexpr char SHOW[] = "show";
constexpr ssize_t SHOW_SIZE = sizeof SHOW - 1;

// A socket address for a path. A path too long for an address (about 107 bytes) is
// reached through its folder, held open and named by its descriptor under /proc/self/fd.
class SocketAddress {
  public:
    explicit SocketAddress(const std::string& path) : name_(path) {
        if (!fits(name_)) name_ = throughFolder(path);
        if (!fits(name_)) name_.clear();
        address_.sun_family = AF_UNIX;
        std::memcpy(address_.sun_path, name_.c_str(), name_.size() + 1);
    }
    ~SocketAddress() {
        if (folder_ >= 0) close(folder_);
    }
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    bool valid() const { return !name_.empty(); }
    const std::string& name() const { return name_; } // the path the file calls take
    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address_); }
    socklen_t size() const { return sizeof address_; }

  private:
    static bool fits(const std::string& path) {
        return !path.empty() && path.size() < sizeof address_.sun_path;
    }
    std::string throughFolder(const std::string& path) {
        const auto slash = path.rfind('/');
        if (slash == std::string::npos) return {};
        const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
        folder_ = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folder_ < 0) return {};
        return "/proc/self/fd/" + std::to_string(folder_) + path.substr(slash);
    }

    std::string name_;
    sockaddr_un address_{};
    int folder_ = -1;
};

// Makes room for the socket: only a socket, which a copy that died left, is removed.
bool clearOldSocket(const std::string& name) {
    struct stat status {};
    if (lstat(name.c_str(), &status) != 0) return errno == ENOENT;
    return S_ISSOCK(status.st_mode) && unlink(name.c_str()) == 0;
}

// A socket bound at the address, readable and writable by its owner only; -1 on failure.
int boundSocket(const SocketAddress& address) {
    int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) return -1;
    if (bind(socket, address.get(), address.size()) == 0 &&
        chmod(address.name().c_str(), 0600) == 0)
        return socket;
    close(socket);
    return -1;
}

} // namespace

InstanceChannel::InstanceChannel(const std::string& path, std::function<void()> showAsked)
    : showAsked_(std::move(showAsked)) {
    SocketAddress address(path);
    if (!address.valid() || !clearOldSocket(address.name())) return;
    socket_ = boundSocket(address);
    if (socket_ < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readRequests(); });
}

InstanceChannel::~InstanceChannel() {
    notifier_.reset();
    if (socket_ >= 0) close(socket_);
}

// Reads every request waiting: any number of them shows the window once. Anything else
// that arrives is dropped.
void InstanceChannel::readRequests() {
    char request[SHOW_SIZE + 1];
    bool asked = false;
    for (ssize_t got; (got = recv(socket_, request, sizeof request, 0)) >= 0;)
        asked |= got == SHOW_SIZE && std::memcmp(request, SHOW, SHOW_SIZE) == 0;
    if (asked && showAsked_) showAsked_();
}

bool InstanceChannel::askToShow(const std::string& path) {
    SocketAddress address(path);
    if (!address.valid()) return false;
    int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0) return false;
    const bool sent = sendto(socket, SHOW, SHOW_SIZE, MSG_DONTWAIT | MSG_NOSIGNAL, address.get(),
                             address.size()) == SHOW_SIZE;
    close(socket);
    return sent;
}

} // namespace linux
