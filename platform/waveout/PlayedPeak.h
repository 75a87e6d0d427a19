// The peak of what the wave-output layer played lately, for the mixer's peak meter.
// Process-wide: every open device records the peak of each period it has played.
#pragma once

#include <cstdint>

namespace platform {

void RecordPlayedPeak(uint32_t peak);
// The highest peak recorded during the last 50 ms; 0 when nothing was played then.
[[nodiscard]] uint32_t RecentPlayedPeak();

}  // namespace platform
