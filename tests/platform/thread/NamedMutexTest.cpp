#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/thread/NamedMutex.h"
#include "platform/thread/Thread.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

TEST(NamedMutex, KeepsItsName) {
    NamedMutex mutex("AurionRequest1234");
    EXPECT_EQ(mutex.Name(), "AurionRequest1234");
}

TEST(NamedMutex, ProbeFailsWhileAnotherThreadHoldsIt) {
    NamedMutex mutex("probe");
    std::atomic<bool> held{false}, release{false}, released{false};
    std::thread holder([&] {
        mutex.Wait();
        held = true;
        while (!release) Sleep(1ms);
        EXPECT_TRUE(mutex.Release());
        released = true;
    });
    while (!held) Sleep(1ms);
    EXPECT_FALSE(mutex.TryWait());
    release = true;
    while (!released) Sleep(1ms);
    EXPECT_TRUE(mutex.TryWait());
    EXPECT_TRUE(mutex.Release());
    holder.join();
}

TEST(NamedMutex, IsRecursiveForItsOwner) {
    NamedMutex mutex("recursive");
    mutex.Wait();
    EXPECT_TRUE(mutex.TryWait());
    mutex.Wait();
    EXPECT_TRUE(mutex.Release());
    EXPECT_TRUE(mutex.Release());

    std::atomic<bool> probe{true};
    std::thread other([&] { probe = mutex.TryWait(); });
    other.join();
    EXPECT_FALSE(probe) << "one of three acquisitions is still held";

    EXPECT_TRUE(mutex.Release());
    EXPECT_FALSE(mutex.Release()) << "more releases than acquisitions";
    std::thread after([&] {
        probe = mutex.TryWait();
        if (probe) {
            EXPECT_TRUE(mutex.Release());
        }
    });
    after.join();
    EXPECT_TRUE(probe);
}

TEST(NamedMutex, ReleaseByANonOwnerFails) {
    NamedMutex mutex("owned");
    mutex.Wait();
    std::atomic<bool> released{true};
    std::thread other([&] { released = mutex.Release(); });
    other.join();
    EXPECT_FALSE(released);
    EXPECT_TRUE(mutex.Release());

    std::thread unheld([&] { released = mutex.Release(); });
    unheld.join();
    EXPECT_FALSE(released);
}

TEST(NamedMutex, WaitBlocksUntilTheOwnerReleases) {
    NamedMutex mutex("gate");
    mutex.Wait();
    std::atomic<bool> acquired{false};
    std::thread waiter([&] {
        mutex.Wait();
        acquired = true;
        EXPECT_TRUE(mutex.Release());
    });
    Sleep(50ms);
    EXPECT_FALSE(acquired);
    EXPECT_TRUE(mutex.Release());
    waiter.join();
    EXPECT_TRUE(acquired);
}

}  // namespace
}  // namespace platform
