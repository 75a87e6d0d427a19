// `aurion decode [--force] [--channel-mode N] [--notify N] FILE OUT.wav`: looks at the
// files first (an input that cannot be read is said with the system's reason; an
// OUT.wav that is the input under any name, or another existing file without
// --force, is refused), sets the channel choice and the event cadence when given,
// opens FILE with OUT.wav as target, starts the worker and lets window events run
// until ThreadEnded. ActFrame drives the progress bar (on a terminal only); a
// failure of the worker is said once it has ended, in one line. Ctrl-C asks the
// worker to stop and still waits for ThreadEnded, so the WAV file is finished
// properly.
#pragma once

#include "tools/aurion/CommandLine.h"

namespace aurion::host {

// Exit status of an interrupted decode (128 + SIGINT, as shells report it).
inline constexpr int InterruptedStatus = 130;

// 0; 1 after a line on standard error; 2 when it would overwrite a file;
// InterruptedStatus.
[[nodiscard]] int RunDecode(const Command& command);

}  // namespace aurion::host
