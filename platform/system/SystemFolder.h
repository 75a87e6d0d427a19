// The system folder: $TRACKDECK_SYSTEM_DIR, or else $XDG_DATA_HOME/trackdeck/system/
// (~/.local/share/trackdeck/system/), created on first use; always ends with "/".
#pragma once

#include <string>

namespace platform {

[[nodiscard]] std::string SystemFolder();

}  // namespace platform
