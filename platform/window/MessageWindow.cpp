#include "platform/window/MessageWindow.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

namespace platform {

namespace {

struct Message {
    uint64_t Serial;
    WindowHandle Window;
    uint32_t Id;
    WParam WordParam;
    LParam LongParam;
};

// A host's wake hook and the number of posting threads calling it right now, so
// that removing the hook can wait until no call of it is still running.
struct WakeHook {
    explicit WakeHook(std::function<void()> call) : Call(std::move(call)) {}
    const std::function<void()> Call;
    std::mutex Guard;
    std::condition_variable Idle;
    int ActiveCalls = 0;
};

// The pending messages of one thread's windows, in posting order.
struct ThreadQueue {
    std::deque<Message> Pending;
    std::condition_variable Posted;
    std::shared_ptr<WakeHook> Hook;
    // The hook has been called and no pump has begun since: further posts join
    // the batch that pump will deliver, without calling the hook again.
    bool WakePending = false;
    uint64_t NextSerial = 1;
};

struct Window {
    std::thread::id Owner;
    std::shared_ptr<ThreadQueue> Queue;
    // Shared so that a handler runs outside the lock even while its window is destroyed.
    std::shared_ptr<const MessageHandler> Handler;
};

// Process-wide state, never destroyed: threads may still post while the process exits.
struct Windows {
    std::mutex Guard;
    std::unordered_map<WindowHandle, Window> ByHandle;
    std::unordered_map<std::thread::id, std::shared_ptr<ThreadQueue>> Queues;
    WindowHandle NextHandle = 1;
};

Windows& State() {
    static Windows* state = new Windows;
    return *state;
}

void ForgetThread(std::thread::id thread);

// A thread's windows and queue go away when the thread ends, as they do on the platform.
struct ThreadExit {
    ~ThreadExit() { ForgetThread(std::this_thread::get_id()); }
};

void ForgetThread(std::thread::id thread) {
    Windows& state = State();
    // Handlers and the queue are released after the lock: their destructors may post.
    std::vector<std::shared_ptr<const MessageHandler>> handlers;
    std::shared_ptr<ThreadQueue> queue;
    std::lock_guard lock(state.Guard);
    for (auto it = state.ByHandle.begin(); it != state.ByHandle.end();) {
        if (it->second.Owner == thread) {
            handlers.push_back(std::move(it->second.Handler));
            it = state.ByHandle.erase(it);
        } else {
            ++it;
        }
    }
    auto it = state.Queues.find(thread);
    if (it != state.Queues.end()) {
        queue = std::move(it->second);
        state.Queues.erase(it);
    }
}

// The calling thread's queue; created on first use. Requires the lock.
std::shared_ptr<ThreadQueue>& OwnQueue(Windows& state) {
    thread_local ThreadExit exitGuard;
    (void)exitGuard;
    auto& queue = state.Queues[std::this_thread::get_id()];
    if (!queue) queue = std::make_shared<ThreadQueue>();
    return queue;
}

}  // namespace

WindowHandle CreateMessageWindow(MessageHandler handler) {
    Windows& state = State();
    auto shared = std::make_shared<const MessageHandler>(std::move(handler));
    std::lock_guard lock(state.Guard);
    WindowHandle handle = state.NextHandle++;
    state.ByHandle.emplace(handle,
                           Window{std::this_thread::get_id(), OwnQueue(state), std::move(shared)});
    return handle;
}

void DestroyMessageWindow(WindowHandle window) {
    Windows& state = State();
    std::shared_ptr<const MessageHandler> handler;  // released after the lock
    std::lock_guard lock(state.Guard);
    auto it = state.ByHandle.find(window);
    if (it == state.ByHandle.end()) return;
    handler = std::move(it->second.Handler);
    std::erase_if(it->second.Queue->Pending,
                  [window](const Message& message) { return message.Window == window; });
    state.ByHandle.erase(it);
}

bool IsWindow(WindowHandle window) {
    Windows& state = State();
    std::lock_guard lock(state.Guard);
    return state.ByHandle.contains(window);
}

bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam) {
    Windows& state = State();
    std::shared_ptr<WakeHook> hook;
    {
        std::lock_guard lock(state.Guard);
        auto it = state.ByHandle.find(window);
        if (it == state.ByHandle.end()) return false;
        ThreadQueue& queue = *it->second.Queue;
        queue.Pending.push_back({queue.NextSerial++, window, message, wParam, lParam});
        queue.Posted.notify_all();
        if (queue.Hook && !queue.WakePending) {
            queue.WakePending = true;
            hook = queue.Hook;
            std::lock_guard hookLock(hook->Guard);
            ++hook->ActiveCalls;
        }
    }
    if (hook) {
        hook->Call();
        std::lock_guard hookLock(hook->Guard);
        if (--hook->ActiveCalls == 0) hook->Idle.notify_all();
    }
    return true;
}

size_t PumpMessages() {
    Windows& state = State();
    size_t delivered = 0;
    uint64_t last = 0;  // the last message this pump delivers
    {
        std::lock_guard lock(state.Guard);
        ThreadQueue& queue = *OwnQueue(state);
        queue.WakePending = false;
        last = queue.NextSerial - 1;
    }
    for (;;) {
        Message message;
        std::shared_ptr<const MessageHandler> handler;
        {
            std::lock_guard lock(state.Guard);
            std::deque<Message>& pending = OwnQueue(state)->Pending;
            if (pending.empty() || pending.front().Serial > last) return delivered;
            message = pending.front();
            pending.pop_front();
            auto it = state.ByHandle.find(message.Window);
            if (it == state.ByHandle.end()) continue;
            handler = it->second.Handler;
        }
        if (*handler) (*handler)(message.Id, message.WordParam, message.LongParam);
        ++delivered;
    }
}

size_t WaitAndPumpMessages(std::chrono::milliseconds timeout) {
    Windows& state = State();
    {
        std::unique_lock lock(state.Guard);
        std::shared_ptr<ThreadQueue> queue = OwnQueue(state);
        if (!queue->Posted.wait_for(lock, timeout, [&] { return !queue->Pending.empty(); }))
            return 0;
    }
    return PumpMessages();
}

void SetWakeHook(std::function<void()> hook) {
    Windows& state = State();
    auto replacement = hook ? std::make_shared<WakeHook>(std::move(hook)) : nullptr;
    std::shared_ptr<WakeHook> replaced;
    std::shared_ptr<WakeHook> wakeNow;
    {
        std::lock_guard lock(state.Guard);
        std::shared_ptr<ThreadQueue>& queue = OwnQueue(state);
        replaced = std::move(queue->Hook);
        queue->Hook = std::move(replacement);
        // Messages already waiting would otherwise wait for a post that may never come.
        queue->WakePending = queue->Hook && !queue->Pending.empty();
        if (queue->WakePending) wakeNow = queue->Hook;
    }
    if (wakeNow) wakeNow->Call();
    // The host may destroy what its old hook refers to once this returns.
    if (replaced) {
        std::unique_lock hookLock(replaced->Guard);
        replaced->Idle.wait(hookLock, [&] { return replaced->ActiveCalls == 0; });
    }
}

}  // namespace platform
