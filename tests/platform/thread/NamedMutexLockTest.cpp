#include <gtest/gtest.h>

#include <thread>

#include "platform/thread/NamedMutexLock.h"

namespace platform {
namespace {

// Whether another thread finds the mutex held (its probe fails).
bool HeldForOthers(NamedMutex& mutex) {
    bool probed = false;
    std::thread other([&] {
        probed = mutex.TryWait();
        if (probed) mutex.Release();
    });
    other.join();
    return !probed;
}

TEST(NamedMutexLock, HoldsTheMutexForItsScopeAndWhileNotSteppedOut) {
    NamedMutex mutex("scoped");
    {
        NamedMutexLock lock(mutex);
        EXPECT_TRUE(HeldForOthers(mutex));
        lock.Unlock();
        EXPECT_FALSE(HeldForOthers(mutex));
        lock.Lock();
        EXPECT_TRUE(HeldForOthers(mutex));
    }
    EXPECT_FALSE(HeldForOthers(mutex));
}

TEST(NamedMutexLock, ReleasesNothingItDoesNotHold) {
    NamedMutex mutex("stepped-out");
    mutex.Wait();
    {
        NamedMutexLock lock(mutex);  // recursive: the second acquisition
        lock.Unlock();
    }
    EXPECT_TRUE(HeldForOthers(mutex)) << "the first acquisition is still held";
    EXPECT_TRUE(mutex.Release());
    EXPECT_FALSE(mutex.Release());
}

}  // namespace
}  // namespace platform
