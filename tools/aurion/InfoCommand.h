// `aurion info FILE`: opens the file in the control (no WAV target), prints the
// stream properties one `Name=value` line each in the interface's order, then
// closes it. Booleans print as 0 or 1; MsPerFrame with up to six decimals,
// trailing zeros trimmed; FrameCount and TotalTime with a "~" before the number
// when they are the control's estimates rather than the header frame's counts.
#pragma once

#include <string>

namespace aurion::host {

// The exit status: 0, or 1 after a line on standard error.
[[nodiscard]] int RunInfo(const std::string& file);

// "26.12245", "24", "8.707483": a float with up to six decimals, trailing zeros trimmed.
[[nodiscard]] std::string DecimalText(float value);

}  // namespace aurion::host
