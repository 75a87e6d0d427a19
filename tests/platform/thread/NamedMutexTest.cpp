#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/thread/NamedMutex.h"
#include "tests/support/BlockedWaits.h"
#include "tests/support/Eventually.h"

namespace platform {
namespace {

using test::Eventually;

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
        EXPECT_TRUE(Eventually([&] { return release.load(); }));
        EXPECT_TRUE(mutex.Release());
        released = true;
    });
    EXPECT_TRUE(Eventually([&] { return held.load(); }));
    EXPECT_FALSE(mutex.TryWait());
    release = true;
    EXPECT_TRUE(Eventually([&] { return released.load(); }));
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
    test::BlockedWaits blocked;
    NamedMutex mutex("gate");
    mutex.Wait();
    std::atomic<bool> acquired{false};
    std::thread waiter([&] {
        mutex.Wait();
        acquired = true;
        EXPECT_TRUE(mutex.Release());
    });
    EXPECT_TRUE(blocked.WaitForBlock("gate"));
    EXPECT_FALSE(acquired);
    EXPECT_TRUE(mutex.Release());
    waiter.join();
    EXPECT_TRUE(acquired);
}

TEST(NamedMutex, NeitherTheOwnerNorAFreeMutexCountsAsBlocking) {
    test::BlockedWaits blocked;
    NamedMutex mutex("free");
    mutex.Wait();
    mutex.Wait();
    EXPECT_TRUE(mutex.Release());
    EXPECT_TRUE(mutex.Release());
    std::thread other([&] {
        mutex.Wait();
        EXPECT_TRUE(mutex.Release());
    });
    other.join();
    EXPECT_FALSE(blocked.WaitForBlock("free", std::chrono::milliseconds(0)));
}

}  // namespace
}  // namespace platform
