// The program folder: the folder of the running program file (/proc/self/exe),
// where Trackdeck.bin lies beside the host. Ends with "/".
#pragma once

#include <optional>
#include <string>

namespace aurion::host {

// Empty when the running program cannot be found.
[[nodiscard]] std::optional<std::string> ProgramFolder();

}  // namespace aurion::host
