#include "host/ProgramFolder.h"

#include <filesystem>
#include <system_error>

namespace aurion::host {

std::optional<std::string> ProgramFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) {
        return std::nullopt;
    }
    std::string folder = program.parent_path().string();
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace aurion::host
