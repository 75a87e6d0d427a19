#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/window/MessageWindow.h"
#include "tests/support/Eventually.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using test::Eventually;

struct Delivery {
    uint32_t Message;
    WParam WordParam;
    LParam LongParam;
    std::thread::id Thread;
};

// A window on the calling thread that records what reaches it.
class RecordingWindow {
public:
    RecordingWindow()
        : m_handle(CreateMessageWindow([this](uint32_t message, WParam w, LParam l) {
              std::lock_guard lock(m_guard);
              m_deliveries.push_back({message, w, l, std::this_thread::get_id()});
          })) {}
    ~RecordingWindow() { DestroyMessageWindow(m_handle); }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    [[nodiscard]] WindowHandle Handle() const { return m_handle; }
    [[nodiscard]] std::vector<Delivery> Deliveries() {
        std::lock_guard lock(m_guard);
        return m_deliveries;
    }

private:
    std::mutex m_guard;
    std::vector<Delivery> m_deliveries;
    WindowHandle m_handle;
};

TEST(MessageWindow, PostsFromAnotherThreadArriveInOrderOnTheOwner) {
    RecordingWindow window;
    ASSERT_NE(window.Handle(), NullWindow);
    constexpr int Count = 500;
    std::thread poster([&] {
        for (int i = 0; i < Count; ++i)
            EXPECT_TRUE(PostMessage(window.Handle(), WM_USER + 127, static_cast<WParam>(i), -i));
        EXPECT_EQ(PumpMessages(), 0u);  // the poster owns no window: nothing runs here
    });
    poster.join();
    EXPECT_TRUE(window.Deliveries().empty()) << "nothing is delivered before the owner pumps";

    EXPECT_EQ(PumpMessages(), static_cast<size_t>(Count));
    std::vector<Delivery> deliveries = window.Deliveries();
    ASSERT_EQ(deliveries.size(), static_cast<size_t>(Count));
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(deliveries[i].Message, WM_USER + 127);
        EXPECT_EQ(deliveries[i].WordParam, static_cast<WParam>(i));
        EXPECT_EQ(deliveries[i].LongParam, -i);
        EXPECT_EQ(deliveries[i].Thread, std::this_thread::get_id());
    }
    EXPECT_EQ(PumpMessages(), 0u);
}

TEST(MessageWindow, WindowsOfOneThreadShareOnePostingOrder) {
    std::vector<int> order;
    WindowHandle a =
        CreateMessageWindow([&](uint32_t, WParam w, LParam) { order.push_back(int(w)); });
    WindowHandle b =
        CreateMessageWindow([&](uint32_t, WParam w, LParam) { order.push_back(100 + int(w)); });
    EXPECT_NE(a, b);
    PostMessage(a, WM_USER, 1, 0);
    PostMessage(b, WM_USER, 2, 0);
    PostMessage(a, WM_USER, 3, 0);
    EXPECT_EQ(PumpMessages(), 3u);
    EXPECT_EQ(order, (std::vector<int>{1, 102, 3}));
    DestroyMessageWindow(a);
    DestroyMessageWindow(b);
}

TEST(MessageWindow, OnlyTheOwningThreadDeliversToAWindow) {
    std::atomic<std::thread::id> handledOn{};
    std::atomic<WindowHandle> handle{NullWindow};
    std::atomic<bool> posted{false}, checked{false};
    std::thread owner([&] {
        handle = CreateMessageWindow(
            [&](uint32_t, WParam, LParam) { handledOn = std::this_thread::get_id(); });
        EXPECT_TRUE(Eventually([&] { return checked.load(); }));
        EXPECT_EQ(WaitAndPumpMessages(5000ms), 1u);
        DestroyMessageWindow(handle);
    });
    EXPECT_TRUE(Eventually([&] { return handle != NullWindow; }));
    EXPECT_TRUE(PostMessage(handle, WM_USER + 1, 0, 0));
    EXPECT_EQ(PumpMessages(), 0u);
    checked = true;
    owner.join();
    EXPECT_NE(handledOn.load(), std::thread::id{});
    EXPECT_NE(handledOn.load(), std::this_thread::get_id());
}

TEST(MessageWindow, PostingToADestroyedWindowIsDropped) {
    int calls = 0;
    WindowHandle window = CreateMessageWindow([&](uint32_t, WParam, LParam) { ++calls; });
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(PostMessage(window, WM_USER, 1, 0));
    DestroyMessageWindow(window);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(PostMessage(window, WM_USER, 2, 0));
    EXPECT_EQ(PumpMessages(), 0u);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(PostMessage(NullWindow, WM_USER, 3, 0));
    DestroyMessageWindow(window);  // a second destroy is harmless
}

TEST(MessageWindow, AWindowDestroyedByAHandlerGetsNothingMore) {
    std::vector<WParam> seen;
    WindowHandle window = NullWindow;
    window = CreateMessageWindow([&](uint32_t, WParam w, LParam) {
        seen.push_back(w);
        DestroyMessageWindow(window);
    });
    PostMessage(window, WM_USER, 1, 0);
    PostMessage(window, WM_USER, 2, 0);
    EXPECT_EQ(PumpMessages(), 1u);
    EXPECT_EQ(seen, (std::vector<WParam>{1}));
}

TEST(MessageWindow, AHandlerPostingToItselfIsServedWithoutDeadlock) {
    std::vector<WParam> seen;
    WindowHandle window = NullWindow;
    window = CreateMessageWindow([&](uint32_t, WParam w, LParam) {
        seen.push_back(w);
        if (w < 3) {
            EXPECT_TRUE(PostMessage(window, WM_USER, w + 1, 0));
        }
    });
    PostMessage(window, WM_USER, 1, 0);
    // Each pump delivers what was pending when it began; the handler's post waits.
    EXPECT_EQ(PumpMessages(), 1u);
    EXPECT_EQ(PumpMessages(), 1u);
    EXPECT_EQ(PumpMessages(), 1u);
    EXPECT_EQ(PumpMessages(), 0u);
    EXPECT_EQ(seen, (std::vector<WParam>{1, 2, 3}));
    DestroyMessageWindow(window);
}

TEST(MessageWindow, AHandlerMayCreateWindowsAndPumpAgain) {
    std::vector<int> order;
    WindowHandle inner = NullWindow;
    WindowHandle outer = CreateMessageWindow([&](uint32_t, WParam, LParam) {
        order.push_back(1);
        inner = CreateMessageWindow([&](uint32_t, WParam, LParam) { order.push_back(2); });
        PostMessage(inner, WM_USER, 0, 0);
        PumpMessages();  // a wait that lets window events run, inside a handler
        order.push_back(3);
    });
    PostMessage(outer, WM_USER, 0, 0);
    PumpMessages();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    DestroyMessageWindow(inner);
    DestroyMessageWindow(outer);
}

TEST(MessageWindow, WakeHookFiresOnThePostingThread) {
    RecordingWindow window;
    std::atomic<int> wakes{0};
    std::atomic<std::thread::id> wokenOn{};
    SetWakeHook([&] {
        ++wakes;
        wokenOn = std::this_thread::get_id();
    });
    std::thread::id posterId;
    std::thread poster([&] {
        posterId = std::this_thread::get_id();
        PostMessage(window.Handle(), WM_USER, 7, 0);
    });
    poster.join();
    EXPECT_EQ(wakes.load(), 1);
    EXPECT_EQ(wokenOn.load(), posterId);
    EXPECT_EQ(PumpMessages(), 1u);

    SetWakeHook({});
    PostMessage(window.Handle(), WM_USER, 8, 0);
    EXPECT_EQ(wakes.load(), 1);
    EXPECT_EQ(PumpMessages(), 1u);
}

TEST(MessageWindow, WakeHookIsCalledOnceForABatchOfPosts) {
    RecordingWindow window;
    std::atomic<int> wakes{0};
    SetWakeHook([&] { ++wakes; });
    std::thread poster([&] {
        for (int i = 0; i < 20; ++i) PostMessage(window.Handle(), WM_USER, i, 0);
    });
    poster.join();
    EXPECT_EQ(wakes.load(), 1) << "posts before the pump belong to one wake";
    EXPECT_EQ(PumpMessages(), 20u);

    // A post after the pump began starts the next batch.
    PostMessage(window.Handle(), WM_USER, 21, 0);
    PostMessage(window.Handle(), WM_USER, 22, 0);
    EXPECT_EQ(wakes.load(), 2);
    EXPECT_EQ(PumpMessages(), 2u);
    SetWakeHook({});
}

TEST(MessageWindow, WakeHookSetWhileMessagesWaitIsCalledAtOnce) {
    RecordingWindow window;
    PostMessage(window.Handle(), WM_USER, 1, 0);
    std::atomic<int> wakes{0};
    SetWakeHook([&] { ++wakes; });
    EXPECT_EQ(wakes.load(), 1) << "the waiting message would never be pumped";
    PostMessage(window.Handle(), WM_USER, 2, 0);
    EXPECT_EQ(wakes.load(), 1);
    EXPECT_EQ(PumpMessages(), 2u);

    SetWakeHook({});
    SetWakeHook([&] { ++wakes; });
    EXPECT_EQ(wakes.load(), 1) << "nothing waits: no wake";
    SetWakeHook({});
}

TEST(MessageWindow, APumpLeavesMessagesPostedDuringItForTheNextPump) {
    std::vector<WParam> seen;
    std::atomic<int> wakes{0};
    WindowHandle window = NullWindow;
    window = CreateMessageWindow([&](uint32_t, WParam w, LParam) {
        seen.push_back(w);
        if (w == 1) std::thread([&] { PostMessage(window, WM_USER, 10, 0); }).join();
    });
    SetWakeHook([&] { ++wakes; });
    PostMessage(window, WM_USER, 1, 0);
    PostMessage(window, WM_USER, 2, 0);
    EXPECT_EQ(wakes.load(), 1);
    EXPECT_EQ(PumpMessages(), 2u);
    EXPECT_EQ(seen, (std::vector<WParam>{1, 2}));
    EXPECT_EQ(wakes.load(), 2) << "the post during the pump asks for the next one";
    EXPECT_EQ(PumpMessages(), 1u);
    EXPECT_EQ(seen, (std::vector<WParam>{1, 2, 10}));
    SetWakeHook({});
    DestroyMessageWindow(window);
}

TEST(MessageWindow, RemovingTheWakeHookWaitsForACallStillRunning) {
    RecordingWindow window;
    std::atomic<bool> entered{false}, removing{false}, finished{false};
    SetWakeHook([&] {
        entered = true;
        // Still running when its owner removes it.
        EXPECT_TRUE(Eventually([&] { return removing.load(); }));
        finished = true;
    });
    std::thread poster([&] { PostMessage(window.Handle(), WM_USER, 1, 0); });
    EXPECT_TRUE(Eventually([&] { return entered.load(); }));
    removing = true;
    SetWakeHook({});
    EXPECT_TRUE(finished) << "the old hook was still running after its removal";
    poster.join();
    EXPECT_EQ(PumpMessages(), 1u);
}

TEST(MessageWindow, WakeHookBelongsToTheOwningThread) {
    RecordingWindow window;
    std::atomic<int> wakes{0};
    std::thread other([&] { SetWakeHook([&] { ++wakes; }); });
    other.join();
    PostMessage(window.Handle(), WM_USER, 1, 0);
    EXPECT_EQ(wakes.load(), 0);
    EXPECT_EQ(PumpMessages(), 1u);
}

TEST(MessageWindow, WaitAndPumpWakesForAPostAndTimesOutWithout) {
    RecordingWindow window;
    EXPECT_EQ(WaitAndPumpMessages(20ms), 0u);
    // Posted while this thread waits, or just before: either way the wait ends with it.
    std::thread poster([&] { PostMessage(window.Handle(), WM_USER, 5, 0); });
    EXPECT_EQ(WaitAndPumpMessages(10s), 1u);
    poster.join();
    ASSERT_EQ(window.Deliveries().size(), 1u);
    EXPECT_EQ(window.Deliveries()[0].WordParam, 5u);
}

TEST(MessageWindow, WindowsEndWithTheirThread) {
    std::atomic<WindowHandle> handle{NullWindow};
    std::thread owner([&] { handle = CreateMessageWindow([](uint32_t, WParam, LParam) {}); });
    owner.join();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(PostMessage(handle, WM_USER, 0, 0));
}

}  // namespace
}  // namespace platform
