// `aurion tag FILE`: the ID3v1 tag through the control's tag methods. The file is
// opened (no WAV target) and closed again at once, which leaves the control holding
// the tag that its probe read; then the tag is printed one `Name=value` line each,
// or the given fields are set and WriteTag is called, or DelTag. The control runs
// in error mode, so a file without tag access fails with its 641.
#pragma once

#include "tools/aurion/CommandLine.h"

namespace aurion::host {

// The exit status: 0, or 1 after a line on standard error.
[[nodiscard]] int RunTag(const Command& command);

}  // namespace aurion::host
