// Threads created suspended and started by Resume. There is no way to kill a
// thread from outside: owners ask it to stop and Join it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

class Thread {
public:
    // The body does not run before Resume. Returns null when no thread can be made.
    [[nodiscard]] static std::unique_ptr<Thread> CreateSuspended(std::function<void()> body);
    ~Thread();  // joins a resumed thread; a never-resumed one is discarded without running

    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts the body; false when it was already resumed or cannot start.
    bool Resume();
    // Raises the priority where the system allows it; failure is ignored.
    void SetHighestPriority();
    // Waits for a resumed thread to end; returns at once for one never resumed.
    void Join();
    [[nodiscard]] bool IsRunning() const;
    [[nodiscard]] bool IsResumed() const;

private:
    struct State;
    explicit Thread(std::shared_ptr<State> state);
    std::shared_ptr<State> m_state;
};

void Sleep(std::chrono::milliseconds duration);

// Lets tests play a system that has no thread to give (creation fails) or cannot
// start one (Resume fails), process-wide, until set back to None.
enum class ThreadFailure { None, Create, Resume };
void SetThreadFailure(ThreadFailure failure);

}  // namespace platform
