// A later start reaches the running copy over a datagram socket beside the lock; nothing
// else in the socket's place holds the later start up.
#include "linux/instance_channel.h"
#include "qt_fixture.h"

#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using linux::InstanceChannel;
using testing_support::TempFolder;

// A datagram socket of the test's own, for the address of `path`.
struct RawSocket {
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{AF_UNIX, {}};
    explicit RawSocket(const std::string& path) {
        path.copy(address.sun_path, sizeof address.sun_path - 1);
    }
    ~RawSocket() { close(fd); }
    const sockaddr* at() const { return reinterpret_cast<const sockaddr*>(&address); }
    bool bind() { return ::bind(fd, at(), sizeof address) == 0; }
    void send(const std::string& bytes) {
        sendto(fd, bytes.data(), bytes.size(), 0, at(), sizeof address);
    }
};

// The listening copy shows its window at a later start's request, and at nothing else that
// arrives; its socket is its owner's only, even where the path is too long for an address.
TEST(InstanceChannel, ALaterStartReachesTheListeningCopyByItsRequestAlone) {
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
        for (const char* other : {"sho", "showing", "", "SHOW"}) {
            RawSocket(path).send(other);       // reaches the short path only
            QCoreApplication::processEvents(); // reads it, alone
        }
        EXPECT_TRUE(InstanceChannel::askToShow(path));
        EXPECT_TRUE(QTest::qWaitFor([&] { return asked > 0; }, 5000));
        EXPECT_EQ(asked, 1) << path.size() << " bytes";
    }
}

TEST(InstanceChannel, NoCopyOrOneThatDiedOrDoesNotReadIsNotWaitedFor) {
    qt_testing::application();
    TempFolder run;
    const std::string path = run.path("kalo-dc.socket");
    for (const std::string& none : {path, run.path("missing/kalo-dc.socket"), std::string()})
        EXPECT_FALSE(InstanceChannel::askToShow(none)) << "nothing at " << none;
    {
        RawSocket silent(path); // a copy that hangs: its queue fills, and stays full
        ASSERT_TRUE(silent.bind());
        int taken = 0;
        for (int i = 0; i < 1000; ++i)
            taken += InstanceChannel::askToShow(path);
        EXPECT_GT(taken, 0);
        EXPECT_LT(taken, 1000) << "a full queue refuses at once";
    } // the copy died: its socket stays behind, and refuses
    EXPECT_FALSE(InstanceChannel::askToShow(path));
    int asked = 0;
    InstanceChannel channel(path, [&] { ++asked; }); // the next copy takes its place
    ASSERT_TRUE(channel.listening());
    EXPECT_TRUE(InstanceChannel::askToShow(path));
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked == 1; }, 5000));
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
