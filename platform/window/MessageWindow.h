// Message windows: a handle owned by the thread that created it, to which any
// thread may post messages. Messages are delivered in posting order to the
// window's handler on the owning thread, when that thread pumps its pending
// messages. Posting to a destroyed window drops the message. Handlers run without
// any lock held, so they may post, create and destroy windows and pump again. The
// windows of a thread are destroyed when that thread ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace platform {

// 0 is never a valid window.
using WindowHandle = uint64_t;
constexpr WindowHandle NullWindow = 0;

constexpr uint32_t WM_USER = 0x0400;

using WParam = uintptr_t;
using LParam = intptr_t;
using MessageHandler = std::function<void(uint32_t message, WParam wParam, LParam lParam)>;

// Creates a window owned by the calling thread.
[[nodiscard]] WindowHandle CreateMessageWindow(MessageHandler handler);
// Destroys the window; messages still queued for it are dropped. Owning thread only.
void DestroyMessageWindow(WindowHandle window);
[[nodiscard]] bool IsWindow(WindowHandle window);

// Callable from any thread; false when the window does not exist.
bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);

// "Let window events run": delivers the messages that were pending for the calling
// thread's windows when it began; messages posted meanwhile (by handlers or other
// threads) wait for the next pump, so a host's own events are never starved.
// Returns the count.
size_t PumpMessages();
// Waits up to `timeout` for a message to the calling thread's windows, then pumps.
// Returns the number delivered (0 on time-out).
size_t WaitAndPumpMessages(std::chrono::milliseconds timeout);

// A host with its own event loop (Qt's) sets a hook that is called, on the posting
// thread, when a message is posted to one of the calling thread's windows and no
// wake is outstanding: once for a batch of posts, until the next pump begins. It is
// also called at once, on the calling thread, when set while messages are waiting.
// The host then arranges for PumpMessages to run on its thread; the hook must not
// block. An empty hook removes it.
// Replacing a hook waits until no posting thread is still calling the old one, so the
// hook must not itself wait for the thread that replaces it.
void SetWakeHook(std::function<void()> hook);

}  // namespace platform
