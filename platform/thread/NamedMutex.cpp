#include "platform/thread/NamedMutex.h"

#include "platform/thread/TestHook.h"

namespace platform {

namespace {

// Never destroyed: threads of a control left running at exit may still wait.
TestHook<const std::string&>& BlockHook() {
    static auto* hook = new TestHook<const std::string&>;
    return *hook;
}

}  // namespace

void SetNamedMutexBlockHook(std::function<void(const std::string& name)> hook) {
    BlockHook().Set(std::move(hook));
}

NamedMutex::NamedMutex(std::string name) : m_name(std::move(name)) {}

void NamedMutex::Wait() {
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock lock(m_guard);
    if (m_count != 0 && m_owner != self) BlockHook().Tell(m_name);
    m_released.wait(lock, [&] { return m_count == 0 || m_owner == self; });
    m_owner = self;
    ++m_count;
}

bool NamedMutex::TryWait() {
    const std::thread::id self = std::this_thread::get_id();
    std::lock_guard lock(m_guard);
    if (m_count != 0 && m_owner != self) return false;
    m_owner = self;
    ++m_count;
    return true;
}

bool NamedMutex::Release() {
    std::lock_guard lock(m_guard);
    if (m_count == 0 || m_owner != std::this_thread::get_id()) return false;
    if (--m_count == 0) {
        m_owner = std::thread::id();
        m_released.notify_one();
    }
    return true;
}

}  // namespace platform
