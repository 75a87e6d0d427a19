#include "platform/system/SystemFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/system/UserFolders.h"

namespace platform {

std::string SystemFolder() {
    std::string folder = EnvironmentValue("TRACKDECK_SYSTEM_DIR");
    if (folder.empty()) {
        std::string data = EnvironmentValue("XDG_DATA_HOME");
        if (data.empty() || data.front() != '/') data = HomeFolder() + "/.local/share";
        folder = data + "/trackdeck/system/";
    }
    if (folder.back() != '/') folder += '/';
    std::error_code ignored;  // a folder that cannot be made shows when it is used
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

}  // namespace platform
