#pragma once
// The running copy's ear: a datagram socket beside the single-instance lock, on which a
// later start asks it to show its main window. Nothing here waits: a datagram needs no
// connection, so a send to the socket of a copy that died is refused at once, and a send
// to a copy that does not read, once its queue is full, fails at once too.
#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;

namespace linux {

class InstanceChannel {
  public:
    // Listens at `path` for as long as it lives, in place of a socket that a copy which
    // died left there (only the copy holding the lock may make one). Anything else that
    // stands at `path` is left alone, and then nothing listens. The socket file stays
    // when the process ends; the next copy to listen replaces it.
    InstanceChannel(const std::string& path, std::function<void()> showAsked);
    ~InstanceChannel();
    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;
    bool listening() const { return socket_ >= 0; }

    // Asks the copy listening at `path` to show itself; false when none took the request.
    static bool askToShow(const std::string& path);

  private:
    void readRequests();

    int socket_ = -1;
    std::function<void()> showAsked_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace linux
