// `cmake --install` of this build into a prefix, as a user or the Debian package
// installs Trackdeck, and where the installed parts then lie.
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/HostProcess.h"

namespace trackdeck::test {

// The name of the menu entry and the metainfo.
inline const std::string AppId = "de.veltrano.trackdeck";

[[nodiscard]] aurion::test::HostRun InstallInto(const std::filesystem::path& prefix);

[[nodiscard]] inline std::filesystem::path ProgramFolderIn(const std::filesystem::path& prefix) {
    return prefix / "lib/trackdeck";
}

}  // namespace trackdeck::test
