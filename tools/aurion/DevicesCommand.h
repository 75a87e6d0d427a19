// `aurion devices`: the wave-output devices as the control sees them.
#pragma once

namespace aurion::host {

// One line per device on standard output: number, product name and the mask of
// standard formats in hexadecimal. 0, or 1 after a line on standard error.
int RunDevices();

}  // namespace aurion::host
