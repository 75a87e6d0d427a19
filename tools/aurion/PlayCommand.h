// `aurion play [--device N] [--speed P] [--volume P] [--channel-mode N] FILE...`:
// plays the files one after the other on a wave-output device. On a terminal it
// shows the file, the time of what the device has played (not of the frame being
// decoded, which runs a second or two ahead), the total and a bar that reaches
// 100 % at the end, and takes keys when its input is a terminal too (space pause,
// arrows seek 10 s from what is heard, +/- volume, n next, q quit). Otherwise it
// prints one line per file once it is done with it: name, length, and played,
// stopped or failed.
#pragma once

#include "tools/aurion/CommandLine.h"

namespace aurion::host {

// 0; 1 when any file failed (each said on standard error, naming the file, the
// next file playing all the same); 128 + the signal on Ctrl-C and the like.
int RunPlay(const Command& command);

}  // namespace aurion::host
