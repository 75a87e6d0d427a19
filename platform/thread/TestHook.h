// A function that tests install process-wide for the layer to call at one point of
// its work (a thread about to block, a device gone quiet), so that they can wait for
// that moment instead of guessing it. A call costs one atomic load while none is
// installed; installing and calling are serialised, so a hook once removed is never
// called again. The hook runs on the calling thread under the layer's locks: it
// records and returns.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <utility>

namespace platform {

template <class... Args>
class TestHook {
public:
    void Set(std::function<void(Args...)> hook) {
        std::lock_guard lock(m_guard);
        m_set = static_cast<bool>(hook);
        m_hook = std::move(hook);
    }
    void Tell(Args... args) {
        if (!m_set.load()) return;
        std::lock_guard lock(m_guard);
        if (m_hook) m_hook(args...);
    }

private:
    std::mutex m_guard;
    std::function<void(Args...)> m_hook;
    std::atomic<bool> m_set{false};
};

}  // namespace platform
