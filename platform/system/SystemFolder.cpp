#include "platform/system/SystemFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = Environment("HOME");
    if (!home.empty()) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir != nullptr)
        return found->pw_dir;
    return "/tmp";
}

}  // namespace

std::string SystemFolder() {
    std::string folder = Environment("TRACKDECK_SYSTEM_DIR");
    if (folder.empty()) {
        std::string data = Environment("XDG_DATA_HOME");
        if (data.empty() || data.front() != '/') data = HomeFolder() + "/.local/share";
        folder = data + "/trackdeck/system/";
    }
    if (folder.back() != '/') folder += '/';
    std::error_code ignored;  // a folder that cannot be made shows when it is used
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

}  // namespace platform
