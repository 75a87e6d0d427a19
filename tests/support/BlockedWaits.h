// Records the named mutexes that threads block on, for tests that must know a
// thread has come to a halt at a mutex (a paused decoding thread at its gate)
// before they look at what it has done. Once the thread is blocked, everything it
// did before is done, and nothing more happens until the mutex is released. One
// at a time per process; make it before the threads it watches start.
#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "platform/thread/NamedMutex.h"
#include "tests/support/Eventually.h"

namespace platform::test {

class BlockedWaits {
public:
    BlockedWaits() {
        SetNamedMutexBlockHook([this](const std::string& name) {
            std::lock_guard lock(m_guard);
            m_names.push_back(name);
        });
    }
    ~BlockedWaits() { SetNamedMutexBlockHook({}); }
    BlockedWaits(const BlockedWaits&) = delete;
    BlockedWaits& operator=(const BlockedWaits&) = delete;

    // Forgets the blocks recorded so far.
    void Clear() {
        std::lock_guard lock(m_guard);
        m_names.clear();
    }
    // True once a thread has blocked on the mutex of that name since the last Clear;
    // an empty name stands for any mutex.
    bool WaitForBlock(const std::string& name = {},
                      std::chrono::milliseconds limit = GenerousWait) {
        return Eventually(
            [&] {
                std::lock_guard lock(m_guard);
                return name.empty()
                           ? !m_names.empty()
                           : std::find(m_names.begin(), m_names.end(), name) != m_names.end();
            },
            limit);
    }

private:
    std::mutex m_guard;
    std::vector<std::string> m_names;
};

}  // namespace platform::test
