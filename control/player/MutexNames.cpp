#include "control/player/MutexNames.h"

#include <chrono>
#include <random>

namespace aurion {

std::string GenerateMutexName() {
    thread_local std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    std::string name(MutexNameLength, 'a');
    for (char& letter : name) {
        auto digit = (generator() / 1000u) % 10u;
        letter = static_cast<char>('a' + digit);
    }
    return name;
}

}  // namespace aurion
