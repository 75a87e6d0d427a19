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

namespace {

// The XDG variable's folder, or `fallback` below the home folder; a relative value
// is invalid by the XDG rules and ignored.
std::string XdgFolder(const char* variable, const char* fallback) {
    std::string folder = EnvironmentValue(variable);
    if (folder.empty() || folder.front() != '/') folder = HomeFolder() + fallback;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace

std::string UserConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", "/.config"); }

std::string UserStateFolder() { return XdgFolder("XDG_STATE_HOME", "/.local/state"); }

}  // namespace platform
