// The player panel's texts: a time as minutes and seconds, and the bit rate.
#pragma once

#include <QString>
#include <cstdint>

namespace trackdeck::player {

// "mm:ss" with at least two digits each; minutes go on past 59 (3725 s is "62:05").
[[nodiscard]] QString TimeText(int32_t seconds);

// The bit rate in kbit/s with " kbps" (128000 is "128 kbps"); empty when the number
// has fewer than three digits, so the field keeps what it showed.
[[nodiscard]] QString BitRateText(int32_t bitRate);

}  // namespace trackdeck::player
