// A mutex with a name (kept for diagnostics) in the manner of the platform's
// mutex objects: owned by the thread that acquired it, recursive for its owner,
// released by its owner. Wait blocks without limit; TryWait is the zero-time-out probe.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace platform {

class NamedMutex {
public:
    explicit NamedMutex(std::string name);
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    void Wait();
    [[nodiscard]] bool TryWait();
    // False when the calling thread does not own the mutex.
    bool Release();
    [[nodiscard]] const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    std::mutex m_guard;
    std::condition_variable m_released;
    std::thread::id m_owner;
    unsigned m_count = 0;
};

// For tests, process-wide: told on the waiting thread, with the mutex's name, each
// time Wait finds the mutex owned by another thread and is about to block. It must
// not use the mutex. An empty hook removes it.
void SetNamedMutexBlockHook(std::function<void(const std::string& name)> hook);

}  // namespace platform
