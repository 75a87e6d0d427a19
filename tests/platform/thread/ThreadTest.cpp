#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "platform/thread/Thread.h"
#include "tests/support/Eventually.h"

namespace platform {
namespace {

using test::Eventually;

TEST(Thread, BodyWaitsForResume) {
    std::atomic<bool> ran{false};
    std::unique_ptr<Thread> thread = Thread::CreateSuspended([&] { ran = true; });
    ASSERT_TRUE(thread);
    // The system thread is waiting by the time CreateSuspended returns.
    EXPECT_FALSE(ran);
    EXPECT_FALSE(thread->IsResumed());
    EXPECT_FALSE(thread->IsRunning());

    EXPECT_TRUE(thread->Resume());
    EXPECT_TRUE(thread->IsResumed());
    thread->Join();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(thread->IsRunning());
}

TEST(Thread, ResumesOnlyOnce) {
    std::atomic<int> runs{0};
    std::unique_ptr<Thread> thread = Thread::CreateSuspended([&] { ++runs; });
    ASSERT_TRUE(thread);
    EXPECT_TRUE(thread->Resume());
    EXPECT_FALSE(thread->Resume());
    thread->Join();
    EXPECT_FALSE(thread->Resume());
    EXPECT_EQ(runs.load(), 1);
}

TEST(Thread, IsRunningUntilTheBodyReturns) {
    std::atomic<bool> release{false};
    std::unique_ptr<Thread> thread =
        Thread::CreateSuspended([&] { EXPECT_TRUE(Eventually([&] { return release.load(); })); });
    ASSERT_TRUE(thread);
    thread->SetHighestPriority();  // may well be refused; the thread must still work
    ASSERT_TRUE(thread->Resume());
    EXPECT_TRUE(thread->IsRunning());
    release = true;
    thread->Join();
    EXPECT_FALSE(thread->IsRunning());
    thread->Join();  // a second join returns at once
}

TEST(Thread, JoinOfANeverResumedThreadReturnsAtOnce) {
    std::atomic<bool> ran{false};
    std::unique_ptr<Thread> thread = Thread::CreateSuspended([&] { ran = true; });
    ASSERT_TRUE(thread);
    thread->Join();
    EXPECT_FALSE(ran);
}

TEST(Thread, DestroyingANeverResumedThreadDiscardsTheBody) {
    auto ran = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<Thread> thread = Thread::CreateSuspended([ran] { *ran = true; });
    ASSERT_TRUE(thread);
    thread.reset();  // the system thread has ended when this returns
    EXPECT_FALSE(*ran);
    EXPECT_EQ(ran.use_count(), 1) << "the body and what it holds are gone";
}

TEST(Thread, DestroyingAResumedThreadWaitsForTheBody) {
    std::atomic<bool> destroying{false};
    std::atomic<bool> finished{false};
    std::unique_ptr<Thread> thread = Thread::CreateSuspended([&] {
        // Still busy when its owner lets go of it.
        EXPECT_TRUE(Eventually([&] { return destroying.load(); }));
        finished = true;
    });
    ASSERT_TRUE(thread);
    ASSERT_TRUE(thread->Resume());
    destroying = true;
    thread.reset();
    EXPECT_TRUE(finished);
}

TEST(Thread, ABodyMayDestroyItsOwnThread) {
    std::unique_ptr<Thread> thread;
    std::atomic<bool> done{false};
    std::atomic<bool> go{false};
    thread = Thread::CreateSuspended([&] {
        EXPECT_TRUE(Eventually([&] { return go.load(); }));
        thread.reset();
        done = true;
    });
    ASSERT_TRUE(thread);
    ASSERT_TRUE(thread->Resume());
    go = true;
    EXPECT_TRUE(Eventually([&] { return done.load(); }));
}

}  // namespace
}  // namespace platform
