#include "tests/packaging/InstallInto.h"

namespace trackdeck::test {

aurion::test::HostRun InstallInto(const std::filesystem::path& prefix) {
    return aurion::test::RunProgram(
        TRACKDECK_CMAKE_COMMAND, {"--install", TRACKDECK_BUILD_DIR, "--prefix", prefix.string()});
}

}  // namespace trackdeck::test
