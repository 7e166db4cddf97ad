// How a later start reaches the copy that runs: over a datagram socket beside the lock. The
// socket of a copy that died, a copy that does not read, a path too long for a socket
// address and a file in the socket's place: none of them holds up the later start.
#include "linux/instance_channel.h"
#include "qt_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using linux::InstanceChannel;
using testing_support::TempFolder;

// Lets events run until `done`, for at most five seconds.
bool eventually(const std::function<bool()>& done) {
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

// A datagram socket bound at `path` that nobody reads; -1 when it cannot be made.
int silentSocket(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return socket;
    close(socket);
    return -1;
}

void sendRaw(const std::string& path, const std::string& bytes) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    int socket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sendto(socket, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address),
           sizeof address);
    close(socket);
}

TEST(InstanceChannel, ALaterStartReachesTheListeningCopyEvenThroughAPathTooLongForAnAddress) {
    qt_testing::application();
    TempFolder run;
    const std::string deep = run.path(std::string(120, 'd'));
    run.write(deep + "/placeholder", "");
    for (const std::string& path : {run.path("kalo-dc.socket"), deep + "/kalo-dc.socket"}) {
        int asked = 0;
        InstanceChannel channel(path, [&] { ++asked; });
        ASSERT_TRUE(channel.listening()) << path.size() << " bytes";
        struct stat status {};
        ASSERT_EQ(stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u) << "only its owner may ask";
        EXPECT_TRUE(InstanceChannel::askToShow(path) && InstanceChannel::askToShow(path));
        EXPECT_TRUE(eventually([&] { return asked > 0; }));
        EXPECT_EQ(asked, 1) << "requests waiting together show the window once";
        EXPECT_TRUE(InstanceChannel::askToShow(path));
        EXPECT_TRUE(eventually([&] { return asked == 2; }));
    }
}

TEST(InstanceChannel, OnlyTheRequestItselfShowsTheWindow) {
    qt_testing::application();
    TempFolder run;
    const std::string path = run.path("kalo-dc.socket");
    int asked = 0;
    InstanceChannel channel(path, [&] { ++asked; });
    for (const char* other : {"sho", "showing", "", "SHOW"}) {
        sendRaw(path, other);
        QCoreApplication::processEvents(); // reads it, alone
    }
    EXPECT_TRUE(InstanceChannel::askToShow(path));
    EXPECT_TRUE(eventually([&] { return asked > 0; }));
    EXPECT_EQ(asked, 1);
}

TEST(InstanceChannel, NoCopyOrOneThatDiedOrDoesNotReadIsNotWaitedFor) {
    qt_testing::application();
    TempFolder run;
    const std::string path = run.path("kalo-dc.socket");
    EXPECT_FALSE(InstanceChannel::askToShow(path)) << "nothing there";
    EXPECT_FALSE(InstanceChannel::askToShow(run.path("missing/kalo-dc.socket")));
    EXPECT_FALSE(InstanceChannel::askToShow(""));

    int silent = silentSocket(path); // a copy that hangs: its queue fills, and stays full
    ASSERT_GE(silent, 0);
    int taken = 0;
    for (int i = 0; i < 1000; ++i)
        taken += InstanceChannel::askToShow(path);
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, 1000) << "a full queue refuses at once";

    close(silent); // the copy died: its socket stays behind, and refuses
    EXPECT_FALSE(InstanceChannel::askToShow(path));
    int asked = 0;
    InstanceChannel channel(path, [&] { ++asked; }); // the next copy takes its place
    ASSERT_TRUE(channel.listening());
    EXPECT_TRUE(InstanceChannel::askToShow(path));
    EXPECT_TRUE(eventually([&] { return asked == 1; }));
}

TEST(InstanceChannel, AnythingElseInTheSocketsPlaceIsLeftAlone) {
    qt_testing::application();
    TempFolder run;
    run.write("kalo-dc.socket", "the user's notes");
    run.write("folder/kalo-dc.socket/inside", "kept");
    for (const char* name : {"kalo-dc.socket", "folder/kalo-dc.socket", "missing/kalo-dc.socket"}) {
        InstanceChannel channel(run.path(name), [] {});
        EXPECT_FALSE(channel.listening()) << name;
        EXPECT_FALSE(InstanceChannel::askToShow(run.path(name))) << name;
    }
    EXPECT_EQ(run.read("kalo-dc.socket") + run.read("folder/kalo-dc.socket/inside"),
              "the user's noteskept");
}

} // namespace
