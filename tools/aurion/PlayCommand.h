// `aurion play [--device N] [--speed P] [--volume P] [--channel-mode N] FILE...`:
// plays the files one after the other on a wave-output device. On a terminal it
// shows the file, the elapsed and total time and a bar, and takes keys (space
// pause, arrows seek 10 s, +/- volume, n next, q quit); otherwise it plays to the
// end and prints nothing.
#pragma once

#include "tools/aurion/CommandLine.h"

namespace aurion::host {

// 0; 1 when any file failed (each reported as `error N: TEXT` on standard error,
// the next file playing all the same); 128 + the signal on Ctrl-C and the like.
int RunPlay(const Command& command);

}  // namespace aurion::host
