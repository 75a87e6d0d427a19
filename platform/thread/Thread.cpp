#include "platform/thread/Thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {

namespace {

// The platform's "highest" thread priority is two steps above normal: two nice levels here.
constexpr int HighestPriorityBoost = 2;

std::atomic<ThreadFailure> PlayedFailure{ThreadFailure::None};

}  // namespace

struct Thread::State {
    std::function<void()> Body;
    std::mutex Guard;
    std::condition_variable Changed;
    bool Resumed = false;
    bool Discarded = false;
    bool Finished = false;
    pid_t KernelId = 0;  // known once the thread has started waiting
    std::thread Worker;
    std::mutex JoinGuard;
};

void SetThreadFailure(ThreadFailure failure) { PlayedFailure.store(failure); }

std::unique_ptr<Thread> Thread::CreateSuspended(std::function<void()> body) {
    if (PlayedFailure.load() == ThreadFailure::Create) return nullptr;
    auto state = std::make_shared<State>();
    state->Body = std::move(body);
    // The system thread exists from here on and waits for Resume or for its discarding.
    auto run = [state] {
        std::unique_lock lock(state->Guard);
        state->KernelId = static_cast<pid_t>(syscall(SYS_gettid));
        state->Changed.notify_all();
        state->Changed.wait(lock, [&] { return state->Resumed || state->Discarded; });
        if (state->Discarded) return;
        lock.unlock();
        state->Body();
        lock.lock();
        state->Finished = true;
        state->Body = nullptr;
    };
    try {
        state->Worker = std::thread(run);
    } catch (const std::system_error&) {
        return nullptr;
    }
    {
        std::unique_lock lock(state->Guard);
        state->Changed.wait(lock, [&] { return state->KernelId != 0; });
    }
    return std::unique_ptr<Thread>(new Thread(std::move(state)));
}

Thread::Thread(std::shared_ptr<State> state) : m_state(std::move(state)) {}

Thread::~Thread() {
    {
        std::lock_guard lock(m_state->Guard);
        if (!m_state->Resumed) m_state->Discarded = true;
        m_state->Changed.notify_all();
    }
    std::lock_guard join(m_state->JoinGuard);
    if (!m_state->Worker.joinable()) return;
    // A body that destroys its own Thread cannot wait for itself: let it end on its own.
    if (m_state->Worker.get_id() == std::this_thread::get_id())
        m_state->Worker.detach();
    else
        m_state->Worker.join();
}

bool Thread::Resume() {
    if (PlayedFailure.load() == ThreadFailure::Resume) return false;
    std::lock_guard lock(m_state->Guard);
    if (m_state->Resumed || m_state->Discarded) return false;
    m_state->Resumed = true;
    m_state->Changed.notify_all();
    return true;
}

void Thread::SetHighestPriority() {
    pid_t id = 0;
    {
        std::lock_guard lock(m_state->Guard);
        if (m_state->Finished) return;
        id = m_state->KernelId;
    }
    errno = 0;
    int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(id));
    if (nice == -1 && errno != 0) return;
    // Raising a priority needs a privilege most users lack; then the thread keeps its own.
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(id), nice - HighestPriorityBoost);
}

void Thread::Join() {
    {
        std::lock_guard lock(m_state->Guard);
        if (!m_state->Resumed) return;
    }
    std::lock_guard join(m_state->JoinGuard);
    if (!m_state->Worker.joinable() || m_state->Worker.get_id() == std::this_thread::get_id())
        return;
    m_state->Worker.join();
}

bool Thread::IsRunning() const {
    std::lock_guard lock(m_state->Guard);
    return m_state->Resumed && !m_state->Finished;
}

bool Thread::IsResumed() const {
    std::lock_guard lock(m_state->Guard);
    return m_state->Resumed;
}

void Sleep(std::chrono::milliseconds duration) {
    if (duration.count() > 0)
        std::this_thread::sleep_for(duration);
    else
        std::this_thread::yield();
}

}  // namespace platform
