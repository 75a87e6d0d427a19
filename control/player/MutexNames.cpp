#include "control/player/MutexNames.h"

#include <chrono>
#include <mutex>
#include <random>

namespace aurion {

std::string GenerateMutexName() {
    // One generator for the process, not one per thread: the control is a library
    // that hosts load and unload, and a thread_local in it outlives its unloading.
    static std::mutex guard;
    static std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    const std::lock_guard hold(guard);
    std::string name(MutexNameLength, 'a');
    for (char& letter : name) {
        auto digit = (generator() / 1000u) % 10u;
        letter = static_cast<char>('a' + digit);
    }
    return name;
}

}  // namespace aurion
