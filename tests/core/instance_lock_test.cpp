// The instance lock: held by one, seen by a probe that changes nothing,
// taken over once its holder is gone. Runs natively and under Wine.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "lock/instance_lock.h"

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vek::lock {
namespace {

namespace fs = std::filesystem;

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("vek-lock-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string file(const char* name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST_F(InstanceLockTest, OneHolderAtATimeAndAProbeTakesNothing) {
    const std::string path = file("a.lock");
    EXPECT_EQ(probe(path), Probe::Absent);
    EXPECT_FALSE(fs::exists(path)) << "a probe never makes the file";

    InstanceLock first;
    std::string error;
    ASSERT_TRUE(first.take(path, &error)) << error;
    EXPECT_TRUE(first.held());
    ASSERT_TRUE(first.write("1234\n"));
    // The file's text stays readable while it is held.
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "1234\n");
    in.close();

    // Probed again and again: still held, still the first one's.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(probe(path), Probe::Held);
    InstanceLock second;
    EXPECT_FALSE(second.take(path, &error)) << "a live holder is respected";
    EXPECT_FALSE(second.held());
    EXPECT_FALSE(error.empty());

    // Its holder gone without removing the file: free, and taken over.
    first.release(false);
    EXPECT_EQ(probe(path), Probe::Free);
    EXPECT_TRUE(fs::exists(path));
    ASSERT_TRUE(second.take(path, &error)) << error;
    EXPECT_EQ(probe(path), Probe::Held);
    EXPECT_FALSE(first.take(path, &error));

    // Released with its file: nothing left to take over.
    second.release(true);
    EXPECT_EQ(probe(path), Probe::Absent);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(InstanceLockTest, MovedLockStaysHeldAndAnUnreachableFileIsAnError) {
    InstanceLock lock;
    std::string error;
    ASSERT_TRUE(lock.take(file("m.lock"), &error)) << error;
    InstanceLock moved(std::move(lock));
    EXPECT_TRUE(moved.held());
    EXPECT_EQ(probe(file("m.lock")), Probe::Held);
    {
        InstanceLock scoped;
        scoped = std::move(moved);
        EXPECT_EQ(probe(file("m.lock")), Probe::Held);
    }
    EXPECT_EQ(probe(file("m.lock")), Probe::Free) << "a lock ends with its owner";

    InstanceLock nowhere;
    EXPECT_FALSE(nowhere.take(file("no-such-folder/x.lock"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(probe(file("no-such-folder/x.lock")), Probe::Absent);
}

// Another process, as another station instance on this host is: alive, its
// lock is respected; killed, its lock is taken over.
TEST_F(InstanceLockTest, AKilledProcessLockIsTakenOverALiveOneIsNot) {
#ifdef _WIN32
    // Listed on both sides, so that the Windows run counts the same tests.
    GTEST_SKIP() << "a second process is made with fork(), which Windows has not";
#else
    const std::string path = file("child.lock");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceLock mine;
        std::string ignored;
        const char ok = mine.take(path, &ignored) ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        for (;;) ::pause();
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    EXPECT_EQ(probe(path), Probe::Held);
    InstanceLock mine;
    std::string error;
    EXPECT_FALSE(mine.take(path, &error));

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(probe(path), Probe::Free);
    EXPECT_TRUE(mine.take(path, &error)) << error;
#endif
}

}  // namespace
}  // namespace vek::lock
