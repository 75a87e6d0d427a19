// Names for a session's two mutexes: 10 letters, each one of "a".."j". Each letter
// is the last decimal digit of a random number divided by 1000 (0 gives "a" ... 9
// gives "j"); the generator is seeded from the time of day once per thread.
#pragma once

#include <string>

namespace aurion {

inline constexpr size_t MutexNameLength = 10;

[[nodiscard]] std::string GenerateMutexName();

}  // namespace aurion
