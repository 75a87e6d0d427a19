#include "platform/system/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir != nullptr)
        return found->pw_dir;
    return "/tmp";
}

std::string UserConfigFolder() {
    std::string config = EnvironmentValue("XDG_CONFIG_HOME");
    // A relative value is invalid by the XDG rules and ignored.
    if (config.empty() || config.front() != '/') config = HomeFolder() + "/.config";
    while (!config.empty() && config.back() == '/') config.pop_back();
    return config;
}

}  // namespace platform
