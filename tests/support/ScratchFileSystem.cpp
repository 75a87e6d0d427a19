#include "tests/support/ScratchFileSystem.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace aurion::test {

ScratchFileSystem::ScratchFileSystem(uint64_t bytes) {
    std::error_code ignored;
    std::string pattern =
        (std::filesystem::temp_directory_path(ignored) / "trackdeck-fs-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        m_problem = std::strerror(errno);
        return;
    }
    m_folder = std::string(buffer.data()) + "/";
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    m_mounted =
        ::mount("tmpfs", m_folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    if (!m_mounted) m_problem = std::strerror(errno);
}

ScratchFileSystem::~ScratchFileSystem() {
    if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
    if (!m_folder.empty()) ::rmdir(m_folder.c_str());
}

bool ScratchFileSystem::MakeReadOnly() {
    return m_mounted && ::mount("tmpfs", m_folder.c_str(), "tmpfs",
                                MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

}  // namespace aurion::test
