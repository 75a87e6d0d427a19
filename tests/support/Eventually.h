// The one way tests wait for another thread or process: poll a condition until it
// holds, with a generous limit so that a fault fails the test instead of hanging
// it. The poll interval is short; it never decides the outcome.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace platform::test {

// A limit far above any wait a healthy run needs, even under the sanitizers on a
// loaded machine.
inline constexpr std::chrono::milliseconds GenerousWait{20'000};

// False when the condition still does not hold after `limit`.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds limit = GenerousWait) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace platform::test
