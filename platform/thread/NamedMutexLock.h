// Holds a NamedMutex for a scope: waits for it on construction and releases it on
// destruction, so that no way out of the scope leaves it held. Unlock and Lock let
// the holder step out for a while (to wait for something else) and come back; the
// destructor releases only what is held.
#pragma once

#include "platform/thread/NamedMutex.h"

namespace platform {

class NamedMutexLock {
public:
    explicit NamedMutexLock(NamedMutex& mutex) : m_mutex(mutex) { m_mutex.Wait(); }
    ~NamedMutexLock() { Unlock(); }
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;

    void Unlock() {
        if (m_held) {
            m_mutex.Release();
            m_held = false;
        }
    }
    void Lock() {
        if (!m_held) {
            m_mutex.Wait();
            m_held = true;
        }
    }

private:
    NamedMutex& m_mutex;
    bool m_held = true;
};

}  // namespace platform
