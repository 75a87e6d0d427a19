// `aurion decode [--channel-mode N] [--notify N] FILE OUT.wav`: sets the channel
// choice and the event cadence when given, opens FILE with OUT.wav as target,
// starts the worker and lets window events run until ThreadEnded. ActFrame drives
// the progress bar (on a terminal only); a Failure is reported when it arrives and
// makes the command fail once the worker has ended. Ctrl-C asks the worker to
// stop and still waits for ThreadEnded, so the WAV file is finished properly.
#pragma once

#include "tools/aurion/CommandLine.h"

namespace aurion::host {

// Exit status of an interrupted decode (128 + SIGINT, as shells report it).
inline constexpr int InterruptedStatus = 130;

// 0, 1 after `error N: TEXT` on standard error, or InterruptedStatus.
[[nodiscard]] int RunDecode(const Command& command);

}  // namespace aurion::host
