// The texts `aurion` shows about itself: the short usage shown with a usage error,
// the whole help, each command's own help, and the version.
#pragma once

#include <string>
#include <string_view>

#include "tools/aurion/CommandLine.h"

namespace aurion::host {

[[nodiscard]] std::string_view UsageText();
// Every command with its options, the exit status and the environment.
[[nodiscard]] std::string HelpText();
// One command's usage and options only.
[[nodiscard]] std::string_view CommandHelp(CommandKind kind);
// "aurion 1.5 (Trackdeck), the command-line host of the Aurion control".
[[nodiscard]] std::string VersionText();

}  // namespace aurion::host
